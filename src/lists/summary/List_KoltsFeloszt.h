// "Költségfelosztás": the employer's charges of one month spread over the
// pay items that cause them. For each employee and payment date every
// payroll row gets its share of each charge in proportion to its amount;
// the rows that carry a share are listed by work number with totals.
#pragma once

#include <memory>

#include "core/ListaKeret.h"
#include "platform/db/Query.h"

class TList_KoltsFelosztQRForm;

// The work table "List_KoltsFeloszt" + workstation suffix.
WorkTable KoltsFelosztTabla();

// The work table's rows of one employee and payment date from its payroll
// rows joined with their pay items (ordered by item code and running
// number): only rows whose shares add up to more than 0.
std::vector<db::Record> KoltsFelosztSorok(db::Dataset& rows);

class TList_KoltsFelosztForm : public ListForm {
    Q_OBJECT
public:
    explicit TList_KoltsFelosztForm(QWidget* parent = nullptr);
    ~TList_KoltsFelosztForm() override;

    db::Query Query1;  // employees and payment dates of the month
    db::Query Query2;  // the payroll rows of Query1's current row

    std::unique_ptr<TList_KoltsFelosztQRForm> List_KoltsFelosztQRForm;

    bool KoltsFelosztTablaLetrehoz();
    // Fills the work table from the open queries; false after its own box.
    bool KoltsFelosztFeltolt();

protected:
    void BitBtn1Click() override;
    // Enter on "Tételes :" goes to "Lekérdezés" when it is enabled.
    bool eventFilter(QObject* watched, QEvent* event) override;
};
