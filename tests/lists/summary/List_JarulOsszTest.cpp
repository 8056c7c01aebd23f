// "Járulék összesítő": employees' cells rounded before they enter the kind
// and grand totals, the allowance with its sign turned, a kind without a name.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include "lists/summary/List_JarulOssz.h"
#include "lists/summary/List_JarulOsszQR.h"
#include "platform/os/Clock.h"
#include "platform/os/DayNumber.h"
#include "support/ListFixture.h"

namespace {

using testsupport::AddRows;
using testsupport::PageLines;

class ListJarulOsszTest : public testsupport::ListFixtureTest {
protected:
    void SetUp() override {
        ListFixtureTest::SetUp();
        AddRows("Ertekkeszlet_001", {"EK_TIPUS", "EK_ERTEK", "EK_ERTEKNEV"}, {{"2", "1", "Munkaviszony"}});
        AddRows("MHely_001", {"MH_KOD", "MH_NEV"}, {{"000001", "Központ"}, {"000002", "Telep"}});
        AddRows("Dolgozo_001", {"DG_TORZSSZAM", "DG_NEV", "DG_ALKMIN"},
                {{"00000000001", "Zoltán Péter", "1"},
                 {"00000000002", "Ábel Anna", "1"},
                 {"00000000003", "Béla Bán", "Z"}});
        // clang-format off
        Payroll({"SF_DGTORZSSZAM", "SF_HONAP", "SF_KIFIZDAT", "SF_JCKOD", "SF_JARALAP", "SF_OSSZEG", "SF_MHKOD"},
                {{"00000000001",   3,          "2019.03.05",  "300",      1000.0,       100.0,       "000001"},
                 {"00000000001",   3,          "2019.03.05",  "301",      500.0,        50.0,        "000001"},
                 {"00000000001",   3,          "2019.03.05",  "328",      0.0,          15000.0,     "000001"},
                 {"00000000001",   3,          "2019.03.05",  "330",      1000.0,       100.5,       "000001"},
                 // a row at a workplace outside the range counts with the employee
                 {"00000000002",   3,          "2019.03.05",  "330",      1000.0,       100.5,       "000002"},
                 {"00000000002",   3,          "2019.03.05",  "320",      0.0,          7.0,         "000001"},
                 {"00000000003",   3,          "2019.03.05",  "281B",     0.0,          30.0,        "000001"}});
        // clang-format on
    }

    QStringList Preview(TList_JarulOsszForm& form, int* pages = nullptr) {
        QStringList lines;
        testsupport::AnswerPreview(dialogs, [&](TNyomtatasForm& preview) {
            lines = PageLines(preview.QuickRep->PagePrinter(), 1);
            if (pages) *pages = preview.QuickRep->PagePrinter().PageCount();
        });
        form.BitBtn1->click();
        return lines;
    }
};

TEST_F(ListJarulOsszTest, KindsEmployeesAndTotalsOfRoundedCells) {
    os::FixedClock clock(os::EncodeDate(2019, 4, 2) + 0.5);
    TList_JarulOsszForm form;
    Show(form);
    EXPECT_EQ(form.windowTitle(), "Összesítő listák/Járulék összesítő");
    form.Edit("MaskEdit2")->setText("000001");
    form.Check("CheckBox1")->setChecked(true);
    ASSERT_TRUE(form.BitBtn1->isEnabled());
    int pages = 0;
    QStringList lines = Preview(form, &pages);
    EXPECT_EQ(pages, 1);
    EXPECT_EQ(form.List_JarulOsszQRForm->QuickRep1.Page.orientation, report::Orientation::Landscape);
    const QStringList head = {
        "Tavrina 2019 | Selvo Studio | Lapszám : 1",
        "Felhasználó : | Űrlap Bérszámfejtő Bt.",
        "Őrség Tűzifa Kft. | Dátum : | 2019.04.02",
        "Járulék összesítő",
        "Hónap : | 3",
        "Munkahely : | 000001 - 000001",
        "Dolgozó : | 00000000001 - 00000000003",
        "Törzsszám | Név | alap | alap | alap | alap | alap | alap | alap | alap | alap | alap",
        "SZJA | NYJ | EBJ term | EBJ pénz | MPJ dolg. | SZHA | SZHA lev. | Termadó | SZHA term. | Szakkép. | "
        "EÜ szolg.jár. | SZHA kedv. | EFO közteher",
    };
    // 300 and 301 add in NYJ; 328 turns negative; 330's 100.5 is rounded per
    // employee before the kind adds it (202, not 201); the second employee's
    // row at a workplace outside the range counts; kind Z has no name.
    const QStringList kinds = {
        "Alkalmazási minőség : | 1 | Munkaviszony",
        "00000000001 | Zoltán Péter | 1500 | 0 | 0 | 0 | 1000 | 0 | 0 | 0 | 0 | 0",
        "0 | 150 | 0 | 0 | 0 | 101 | 0 | 0 | 0 | 0 | 0 | -15000 | 0",
        "00000000002 | Ábel Anna | 0 | 0 | 0 | 0 | 1000 | 0 | 0 | 0 | 0 | 0",
        "7 | 0 | 0 | 0 | 0 | 101 | 0 | 0 | 0 | 0 | 0 | 0 | 0",
        "Összesen : | 1500 | 0 | 0 | 0 | 2000 | 0 | 0 | 0 | 0 | 0",
        "7 | 150 | 0 | 0 | 0 | 202 | 0 | 0 | 0 | 0 | 0 | -15000 | 0",
        "Alkalmazási minőség : | Z",
        "00000000003 | Béla Bán | 0 | 0 | 0 | 0 | 0 | 0 | 0 | 0 | 0 | 0",
        "0 | 0 | 0 | 0 | 0 | 0 | 0 | 0 | 0 | 0 | 0 | 0 | 30",
        "Összesen : | 0 | 0 | 0 | 0 | 0 | 0 | 0 | 0 | 0 | 0",
        "0 | 0 | 0 | 0 | 0 | 0 | 0 | 0 | 0 | 0 | 0 | 0 | 30",
        "Összesen : | 1500 | 0 | 0 | 0 | 2000 | 0 | 0 | 0 | 0 | 0",
        "7 | 150 | 0 | 0 | 0 | 202 | 0 | 0 | 0 | 0 | 0 | -15000 | 30",
    };
    EXPECT_EQ(lines.join("\n").toStdString(), (head + kinds).join("\n").toStdString());

    // Unticked: the kind lines, their footers and the summary only.
    form.Check("CheckBox1")->setChecked(false);
    lines = Preview(form);
    QStringList brief = head + kinds;
    for (int i : {9, 8, 4, 3, 2, 1}) brief.removeAt(head.size() + i);
    EXPECT_EQ(lines.join("\n").toStdString(), brief.join("\n").toStdString());
}

TEST_F(ListJarulOsszTest, ThePreviewExportsASoundPdf) {
    TList_JarulOsszForm form;
    Show(form);
    testsupport::PdfExport pdf(dialogs);
    form.BitBtn1->click();
    pdf.Check();
}

}  // namespace
