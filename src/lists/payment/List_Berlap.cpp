#include "lists/payment/List_Berlap.h"

#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <algorithm>
#include <map>

#include "controls/ComboEdits.h"
#include "core/StartValues.h"
#include "core/helpers/SegedUnit.h"
#include "lists/payment/List_BerlapQR.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/QtString.h"

namespace {

ListDecl BerlapDecl() {
    ParamField honap = params::Honap("CurrencyEdit1", "");
    honap.reloadsDate = "DateEdit1";
    ParamField datum = params::KifizetesDatuma("DateEdit1", "");
    datum.fromDefault = defaults::LastPaymentDateOfMonth("CurrencyEdit1");

    ListDecl s;
    s.objectName = "List_BerlapForm";
    s.caption = QStringLiteral("Kifizetési listák/Bérlap");
    s.fields = {honap, datum, params::Munkahely(), params::KifizetoHely(), params::Dolgozo()};
    // clang-format off
    s.options = {
        {"CheckBox3",             QStringLiteral("Havi bérlap :"),                   false},
        {"CheckBox2",             QStringLiteral("Szabadság adatok :"),              true},
        {"CheckBoxListaDatum",    QStringLiteral("Aktuális dátum megjelenítése :"), true},
        {"CheckBoxAtvetelDatuma", QStringLiteral("Átvétel dátuma :"),                false},
        {"CheckBox4",             QStringLiteral("Névsorba rendezve :"),             false},
    };
    // clang-format on
    s.tables = {&TDM1::TableKifhely, &TDM1::TableMhely,    &TDM1::TableJogcim,
                &TDM1::TableDolgozo, &TDM1::TableSzamfejt, &TDM1::TableCegek};
    s.lastEdit = "MaskEdit6";
    s.progressBars = 1;
    return s;
}

// The fields of a work-table row.
struct Sor {
    std::string nev, kod, blokk, sor, thJc, thMegn, honap, kifizdat;
    std::array<std::string, 6> th;
};

db::Record ToRecord(const Sor& s, bool nevsor) {
    db::Record r;
    auto text = [](const std::string& v) { return v.empty() ? db::Variant() : db::Variant(v); };
    if (nevsor) r.push_back(text(s.nev));
    for (const std::string* v : {&s.kod, &s.blokk, &s.sor, &s.thJc}) r.push_back(text(*v));
    if (!nevsor) r.push_back(text(s.nev));
    for (const std::string* v : {&s.thMegn, &s.honap, &s.kifizdat}) r.push_back(text(*v));
    for (const std::string& v : s.th) r.push_back(text(v));
    r.resize(r.size() + 5);  // EH_JC, EH_MEGN, EH_1 .. EH_3 stay empty
    return r;
}

struct JogcimAdat {
    std::string nev, tipus, kifiz, szjakot, elkulado;
};
struct DolgozoAdat {
    std::string nev;
    double alapber = 0, szabker = 0, betegszabker = 0;
};

// Every pay item and employee once, by code.
std::map<std::string, JogcimAdat> Jogcimek() {
    std::map<std::string, JogcimAdat> m;
    db::Table& t = *DM1->TableJogcim;
    for (t.First(); !t.Eof(); t.Next())
        m[t.FieldByName("JC_KOD").AsString()] = {
            t.FieldByName("JC_NEV").AsString(), t.FieldByName("JC_TIPUS").AsString(),
            t.FieldByName("JC_KIFIZ").AsString(), t.FieldByName("JC_SZJAKOT").AsString(),
            t.FieldByName("JC_ELKULADO").AsString()};
    return m;
}

std::map<std::string, DolgozoAdat> Dolgozok() {
    std::map<std::string, DolgozoAdat> m;
    db::Table& t = *DM1->TableDolgozo;
    for (t.First(); !t.Eof(); t.Next())
        m[t.FieldByName("DG_TORZSSZAM").AsString()] = {
            t.FieldByName("DG_NEV").AsString(), t.FieldByName("DG_ALAPBER").AsFloat(),
            t.FieldByName("DG_SZABKER").AsFloat(), t.FieldByName("DG_BETEGSZABKER").AsFloat()};
    return m;
}

// Leave days taken, all payroll rows of the employees in range, per employee
// and leave type ("1" leave, "2" sick leave). One grouped query gives what
// one query per employee and type would.
using Szabadsagok = std::map<std::pair<std::string, std::string>, long long>;
std::optional<Szabadsagok> SzabadsagFelhasznalt(const BerlapParameterek& p) {
    Szabadsagok m;
    try {
        db::Query q;
        q.DatabaseName = DM1->TableSzamfejt->DatabaseName;
        ListSql sql;
        sql.Line(
            "Select tSzamf.SF_DGTORZSSZAM As KOD, tJogc.JC_SZABTIP As TIP, Sum(tSzamf.SF_NAP) As KIESONAPOK");
        sql.Line("From " + ListSql::Table(*DM1->TableSzamfejt) + " tSzamf");
        sql.Line("Inner Join " + ListSql::Table(*DM1->TableJogcim) + " tJogc");
        sql.Line("On tJogc.JC_KOD = tSzamf.SF_JCKOD");
        sql.Range("tSzamf.SF_DGTORZSSZAM", p.dgTol, p.dgIg);
        sql.Condition("tJogc.JC_SZABTIP In ('1', '2')");
        sql.Line("Group By tSzamf.SF_DGTORZSSZAM, tJogc.JC_SZABTIP Order By 1, 2");
        sql.Apply(q);
        q.Open();
        for (q.First(); !q.Eof(); q.Next())
            m[{q.FieldByName("KOD").AsString(), q.FieldByName("TIP").AsString()}] =
                Kerekit(q.FieldByName("KIESONAPOK").AsFloat());
    } catch (const std::exception& e) {
        ui::MessageBox(ui::ApplicationTitle(), Q(e.what()), ui::Icon::Error, ui::Ok);
        return std::nullopt;
    }
    return m;
}

bool Egyik(const std::string& value, std::initializer_list<const char*> set) {
    return std::any_of(set.begin(), set.end(), [&](const char* s) { return value == s; });
}

// A base that reads "0" is left empty.
std::string Alap(double value) {
    const std::string s = SzamSzoveg(value).toStdString();
    return s == "0" ? std::string() : s;
}

}  // namespace

