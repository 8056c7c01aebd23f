// The workplaces of the selected company, on DM1->TableMhely. Every workplace
// belongs to an existing payment place, picked from their list or typed; a
// workplace that an employee names cannot be deleted.
#pragma once

#include <memory>

#include "masterdata/MaintenanceForm.h"

class TTorzskezMhelyForm : public MaintenanceForm {
    Q_OBJECT
public:
    explicit TTorzskezMhelyForm(QWidget* parent = nullptr);
    ~TTorzskezMhelyForm() override { FormClose(); }

    void Felvitel() override;
    // Sets the payment places read-only beside the workplaces, and back.
    void TableNyitZar(int n) override;

    TDBEdit* MH_KOD = nullptr;
    TDBEdit* MH_NEV = nullptr;
    TDBEdit* MH_KHKOD = nullptr;
    TDBEdit* MH_MUNKSZAM = nullptr;
    TDBEdit* MH_GYUJTO = nullptr;
    QLabel* LabelMH_KHKOD = nullptr;  // the payment place's name

protected:
    std::unique_ptr<QDialog> CreateListForm() override;
    bool HasListForm() const override { return true; }
};
