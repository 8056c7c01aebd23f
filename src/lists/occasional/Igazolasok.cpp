#include "lists/occasional/Igazolasok.h"

#include "core/DataModule1.h"
#include "core/ListaKeret.h"
#include "core/StartValues.h"
#include "platform/db/Engine.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"
#include "platform/report/Report.h"

QString MezoSzoveg(db::Dataset& dataset, const char* field) {
    return QString::fromStdString(dataset.FieldByName(field).AsString()).trimmed();
}

QString CegMezo(const char* field) { return MezoSzoveg(*DM1->TableCegek, field); }

QString CegCime() {
    return CimOsszefuz(*DM1->TableCegek, {"CG_IRSZ", "CG_VAROS", "CG_KOZTER", "CG_KOZTERJEL", "CG_HAZSZ",
                                          "CG_EPULET", "CG_LEPCSOHAZ", "CG_EMELET", "CG_AJTO"});
}

QString DolgozoCime() {
    db::Table& d = *DM1->TableDolgozo;
    return MezoSzoveg(d, "DG_VAROS") + "   " +
           CimOsszefuz(d, {"DG_KOZTER", "DG_KOZTERJEL", "DG_HAZSZ", "DG_EPULET", "DG_EMELET", "DG_AJTO"}) +
           "   " + MezoSzoveg(d, "DG_IRSZ");
}

int AdatEvSzam() {
    bool ok = false;
    const int ev = AdatEv().toInt(&ok);
    return ok ? ev : std::stoi(FeldolgozasiEv);
}

void DolgozokLekerdezese(const ListForm& form, const std::function<void(ListSql&)>& feltetel) {
    ListSql sql;
    sql.Line("Select Distinct SF_DGTORZSSZAM From " + ListSql::Table(*DM1->TableSzamfejt));
    sql.Line("Inner Join " + ListSql::Table(*DM1->TableDolgozo));
    sql.Line("On SF_DGTORZSSZAM=DG_TORZSSZAM");
    sql.Range("SF_DGTORZSSZAM", form.Text("MaskEdit5"), form.Text("MaskEdit6"));
    sql.Range("DG_MHKOD", form.Text("MaskEdit1"), form.Text("MaskEdit2"));
    if (feltetel) feltetel(sql);
    sql.Line("Order By SF_DGTORZSSZAM");
    Query1Open(sql);
}

double ProgramFejlec(report::Band& band, bool keszito) {
    using report::Align;
    band.Label(0, 0, 60, QString::fromStdString(ProgramCim));
    if (keszito) band.Label(40, 0, 110, QString::fromStdString(KeszitoSor), Align::Center);
    band.SysData(150, 0, 40, report::SysKind::PageNumber, Align::Right, QStringLiteral("Lapszám : "));
    band.Label(0, 5, 25, QStringLiteral("Felhasználó :"));
    band.Computed(25, 5, 120, [] {
        return QString::fromStdString(
            DM1->TableErtekkeszlet->Lookup("EK_TIPUS;EK_ERTEK", {"0", "02"}, "EK_ERTEKCHAR").ToString());
    });
    return 11;
}

std::string ElozoEviKod(const std::vector<std::string>& alapnevek) {
    if (!LocateCompany() || !db::Engine::IsAlias(ElozoEviAlias)) return {};
    if (CegMezo("CG_NYITMOD") != "E") return {};
    const std::string kod = CegMezo("CG_ELOZOEVIKOD").toStdString();
    if (kod.empty()) return {};
    for (const std::string& alap : alapnevek)
        if (!db::TableExists(ElozoEviAlias, alap + kod)) return {};
    return kod;
}
