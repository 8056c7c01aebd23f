#include "datasupply/NyenyiXml.h"

#include <QString>
#include <map>
#include <vector>

#include "controls/MemDataSet.h"
#include "core/DataModule1.h"
#include "core/StartValues.h"
#include "core/helpers/FormXml.h"
#include "core/helpers/SegedUnit.h"
#include "platform/db/Table.h"
#include "platform/os/Text.h"
#include "platform/ui/Dialogs.h"

namespace {

const char* const kAdoszamMaszk = "99999999-9-99;0;*";
const char* const kDatumMaszk = "9999-99-99;0;*";

class NyenyiIro {
public:
    NyenyiIro(FormXmlWriter& w, TMemoryData& md) : w_(w), md_(md) {}

    // An opening or closing line ("/nev"), or a value line.
    void Tag(const std::string& name) { NyenyiTagIr(name, "", false); }
    void NyenyiTagIr(const std::string& name, const std::string& text, bool closed) {
        w_.XmlSorIr(name, text, "", {.closed = closed, .always = true});
    }
    // A value line of a field's value, laid into `mask` when given and not empty.
    void NyenyiMezoIr(const std::string& name, const db::Field& field, const char* mask = nullptr) {
        std::string value;
        const db::FieldType t = field.DataType();
        if (db::IsTextType(t)) {
            value = field.AsString();
        } else if (db::IsIntegerType(t)) {
            if (!field.IsNull()) value = std::to_string(field.AsInteger());
        } else if (t == db::FieldType::Float || t == db::FieldType::Currency || t == db::FieldType::BCD) {
            value = std::to_string(Kerekit(static_cast<long double>(field.AsFloat())));
        } else if (db::IsDateType(t)) {
            if (!field.IsNull() && field.AsDateTime() != 0) value = FixDatum(8, field.AsDateTime());
        } else {
            ui::ShowMessage(QStringLiteral("Nem található a mező típusa: ") +
                            QString::fromStdString(field.FieldName()));
        }
        if (mask && !value.empty()) value = MaszkKitolt(mask, value);
        NyenyiTagIr(name, value, true);
    }
    // A field of the current record.
    void Mezo(const std::string& name, const char* field, const char* mask = nullptr) {
        NyenyiMezoIr(name, md_.FieldByName(field), mask);
    }
    void Datum(const std::string& name, const char* field) { Mezo(name, field, kDatumMaszk); }
    // A name as its family and given names; a name without a blank stays
    // whole in the family name.
    void Nev(const char* field) {
        const NameParts n = SplitName(md_.FieldByName(field).AsString());
        NyenyiTagIr("csaladiNev", n.family, true);
        NyenyiTagIr("utoNev1", n.given, true);
    }
    void Idoszak(const char* tol, const char* ig) {
        Datum("kezdoNap", tol);
        Datum("vegNap", ig);
    }
    bool Ures(const char* field) { return md_.FieldByName(field).IsNull(); }
    long long Szam(const char* field) { return md_.FieldByName(field).AsInteger(); }

private:
    FormXmlWriter& w_;
    TMemoryData& md_;
};

// Record numbers of an employee, each with the positions of its rows.
using Rekordok = std::map<std::string, std::vector<int>>;

void Jovedelem(NyenyiIro& x, bool egyeni) {
    const long long s15 = x.Szam("09_START15alap"), s25 = x.Szam("09_START25alap");
    if (s15 + s25 == 0) {
        const std::string el = egyeni ? "egyeniVallalkJoved" : "foglalkoztatottiJoved";
        x.Tag(el);
        x.Tag("biztositasbanToltottIdo");
        x.Idoszak("09_BiztTol", "09_BiztIg");
        x.Tag("/biztositasbanToltottIdo");
        if (!egyeni) x.Mezo("aSzolgNap", "09_SzolgIdo");
        x.Mezo("jovedelem", "09_NYJkotKerJov");
        if (!egyeni) x.Mezo("jutalom", "09_NYJkotKerJut");
        x.Mezo(egyeni ? "megallJarulek" : "levontJarulek", "09_NYJlevont");
        x.Mezo("befizJarulek", "09_NYJbefiz");
        x.Mezo("nyBiztJarAlap", "09_NYBJalap");
        x.Mezo("nyBiztJarulek", "09_NYBJbefiz");
        x.Tag("/" + el);
        return;
    }
    x.Tag("potLapStartAdat");
    x.Tag("alkalmazottiJovedJar");
    x.Tag("biztositasbanToltottIdo");
    x.Idoszak("09_BiztTol", "09_BiztIg");
    x.Tag("/biztositasbanToltottIdo");
    x.Mezo("aSzolgNap", "09_SzolgIdo");
    x.Mezo("jovedelem", "09_NYJkotKerJov");
    x.Mezo("jutalom", "09_NYJkotKerJut");
    x.Mezo("levontJarulek", "09_NYJlevont");
    x.Mezo("befizJarulek", "09_NYJbefiz");
    x.Mezo("nyBiztJarAlap", "09_NYBJalap");
    x.Mezo("nyBiztJarulek", "09_NYBJbefiz");
    x.Tag("/alkalmazottiJovedJar");
    x.Mezo("kedvezmenyKod", "09_KedvKod");
    const bool elso = s15 > 0;
    x.Mezo("kedvAlap", elso ? "09_START15alap" : "09_START25alap");
    x.Mezo("kedvElviJar", elso ? "09_START15szam" : "09_START25szam");
    x.Mezo("kedvBefizJar", elso ? "09_START15befiz" : "09_START25befiz");
    x.Tag("kedvezmenyesJarulek2");
    if (elso) {
        x.Mezo("kedvAlap2", "09_START25alap");
        x.Mezo("kedvElviJar2", "09_START25szam");
        x.Mezo("kedvBefizJar2", "09_START25befiz");
    } else {
        for (const char* name : {"kedvAlap2", "kedvElviJar2", "kedvBefizJar2"})
            x.NyenyiTagIr(name, "0", true);
    }
    x.Tag("/kedvezmenyesJarulek2");
    x.Tag("/potLapStartAdat");
}

void Dolgozo(NyenyiIro& x, TMemoryData& md, const std::string& tsz, const Rekordok& rekordok,
             db::Dataset& ceg) {
    // Each row of a record number in turn, as the current record.
    auto minden = [&](const char* rj, const std::function<void()>& ir) {
        const auto it = rekordok.find(rj);
        if (it == rekordok.end()) return;
        for (int recNo : it->second) {
            md.SetRecNo(recNo);
            ir();
        }
    };
    db::Table& dg = *DM1->TableDolgozo;
    // An employee missing from the table has a job part and is no sole trader.
    std::string kod;
    if (dg.Locate("DG_TORZSSZAM", tsz)) kod = dg.FieldByName("DG_NYENYIJOGVKOD").AsString();
    const bool egyeni = kod == "21" || kod == "26" || kod == "36" || kod == "38" || kod == "43";
    const bool munkakor = kod != "30";
    const std::string ev = FeldolgozasiEv;

    x.Tag("biztositottOkmanyaival ujModositando=\"U\"");
    x.Tag("szemelyesAdat");
    minden("04", [&] {
        x.Mezo("taj", "04_TAJ");
        x.Mezo("neme", "04_Nem");
        x.Mezo("allampolgarsag", "04_Allampolg");
        x.Tag("nev");
        x.Mezo("titulus", "04_Titulus");
        x.Nev("04_Nev");
        x.Tag("/nev");
        x.Tag("szuletesiNev");
        x.Nev("04_SzulNev");
        x.Tag("/szuletesiNev");
        x.Tag("anyjaNeve");
        x.Nev("04_AnyjaNev");
        x.Tag("/anyjaNeve");
        x.Mezo("szuletesiHely", "04_SzulHely");
        x.Datum("szuletesiDatum", "04_SzulIdo");
    });
    minden("06", [&] {
        x.Tag("elozoNev");
        x.Nev("06_ElozoNev");
        x.Tag("/elozoNev");
    });
    x.Tag("/szemelyesAdat");
    minden("19", [&] {
        if (x.Ures("19_Tol")) return;
        x.Tag("sajatJogonNyugdijas");
        x.Datum("nyugdijasTol", "19_Tol");
        x.Datum("nyugdijasIg", "19_Ig");
        x.Tag("/sajatJogonNyugdijas");
    });
    minden("08", [&] {
        if (x.Ures("08_MNYP")) return;
        x.Tag("mNyPenztarTagsag");
        x.Mezo("maganNyugdijPenztar", "08_MNYP");
        x.Datum("tagsagTol", "08_MNYPbeDat");
        if (!x.Ures("08_MNYPkiDat")) x.Datum("tagsagIg", "08_MNYPkiDat");
        x.Tag("/mNyPenztarTagsag");
    });
    x.Tag("nyenyiOkmany");
    const std::string jogviszony = egyeni ? "egyeniVallalkozoSajatTevekenyseg" : "foglalkoztatottiJogviszony";
    x.Tag(jogviszony);
    minden("07", [&] {
        x.Mezo(egyeni ? "biztositasiJogviszonyKod" : "alkalmazasMinoseg", "07_AlkMinNYENYI");
        x.Mezo("jvMegkulonbozteto", "07_JogvSorsz");
    });
    minden("09", [&] { Jovedelem(x, egyeni); });
    if (egyeni) {
        x.Tag("foTevekenyseg");
        x.Tag("tevekenysegIdoszak");
        x.NyenyiTagIr("kezdoNap", ev + "-01-01", true);
        x.NyenyiTagIr("vegNap", ev + "-12-31", true);
        x.Tag("/tevekenysegIdoszak");
        x.NyenyiTagIr("teaor",
                      QString::fromStdString(ceg.FieldByName("CG_TEAOR").AsString()).left(4).toStdString(),
                      true);
        x.NyenyiMezoIr("tevekenyseg", ceg.FieldByName("CG_FOTEV"));
        x.Tag("/foTevekenyseg");
    }
    if (!egyeni && munkakor)
        minden("12", [&] {
            x.Tag("munkakor");
            x.Tag("munkakorIdoszak");
            x.Idoszak("12_Tol", "12_Ig");
            x.Tag("/munkakorIdoszak");
            x.Mezo("feor", "12_FEOR");
            x.Mezo("munkakorMegnevezes", "12_FEORnev");
            x.Tag("/munkakor");
        });
    if (!egyeni)
        minden("11", [&] {
            x.Tag("munkaIdo");
            x.Tag("munkaIdoIdoszak");
            x.Idoszak("11_Tol", "11_Ig");
            x.Tag("/munkaIdoIdoszak");
            x.Mezo("reszTeljes", "11_MunkIdoTip");
            x.Mezo("hetiOra", "11_HetiOra");
            x.Tag("/munkaIdo");
        });
    minden("10", [&] {
        const std::string el = egyeni ? "jarulekFizetesNelkuliIdo" : "biztositasSzuneteles";
        x.Tag(el);
        x.Tag("idoszak");
        x.Idoszak("10_SzunTol", "10_SzunIg");
        x.Tag("/idoszak");
        x.Mezo("kiesoidoJogcim", "10_JarulKod");
        x.Tag("/" + el);
    });
    minden("17", [&] {
        if (x.Ures("17_Tol")) return;
        x.Tag("korKedvezmenyAdat");
        x.Tag("jogositoMunkakor");
        x.Tag("jogositoIdoszak");
        x.Idoszak("17_Tol", "17_Ig");
        x.Tag("/jogositoIdoszak");
        x.Mezo("kkJogositoMkor", "17_KorkedvKod");
        x.Tag("/jogositoMunkakor");
        x.Tag("/korKedvezmenyAdat");
    });
    minden("14", [&] { x.Mezo("megjegyzes", "14_Megjegyzes"); });
    minden("16", [&] {
        if (!x.Ures("16_Oraszam")) x.Mezo("onkVallMunkaOra", "16_Oraszam");
    });
    x.Tag("/" + jogviszony);
    x.Tag("/nyenyiOkmany");
    x.Tag("/biztositottOkmanyaival");
}

}  // namespace