WorkTable BerlapTabla(bool nevsor, std::optional<std::string> suffix) {
    using T = db::FieldType;
    std::vector<WorkField> f = {{"DOLGOZO_KOD", T::String, 11},
                                {"BLOKK", T::String, 10},
                                {"SOR", T::String, 10},
                                {"TH_JC", T::String, 4}};
    const WorkField nev{"DOLGOZO_NEV", T::String, 50};
    if (nevsor)
        f.insert(f.begin(), nev);
    else
        f.push_back(nev);
    for (WorkField w : std::initializer_list<WorkField>{{"TH_MEGN", T::String, 80},
                                                        {"HONAP", T::String, 2},
                                                        {"KIFIZDAT", T::String, 11},
                                                        {"TH_1", T::String, 15},
                                                        {"TH_2", T::String, 15},
                                                        {"TH_3", T::String, 15},
                                                        {"TH_4", T::String, 15},
                                                        {"TH_5", T::String, 15},
                                                        {"TH_6", T::String, 15},
                                                        {"EH_JC", T::String, 4},
                                                        {"EH_MEGN", T::String, 80},
                                                        {"EH_1", T::String, 15},
                                                        {"EH_2", T::String, 15},
                                                        {"EH_3", T::String, 15}})
        f.push_back(w);
    return {"List_Berlap", f,
            nevsor ? "DOLGOZO_NEV; DOLGOZO_KOD; BLOKK; SOR; TH_JC" : "DOLGOZO_KOD; BLOKK; SOR; TH_JC",
            std::move(suffix)};
}

long long KifizetendoKerekites(double kifizetendo) {
    const long long r = Kerekit(kifizetendo) % 5;
    return r > 2 ? 5 - r : -r;
}

