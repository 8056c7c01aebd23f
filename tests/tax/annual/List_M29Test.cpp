// The assessment printout: the main form, the children sheet and the
// declaration sheets.
#include "tax/annual/List_M29.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QPushButton>
#include <cstdlib>

#include "core/CegKival.h"
#include "platform/db/Table.h"
#include "support/ListFixture.h"
#include "tax/annual/List_M29QR.h"

namespace {

using testsupport::AddRows;

class ListM29Test : public testsupport::ListFixtureTest {
protected:
    void SetUp() override {
        ListFixtureTest::SetUp();
        for (const char* t : {"M29", "M292", "M294", "Nyilat"}) ASSERT_TRUE(TablaSablonbol(t, "001"));
        AddRows("Dolgozo_001", {"DG_TORZSSZAM", "DG_NEV", "DG_ADOAZ", "DG_MHKOD"},
                {{"00000000001", "Kő Anna", "8000000001", "000001"},
                 {"00000000002", "Fa Béla", "8000000002", "000001"},
                 {"00000000003", "Víz Cili", "8000000003", "000001"}});
        AddRows("Nyilat_001", {"NY_DGTORZSSZAM", "NY_ONADOZO", "NY_S126", "NY_S128"},
                {{"00000000001", "N", db::Variant(), ""},
                 {"00000000002", "N", 1000, "I"},
                 {"00000000003", "N", db::Variant(), ""}});
        AddRows("M29_001", {"M29_DGADOAZ", "M29_JELLEG", "M29_DGTORZSSZAM", "M29_SORSZAM", "M29_S1D"},
                {{"8000000001", "E", "00000000001", 1, 1000},
                 {"8000000002", "E", "00000000002", 2, db::Variant()},
                 {"8000000003", "H3", "00000000003", 1, 5}});
        AddRows("M292_001", {"M292_DGTORZSSZAM", "M292_ADOAZON", "M292_VEZETEK", "M292_KERESZT"},
                {{"00000000001", "8100000001", "Kő", "Ádám"},
                 {"00000000001", "8100000002", "Kő", "Béla"},
                 {"00000000001", "8100000003", "Kő", "Csaba"},
                 {"00000000001", "8100000004", "Kő", "Dénes"},
                 {"00000000002", "8200000001", "Fa", "Gyula"}});
        Payroll({"SF_DGTORZSSZAM", "SF_HONAP", "SF_KIFIZDAT", "SF_JCKOD", "SF_OSSZEG", "SF_DGMHKOD"},
                {{"00000000001", 1, "2019.01.10", "100", 1000, "000001"},
                 {"00000000003", 1, "2019.01.10", "100", 1000, "000001"}});
    }

