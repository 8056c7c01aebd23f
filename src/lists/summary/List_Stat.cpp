#include "lists/summary/List_Stat.h"

#include <QProgressBar>
#include <map>

#include "core/StartValues.h"
#include "core/helpers/SegedUnit.h"
#include "lists/summary/List_StatQR.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"
#include "platform/os/DayNumber.h"
#include "platform/ui/Dialogs.h"

namespace {

ListDecl StatDecl() {
    ParamField munkahely = params::Munkahely();
    munkahely.fromDefault = defaults::First("MH_KOD", DefaultSource::Workplace);
    munkahely.toDefault = defaults::Last("MH_KOD", DefaultSource::Workplace);

    ListDecl s;
    s.objectName = "List_StatForm";
    s.caption = QStringLiteral("Összesítő listák/Munkaügyi adatok");
    s.fields = {params::Honap("CurrencyEdit1", ""), munkahely};
    s.tables = {&TDM1::TableKifhely, &TDM1::TableMhely,    &TDM1::TableJogcim,
                &TDM1::TableDolgozo, &TDM1::TableSzamfejt, &TDM1::TableCegek};
    s.lastEdit = "MaskEdit2";
    s.progressBars = 1;
    return s;
}

// Condition lines of the cells.
const char* const kTeljes = "tDolg.DG_NAPIKOTORA >= 8";
const char* const kReszes = "tDolg.DG_NAPIKOTORA < 8";
const char* const kFizikai =
    "(tDolg.DG_FEOR Like '5___' Or tDolg.DG_FEOR Like '6___' Or tDolg.DG_FEOR Like '7___' Or "
    "tDolg.DG_FEOR Like '8___' Or tDolg.DG_FEOR Like '9___')";
const char* const kSzellemi =
    "(tDolg.DG_FEOR Like '1___' Or tDolg.DG_FEOR Like '2___' Or tDolg.DG_FEOR Like '3___' Or "
    "tDolg.DG_FEOR Like '4___')";
const char* const kHatvanAlatt = "tDolg.DG_HETIKOTORA * 4 < 60";
const char* const kHatvanFelett = "tDolg.DG_HETIKOTORA * 4 >= 60";
const char* const kKulfoldi = "UPPER(tDolg.DG_ALLAMP) <> 'HUN'";
const char* const kKereset = "tJogc.JC_KERESET = 'I'";
const char* const kEgyeb = "(tJogc.JC_KOD = '160' Or tJogc.JC_KOD = '161')";
const char* const kPremium = "(tJogc.JC_KOD = '120' Or tJogc.JC_KOD = '121')";
const char* const kOraVan = "tSzamf.SF_ORA > 0";
const char* const kTulora = "tJogc.JC_KOD = '110'";
const char* const kMunkaora =
    "((tJogc.JC_KOD = '100') Or (tJogc.JC_KOD = '101') Or (tJogc.JC_KOD = '104') Or (tJogc.JC_KOD = '105') "
    "Or (tJogc.JC_KOD = '106') Or (tJogc.JC_KOD = '110'))";

// The staff groups of rows 1.1 to 1.5.
const std::vector<std::vector<const char*>> kCsoportok = {
    {kTeljes, kFizikai},  {kTeljes, kSzellemi},    {kReszes, kFizikai},
    {kReszes, kSzellemi}, {kReszes, kHatvanAlatt},
};

enum class Alap { Letszam, Osszeg, Ora };

}  // namespace

std::pair<double, double> StatIdoszak(int year, int month) {
    return {os::EncodeDate(year, month, 1), os::EncodeDate(year, month, os::DaysInMonth(year, month))};
}

const std::vector<std::string>& StatMezok() {
    static const std::vector<std::string> mezok = [] {
        std::vector<std::string> m;
        for (const char* sor : {"11", "12", "13", "14", "15"})
            for (char o : std::string("ABCD")) m.push_back(std::string("S") + sor + o);
        for (const char* f : {"S16B",  "S16C", "S16D", "S17A", "S18A",  "S18B",  "S18C",  "S18D",
                              "S19A",  "S19B", "S19C", "S19D", "S110A", "S111A", "S111B", "S111C",
                              "S111D", "S21A", "S22A", "S23A", "S24A",  "S25A",  "S26A",  "S27A"})
            m.push_back(f);
        return m;
    }();
    return mezok;
}

WorkTable StatTabla(std::optional<std::string> suffix) {
    std::vector<WorkField> f;
    for (const std::string& m : StatMezok()) f.push_back({m.c_str(), db::FieldType::Float});
    return {"List_Stat", f, "", std::move(suffix)};
}

TList_StatForm::TList_StatForm(QWidget* parent)
    : ListForm(StatDecl(), parent), List_StatQRForm(std::make_unique<TList_StatQRForm>()) {}

TList_StatForm::~TList_StatForm() = default;

bool TList_StatForm::StatTablaLetrehoz() { return StatTabla().Create(); }

double TList_StatForm::Eredmeny(const ListSql& sql) {
    db::Query q;
    q.DatabaseName = DM1->TableSzamfejt->DatabaseName;
    sql.Apply(q);
    q.Open();
    q.First();
    const double v = q.Eof() ? 0 : q.FieldByName("EREDMENY").AsFloat();
    q.Close();
    return v;
}

