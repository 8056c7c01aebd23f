// "M30 módosítás": the income certificates corrected by hand in the annual
// editor frame (no new records here), each saved record's derived cells
// recomputed, and "XML SZJA" writing the current employee's pre-filled
// personal income tax return as a form-import document.
#pragma once

#include <QString>

#include "core/GridEditor.h"

class TAdo_M30modForm : public TGridEditor {
    Q_OBJECT
public:
    explicit TAdo_M30modForm(QWidget* parent = nullptr);

    // Writes the return file of the current record's employee.
    void ExportSzjaXml();
    // The save dialog on the year's SZJA folder with the proposed name: the
    // path chosen (".xml" added to a name without extension), or the empty
    // text after a cancel or a folder that cannot be made.
    QString ChooseXmlFolder(const QString& proposed);

protected:
    void PostRecord() override;
    void ExtraClick() override { ExportSzjaXml(); }
};
