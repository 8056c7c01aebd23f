// The captions of the table search window in its two languages. The language
// character "E" picks English, any other character Hungarian (every caller
// of the program passes "H").
#pragma once

#include <QString>

// The caption of `key`; "Hiányzó cimke." for a key the table lacks.
QString TblSearchCaption(const QString& key, QChar language);
