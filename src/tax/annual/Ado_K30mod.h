// "K30 módosítás": the K30 records corrected, completed and entered by hand
// in the annual editor frame; a saved record must name an existing employee
// and gets its row-29 sums again.
#pragma once

#include <string>

#include "core/GridEditor.h"

// Whether the current record's employee code (`codeField`) names an employee;
// when it does not, says so and the record stays as it is.
bool K30DolgozoLetezik(db::Dataset& record, const std::string& codeField);

class TAdo_K30modForm : public TGridEditor {
    Q_OBJECT
public:
    explicit TAdo_K30modForm(QWidget* parent = nullptr);

protected:
    void PostRecord() override;
};
