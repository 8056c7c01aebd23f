// The K30 and K32 printout.
#include "tax/annual/List_K30.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <cstdlib>

#include "core/CegKival.h"
#include "platform/report/PageText.h"
#include "support/Golden.h"
#include "support/ListFixture.h"

namespace {

using testsupport::AddRows;

class ListK30Test : public testsupport::ListFixtureTest {
protected:
    void SetUp() override {
        ListFixtureTest::SetUp();
        for (const char* t : {"K30", "K32"}) ASSERT_TRUE(TablaSablonbol(t, "001"));
        AddRows("Cegek", {"CG_KOD", "CG_ADOSZAM"}, {{"001", "12345678912"}});
        // clang-format off
        AddRows("Dolgozo_001", {"DG_TORZSSZAM", "DG_NEV",    "DG_MHKOD", "DG_ADOAZ",   "DG_SZULDAT"},
                {{"00000000001",  "Kiss Anna", "000001",   "8123456789", "1980.02.29"},
                 {"00000000002",  "Nagy Béla", "000001",   "8123456790", "1975.07.01"},
                 {"00000000003",  "Tóth Ede",  "000002",   "8123456791", "1990.01.01"}});
        AddRows("K30_001", {"K30_DGTORZSSZAM", "K30_S1D", "K30_S2B", "K30_S2C", "K30_S2D", "K30_S7A", "K30_S28A", "K30_S28B", "K30_S31A", "K30_S31B", "K30_S36A",   "K30_S48A", "K30_S51AA",  "K30_S51AB",  "K30_S51GA",  "K30_S51GB"},
                {{"00000000001",     250000,    10000,     4000,      6000,      3,         "Bérleti",  5000,       777,        888,        "2019.09.30", 9,          "2019.01.01", "2019.05.09", "2019.07.21", "2019.09.30"},
                 {"00000000002",     180000,    db::Variant(), db::Variant(), db::Variant(), db::Variant(), db::Variant(), db::Variant(), db::Variant(), db::Variant(), db::Variant(), 12, "2019.01.01", "2019.12.31", db::Variant(), db::Variant()},
                 // printed with workplace 000001 on its payroll rows, but now at 000002
                 {"00000000003",     1,         0,         0,         0,         0,         "",         0,          0,          0,          "",           0,          "",           "",           "",           ""}});
        AddRows("K32_001", {"K32_DGTORZSSZAM", "K32_JARKOTJOV", "K32_FELSOHATAR", "K32_BIZTTOL1", "K32_BIZTIG1", "K32_MNYPTAG1", "K32_NYJALAP1", "K32_NYJ1", "K32_ELMARAD1", "K32_GYNYALAP1", "K32_GYNYJ1", "K32_KIESTOL1", "K32_KIESIG1", "K32_KIESTOL2", "K32_KIESIG2", "K32_KIESTOL10", "K32_KIESIG10"},
                {{"00000000001",     2000000,         5307000,          "2019.01.01",   "2019.12.31",  "I",            2000000,        10000,      "0",            100000,          1500,         "2019.05.10",   "2019.05.12",  "2019.06.03",   "2019.06.04",  "2019.12.01",    "2019.12.02"},
                 {"00000000003",     1,               1,                "",             "",            "N",            1,              1,          "4",            0,               0,            "",             "",            "",             "",            "",              ""}});
        // clang-format on
        Payroll({"SF_DGTORZSSZAM", "SF_HONAP", "SF_KIFIZDAT", "SF_JCKOD", "SF_DGMHKOD"},
                {{"00000000001", 1, "2019.01.10", "100", "000001"},
                 {"00000000003", 1, "2019.01.10", "100", "000001"}});
    }

    // Runs a button and records the preview's pages.
    // A screenshot of the preview goes where `shotVariable` names, if set.
    std::vector<QStringList> Pages(QPushButton* button, std::string* text = nullptr,
                                   const char* shotVariable = nullptr) {
        std::vector<QStringList> pages;
        testsupport::AnswerPreview(dialogs, [&](TNyomtatasForm& preview) {
            const report::PagePrinter& p = preview.QuickRep->PagePrinter();
            for (int i = 1; i <= p.PageCount(); ++i) pages.push_back(testsupport::PageLines(p, i));
            if (text) *text = report::PagesText(p);
            if (shotVariable)
                if (const char* shot = std::getenv(shotVariable)) {
                    preview.BitBtn9->click();
                    for (int i = 0; i < 20; ++i) QCoreApplication::processEvents();
                    preview.grab().save(shot);
                }
        });
        button->click();
        return pages;
    }
};

TEST_F(ListK30Test, K30ThreeSheetsPerEmployeeOfTheCurrentWorkplaceAndK32OnePage) {
    TList_K30Form form;
    Show(form);
    EXPECT_EQ(form.windowTitle(), "Adó/K30,32 lista");
    EXPECT_EQ(form.Text("MaskEdit1"), "000001");
    EXPECT_EQ(form.Text("MaskEdit2"), "000001");
    form.SetValue("MaskEdit6", "00000000009");
    form.Frissit();

    std::string text;
    const auto pages = Pages(form.BitBtn1, &text, "TAVRINA_K30_SHOT");
    // Employee 3 is at another workplace now: not printed.
    ASSERT_EQ(pages.size(), 4u);
    const QStringList titles = {"K30/2004", "K30-A/2004", "K30-B/2004"};
    for (int e = 0; e < 2; ++e) {
        const QString sheets = pages[2 * e].join("\n") + "\n" + pages[2 * e + 1].join("\n");
        qsizetype at = -1;
        for (const QString& t : titles) {
            const qsizetype next = sheets.indexOf(t + "\n");
            EXPECT_GT(next, at) << e << " " << t.toStdString();
            at = next;
        }
        for (int p = 2 * e; p < 2 * e + 2; ++p) {
            EXPECT_TRUE(pages[p].join("\n").contains("12345678912")) << p;  // the header on every page
            EXPECT_TRUE(pages[p].join("\n").contains(e == 0 ? "Kiss Anna" : "Nagy Béla")) << p;
        }
    }
    EXPECT_FALSE(text.find("777") != std::string::npos);  // S31A is not printed
    EXPECT_TRUE(testsupport::MatchesGolden("tax/annual/golden/List_K30", "k30-two-employees", text,
                                           testsupport::Encoding::Utf8, "pages.txt"));

    // K32 starts also with an edit empty; here the ranges select one record.
    form.Edit("MaskEdit5")->clear();
    form.NyomtatasMehet();
    EXPECT_FALSE(form.BitBtn1->isEnabled());
    ASSERT_TRUE(form.BitBtn4->isEnabled());
    EXPECT_EQ(Pages(form.BitBtn4).size(), 1u);  // the empty range: a page without a record
    form.SetValue("MaskEdit5", "00000000001");
    form.Frissit();
    const auto k32 = Pages(form.BitBtn4, &text);
    ASSERT_EQ(k32.size(), 1u);
    EXPECT_TRUE(k32[0].join("\n").contains("K32/2004"));
    EXPECT_TRUE(testsupport::MatchesGolden("tax/annual/golden/List_K30", "k32-one-employee", text,
                                           testsupport::Encoding::Utf8, "pages.txt"));

    testsupport::PdfExport pdf(dialogs);
    form.BitBtn1->click();
    ASSERT_FALSE(pdf.pdf.empty());
    pdf.Check();
    EXPECT_EQ(pdf.pages, 4);
    form.close();
}

}  // namespace
