#include "datasupply/BankiUtalas.h"

#include <QProgressBar>
#include <QPushButton>

#include "core/StartValues.h"
#include "core/helpers/KimenetiMappa.h"
#include "core/helpers/SegedUnit.h"
#include "datasupply/AdatszolgFajl.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"
#include "platform/os/Clock.h"
#include "platform/os/ScopeGuard.h"
#include "platform/ui/Dialogs.h"

namespace {

std::string Trim(const std::string& s) {
    const auto a = s.find_first_not_of(' ');
    if (a == std::string::npos) return {};
    return s.substr(a, s.find_last_not_of(' ') - a + 1);
}

}  // namespace

std::string NevCim(std::initializer_list<std::string> parts) {
    std::string out;
    bool first = true;
    for (const std::string& p : parts) {
        if (!first) out += ' ';
        out += Trim(p);
        first = false;
    }
    return out;
}

std::vector<UtalasTetel> UtalasTetelek(const QString& jogcim, double kifizetes, bool kedvezmenyezett) {
    ListSql sql;
    sql.Line("Select * From " + ListSql::Table(*DM1->TableSzamfejt));
    sql.Line("Join " + ListSql::Table(*DM1->TableDolgozo));
    sql.Line("On SF_DGTORZSSZAM=DG_TORZSSZAM");
    sql.Equal("SF_JCKOD", jogcim.trimmed());
    sql.EqualDate("SF_KIFIZDAT", kifizetes);
    sql.Condition("SF_OSSZEG Is Not Null");
    sql.Condition("SF_OSSZEG > 0");
    sql.Line("Order By SF_DGTORZSSZAM");
    db::Query& q = *DM1->Query1;
    Query1Reset();
    os::ScopeGuard reset([] { Query1Reset(); });
    sql.Apply(q);
    q.Open();
    std::vector<UtalasTetel> out;
    for (q.First(); !q.Eof(); q.Next()) {
        UtalasTetel t;
        t.torzsszam = q.FieldByName("DG_TORZSSZAM").AsString();
        t.osszeg = q.FieldByName("SF_OSSZEG").AsFloat();
        t.szamla = q.FieldByName("SF_SZAMLA").AsString();
        t.nev = q.FieldByName("DG_NEV").AsString();
        t.irsz = q.FieldByName("DG_IRSZ").AsString();
        t.varos = q.FieldByName("DG_VAROS").AsString();
        t.kozter = q.FieldByName("DG_KOZTER").AsString();
        t.hazsz = q.FieldByName("DG_HAZSZ").AsString();
        if (kedvezmenyezett) {
            db::Table& rj = *DM1->TableRJogcim;
            const db::Field& sorszam = q.FieldByName("SF_RJSORSZAM");
            if (!sorszam.IsNull() && rj.Locate("RJ_DGTORZSSZAM;RJ_JCKOD;RJ_SORSZAM",
                                               {q.FieldByName("SF_DGTORZSSZAM").AsString(),
                                                q.FieldByName("SF_JCKOD").AsString(), sorszam.AsInteger()}))
                t.kedvezmenyezett = rj.FieldByName("RJ_KEDVNEV").AsString();
        }
        out.push_back(std::move(t));
    }
    return out;
}

std::vector<UtalasTetel> SzamlaNelkuliek(std::vector<UtalasTetel>& tetelek) {
    std::vector<UtalasTetel> nelkul;
    std::erase_if(tetelek, [&nelkul](const UtalasTetel& t) {
        if (!CsakSzamjegy(t.szamla).empty()) return false;
        nelkul.push_back(t);
        return true;
    });
    return nelkul;
}

ParamDefault MaiNap(int plusDays) {
    return [plusDays](ListForm&) { return db::Variant(os::Today() + plusDays); };
}

std::vector<ParamField> UtalasMezok() {
    ParamField jogcim = params::Jogcim();
    ParamField kifizetes = params::KifizetesDatuma("DateEdit3", "");
    kifizetes.caption = QStringLiteral("Kifizetés dátuma :");
    kifizetes.fromDefault = nullptr;
    return {jogcim, kifizetes};
}

TBankiUtalasForm::TBankiUtalasForm(ListDecl decl, std::string bankFolder, QWidget* parent)
    : ListForm(std::move(decl), parent), bankFolder_(std::move(bankFolder)) {
    BitBtn1->setText(QStringLiteral("Küldés"));
}

bool TBankiUtalasForm::CegKeres(UtalasCeg& ceg) {
    db::Table& c = *DM1->TableCegek;
    if (!LocateCompany()) {
        ui::ShowMessage(QStringLiteral("Hiba történt..."));
        return false;
    }
    ceg.bankszla = c.FieldByName("CG_BANKSZLA").AsString();
    ceg.nev = c.FieldByName("CG_NEV").AsString();
    return true;
}

QString TBankiUtalasForm::ChooseOutputFile(const QString& proposed) {
    try {
        const QString folder = QString::fromStdString(AdatszolgMappa(FeldolgozasiEv, bankFolder_));
        return ui::SaveFileName(QStringLiteral("Célkönyvtár kiválasztása"), folder + proposed,
                                QStringLiteral("Minden fájl (*)"), ui::DontConfirmOverwrite);
    } catch (const std::exception& e) {
        ui::MessageBox(QStringLiteral("Üzenetkezelő"), QString::fromUtf8(e.what()), ui::Icon::Error, ui::Ok);
        return {};
    }
}

void TBankiUtalasForm::BitBtn1Click() {
    BitBtn1->setEnabled(false);
    os::ScopeGuard vissza([this] {
        ProgressBar1->setValue(0);
        NyomtatasMehet();
    });
    UtalasCeg ceg;
    if (!CegKeres(ceg)) return;
    const QString path = ChooseOutputFile(FajlNev(ceg));
    if (path.isEmpty()) return;
    std::vector<UtalasTetel> kimaradt;
    const bool kesz = AdatszolgFajlIr(QStringLiteral("Üzenet"), path.toStdString(), [&] {
        std::vector<UtalasTetel> tetelek =
            UtalasTetelek(Text("MaskEdit7"), Date("DateEdit3"), Kedvezmenyezett());
        kimaradt = SzamlaNelkuliek(tetelek);
        ProgressBar1->setMaximum(std::max<int>(1, static_cast<int>(tetelek.size())));
        std::string bytes = Fajl(ceg, tetelek);
        ProgressBar1->setValue(ProgressBar1->maximum());
        return bytes;
    });
    if (!kesz) return;
    QString text = QStringLiteral("A küldés befejeződött!");
    for (const UtalasTetel& t : kimaradt)
        text += "\r" + QStringLiteral("Számlaszám nélkül kimaradt: %1 %2")
                           .arg(QString::fromStdString(t.nev).trimmed())
                           .arg(Kerekit(static_cast<long double>(t.osszeg)));
    ui::ShowMessage(text);
}
