// The vocational training contribution return: the month's period, the sums
// in thousands, the sole trader's name, against a golden file.
#include "tax/monthly/MABadatszSzakkepzesi.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>

#include "core/helpers/KimenetiMappa.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/QtString.h"
#include "support/Golden.h"
#include "tax/monthly/FormXmlCheck.h"
#include "tax/monthly/MABFixture.h"

namespace mabtest {
namespace {

using testsupport::AddRows;

class SzakkepzesiTest : public MABTest {
protected:
    void SetUp() override {
        MABTest::SetUp();
        Company("Kovács & Fia Kft.", "");
        Employees({{"00000000001", "Kiss Anna", "8000000001"}, {"00000000002", "Nagy Béla", "8000000002"}});
        // Contribution and base of item 351: January 1 499, February 1 500, March 499.
        AddRows("Szamfejt_001",
                {"SF_DGTORZSSZAM", "SF_HONAP", "SF_KIFIZDAT", "SF_JCKOD", "SF_OSSZEG", "SF_JARALAP"},
                {{"00000000001", 1, "2019.01.10", "351", 1000, 66600},
                 {"00000000002", 1, "2019.01.10", "351", 499, 33300},
                 {"00000000001", 2, "2019.02.10", "351", 1000, 66700},
                 {"00000000002", 2, "2019.02.11", "351", 500, 33300},
                 {"00000000001", 2, "2019.02.10", "T01", 99999, 99999},
                 {"00000000001", 3, "2019.03.10", "351", 499, 33200}});
    }
    static void Company(const std::string& name, const std::string& adoaz) {
        AddRows("Cegek", {"CG_KOD", "CG_NEV", "CG_ADOSZAM", "CG_EVADOAZ", "CG_TEL", "CG_IRSZ", "CG_VAROS"},
                {{"001", name, "12345678242", adoaz.empty() ? db::Variant() : db::Variant(adoaz),
                  "(06-1) 234-5678", "1011", "Budapest"}});
        DM1->TableCegek->Close();
    }
    static std::string Folder() { return AdatszolgMappa("2019", "MAB"); }
};

TEST_F(SzakkepzesiTest, TheMonthsSumsInThousandsHalfAwayFromZero) {
    DM1->TableSzamfejt->Open();
    struct Case {
        int honap;
        const char* mezo;
        const char* ertek;
    };
    const Case cases[] = {
        {1, "SF_OSSZEG", "1"}, {2, "SF_OSSZEG", "2"},    {3, "SF_OSSZEG", ""},
        {4, "SF_OSSZEG", ""},  {2, "SF_JARALAP", "100"},
    };
    for (const Case& c : cases) EXPECT_EQ(SzakkepzesiOsszeg(c.honap, "351", c.mezo), c.ertek) << c.honap;
    EXPECT_EQ(SzakkepzesiFajlnev("001", "7", "H2"), "001SZK_07_H2.xml");
}

TEST_F(SzakkepzesiTest, FebruaryOfACompanyMatchesTheGoldenFile) {
    testsupport::ScriptedDialogs dialogs;
    TMABadatszSzakkepzesiForm form;
    Show(form);
    EXPECT_EQ(form.windowTitle(), "Havi adó/Szakképzési hozzájárulás adatszolgáltatás");
    form.MaskEdit1->setText("2");
    const std::string path = Folder() + "001SZK_02_E.xml";
    EXPECT_EQ(S(form.Edit4->text()), path);
    dialogs.Answer(ui::Ok);
    form.BitBtn1->click();
    EXPECT_EQ(dialogs.Text(0), "Az adatszolgáltatás fájl elkészült.");
    const std::string bytes = testsupport::ReadBytes(path);
    EXPECT_TRUE(testsupport::MatchesGolden("tax/monthly/golden/MABadatszSzakkepzesi", "february", bytes,
                                           testsupport::Encoding::Cp1250, "expected.xml"));
    FormXmlCheck(path, bytes);
    EXPECT_NE(bytes.find(" &amp; Fia Kft.</nev>"), std::string::npos);
}

TEST_F(SzakkepzesiTest, AFolderInThePlaceOfTheFileIsAWriteError) {
    testsupport::ScriptedDialogs dialogs;
    TMABadatszSzakkepzesiForm form;
    Show(form);
    form.MaskEdit1->setText("2");
    const std::string path = Folder() + "001SZK_02_E.xml";
    QDir().mkpath(Q(path));
    dialogs.Answer(ui::Ok);
    form.BitBtn1->click();
    EXPECT_EQ(dialogs.Caption(0), "Üzenet");
    EXPECT_EQ(dialogs.Shown()[0].icon, ui::Icon::Error);
    EXPECT_EQ(dialogs.Text(0).rfind("Hiba történt a(z) " + path + " fájl írása során...\r", 0), 0u)
        << dialogs.Text(0);
    EXPECT_TRUE(QFileInfo(Q(path)).isDir());
    EXPECT_EQ(QDir(Q(Folder())).entryList(QDir::Files).size(), 0);
    EXPECT_TRUE(form.BitBtn1->isEnabled());
}

TEST_F(SzakkepzesiTest, ASoleTraderIsNamedByFamilyAndGivenNames) {
    struct Case {
        const char* nev;
        const char* csaladi;  // as written (CP1250)
        const char* uto;      // nullptr: no cell
    };
    const Case cases[] = {
        {"Kovács Péter",
         "Kov\xe1"
         "cs",
         "P\xe9"
         "ter"},
        {"Kovácsné",
         "Kov\xe1"
         "csn\xe9",
         nullptr},  // one word: kept whole
    };
    for (const Case& c : cases) {
        Company(c.nev, "8111111111");
        DM1->TableCegek->Open();
        DM1->TableSzamfejt->Open();
        const std::string path = Folder() + "egyeni.xml";
        SzakkepzesiIras(path, 3);
        DM1->TableCegek->Close();
        DM1->TableSzamfejt->Close();
        const std::string bytes = testsupport::ReadBytes(path);
        FormXmlCheck(path, bytes);
        EXPECT_NE(bytes.find("<adoazonosito>8111111111</adoazonosito>"), std::string::npos);
        EXPECT_NE(bytes.find("<mezo eazon=\"0A0001C008A\">" + std::string(c.csaladi) + "</mezo>"),
                  std::string::npos)
            << c.nev;
        if (c.uto)
            EXPECT_NE(bytes.find("<mezo eazon=\"0A0001C009A\">" + std::string(c.uto) + "</mezo>"),
                      std::string::npos);
        else
            EXPECT_EQ(bytes.find("0A0001C009A"), std::string::npos);
        for (const char* cell : {"0A0001C010A", "0B0001D0001CA"})
            EXPECT_EQ(bytes.find(cell), std::string::npos) << cell;
    }
}

}  // namespace
}  // namespace mabtest