    // The pages of a start button's preview.
    // A screenshot of the preview goes where `shotVariable` names, if set.
    std::vector<QStringList> Pages(TList_M29Form& form, const char* button, const QString& nature = "E",
                                   const char* shotVariable = nullptr) {
        form.Combo("ComboBox1")->setCurrentText(nature);
        std::vector<QStringList> pages;
        testsupport::AnswerPreview(dialogs, [&](TNyomtatasForm& preview) {
            const report::PagePrinter& p = preview.QuickRep->PagePrinter();
            for (int i = 1; i <= p.PageCount(); ++i) pages.push_back(testsupport::PageLines(p, i));
            if (shotVariable)
                if (const char* shot = std::getenv(shotVariable)) {
                    preview.BitBtn9->click();
                    for (int i = 0; i < 20; ++i) QCoreApplication::processEvents();
                    preview.grab().save(shot);
                }
        });
        form.findChild<QPushButton*>(button)->click();
        return pages;
    }
};

bool Has(const QStringList& page, const QString& text) { return page.join("\n").contains(text); }

TEST_F(ListM29Test, MainFormThreePagesPerAssessment) {
    TList_M29Form form;
    Show(form);
    EXPECT_EQ(form.Text("ComboBox1"), "E");
    const auto pages = Pages(form, "BitBtn1");
    ASSERT_EQ(pages.size(), 6u);
    EXPECT_TRUE(Has(pages[0], "Kő Anna"));
    EXPECT_TRUE(Has(pages[0], "16M29M-02 : | 2"));  // four children: 3 + 1
    EXPECT_TRUE(Has(pages[0], "16M29M-03 : | 0"));
    EXPECT_TRUE(Has(pages[3], "16M29M-02 : | 1"));
    EXPECT_TRUE(Has(pages[3], "16M29M-03 : | 1"));
    EXPECT_TRUE(Has(pages[1], "1000"));
    // A null cell prints "0".
    EXPECT_TRUE(Has(pages[4], "Munkaviszonyból származó bérjövedelem érdekképv. tagdij nélkül | 0"));
    EXPECT_TRUE(Has(pages[5], "A dolgozó aláírása"));

    // "H3" prints its letter.
    const auto h3 = Pages(form, "BitBtn1", "H3");
    ASSERT_EQ(h3.size(), 3u);
    EXPECT_TRUE(Has(h3[0], "Az adatszolgáltatás jellege : | H"));
    EXPECT_FALSE(Has(h3[0], "H3"));
}

TEST_F(ListM29Test, ChildrenSheetAnEmployeeAPageThreeChildrenAPage) {
    TList_M29Form form;
    Show(form);
    const auto pages = Pages(form, "BitBtn4", "E", "TAVRINA_M293_SHOT");
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_TRUE(Has(pages[0], "Kő Anna"));
    EXPECT_TRUE(Has(pages[0], "Kő Csaba"));
    EXPECT_FALSE(Has(pages[0], "Kő Dénes"));
    EXPECT_TRUE(Has(pages[1], "Kő Anna"));
    EXPECT_TRUE(Has(pages[1], "Kő Dénes"));
    // The next employee on a page of its own under his own header.
    EXPECT_TRUE(Has(pages[2], "Fa Béla"));
    EXPECT_FALSE(Has(pages[2], "Kő Anna"));
    EXPECT_TRUE(Has(pages[2], "Fa Gyula"));
    EXPECT_TRUE(Has(pages[2], "A 16M29M-es elszámolás részét képező"));
}

TEST_F(ListM29Test, DeclarationSheets) {
    TList_M29Form form;
    Show(form);
    const auto pages = Pages(form, "BitBtn5");
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_TRUE(Has(pages[0], "Rendelkező nyilatkozatok az adóról I."));
    EXPECT_TRUE(Has(pages[0], "Fa Béla"));
    EXPECT_TRUE(Has(pages[0], "128. | X"));
    // Nobody with the second sheet's declarations: an empty preview.
    const auto none = Pages(form, "BitBtn6");
    ASSERT_EQ(none.size(), 1u);
    EXPECT_FALSE(Has(none[0], "Fa Béla"));
    // The empty nature matches nothing.
    EXPECT_FALSE(Has(Pages(form, "BitBtn1", "")[0], "Kő Anna"));
}

TEST_F(ListM29Test, ASpouseWithoutChildrenCountsOneChildrenPage) {
    {
        db::Table ny;
        ny.DatabaseName = AktualisAlias;
        ny.TableName = "Nyilat_001";
        ny.Open();
        ASSERT_TRUE(ny.Locate("NY_DGTORZSSZAM", "00000000003"));
        ny.Edit();
        ny.FieldByName("NY_S151HADOAZ").SetAsString("8300000001");
        ny.Post();
        ny.Close();
    }
    TList_M29Form form;
    Show(form);
    const auto h3 = Pages(form, "BitBtn1", "H3");
    ASSERT_EQ(h3.size(), 3u);
    EXPECT_TRUE(Has(h3[0], "16M29M-02 : | 1"));
    // His children page: his own header with the spouse, no child.
    const auto pages = Pages(form, "BitBtn4", "H3");
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_TRUE(Has(pages[0], "Víz Cili"));
    EXPECT_TRUE(Has(pages[0], "8300000001"));
    EXPECT_FALSE(Has(pages[0], "Kő Anna"));
}

}  // namespace
