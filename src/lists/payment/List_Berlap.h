// "Bérlap": the payslips of one payment date or of a whole month, one per
// employee. The fill turns the payroll rows into the rows of the work table
// "List_Berlap" + workstation suffix (blocks of benefits, deductions, totals
// with the payable rounded to 5 forints, employer's charges, informative
// items and leave figures); the layout prints that table.
#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/ListaKeret.h"

class TList_BerlapQRForm;

struct BerlapParameterek {
    int honap = 0;
    double kifizDat = 0;  // ignored on a monthly payslip
    QString mhTol, mhIg, khTol, khIg, dgTol, dgIg;
    bool havi = false;      // "Havi bérlap"
    bool szabadsag = true;  // "Szabadság adatok"
    bool nevsor = false;    // "Névsorba rendezve"
};

// The work table: with `nevsor` the employee's name leads the fields and the key.
WorkTable BerlapTabla(bool nevsor, std::optional<std::string> suffix = {});

// The rounding difference that takes a payable to a multiple of 5: a
// positive payable to the nearest one, a negative one towards zero.
long long KifizetendoKerekites(double kifizetendo);

// The work table's rows (values in the table's field order) from the payroll
// rows of the parameters, read through DM1->Query1 (left closed and empty).
// `start` gets the number of payroll rows, `step` runs after each. A leave
// query that fails is shown and its figures left empty; any other error
// reaches the caller.
std::vector<db::Record> BerlapSorok(const BerlapParameterek& p, const std::function<void(int)>& start = {},
                                    const std::function<void()>& step = {});

class TList_BerlapForm : public ListForm {
    Q_OBJECT
public:
    explicit TList_BerlapForm(QWidget* parent = nullptr);
    ~TList_BerlapForm() override;

    // The parameters as the form holds them.
    BerlapParameterek Parameterek() const;
    // Builds and fills the work table; false after its own message.
    bool BerlapFeltolt();

    std::unique_ptr<TList_BerlapQRForm> List_BerlapQRForm;  // alive for one run

protected:
    void BitBtn1Click() override;

private:
    void CheckBox3Click(bool on);
};
