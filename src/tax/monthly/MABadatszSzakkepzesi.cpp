#include "tax/monthly/MABadatszSzakkepzesi.h"

#include <QLineEdit>
#include <QProgressBar>

#include "core/DataModule1.h"
#include "core/ListaKeret.h"
#include "core/StartValues.h"
#include "core/helpers/FormXml.h"
#include "core/helpers/SegedUnit.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"
#include "platform/os/DayNumber.h"
#include "platform/os/Text.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Hourglass.h"
#include "platform/ui/QtString.h"

namespace {

std::vector<db::Table*> Tablak() { return {DM1->TableSzamfejt, DM1->TableCegek}; }

}  // namespace

std::string SzakkepzesiFajlnev(const std::string& cegKod, const std::string& honap,
                               const std::string& jelleg) {
    return cegKod + "SZK_" + FixKitolt(honap, 2, "0", 1) + "_" + jelleg + ".xml";
}

std::string SzakkepzesiOsszeg(int honap, const std::string& jogcim, const std::string& mezo) {
    db::Query q;
    q.DatabaseName = DM1->TableSzamfejt->DatabaseName;
    q.SetSQL("SELECT SUM(" + mezo + ") AS OSSZESEN FROM " + db::SqlName(DM1->TableSzamfejt->TableName) +
             " WHERE SF_HONAP = :honap AND SF_JCKOD = :jogcim");
    q.ParamByName("honap").SetAsInteger(honap);
    q.ParamByName("jogcim").SetAsString(jogcim);
    q.Open();
    const long long ezer = Kerekit(static_cast<long double>(q.FieldByName("OSSZESEN").AsFloat()) / 1000);
    return ezer == 0 ? std::string() : std::to_string(ezer);
}

void SzakkepzesiIras(const std::string& fajl, int honap) {
    db::Table& ceg = *DM1->TableCegek;
    if (!LocateCompany()) throw std::runtime_error("Ilyen cég nem létezik!");
    const auto c = [&ceg](const char* mezo) { return ceg.FieldByName(mezo).AsString(); };
    const std::string nev = os::TrimWhitespace(c("CG_NEV"));
    const bool egyeni = !os::TrimWhitespace(c("CG_EVADOAZ")).empty();
    const int ev = std::stoi(FeldolgozasiEv);
    const double elso = os::EncodeDate(ev, honap, 1),
                 utolso = os::EncodeDate(ev, honap, os::DaysInMonth(ev, honap));

    FormXmlWriter xml(fajl);
    xml.Begin();
    xml.Tag("nyomtatvany");
    xml.Tag("nyomtatvanyinformacio");
    xml.Element("nyomtatvanyazonosito", "1212");
    xml.Tag("adozo");
    xml.Element("nev", nev);
    xml.Element("adoszam", c("CG_ADOSZAM"));
    xml.Element("adoazonosito", c("CG_EVADOAZ"));
    xml.Tag("/adozo");
    xml.Tag("idoszak");
    xml.Element("tol", FixDatum(8, elso));
    xml.Element("ig", FixDatum(8, utolso));
    xml.Tag("/idoszak");
    xml.Tag("/nyomtatvanyinformacio");
    xml.Tag("mezok");
    xml.Cell("0A0001C001A", c("CG_ADOSZAM"));
    xml.Cell("0A0001C002A", c("CG_EVADOAZ"));
    xml.Cell("0A0001C004A", c("CG_JOGELADOSZ"));
    xml.Cell("0A0001C005A", c("CG_CSALGAZDNYILVSZAM"));
    if (!egyeni) {
        xml.Cell("0A0001C010A", nev);
    } else {
        // A one-word name is the family name, not lost.
        const NameParts n = SplitName(nev);
        xml.Cell("0A0001C008A", n.family);
        xml.Cell("0A0001C009A", n.given);
    }
    // clang-format off
    const char* const kCim[][2] = {
        {"0A0001C013A", "CG_IRSZ"},      {"0A0001C014A", "CG_VAROS"},        {"0A0001C015A", "CG_KOZTER"},
        {"0A0001C016A", "CG_KOZTERJEL"}, {"0A0001C017A", "CG_HAZSZ"},        {"0A0001C018A", "CG_EPULET"},
        {"0A0001C019A", "CG_LEPCSOHAZ"}, {"0A0001C020A", "CG_EMELET"},       {"0A0001C021A", "CG_AJTO"},
        {"0A0001C024A", "CG_LEVIRSZ"},   {"0A0001C025A", "CG_LEVVAROS"},     {"0A0001C026A", "CG_LEVKOZTER"},
        {"0A0001C027A", "CG_LEVKOZTERJEL"}, {"0A0001C028A", "CG_LEVHAZSZ"},  {"0A0001C029A", "CG_LEVEPULET"},
        {"0A0001C030A", "CG_LEVLEPCSOHAZ"}, {"0A0001C031A", "CG_LEVEMELET"}, {"0A0001C032A", "CG_LEVAJTO"},
        {"0A0001C033A", "CG_UGYINT"},
    };
    // clang-format on
    for (const auto& [eazon, mezo] : kCim) xml.Cell(eazon, c(mezo));
    xml.Cell("0A0001C034A", CsakSzam(c("CG_TEL")));
    xml.Cell("0A0001D001A", FixDatum(8, elso));
    xml.Cell("0A0001D002A", FixDatum(8, utolso));
    xml.Cell("0B0001B001A", c("CG_ADOSZAM"));
    xml.Cell("0B0001B003A", nev);
    xml.Cell("0B0001C001A", "X");
    xml.Cell("0B0001C003A", "1");
    const std::string hozzajarulas = SzakkepzesiOsszeg(honap, "351", "SF_OSSZEG");
    xml.Cell("0B0001D0001CA", hozzajarulas);
    xml.Cell("0B0001E0005CA", SzakkepzesiOsszeg(honap, "351", "SF_JARALAP"));
    xml.Cell("0B0001E0006CA", hozzajarulas);
    xml.Cell("0B0001E0011CA", hozzajarulas);
    xml.Tag("/mezok");
    xml.Tag("/nyomtatvany");
    xml.Finish();
}

TMABadatszSzakkepzesiForm::TMABadatszSzakkepzesiForm(QWidget* parent)
    : TMABKeretForm(
          {"MABadatszSzakkepzesiForm", QStringLiteral("Havi adó/Szakképzési hozzájárulás adatszolgáltatás"),
           QStringLiteral("Adatszolg."), true},
          parent) {
    for (db::Table* t : Tablak()) {
        t->ReadOnly = true;
        t->Open();
    }
}

TMABadatszSzakkepzesiForm::~TMABadatszSzakkepzesiForm() {
    if (!DM1) return;
    for (db::Table* t : Tablak()) {
        t->Close();
        t->ReadOnly = false;
    }
}

std::string TMABadatszSzakkepzesiForm::FajlNev(const std::string& cegKod) {
    return SzakkepzesiFajlnev(cegKod, Szoveg(MaskEdit1), Jelleg());
}

void TMABadatszSzakkepzesiForm::Inditas() {
    const std::string fajl = S(Edit4->text());
    const int honap = std::stoi(Szoveg(MaskEdit1));
    FajlIras(fajl, [&] {
        SzakkepzesiIras(fajl, honap);
        return true;
    });
}
