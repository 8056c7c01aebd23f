#include "tax/annual/Ado_M30mod.h"

#include <functional>

#include "core/StartValues.h"
#include "core/helpers/FormXml.h"
#include "core/helpers/SegedUnit.h"
#include "platform/os/Text.h"
#include "platform/ui/DatasetGrid.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/QtString.h"
#include "tax/annual/Ado_M30ossz.h"
#include "tax/annual/XmlMentes.h"

TAdo_M30modForm::TAdo_M30modForm(QWidget* parent) : TGridEditor(parent) {
    Member m;
    m.table = &TDM1::TableM30;
    m.source = &TDM1::DataSourceM30;
    m.objectName = "Ado_M30modForm";
    m.caption = QStringLiteral("Adó/M30 Módosítás");
    m.codeFields = {"M30_DGTORZSSZAM"};
    m.nameField = "M30_szarmDGNEV";
    m.writableTables = {&TDM1::TableErtekkeszlet};
    m.extraName = "BitBtn1";
    m.extraCaption = QStringLiteral("XML SZJA");
    Build(std::move(m));
}

void TAdo_M30modForm::PostRecord() {
    // The record was computed before: S1D and S610B keep what the user sees.
    DBGrid1->CommitEditor();
    ComputeM30Totals(Table(), {.inPlaceCorrections = false, .s45Cap = M30S45Cap(*DM1->TableErtekkeszlet)});
    Table().Post();
}

QString TAdo_M30modForm::ChooseXmlFolder(const QString& proposed) { return XmlMentesHelye("SZJA", proposed); }

namespace {

// One cell of the return: its identifier, its value and whether it is
// written also when empty or "0".
struct SzjaCell {
    const char* eazon;
    std::function<std::string()> value;
    bool forced = false;
};

}  // namespace

