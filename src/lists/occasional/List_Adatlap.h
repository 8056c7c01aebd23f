// "Adatlap": the three-page statement of an employee's income of the year,
// the tax deducted and the allowances used, handed over when the employment
// ends. Every payroll row of the year adds into the cell its pay item's
// placement (JC_ADATLSOR + JC_ADATLOSZL) names; a few cells get extra
// amounts by fixed rules and the derived cells are worked out once per
// employee. "Jogcímek aktualizálása" refreshes the placements (and the
// brought-forward items from "800") from the year's pay-item table.
#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "core/ListaKeret.h"

class QPushButton;
class TList_AdatlapQRForm;

// The work table "List_Adatlap" + workstation suffix: one record per employee.
WorkTable AdatlapTabla();

struct AdatlapParameterek {
    QString dgTol, dgIg;
};

// The work table's records from every payroll row of the employee range,
// read through DM1->Query1 (left closed and empty). A placement naming no
// cell shows its error box and the build goes on; `start` gets the number
// of rows and `step` runs after each.
std::vector<db::Record> AdatlapSorok(const AdatlapParameterek& p,
                                     const std::function<void(int max)>& start = {},
                                     const std::function<void()>& step = {});

// The derived cells of one record of the work table (differences, totals,
// the 15 % taxes, the family allowance turned back into tax base).
void MezoertekSzamol(db::Record& rec);

class TList_AdatlapForm : public ListForm {
    Q_OBJECT
public:
    explicit TList_AdatlapForm(QWidget* parent = nullptr);
    ~TList_AdatlapForm() override;

    QPushButton* BitBtn3 = nullptr;  // "Jogcímek aktualizálása"

    AdatlapParameterek Parameterek() const;
    // Builds and fills the work table; false after its own message.
    bool TablaLetrehoz();
    // The placement refresh; true when it was committed.
    bool JogcimFeltolt();

    std::unique_ptr<TList_AdatlapQRForm> List_AdatlapQRForm;  // alive for one run

protected:
    void BitBtn1Click() override;
    void showEvent(QShowEvent* event) override;

private:
    bool checked_ = false;
};