std::string NyenyiFajlNev(const std::string& cegKod) { return "NY" + cegKod + ".xml"; }

void NyenyiXmlIr(const std::string& path, TMemoryData& md, bool tbKifHely, db::Dataset& ceg,
                 const std::function<void()>& lepes) {
    // The employees in the order of the set, each with its rows by record number.
    std::vector<std::string> sorrend;
    std::map<std::string, Rekordok> dolgozok;
    db::Field& tszMezo = md.FieldByName("Torzsszam");
    db::Field& rjMezo = md.FieldByName("Rekordjel");
    for (md.First(); !md.Eof(); md.Next()) {
        const std::string tsz = tszMezo.AsString();
        if (os::TrimWhitespace(tsz).empty()) continue;
        auto [it, uj] = dolgozok.try_emplace(tsz);
        if (uj) sorrend.push_back(tsz);
        it->second[rjMezo.AsString()].push_back(md.RecNo());
    }

    FormXmlWriter w(path);
    NyenyiIro x(w, md);
    const std::string ns = kNyenyiNamespace;
    w.Begin({"<nyenyiImport xmlns=\"" + ns + "\"", "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"",
             "xsi:schemaLocation=\"" + ns + " ENyenyiImportSchema.xsd\">"});
    const bool egyeni = !os::TrimWhitespace(ceg.FieldByName("CG_EVADOAZ").AsString()).empty();
    const std::string tulajdonos = egyeni ? "egyeniVallalkozo" : "foglalkoztato";
    const std::string ev = FeldolgozasiEv;
    x.Tag("adatszolgaltatasAlapadatai");
    x.NyenyiTagIr("targyidoszak", ev, true);
    x.Tag("adatTulajdonos");
    x.Tag(tulajdonos + " cstKifHely=\"N\" tbKifHely=\"" + (tbKifHely ? "I" : "N") + "\"");
    x.NyenyiMezoIr("adoszam", ceg.FieldByName("CG_ADOSZAM"), kAdoszamMaszk);
    x.NyenyiMezoIr("megnevezes", ceg.FieldByName("CG_NEV"));
    x.Tag("szekhely");
    x.NyenyiMezoIr("szekhelyIrSzam", ceg.FieldByName("CG_IRSZ"));
    x.NyenyiMezoIr("szekhelyVaros", ceg.FieldByName("CG_VAROS"));
    x.NyenyiMezoIr("szekhelyKozterulet", ceg.FieldByName("CG_KOZTER"));
    x.NyenyiMezoIr("szekhelyKozteruletJelleg", ceg.FieldByName("CG_KOZTERJEL"));
    x.NyenyiMezoIr("szekhelyHazszam", ceg.FieldByName("CG_HAZSZ"));
    x.Tag("/szekhely");
    if (egyeni) {
        // The activity of the processing year.
        x.NyenyiTagIr("tevekenysegKezdet", ev + "-01-01", true);
        x.NyenyiTagIr("tevekenysegVege", ev + "-12-31", true);
    }
    x.Tag("/" + tulajdonos);
    x.Tag("/adatTulajdonos");
    x.Tag("/adatszolgaltatasAlapadatai");
    x.Tag("szolgaltatandoAdatok");
    x.Tag("jogviszonyAlapu");
    for (const std::string& tsz : sorrend) {
        Dolgozo(x, md, tsz, dolgozok[tsz], ceg);
        if (lepes) lepes();
    }
    x.Tag("/jogviszonyAlapu");
    x.Tag("/szolgaltatandoAdatok");
    w.Finish("nyenyiImport");
}
