// "Bevallás segédlet": the totals of the month's declaration from fixed pay
// items, the company's data and the statistical headcount of the period.
#pragma once

#include <memory>
#include <vector>

#include "core/ListaKeret.h"
#include "platform/db/Query.h"

class TList_BevalSegQRForm;

// One employee of the headcount: entry and exit dates (0: not set) and the
// weekly hours.
struct StatDolgozo {
    double belep = 0, kilep = 0;
    double hetiOra = 0;
};

// The headcount of one month of `year`: each employee's weekly hours / 40
// times the share of the month's days employed. Someone who left before the
// month or entered after it counts nothing.
double StatisztikaiAllomany(const std::vector<StatDolgozo>& dolgozok, int year, int month);
// The same over the whole year; days before the entry and after the exit
// are taken off, never below nothing.
double EvesStatisztikaiAllomany(const std::vector<StatDolgozo>& dolgozok, int year);

class TList_BevalSegForm : public ListForm {
    Q_OBJECT
public:
    explicit TList_BevalSegForm(QWidget* parent = nullptr);
    ~TList_BevalSegForm() override;

    std::unique_ptr<TList_BevalSegQRForm> List_BevalSegQRForm;
    db::Query QueryStat;
    double Allomany = 0;

protected:
    void BitBtn1Click() override;

private:
    std::vector<StatDolgozo> StatRows();
    // The value-set rows the layout needs; false after naming a missing one.
    bool ErtekkeszletRendben();
};
