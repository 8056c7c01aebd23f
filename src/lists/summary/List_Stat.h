// "Munkaügyi adatok": the cells of the monthly labour statistics return,
// each a count or sum over the month's payroll rows of the employees in
// employment, in a one-row work table.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/ListaKeret.h"

class TList_StatQRForm;

// The first and the last day of a month of the processing year.
std::pair<double, double> StatIdoszak(int year, int month);

// The work table's cells in order: "S11A" .. "S27A".
const std::vector<std::string>& StatMezok();
WorkTable StatTabla(std::optional<std::string> suffix = std::nullopt);

class TList_StatForm : public ListForm {
    Q_OBJECT
public:
    explicit TList_StatForm(QWidget* parent = nullptr);
    ~TList_StatForm() override;

    std::unique_ptr<TList_StatQRForm> List_StatQRForm;

    bool StatTablaLetrehoz();
    bool StatFeltolt();
    // One cell's statement; 0 after its error dialog.
    double StatLekerdez(const ListSql& sql);

protected:
    void BitBtn1Click() override;
    // Runs a cell's statement and reads EREDMENY (an empty sum is 0).
    virtual double Eredmeny(const ListSql& sql);
};
