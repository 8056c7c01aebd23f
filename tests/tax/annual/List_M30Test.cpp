// The income certificate printout.
#include "tax/annual/List_M30.h"

#include <gtest/gtest.h>

#include <QPushButton>

#include "core/CegKival.h"
#include "platform/report/PageText.h"
#include "support/Golden.h"
#include "support/ListFixture.h"
#include "tax/annual/List_M30QR.h"

namespace {

using testsupport::AddRows;

class ListM30Test : public testsupport::ListFixtureTest {
protected:
    void SetUp() override {
        ListFixtureTest::SetUp();
        ASSERT_TRUE(TablaSablonbol("M30", "001"));
        AddRows("Cegek",
                {"CG_KOD", "CG_ADOSZAM", "CG_IRSZ", "CG_VAROS", "CG_KOZTER", "CG_KOZTERJEL", "CG_HAZSZ"},
                {{"001", "12345678912", "9400", "Sopron", "Erdő", "utca", "5."}});
        // clang-format off
        AddRows("Dolgozo_001", {"DG_TORZSSZAM", "DG_NEV",    "DG_MHKOD", "DG_ADOAZ",   "DG_SZULDAT", "DG_SZULHELY", "DG_VAROS", "DG_KOZTER", "DG_KOZTERJEL", "DG_HAZSZ", "DG_IRSZ", "DG_ALLAMP", "DG_KILEPDAT"},
                {{"00000000001",  "Kiss Anna", "000001",   "8123456789", "1980.02.29", "Győr",        "Sopron",   "Fő",        "tér",          "1.",       "9400",    "HUN",       ""},
                 {"00000000002",  "Nagy Béla", "000001",   "8123456790", "1975.07.01", "Pécs",        "Sopron",   "Kő",        "utca",         "7.",       "9400",    "HUN",       ""},
                 {"00000000003",  "Tóth Ede",  "000002",   "8123456791", "",           "",            "",         "",          "",             "",         "",        "",          ""},
                 {"00000000004",  "Vég Edit",  "000001",   "8123456792", "",           "",            "",         "",          "",             "",         "",        "",          "2019.06.30"}});
        AddRows("M30_001", {"M30_DGTORZSSZAM", "M30_S0A", "M30_S1D", "M30_S2B", "M30_S2C", "M30_S2D", "M30_S18D", "M30_S175M", "M30_S903B", "M30_S913B", "M30_S289F"},
                {{"00000000001",     "I",       250000,    10000,     4000,      6000,      256000,     "Bérleti", 3000,        3000,        1200},
                 {"00000000002",     "N",       180000,    db::Variant(), db::Variant(), db::Variant(), 180000, db::Variant(), db::Variant(), db::Variant(), db::Variant()},
                 {"00000000003",     "N",       1,         0,         0,         0,         1,          "",          0,           0,           0},
                 {"00000000004",     "N",       1,         0,         0,         0,         1,          "",          0,           0,           0}});
        // clang-format on
    }
};

TEST_F(ListM30Test, TwoPagesPerEmployeeInRange) {
    TList_M30Form form;
    Show(form);
    form.SetValue("MaskEdit1", "000001");
    form.SetValue("MaskEdit2", "000001");
    form.SetValue("MaskEdit5", "00000000001");
    form.SetValue("MaskEdit6", "00000000009");
    form.Frissit();
    std::vector<QStringList> pages;
    std::string text;
    testsupport::AnswerPreview(dialogs, [&](TNyomtatasForm& preview) {
        const report::PagePrinter& p = preview.QuickRep->PagePrinter();
        for (int i = 1; i <= p.PageCount(); ++i) pages.push_back(testsupport::PageLines(p, i));
        text = report::PagesText(p);
    });
    form.BitBtn1->click();
    // The leaver and the other workplace's employee are not printed.
    ASSERT_EQ(pages.size(), 4u);
    EXPECT_TRUE(pages[0].join("\n").contains("12345678-9-12"));
    EXPECT_TRUE(pages[0].join("\n").contains("Kiss Anna"));
    EXPECT_TRUE(pages[1].join("\n").contains("M30/2019-01"));
    EXPECT_TRUE(pages[2].join("\n").contains("Nagy Béla"));
    EXPECT_TRUE(pages[3].join("\n").contains("8123456790"));
    EXPECT_TRUE(testsupport::MatchesGolden("tax/annual/golden/List_M30", "two-employees", text,
                                           testsupport::Encoding::Utf8, "pages.txt"));
    EXPECT_EQ(TList_M30QRForm::AdoszamFormaz("123456"), "123456**-*-**");

    testsupport::PdfExport pdf(dialogs);
    form.BitBtn1->click();
    ASSERT_FALSE(pdf.pdf.empty());
    pdf.Check();
    EXPECT_EQ(pdf.pages, 4);
    form.close();
}

}  // namespace
