#include "lists/summary/List_KoltsFeloszt.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QProgressBar>
#include <QPushButton>
#include <algorithm>
#include <array>
#include <map>

#include "core/StartValues.h"
#include "core/helpers/SegedUnit.h"
#include "lists/summary/List_KoltsFelosztQR.h"
#include "platform/db/Table.h"
#include "platform/os/ScopeGuard.h"
#include "platform/ui/Dialogs.h"

namespace {

ListDecl KoltsFelosztDecl() {
    ListDecl s;
    s.objectName = "List_KoltsFelosztForm";
    s.caption = QStringLiteral("Összesítő listák/Költségfelosztás");
    s.fields = {params::Honap("CurrencyEdit1", "")};
    s.options = {{"CheckBox1", QStringLiteral("Tételes :")}};
    s.tables = {&TDM1::TableMhely, &TDM1::TableJogcim, &TDM1::TableDolgozo, &TDM1::TableSzamfejt,
                &TDM1::TableCegek};
    s.progressBars = 1;
    return s;
}

using T = db::FieldType;

// Where a field's value comes from: a column of the payroll row, or the
// base or amount of a charge item of the employee and payment date.
enum class Forras { Sor, Alap, Osszeg, Ures, Resz };
struct Mezo {
    const char* name;
    T type;
    int size;
    Forras forras;
    const char* honnan;  // the payroll column or the charge's item code
};

// clang-format off
const Mezo kMezok[] = {
    {"MUNKASZAM",   T::String,   6,  Forras::Sor,    "SF_MUNKSZAM"},
    {"DOLGOZO_KOD", T::String,   11, Forras::Sor,    "SF_DGTORZSSZAM"},
    {"JOGCIM",      T::String,   4,  Forras::Sor,    "SF_JCKOD"},
    {"HONAP",       T::SmallInt, 0,  Forras::Sor,    "SF_HONAP"},
    {"KIFIZDAT",    T::Date,     0,  Forras::Sor,    "SF_KIFIZDAT"},
    {"SORSZAM",     T::Integer,  0,  Forras::Sor,    "SF_SORSZAM"},
    {"DOLGOZO_NEV", T::String,   30, Forras::Sor,    "SF_DGNEV"},
    {"JOGCIM_NEV",  T::String,   30, Forras::Sor,    "SF_JCNEV"},
    {"MHELY",       T::String,   6,  Forras::Sor,    "SF_MHKOD"},
    {"NAP",         T::SmallInt, 0,  Forras::Sor,    "SF_NAP"},
    {"ORA",         T::Float,    0,  Forras::Sor,    "SF_ORA"},
    {"OSSZEG",      T::Float,    0,  Forras::Sor,    "SF_OSSZEG"},
    {"NYJALAP",     T::Float,    0,  Forras::Alap,   "333"},
    {"MAJALAP",     T::Float,    0,  Forras::Alap,   "332"},
    {"TBJALAP",     T::Float,    0,  Forras::Alap,   "330"},
    {"TBJALAP10",   T::Float,    0,  Forras::Ures,   ""},
    {"TBJ",         T::Float,    0,  Forras::Ures,   ""},
    {"TBJ10",       T::Float,    0,  Forras::Ures,   ""},
    {"TBJ_EB",      T::Float,    0,  Forras::Osszeg, "336"},
    {"MTBJ_EB",     T::Float,    0,  Forras::Resz,   "336"},
    {"TBJ_EBP",     T::Float,    0,  Forras::Osszeg, "337"},
    {"MTBJ_EBP",    T::Float,    0,  Forras::Resz,   "337"},
    {"TBJ_NYB",     T::Float,    0,  Forras::Osszeg, "330"},
    {"MTBJ_NYB",    T::Float,    0,  Forras::Resz,   "330"},
    {"MAJ",         T::Float,    0,  Forras::Osszeg, "332"},
    {"MMAJ",        T::Float,    0,  Forras::Resz,   "332"},
    {"MNYPV",       T::Float,    0,  Forras::Osszeg, "333"},
    {"MMNYPV",      T::Float,    0,  Forras::Resz,   "333"},
    {"EUHOZSZAZ",   T::Float,    0,  Forras::Osszeg, "341"},
    {"STARTA00",    T::Float,    0,  Forras::Alap,   "324"},
    {"STARTA10",    T::Float,    0,  Forras::Alap,   "327"},
    {"STARTA20",    T::Float,    0,  Forras::Alap,   "328"},
    {"START10",     T::Float,    0,  Forras::Osszeg, "327"},
    {"MSTART10",    T::Float,    0,  Forras::Resz,   "327"},
    {"START20",     T::Float,    0,  Forras::Osszeg, "328"},
    {"MSTART20",    T::Float,    0,  Forras::Resz,   "328"},
    {"SZAKKEPAL",   T::Float,    0,  Forras::Alap,   "351"},
    {"SZAKKEP",     T::Float,    0,  Forras::Osszeg, "351"},
    {"MSZAKKEP",    T::Float,    0,  Forras::Resz,   "351"},
    {"KORBIZALAP",  T::Float,    0,  Forras::Alap,   "339"},
    {"KORBIZJARM",  T::Float,    0,  Forras::Osszeg, "339"},
    {"MKORBIZJAR",  T::Float,    0,  Forras::Resz,   "339"},
};
// clang-format on

struct Teher {
    double alap = 0, osszeg = 0;
};

bool Jelolt(db::Dataset& sor, const char* flag) { return sor.FieldByName(flag).AsString() == "I"; }

// Kerekit(charge × amount / total): the product first, then the division.
long long Resz(double teher, double a, double osszes) {
    return Kerekit(static_cast<long double>(teher) * a / static_cast<long double>(osszes));
}

}  // namespace