std::vector<db::Record> BerlapSorok(const BerlapParameterek& p, const std::function<void(int)>& start,
                                    const std::function<void()>& step) {
    const auto jogcimek = Jogcimek();
    const auto dolgozok = Dolgozok();
    db::Query& q = *DM1->Query1;
    Query1Fill fill;
    const std::string tabla = ListSql::Table(*DM1->TableSzamfejt);
    ListSql sql;
    if (p.havi) {
        sql.Line("Select SF_DGTORZSSZAM, SF_HONAP, SF_JCKOD,");
        sql.Line(
            "Sum(SF_NAP) As SF_NAP, Sum(SF_ORA) As SF_ORA, Sum(SF_OSSZEG) As SF_OSSZEG, "
            "Sum(SF_JARALAP) As SF_JARALAP, Sum(SF_ADOALAP) As SF_ADOALAP From " +
            tabla);
    } else {
        sql.Line("Select * From " + tabla);
    }
    sql.Range("SF_DGTORZSSZAM", p.dgTol, p.dgIg);
    sql.Equal("SF_HONAP", p.honap);
    sql.Range("SF_DGMHKOD", p.mhTol, p.mhIg);
    sql.Range("SF_DGKHKOD", p.khTol, p.khIg);
    if (p.havi) {
        sql.Line("Group By SF_DGTORZSSZAM, SF_HONAP, SF_JCKOD");
    } else {
        sql.EqualDate("SF_KIFIZDAT", p.kifizDat);
    }
    sql.Line("Order By SF_DGTORZSSZAM, SF_JCKOD");
    sql.Apply(q);
    q.Open();
    q.First();
    if (start) start(q.RecordCount());
    std::optional<Szabadsagok> szabadsag;
    if (p.szabadsag) szabadsag = SzabadsagFelhasznalt(p);

    db::Field& fKod = q.FieldByName("SF_DGTORZSSZAM");
    db::Field& fHonap = q.FieldByName("SF_HONAP");
    db::Field& fJc = q.FieldByName("SF_JCKOD");
    db::Field& fNap = q.FieldByName("SF_NAP");
    db::Field& fOra = q.FieldByName("SF_ORA");
    db::Field& fOsszeg = q.FieldByName("SF_OSSZEG");
    db::Field& fJaralap = q.FieldByName("SF_JARALAP");
    db::Field& fAdoalap = q.FieldByName("SF_ADOALAP");
    db::Field* fKifizdat = p.havi ? nullptr : &q.FieldByName("SF_KIFIZDAT");

    std::vector<db::Record> rows;
    while (!q.Eof()) {
        const std::string kod = fKod.AsString();
        const auto dg = dolgozok.find(kod);
        const std::string nev = dg == dolgozok.end() ? std::string() : dg->second.nev;
        double juttatas = 0, levonas = 0, kifizetendo = 0, adoalapok = 0;
        double alapber = 0, szabker = 0, betegszabker = 0;
        int szamlalo = 0;
        std::string honap, kifizdat;
        auto sor = [&](const char* blokk, const std::string& sorKod) {
            Sor s;
            s.nev = nev;
            s.kod = kod;
            s.blokk = blokk;
            s.sor = sorKod;
            s.honap = honap;
            s.kifizdat = kifizdat;
            return s;
        };

        for (; !q.Eof() && fKod.AsString() == kod; q.Next(), step ? step() : void()) {
            honap = fHonap.AsString();
            kifizdat = fKifizdat ? fKifizdat->AsString() : std::string();
            const std::string jc = fJc.AsString();
            const auto j = jogcimek.find(jc);
            if (j == jogcimek.end()) continue;  // an unknown pay item is left out
            const JogcimAdat& jogcim = j->second;
            if (dg != dolgozok.end()) {
                alapber = dg->second.alapber;
                szabker = dg->second.szabker;
                betegszabker = dg->second.betegszabker;
            }
            const double osszeg = fOsszeg.AsFloat();
            auto tetel = [&](const char* blokk) {
                Sor s = sor(blokk, "IR_" + FixEgesz(++szamlalo, 3));
                s.thJc = jc;
                s.thMegn = jogcim.nev;
                return s;
            };
            if (Egyik(jogcim.tipus, {"1", "2"})) {
                Sor s = tetel("B01");
                s.th[0] = std::to_string(Kerekit(fNap.AsFloat()));
                s.th[1] = SzamSzoveg(fOra.AsFloat()).toStdString();
                s.th[3] = SzamSzoveg(osszeg).toStdString();
                s.th[5] = "0";
                juttatas += osszeg;
                if (jogcim.kifiz != "N") {
                    s.th[5] = s.th[3];
                    kifizetendo += osszeg;
                }
                rows.push_back(ToRecord(s, p.nevsor));
            }
            if (jogcim.szjakot == "I" && jogcim.elkulado == "N") adoalapok += fAdoalap.AsFloat();
            if (Egyik(jogcim.tipus, {"3", "4", "6", "8", "9", "A", "B", "D", "E", "F", "M", "X", "Y"})) {
                Sor s = tetel("B02");
                double alap = jogcim.tipus == "E" ? fAdoalap.AsFloat() : fJaralap.AsFloat();
                if (jc == "320") alap = adoalapok;
                if (jc == "322") alap = fJaralap.AsFloat();
                s.th[2] = Alap(alap);
                s.th[4] = SzamSzoveg(osszeg).toStdString();
                s.th[5] = SzamSzoveg(-osszeg).toStdString();
                levonas += osszeg;
                kifizetendo -= osszeg;
                rows.push_back(ToRecord(s, p.nevsor));
            }
            if (Egyik(jogcim.tipus, {"C", "G", "H", "I", "J", "K", "L", "T", "R"}) || jc == "281B" ||
                (jc >= "328" && jc <= "361")) {
                Sor s = tetel("B04");
                s.th[2] = Alap(fJaralap.AsFloat());
                s.th[5] = SzamSzoveg(osszeg).toStdString();
                rows.push_back(ToRecord(s, p.nevsor));
            }
            if (Egyik(jc, {"160", "161", "190", "191", "241", "243", "244", "245", "246", "247", "248", "249",
                           "250", "251", "252"})) {
                Sor s = tetel("B05");
                s.th[5] = SzamSzoveg(osszeg).toStdString();
                rows.push_back(ToRecord(s, p.nevsor));
            }
        }

        // The fixed rows of the employee's payslip.
        auto fix = [&](const char* blokk, const char* sorKod, const std::string& thJc,
                       const std::string& megn, std::array<std::string, 6> th) {
            Sor s = sor(blokk, sorKod);
            s.thJc = thJc;
            s.thMegn = megn;
            s.th = std::move(th);
            rows.push_back(ToRecord(s, p.nevsor));
        };
        const std::string alapberSzoveg = p.havi ? std::string() : SzamSzoveg(alapber).toStdString();
        fix("B01", "CIM", "", "Alapbére: " + alapberSzoveg, {});
        fix("B01", "FEJ", "Kód", "Jogcím", {"Nap", "Óra", "", "Juttatás", "", "Kifizetés"});
        fix("B01", "LAB", "", "", {});
        fix("B02", "FEJ", "Kód", "Jogcím", {"", "", "Alap", "", "Levonás", "Kifizetés"});
        fix("B02", "LAB", "", "", {});
        fix("B03", "FEJ", "", "", {"", "", "", "Juttatás", "Levonás", "Kifizetés"});
        fix("B03", "LAB", "", "", {});
        fix("B04", "CIM", "", "Munkáltatói terhek és figyelembe vehető kedvezmények", {});
        fix("B04", "FEJ", "Kód", "Jogcím", {"", "", "Alap", "", "", "Összeg"});
        fix("B04", "LAB", "", "", {});
        fix("B05", "CIM", "", "Tájékoztató jellegű adatok", {});
        fix("B05", "FEJ", "Kód", "Jogcím", {"", "", "", "", "", "Összeg"});
        fix("B05", "LAB", "", "", {});
        if (p.szabadsag) fix("B06", "FEJ", "", "", {"Felhasznált", "Szab. ker."});
        const long long kulonbozet = KifizetendoKerekites(kifizetendo);
        fix("B03", "IR_OSSZ_01", "", "Összesen",
            {"", "", "", SzamSzoveg(juttatas).toStdString(), SzamSzoveg(levonas).toStdString()});
        fix("B03", "IR_OSSZ_02", "", "Kerekítési különbözet",
            {"", "", "", "", "", std::to_string(kulonbozet)});
        fix("B03", "IR_OSSZ_03", "KIF", "Kifizetendő",
            {"", "", "", "", "", SzamSzoveg(kifizetendo + double(kulonbozet)).toStdString()});
        if (p.szabadsag) {
            auto felhasznalt = [&](const char* tipus) -> std::string {
                if (!szabadsag) return {};  // the query failed: unknown, not 0
                const auto it = szabadsag->find({kod, tipus});
                return std::to_string(it == szabadsag->end() ? 0 : it->second);
            };
            fix("B06", "IR_OSSZ_01", "", "Szabadság", {felhasznalt("1"), SzamSzoveg(szabker).toStdString()});
            fix("B06", "IR_OSSZ_02", "", "Beteg szabadság",
                {felhasznalt("2"), SzamSzoveg(betegszabker).toStdString()});
        }
        fix("LAP", "VEGE", "", "", {});
    }
    return rows;
}

