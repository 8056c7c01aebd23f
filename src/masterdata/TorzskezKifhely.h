// The payment places of the selected company: the simplest maintenance form,
// on DM1->TableKifhely. A payment place that a workplace names cannot be
// deleted.
#pragma once

#include <memory>

#include "masterdata/MaintenanceForm.h"

class TTorzskezKifhelyForm : public MaintenanceForm {
    Q_OBJECT
public:
    explicit TTorzskezKifhelyForm(QWidget* parent = nullptr);

    TDBEdit* KH_KOD = nullptr;
    TDBEdit* KH_NEV = nullptr;

protected:
    std::unique_ptr<QDialog> CreateListForm() override;
    bool HasListForm() const override { return true; }
};
