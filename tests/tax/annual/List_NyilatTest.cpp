// The assessment-request sheet: a page per employee still employed after the
// year's last day whose allowance code allows the employer's assessment, each
// page headed with its own employee, the receipt on every page.
#include <gtest/gtest.h>

#include <QPushButton>

#include "platform/os/Clock.h"
#include "platform/os/DayNumber.h"
#include "platform/report/PageText.h"
#include "support/Golden.h"
#include "support/ListFixture.h"
#include "tax/annual/List_Nyilat.h"
#include "tax/annual/List_NyilatQR.h"

namespace {

using testsupport::AddRows;
using testsupport::PageLines;

class ListNyilatTest : public testsupport::ListFixtureTest {
protected:
    void SetUp() override {
        ListFixtureTest::SetUp();
        AddRows("Cegek",
                {"CG_KOD", "CG_IRSZ", "CG_VAROS", "CG_KOZTER", "CG_KOZTERJEL", "CG_HAZSZ", "CG_ADOSZAM"},
                {{"001", "9970", "Szentgotthárd", "Fő", "utca", "2", "12345678218"}});
        AddRows("Mhely_001", {"MH_KOD", "MH_NEV"}, {{"000001", "Erdő"}, {"000002", "Telep"}});
        // clang-format off
        AddRows("Dolgozo_001", {"DG_TORZSSZAM", "DG_NEV",     "DG_MHKOD", "DG_ALKMIN", "DG_KILEPDAT", "DG_ADOAZ",   "DG_VAROS", "DG_KOZTER", "DG_KOZTERJEL", "DG_HAZSZ", "DG_IRSZ", "DG_SZULDAT", "DG_ANYJANEV"},
                {{"00000000001",   "Alkmin Nulla", "000001",   "0",         db::Variant(), "8000000001", "Őriszentpéter", "Kossuth", "utca", "1", "9941", "1980.01.02", "Kovács Éva"},
                 {"00000000002",   "Kiss Anna",    "000001",   "1",         db::Variant(), "8000000002", "Őriszentpéter", "Kossuth", "utca", "2", "9941", "1981.02.03", "Szabó Ilona"},
                 {"00000000003",   "Három Géza",   "000001",   "3",         db::Variant(), "8000000003", "Őriszentpéter", "Kossuth", "utca", "3", "9941", "1982.03.04", "Tóth Mária"},
                 {"00000000004",   "Nagy Béla",    "000002",   "6",         "2020.01.15",  "8000000004", "Szalafő",       "Petőfi",  "tér",  "4", "9942", "1983.04.05", "Varga Jolán"},
                 {"00000000005",   "Nyolc Ödön",   "000002",   "8",         db::Variant(), "8000000005", "Szalafő",       "Petőfi",  "tér",  "5", "9942", "1984.05.06", "Molnár Kata"},
                 {"00000000006",   "Évvégi Ede",   "000002",   "1",         "2019.12.31",  "8000000006", "Szalafő",       "Petőfi",  "tér",  "6", "9942", "1985.06.07", "Farkas Réka"}});
        // Payroll rows of numbers outside the employee table: the defaults do not read them.
        Payroll({"SF_DGTORZSSZAM", "SF_DGMHKOD", "SF_HONAP", "SF_JCKOD", "SF_OSSZEG"},
                {{"00000000000",   "000000",     3,          "100",      1000.0},
                 {"00000000009",   "000009",     3,          "100",      1000.0}});
        // clang-format on
    }
};

TEST_F(ListNyilatTest, APagePerEmployeeWhoMayAskForTheAssessment) {
    os::FixedClock clock(os::EncodeDate(2019, 12, 10));
    TList_NyilatForm form;
    Show(form);
    EXPECT_EQ(form.windowTitle(), "Ado/Nyilatkozat");
    EXPECT_EQ(form.BitBtn1->text(), "Nyilatkozat");
    EXPECT_EQ(form.BitBtn1->property("Tag").toInt(), 3);
    EXPECT_EQ(form.Text("MaskEdit1"), "000001");
    EXPECT_EQ(form.Text("MaskEdit2"), "000002");
    EXPECT_EQ(form.Text("MaskEdit5"), "00000000001");
    EXPECT_EQ(form.Text("MaskEdit6"), "00000000006");

    std::vector<QStringList> pages;
    std::string text;
    testsupport::AnswerPreview(dialogs, [&](TNyomtatasForm& preview) {
        const report::PagePrinter& p = preview.QuickRep->PagePrinter();
        for (int i = 1; i <= p.PageCount(); ++i) pages.push_back(PageLines(p, i));
        text = report::PagesText(p);
    });
    form.BitBtn1->click();
    EXPECT_TRUE(form.BitBtn1->isEnabled());
    EXPECT_EQ(form.List_NyilatQRForm->Query1.SQL(), "");

    // Codes 0, 3 and 8 get no sheet, nor who leaves on the year's last day.
    ASSERT_EQ(pages.size(), 2u) << text;
    const struct {
        const char* nev;
        const char* adoaz;
        const char* cim;
    } expected[] = {{"Kiss Anna", "8000000002", "Őriszentpéter   Kossuth utca 2      9941"},
                    {"Nagy Béla", "8000000004", "Szalafő   Petőfi tér 4      9942"}};
    for (size_t i = 0; i < pages.size(); ++i) {
        const QStringList& page = pages[i];
        EXPECT_TRUE(page.contains(QStringLiteral("neve : | ") + expected[i].nev)) << text;
        EXPECT_TRUE(page.contains(QStringLiteral("adóazonosító jele : | ") + expected[i].adoaz)) << text;
        EXPECT_TRUE(page.contains(QStringLiteral("címe : | ") + expected[i].cim)) << text;
        EXPECT_TRUE(page.contains("neve : | Őrség Tűzifa Kft.")) << text;
        EXPECT_EQ(page.filter("......................... 2020. ............hó ......nap").size(), 3) << text;
        EXPECT_TRUE(
            page.last().endsWith("A munkáltató által aláírt, az átvételt igazoló másolati példányt a "
                                 "magánszemélynek 2025. december "
                                 "31-éig kell megőriznie."))
            << text;
    }
    EXPECT_TRUE(testsupport::MatchesGolden("tax/annual/golden/List_Nyilat", "two-sheets", text,
                                           testsupport::Encoding::Utf8, "pages.txt"));
}

}  // namespace