TList_BerlapForm::TList_BerlapForm(QWidget* parent) : ListForm(BerlapDecl(), parent) {
    connect(Check("CheckBox3"), &QCheckBox::toggled, this, &TList_BerlapForm::CheckBox3Click);
}

TList_BerlapForm::~TList_BerlapForm() = default;

void TList_BerlapForm::CheckBox3Click(bool on) {
    DateEdit("DateEdit1")->setVisible(!on);
    CaptionLabel("DateEdit1")->setEnabled(!on);
}

BerlapParameterek TList_BerlapForm::Parameterek() const {
    BerlapParameterek p;
    p.honap = Month("CurrencyEdit1");
    p.kifizDat = Date("DateEdit1");
    p.mhTol = Text("MaskEdit1");
    p.mhIg = Text("MaskEdit2");
    p.khTol = Text("MaskEdit3");
    p.khIg = Text("MaskEdit4");
    p.dgTol = Text("MaskEdit5");
    p.dgIg = Text("MaskEdit6");
    p.havi = Checked("CheckBox3");
    p.szabadsag = Checked("CheckBox2");
    p.nevsor = Checked("CheckBox4");
    return p;
}

bool TList_BerlapForm::BerlapFeltolt() {
    const BerlapParameterek p = Parameterek();
    return FillWorkTable(
        BerlapTabla(p.nevsor),
        [this, &p] { return BerlapSorok(p, ProgressStart(ProgressBar1), ProgressStep(ProgressBar1)); },
        QStringLiteral("HIBA történt a tárgyhavi adatok felgyűjtésekor! "));
}

void TList_BerlapForm::BitBtn1Click() {
    const bool nevsor = Checked("CheckBox4");
    RunWorkTableList(
        [this] { return BerlapFeltolt(); },
        [this, nevsor] {
            // The key sorts names by their bytes; the payslips
            // follow the names in Hungarian order.
            BerlapTabla(nevsor).OpenInTable1(nevsor ? "DOLGOZO_NEV;DOLGOZO_KOD;BLOKK;SOR;TH_JC" : "");
            List_BerlapQRForm = std::make_unique<TList_BerlapQRForm>();
            struct Free {
                std::unique_ptr<TList_BerlapQRForm>& layout;
                ~Free() { layout.reset(); }
            } free{List_BerlapQRForm};
            List_BerlapQRForm->Beallit(Checked("CheckBox3"), Checked("CheckBoxAtvetelDatuma"),
                                       Checked("CheckBoxListaDatum"));
            List_BerlapQRForm->QuickRep1.Preview();
        },
        true);
}