WorkTable KoltsFelosztTabla() {
    WorkTable t;
    t.name = "List_KoltsFeloszt";
    t.key = "MUNKASZAM; DOLGOZO_KOD; JOGCIM; HONAP; KIFIZDAT; SORSZAM";
    for (const Mezo& m : kMezok) t.fields.push_back({m.name, m.type, m.size});
    return t;
}

std::vector<db::Record> KoltsFelosztSorok(db::Dataset& rows) {
    // The first row of each charge item wins.
    std::map<std::string, Teher> terhek;
    for (rows.First(); !rows.Eof(); rows.Next()) {
        const std::string kod = rows.FieldByName("SF_JCKOD").AsString();
        if (!terhek.count(kod))
            terhek[kod] = {rows.FieldByName("SF_JARALAP").AsFloat(), rows.FieldByName("SF_OSSZEG").AsFloat()};
    }
    auto alap = [&](const char* kod) { return terhek.count(kod) ? terhek.at(kod).alap : 0.0; };
    auto osszeg = [&](const char* kod) { return terhek.count(kod) ? terhek.at(kod).osszeg : 0.0; };
    const double k = alap("330") + alap("324") + alap("327") + alap("328");
    const double kSzakkep = alap("351") + alap("324") + alap("327") + alap("328");

    std::vector<db::Record> sorok;
    for (rows.First(); !rows.Eof(); rows.Next()) {
        const double a = rows.FieldByName("SF_OSSZEG").AsFloat();
        std::map<std::string, long long> resz;
        if (Jelolt(rows, "JC_SZHAKOT") && k > 0)
            for (const char* kod : {"330", "336", "337", "327", "328", "339"})
                resz[kod] = Resz(osszeg(kod), a, k);
        if (Jelolt(rows, "JC_MADOJKOT") && k > 0) resz["332"] = Resz(osszeg("332"), a, k);
        if (Jelolt(rows, "JC_NYJKOT") && alap("333") > 0) resz["333"] = Resz(osszeg("333"), a, alap("333"));
        if (Jelolt(rows, "JC_SZAKKEPZES") && kSzakkep > 0) resz["351"] = Resz(osszeg("351"), a, kSzakkep);
        long long osszes = 0;
        for (const auto& [kod, r] : resz) osszes += r;
        if (osszes <= 0) continue;

        db::Record rec;
        for (const Mezo& m : kMezok) {
            switch (m.forras) {
                case Forras::Sor:
                    rec.push_back(rows.FieldByName(m.honnan).Value());
                    break;
                case Forras::Alap:
                    rec.push_back(alap(m.honnan));
                    break;
                case Forras::Osszeg:
                    rec.push_back(osszeg(m.honnan));
                    break;
                case Forras::Resz:
                    rec.push_back(static_cast<double>(resz.count(m.honnan) ? resz.at(m.honnan) : 0));
                    break;
                case Forras::Ures:
                    rec.emplace_back();
                    break;
            }
        }
        sorok.push_back(std::move(rec));
    }
    return sorok;
}

