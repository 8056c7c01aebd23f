// The fund-choice data supply: a page per fund member of the ranges, the
// citizenship as "M" or "K", the correction mark on every page, and the
// work table of this workstation only.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include "core/StartValues.h"
#include "datasupply/List_PenztarAdatsz.h"
#include "platform/db/Table.h"
#include "platform/report/PageText.h"
#include "support/ListFixture.h"

namespace {

using testsupport::AddRows;
using testsupport::PageLines;

class PenztarAdatszTest : public testsupport::ListFixtureTest {
protected:
    void SetUp() override {
        ListFixtureTest::SetUp();
        AddRows("NyugP", {"NP_KOD", "NP_NEV"}, {{"0101", "Első Magánnyugdíjpénztár"}});
        AddRows("MHely_001", {"MH_KOD", "MH_NEV"}, {{"000001", "Központ"}});
        // clang-format off
        AddRows("Dolgozo_001",
                {"DG_TORZSSZAM", "DG_NEV",       "DG_MHKOD", "DG_ALLAMP", "DG_MNYP", "DG_KOZTER", "DG_KOZTERJEL", "DG_HAZSZ"},
                {{"00000000001", "Első Ernő",    "000001",   "HUN",       "0101",    "Fő",        "utca",         "1."},
                 {"00000000002", "Második Mária", "000001",  "hun",       "0202",    "",          "",             ""},
                 {"00000000003", "Harmadik Hugó", "000001",  "",          "0101",    "Kert",      "sor",          "3."},
                 {"00000000004", "Negyedik Nóra", "000001",  "SVK",       "0101",    "",          "",             ""},
                 {"00000000005", "Nem tag",       "000001",  "HUN",       "",        "",          "",             ""}});
        // clang-format on
    }

    static QString After(const QStringList& page, const QString& caption) {
        for (const QString& l : page)
            if (l.startsWith(caption)) return l.mid(caption.size()).remove(QStringLiteral(" | "));
        return QStringLiteral("(none)");
    }
};

TEST_F(PenztarAdatszTest, APagePerMember) {
    TList_PenztarAdatszForm form;
    Show(form);
    EXPECT_EQ(form.Text("MaskEdit5"), "00000000001");
    EXPECT_EQ(form.Text("MaskEdit6"), "00000000005");
    form.Check("CheckBox1")->setChecked(true);
    const std::vector<QStringList> pages = Run(form);
    ASSERT_EQ(pages.size(), 4u);
    const char* const allamp[] = {"M", "M", "M", "K"};
    for (size_t i = 0; i < pages.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(pages[i].join("\n").contains(
            "A foglalkoztatók adatszolgáltatása a pénztártagok pénztárválasztásáról"));
        EXPECT_EQ(After(pages[i], "15. Állampolgársága :"), allamp[i]);
        EXPECT_EQ(After(pages[i], "7. Az adatszolgáltatás típusa :"), "X");
    }
    EXPECT_EQ(After(pages[0], "19. Pénztár neve :"), "Első Magánnyugdíjpénztár");
    EXPECT_EQ(After(pages[0], "16. Lakcíme :"), "");
    // The street line: the parts joined by single blanks (the empty ones keep theirs).
    EXPECT_TRUE(pages[0].contains("Fő utca 1.    ")) << pages[0].join("\n").toStdString();
    // A fund missing from the register: no name, the code still.
    EXPECT_EQ(After(pages[1], "19. Pénztár neve :"), "");
    EXPECT_EQ(After(pages[1], "20. Pénztár kódja :"), "0202");

    db::Table t;
    t.DatabaseName = AktualisAlias;
    t.TableName = PenztarValTabla().TableName();
    t.Open();
    EXPECT_EQ(t.FieldCount(), 31);
    EXPECT_EQ(t.FieldByName("04_CEGUTCA").Size(), 30);
    EXPECT_EQ(t.RecordCount(), 4);
    t.Close();
}

TEST_F(PenztarAdatszTest, NoMemberGivesTheHeaderAloneAndOtherWorkstationsKeepTheirTable) {
    // Another workstation's table of the same list.
    WorkTable other = PenztarValTabla("_MASIK");
    ASSERT_TRUE(other.Create());
    db::Record row(31, std::string());
    row[0] = "00000000009";
    other.Write({row});

    TList_PenztarAdatszForm form;
    Show(form);
    form.Edit("MaskEdit5")->setText("00000000005");
    const std::vector<QStringList> pages = Run(form);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_FALSE(pages[0].join("\n").contains("Pénztártag"));

    db::Table t;
    t.DatabaseName = AktualisAlias;
    t.TableName = other.TableName();
    t.Open();
    EXPECT_EQ(t.RecordCount(), 1);
    t.Close();
}

TEST_F(PenztarAdatszTest, ThePreviewExportsASoundPdf) {
    TList_PenztarAdatszForm form;
    Show(form);
    testsupport::PdfExport pdf(dialogs);
    form.BitBtn1->click();
    pdf.Check();
}

}  // namespace
