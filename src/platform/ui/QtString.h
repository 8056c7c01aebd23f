// Text is UTF-8 std::string below the windows and QString in them; these two
// convert at that border.
#pragma once

#include <QString>
#include <string>

inline QString Q(const std::string& s) { return QString::fromStdString(s); }
inline std::string S(const QString& s) { return s.toStdString(); }
