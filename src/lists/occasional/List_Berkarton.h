// "Bérkarton": per employee, a line per pay item marked for the card with
// its amount in each month and the year's total (days and hours beneath),
// closed by the "Érv" "kedv" line of item 328's months; and "Távollétek",
// every absence row of the marked items.
#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "core/ListaKeret.h"

class TList_BerkartonQRForm;
class TList_TavolletQRForm;

// The work table "List_Berkarton" + workstation suffix.
WorkTable BerkartonTabla();

struct BerkartonParameterek {
    QString mhTol, mhIg, dgTol, dgIg;
};

// The work table's rows in key order from the payroll rows of the ranges,
// read through DM1->Query1 (left closed and empty). The progress callbacks
// get the count of each pass and a step after each row.
std::vector<db::Record> BerkartonSorok(const BerkartonParameterek& p,
                                       const std::function<void(int pass, int max)>& start = {},
                                       const std::function<void(int pass)>& step = {});

class TList_BerkartonForm : public ListForm {
    Q_OBJECT
public:
    explicit TList_BerkartonForm(QWidget* parent = nullptr);
    ~TList_BerkartonForm() override;

    BerkartonParameterek Parameterek() const;
    // Builds and fills the work table; false after its own message.
    bool TablaLetrehoz();

    std::unique_ptr<TList_BerkartonQRForm> List_BerkartonQRForm;  // alive for one run
    std::unique_ptr<TList_TavolletQRForm> List_TavolletQRForm;

protected:
    void BitBtn1Click() override;
    void StartButtonClick(int index) override;  // "Távollétek"
};
