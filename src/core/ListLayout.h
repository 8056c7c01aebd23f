// The layouts' side of the lists: the shared page header, the column table,
// plain number text, checked 32-bit totals, the banknote split and the
// parameter text of a range.
#pragma once

#include <QString>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "core/DataModule1.h"
#include "platform/db/Field.h"
#include "platform/report/Report.h"

class ListForm;

// The plain decimal text of a number: shortest form up to 15 significant
// digits, no grouping, "." as the decimal separator ("1234.5", "-7", "0").
QString SzamSzoveg(double value);

// A total kept as a signed 32-bit integer; an addition that leaves the range
// raises std::overflow_error rather than printing a wrapped amount.
class Int32Total {
public:
    void Reset() { value_ = 0; }
    void Add(long long amount);
    int Value() const { return value_; }

private:
    int value_ = 0;
};
// A whole amount as a 32-bit integer; std::overflow_error when it does not fit.
int ToInt32(long long value);

// The denominations of the cash split, from 20000 down to 1.
inline constexpr std::array<int, 14> kCimletek = {20000, 10000, 5000, 2000, 1000, 500, 200,
                                                  100,   50,    20,   10,   5,    2,   1};
// The greedy split of a whole forint amount: count i is of kCimletek[i]. A
// negative amount gives negative counts (callers print only positive amounts).
std::array<long long, 14> CimletBontas(long long amount);

// The field texts of the current record joined by single blanks; an empty
// part keeps its blank ("1111 Budapest  utca").
QString CimOsszefuz(db::Dataset& dataset, const std::vector<std::string>& fields);

// The page header every list shares, added to `band` from its top: program
// and maker line, user, page number, company name (CG_NEV or, with
// `shortName`, CG_RNEV), date, and the list's title, across `width` mm (a
// landscape list passes its page's: the page number, date and rule end at
// its right margin). Returns the height used.
struct ListHeader {
    report::Control* QRLabelDatum = nullptr;  // "Dátum :"
    report::Control* QRSysData2 = nullptr;    // the date
    report::Control* Title = nullptr;
    double bottom = 0;  // mm below the title
    // "Aktuális dátum megjelenítése".
    void DatumMutat(bool on) const;
};
ListHeader AddListHeader(report::Band& band, const QString& title, bool shortName = false,
                         double width = 190);
// The width between the page's margins, mm.
inline double PrintableWidth(const report::PageSetup& page) {
    return page.Width() - page.leftMargin - page.rightMargin;
}

// The parameter lines of a page header, one under the other: a caption
// `captionWidth` wide and beside it the value, read as the page is printed,
// up to `right`. Each line goes at the caller's `y` and moves it down 5 mm.
class ParamLines {
public:
    ParamLines(report::Band& band, double& y, double captionWidth, double right)
        : band_(band), y_(y), captionWidth_(captionWidth), right_(right) {}
    // `indent` moves the caption and the value right; the value still ends at `right`.
    void Add(const QString& caption, std::function<QString()> value, double indent = 0) const;
    // A text member of the layout's parameters.
    template <class P>
    void Add(const QString& caption, const P& params, QString P::*field) const {
        Add(caption, [&params, field] { return params.*field; });
    }

private:
    report::Band& band_;
    double& y_;
    double captionWidth_, right_;
};

// The parameters the page headers of the pay-item lists print, as their
// parameter forms show them.
struct JogcimParameterek {
    QString honap, kifizDat, munkahely, dolgozo, jogcim;
};
// Their five lines (month, payment date, workplace, employee, pay item) on
// `band` from `y`, moving it down; the values end at 190 mm.
void JogcimParamSorok(report::Band& band, double& y, const JogcimParameterek& p);

// The selected company's code: the three characters that end the payroll
// table's name ("Szamfejt_001"); empty when the name has none.
std::string CegKod();
// The report's start: locates the selected company in the company table;
// false when it is not there.
bool LocateCompany();

// A column of a list: caption, field, position and width (mm), alignment,
// how the value is written and whether the summary totals it.
enum class ColumnFormat { Text, Amount, Date };
struct ListColumn {
    QString caption;
    const char* field;
    double left, width;
    report::Align align = report::Align::Left;
    ColumnFormat format = ColumnFormat::Text;
};
// Adds the column captions to `header` at `top` and the fields to `detail`;
// values are read from `dataset`.
void AddColumns(report::Band& header, double top, report::Band& detail, db::Dataset& dataset,
                const std::vector<ListColumn>& columns);
// The text of a column's value for the current record of `dataset`.
QString ColumnText(db::Dataset& dataset, const ListColumn& column);

// The parameter text of a range: the trimmed "from", " - ", the trimmed "to".
QString RangeText(const ListForm& form, const QString& from, const QString& to);
