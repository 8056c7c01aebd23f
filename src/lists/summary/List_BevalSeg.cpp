#include "lists/summary/List_BevalSeg.h"

#include <algorithm>

#include "core/StartValues.h"
#include "core/helpers/SegedUnit.h"
#include "lists/summary/List_BevalSegQR.h"
#include "platform/os/DayNumber.h"
#include "platform/ui/Dialogs.h"

namespace {

ListDecl BevalSegDecl() {
    ParamField datum = params::KifizetesDatuma();
    datum.fromDefault = defaults::FirstDayOfMonth("CurrencyEdit1");

    ListDecl s;
    s.objectName = "List_BevalSegForm";
    s.caption = QStringLiteral("Összesítő listák/Bevallás ") + QString::fromStdString(FeldolgozasiEv) +
                QStringLiteral(". segédlet");
    s.fields = {params::Honap(), datum};
    s.tables = {&TDM1::TableKifhely, &TDM1::TableMhely,    &TDM1::TableJogcim,
                &TDM1::TableDolgozo, &TDM1::TableSzamfejt, &TDM1::TableCegek};
    s.lastEdit = "DateEdit2";
    return s;
}

}  // namespace

double StatisztikaiAllomany(const std::vector<StatDolgozo>& dolgozok, int year, int month) {
    const int napok = os::DaysInMonth(year, month);
    const double elso = os::EncodeDate(year, month, 1);
    const double utolso = os::EncodeDate(year, month, napok);
    double allomany = 0;
    for (const StatDolgozo& d : dolgozok) {
        int nap = napok;
        if (d.kilep != 0 && d.kilep < elso) nap = 0;
        if (d.belep != 0 && d.belep > utolso) nap = 0;
        if (nap > 0 && d.kilep != 0 && d.kilep <= utolso) nap = os::DecodeDate(d.kilep).day;
        if (nap > 0 && d.belep != 0 && d.belep >= elso) nap = nap - os::DecodeDate(d.belep).day + 1;
        allomany += d.hetiOra * (static_cast<double>(std::max(nap, 0)) / napok) / 40;
    }
    return allomany;
}

double EvesStatisztikaiAllomany(const std::vector<StatDolgozo>& dolgozok, int year) {
    const int napok = os::IsLeapYear(year) ? 366 : 365;
    const double elso = os::EncodeDate(year, 1, 1);
    const double utolso = os::EncodeDate(year, 12, 31);
    double allomany = 0;
    for (const StatDolgozo& d : dolgozok) {
        long long nap = napok;
        if (d.belep != 0 && d.belep > elso) nap -= Kerekit(d.belep - elso);
        if (d.kilep != 0 && d.kilep < utolso) nap -= Kerekit(utolso - d.kilep);
        allomany += d.hetiOra * (static_cast<double>(std::max(nap, 0LL)) / napok) / 40;
    }
    return allomany;
}

TList_BevalSegForm::TList_BevalSegForm(QWidget* parent)
    : ListForm(BevalSegDecl(), parent), List_BevalSegQRForm(std::make_unique<TList_BevalSegQRForm>()) {}

TList_BevalSegForm::~TList_BevalSegForm() = default;

std::vector<StatDolgozo> TList_BevalSegForm::StatRows() {
    ListSql sql;
    sql.Line("Select Distinct SF_DGTORZSSZAM, DG_BELEPDAT, DG_KILEPDAT, DG_HETIKOTORA From " +
             ListSql::Table(*DM1->TableSzamfejt));
    sql.Line("Join " + ListSql::Table(*DM1->TableDolgozo) + " On DG_TORZSSZAM = SF_DGTORZSSZAM");
    sql.Range("SF_HONAP", Month("CurrencyEdit1"), Month("CurrencyEdit2"));
    sql.DateRange("SF_KIFIZDAT", Date("DateEdit1"), Date("DateEdit2"));
    sql.Condition("(DG_JOGIALL <> 'I' Or DG_JOGIALL Is Null)");
    QueryStat.Close();
    QueryStat.DatabaseName = DM1->TableSzamfejt->DatabaseName;
    sql.Apply(QueryStat);
    QueryStat.Open();
    std::vector<StatDolgozo> rows;
    for (QueryStat.First(); !QueryStat.Eof(); QueryStat.Next()) {
        auto date = [this](const char* f) {
            const db::Field& field = QueryStat.FieldByName(f);
            return field.IsNull() ? 0.0 : field.AsFloat();
        };
        rows.push_back(
            {date("DG_BELEPDAT"), date("DG_KILEPDAT"), QueryStat.FieldByName("DG_HETIKOTORA").AsFloat()});
    }
    QueryStat.Close();
    QueryStat.SetSQL("");
    return rows;
}

bool TList_BevalSegForm::ErtekkeszletRendben() {
    db::Table& ek = *DM1->TableErtekkeszlet;
    auto missing = [&](const char* ertek) {
        return !ek.Locate("EK_TIPUS;EK_ERTEK", {db::Variant("0"), db::Variant(ertek)});
    };
    const char* hianyzo = nullptr;
    if (missing("04")) hianyzo = "04";
    db::Query& q = *DM1->Query1;
    for (q.First(); !hianyzo && !q.Eof(); q.Next()) {
        const std::string jc = q.FieldByName("SF_JCKOD").AsString();
        if (jc != "205" && jc != "210") continue;
        if (missing("17"))
            hianyzo = "17";
        else if (missing("18"))
            hianyzo = "18";
    }
    q.First();
    if (!hianyzo) return true;
    ui::MessageBox(
        QStringLiteral("Üzenet"),
        QStringLiteral("Hiányzik az értékkészlet 0 típusú, %1 értékű sora, a segédlet nem készíthető el!")
            .arg(hianyzo),
        ui::Icon::Warning, ui::Ok);
    return false;
}

void TList_BevalSegForm::BitBtn1Click() {
    RunQueryList([this] {
        const int m1 = Month("CurrencyEdit1"), m2 = Month("CurrencyEdit2");
        const int year = std::stoi(FeldolgozasiEv);
        const std::vector<StatDolgozo> stat = StatRows();
        Allomany = m1 == m2 ? StatisztikaiAllomany(stat, year, m1) : EvesStatisztikaiAllomany(stat, year);

        ListSql sql;
        sql.Line("Select * From " + ListSql::Table(*DM1->TableSzamfejt));
        sql.Range("SF_HONAP", m1, m2);
        sql.DateRange("SF_KIFIZDAT", Date("DateEdit1"), Date("DateEdit2"));
        sql.Line("Order By SF_DGTORZSSZAM, SF_HONAP, SF_JCKOD");
        Query1Reset();
        sql.Apply(*DM1->Query1);
        DM1->Query1->Open();
        if (!ErtekkeszletRendben()) return;

        TList_BevalSegQRForm& layout = *List_BevalSegQRForm;
        layout.m1 = QString::number(m1);
        layout.m2 = QString::number(m2);
        layout.KifizDat = RangeText(*this, "DateEdit1", "DateEdit2");
        layout.Allomany = Allomany;
        layout.QuickRep1.Preview();
    });
}