double TList_StatForm::StatLekerdez(const ListSql& sql) {
    double v = 0;
    try {
        v = Eredmeny(sql);
    } catch (const std::exception& e) {
        ui::MessageBox(ui::ApplicationTitle(), QString::fromUtf8(e.what()), ui::Icon::Error, ui::Ok);
        v = 0;
    }
    ProgressBar1->setValue(ProgressBar1->value() + 1);
    return v;
}

bool TList_StatForm::StatFeltolt() {
    const auto sor = [this] {
        ProgressBar1->setMaximum(100);
        ProgressBar1->setValue(0);
        const int honap = Month("CurrencyEdit1");
        const auto [tol, ig] = StatIdoszak(std::stoi(FeldolgozasiEv), honap);
        const std::string szamfejt = ListSql::Table(*DM1->TableSzamfejt);
        const std::string jogcim = ListSql::Table(*DM1->TableJogcim);
        const std::string dolgozo = ListSql::Table(*DM1->TableDolgozo);

        // A base, the common filter (employees in employment on a day of
        // the month), then the cell's own lines.
        auto cella = [&](Alap alap, const std::vector<const char*>& sorok) {
            ListSql sql;
            const char* mit = alap == Alap::Letszam  ? "COUNT(Distinct tDolg.DG_TORZSSZAM)"
                              : alap == Alap::Osszeg ? "SUM(tSzamf.SF_OSSZEG)"
                                                     : "SUM(tSzamf.SF_ORA)";
            sql.Line(std::string("Select ") + mit + " AS EREDMENY From " + szamfejt + " tSzamf Inner Join " +
                     jogcim + " tJogc On tSzamf.SF_JCKOD=tJogc.JC_KOD Inner Join " + dolgozo +
                     " tDolg On tSzamf.SF_DGTORZSSZAM=tDolg.DG_TORZSSZAM");
            if (alap == Alap::Ora) sql.Condition(kMunkaora);
            sql.Equal("tSzamf.SF_HONAP", honap);
            sql.Range("tDolg.DG_MHKOD", Text("MaskEdit1"), Text("MaskEdit2"));
            sql.Condition("tDolg.DG_JOGIALL = 'N'");
            sql.Condition("tDolg.DG_BELEPDAT <= :ig");
            sql.Condition("((tDolg.DG_KILEPDAT Is Null) Or (tDolg.DG_KILEPDAT >= :tol))");
            sql.Bind("tol", tol, db::FieldType::Date);
            sql.Bind("ig", ig, db::FieldType::Date);
            for (const char* s : sorok) sql.Condition(s);
            return StatLekerdez(sql);
        };

        std::map<std::string, double> c;
        for (const std::string& m : StatMezok()) c[m] = 0;
        const char* const oszlopok = "ABCD";
        for (size_t g = 0; g < kCsoportok.size(); ++g) {
            const std::string sor = "S1" + std::to_string(g + 1);
            for (int o = 0; o < 4; ++o) {
                std::vector<const char*> sorok = kCsoportok[g];
                const Alap alap = o == 0 ? Alap::Letszam : Alap::Osszeg;
                if (o == 1) sorok.push_back(kKereset);
                if (o == 2) sorok.push_back(kEgyeb);
                if (o == 3) sorok.push_back(kPremium);
                c[sor + oszlopok[o]] = cella(alap, sorok);
                sorok.push_back(kKulfoldi);
                c[std::string("S19") + oszlopok[o]] += cella(alap, sorok);
            }
        }
        // Totals from the cells as they stand, in forints.
        auto ot = [&](char o) {
            double s = 0;
            for (const char* sor : {"S11", "S12", "S13", "S14", "S15"}) s += c[sor + std::string(1, o)];
            return s;
        };
        c["S18A"] = ot('A') + c["S17A"];
        for (char o : std::string("BCD")) c["S18" + std::string(1, o)] = ot(o) + c["S16" + std::string(1, o)];
        c["S111A"] = ot('A') + c["S17A"] + c["S18A"] + c["S19A"] + c["S110A"];
        for (char o : std::string("BCD")) {
            const std::string x(1, o);
            c["S111" + x] = ot(o) + c["S16" + x] + c["S18" + x] + c["S19" + x];
        }

        c["S21A"] = cella(Alap::Ora, {kOraVan, kTeljes, kFizikai});
        c["S22A"] = cella(Alap::Ora, {kOraVan, kTeljes, kSzellemi});
        c["S23A"] = cella(Alap::Ora, {kOraVan, kReszes, kHatvanFelett});
        c["S24A"] = cella(Alap::Ora, {kOraVan, kReszes, kHatvanAlatt});
        c["S25A"] = cella(Alap::Ora, {kOraVan, kTulora});
        c["S27A"] = c["S21A"] + c["S22A"] + c["S23A"] + c["S24A"] + c["S25A"] + c["S26A"];

        // Earnings, other income and bonuses in thousands of forints.
        db::Record row;
        for (const std::string& m : StatMezok()) {
            const char o = m.back();
            row.push_back(o == 'A' ? c[m] : static_cast<double>(Kerekit(c[m] / 1000.0L)));
        }
        ProgressBar1->setValue(ProgressBar1->maximum());
        return std::vector<db::Record>{row};
    };
    return WriteWorkTable(StatTabla(), sor, QStringLiteral("HIBA történt az adatok felgyűjtésekor! "));
}

void TList_StatForm::BitBtn1Click() {
    RunWorkTableList([this] { return StatTablaLetrehoz() && StatFeltolt(); },
                     [this] {
                         StatTabla().OpenInTable1();
                         List_StatQRForm->QuickRep1.Preview();
                     });
}