TList_KoltsFelosztForm::TList_KoltsFelosztForm(QWidget* parent) : ListForm(KoltsFelosztDecl(), parent) {
    Check("CheckBox1")->installEventFilter(this);
}

bool TList_KoltsFelosztForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Check("CheckBox1") && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (BitBtn1->isEnabled()) BitBtn1->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    return ListForm::eventFilter(watched, event);
}

TList_KoltsFelosztForm::~TList_KoltsFelosztForm() = default;

bool TList_KoltsFelosztForm::KoltsFelosztTablaLetrehoz() { return KoltsFelosztTabla().Create(); }

bool TList_KoltsFelosztForm::KoltsFelosztFeltolt() {
    if (!KoltsFelosztTablaLetrehoz()) return false;
    return WriteWorkTable(
        KoltsFelosztTabla(),
        [this] {
            ProgressStart(ProgressBar1)(Query1.RecordCount());
            const auto step = ProgressStep(ProgressBar1);
            std::vector<db::Record> rows;
            for (Query1.First(); !Query1.Eof(); Query1.Next()) {
                ReopenChained(Query2, Query1);
                std::vector<db::Record> sorok = KoltsFelosztSorok(Query2);
                std::move(sorok.begin(), sorok.end(), std::back_inserter(rows));
                step();
            }
            return rows;
        },
        QStringLiteral("HIBA történt az adatok felgyűjtésekor! "));
}

void TList_KoltsFelosztForm::BitBtn1Click() {
    RunWorkTableList(
        [this] {
            os::ScopeGuard bezar([this] {
                for (db::Query* q : {&Query2, &Query1}) {
                    try {
                        q->Close();
                    } catch (const std::exception&) {
                        // Closing a read-only query loses nothing.
                    }
                    q->SetSQL("");
                }
            });
            const int honap = Month("CurrencyEdit1");
            const std::string szamfejt = ListSql::Table(*DM1->TableSzamfejt);
            ListSql kulso;
            kulso.Line("Select Distinct SF_DGTORZSSZAM as pTORZSSZAM, SF_KIFIZDAT as pKIFIZDAT From " +
                       szamfejt);
            kulso.Equal("SF_HONAP", honap);
            kulso.Line("Order By pTORZSSZAM, pKIFIZDAT");
            ListSql belso;
            belso.Line("Select * From " + szamfejt);
            belso.Line("Join " + ListSql::Table(*DM1->TableJogcim));
            belso.Line("On SF_JCKOD=JC_KOD");
            belso.Equal("SF_HONAP", honap);
            belso.Condition("SF_DGTORZSSZAM = :pTORZSSZAM");
            belso.Condition("SF_KIFIZDAT = :pKIFIZDAT");
            belso.Line("Order By SF_JCKOD, SF_SORSZAM");
            for (db::Query* q : {&Query1, &Query2}) q->DatabaseName = DM1->TableSzamfejt->DatabaseName;
            kulso.Apply(Query1);
            belso.Apply(Query2);
            Query1.Open();
            return KoltsFelosztFeltolt();
        },
        [this] {
            KoltsFelosztTabla().OpenInTable1();
            List_KoltsFelosztQRForm = std::make_unique<TList_KoltsFelosztQRForm>();
            os::ScopeGuard free([this] { List_KoltsFelosztQRForm.reset(); });
            List_KoltsFelosztQRForm->Beallit(Checked("CheckBox1"), Text("CurrencyEdit1"));
            List_KoltsFelosztQRForm->QuickRep1.Preview();
        },
        true);
}