void TAdo_M30modForm::ExportSzjaXml() {
    db::Table& m30 = Table();
    if (m30.IsEmpty()) {
        ui::ShowMessage(QStringLiteral("Üres az adatbázis!"));
        return;
    }
    db::Table& dg = *DM1->TableDolgozo;
    if (!dg.Locate("DG_TORZSSZAM", m30.FieldByName("M30_DGTORZSSZAM").AsString())) {
        ui::ShowMessage(QStringLiteral("Ilyen törzsszám nem létezik!"));
        return;
    }
    auto text = [&dg](const char* field) {
        return [&dg, field] { return dg.FieldByName(field).AsString(); };
    };
    auto cell = [&m30](const char* field) {
        return [&m30, field] { return std::to_string(m30.FieldByName(field).AsInteger()); };
    };
    const std::string adoaz = dg.FieldByName("DG_ADOAZ").AsString();
    const std::string nev = dg.FieldByName("DG_NEV").AsString();
    const std::string csalad = SzovegBont(nev, 0), utonev = SzovegBont(nev, 1);
    auto fixed = [](std::string v) { return [v] { return v; }; };
    const std::string& table = m30.TableName;
    const std::string company = table.size() >= 7 ? table.substr(4, 3) : std::string();
    const std::string formId = FeldolgozasiEv.substr(2) + "SZJA";

    const QString path = ChooseXmlFolder(Q(formId + "_" + company + "_" + adoaz));
    if (path.isEmpty()) return;

    const std::string leanykori = dg.FieldByName("DG_LEANYKNEV").AsString();
    const double szuldat = dg.FieldByName("DG_SZULDAT").AsDateTime();
    // clang-format off
    const SzjaCell cells[] = {
        {"0A0001E001A", fixed(adoaz), true},
        {"0A0001E003A", text("DG_TITULUS")},
        {"0A0001E004A", fixed(csalad), true},
        {"0A0001E005A", fixed(utonev), true},
        {"0A0001E006A", text("DG_NEM")},
        {"0A0001E007A", fixed(SzovegBont(leanykori, 0))},
        {"0A0001E008A", fixed(SzovegBont(leanykori, 1))},
        {"0A0001E009A", fixed(szuldat == 0 ? std::string() : FixDatum(8, szuldat))},
        {"0A0001E010A", text("DG_SZULHELY")},
        {"0A0001E012A", text("DG_ANYJANEV")},
        {"0A0001E015A", text("DG_IRSZ")},
        {"0A0001E016A", text("DG_VAROS")},
        {"0A0001E017A", text("DG_KOZTER")},
        {"0A0001E018A", text("DG_KOZTERJEL")},
        {"0A0001E019A", text("DG_HAZSZ")},
        {"0A0001E020A", text("DG_EPULET")},
        {"0A0001E021A", text("DG_LEPCSOHAZ")},
        {"0A0001E022A", text("DG_EMELET")},
        {"0A0001E023A", text("DG_AJTO")},
        {"0B0001B001A", fixed(csalad), true},
        {"0B0001B002A", fixed(adoaz), true},
        {"0B0001B004A", text("DG_OSTERMIGSZAM")},
        {"0B0001B005A", text("DG_CSALGAZDNYILVSZAM")},
        {"0B0001B006A", text("DG_MEZGAZDTERMSZAM")},
        {"0B0001C0001DA", cell("M30_S1D"), true},
        {"0B0001C0002BA", cell("M30_S2B")},  {"0B0001C0002CA", cell("M30_S2C")},  {"0B0001C0002DA", cell("M30_S2D")},
        {"0B0001C0003BA", cell("M30_S3B")},  {"0B0001C0003CA", cell("M30_S3C")},  {"0B0001C0003DA", cell("M30_S3D")},
        {"0B0001C0004DA", cell("M30_S4D")},
        {"0B0001C0005DA", cell("M30_S5D")},
        {"0B0001C0006BA", cell("M30_S6B")},  {"0B0001C0006CA", cell("M30_S6C")},  {"0B0001C0006DA", cell("M30_S6D")},
        {"0B0001C0007BA", cell("M30_S7B")},  {"0B0001C0007CA", cell("M30_S7C")},  {"0B0001C0007DA", cell("M30_S7D")},
        {"0B0001C0008BA", cell("M30_S8B")},  {"0B0001C0008CA", cell("M30_S8C")},  {"0B0001C0008DA", cell("M30_S8D")},
        {"0B0001C0014BA", cell("M30_S14B")}, {"0B0001C0014CA", cell("M30_S14C")}, {"0B0001C0014DA", cell("M30_S14D")},
        {"0B0001C0016BA", cell("M30_S16B")}, {"0B0001C0016CA", cell("M30_S16C")}, {"0B0001C0016DA", cell("M30_S16D")},
        {"0B0001C0017BA", cell("M30_S17B")}, {"0B0001C0017CA", cell("M30_S17C")}, {"0B0001C0017DA", cell("M30_S17D")},
        {"0C0001B001A", fixed(csalad), true},
        {"0C0001B002A", fixed(adoaz), true},
        {"0C0001B004A", text("DG_OSTERMIGSZAM")},
        {"0C0001B005A", text("DG_CSALGAZDNYILVSZAM")},
        {"0C0001B006A", text("DG_MEZGAZDTERMSZAM")},
        {"0D0001B001A", fixed(csalad), true},
        {"0D0001B002A", fixed(adoaz), true},
        {"0D0001B004A", text("DG_OSTERMIGSZAM")},
        {"0D0001B005A", text("DG_CSALGAZDNYILVSZAM")},
        {"0D0001B006A", text("DG_MEZGAZDTERMSZAM")},
        {"0D0001C0065BA", cell("M30_S65B")},
        {"0H0001B001A", fixed(csalad), true},
        {"0H0001B002A", fixed(adoaz), true},
        {"0H0001C0167DA", cell("M30_S167D")},
        {"0H0001C0167EA", cell("M30_S167E")},
    };
    // clang-format on

    try {
        FormXmlWriter xml(S(path), SkipRule::EmptyOrZero);
        xml.Begin();
        xml.Tag("nyomtatvany");
        xml.Tag("nyomtatvanyinformacio");
        xml.Element("nyomtatvanyazonosito", formId);
        xml.Tag("adozo");
        xml.Element(
            "nev", os::TrimWhitespace(dg.FieldByName("DG_TITULUS").AsString() + " " + csalad + " " + utonev));
        xml.Element("adoazonosito", adoaz);
        xml.Tag("/adozo");
        xml.Tag("/nyomtatvanyinformacio");
        xml.Tag("mezok");
        for (const SzjaCell& c : cells) xml.Cell(c.eazon, c.value(), c.forced);
        xml.Tag("/mezok");
        xml.Tag("/nyomtatvany");
        xml.Finish();
    } catch (const std::exception& e) {
        ui::MessageBox(QStringLiteral("Üzenet"), Q(XmlWriteError(S(path), e.what())), ui::Icon::Error,
                       ui::Ok);
    }
}
