// The master-data lists: the range of keys on the parameter form, its checks,
// the rows in key order under the shared header, the employee on two lines,
// and the Listázás buttons of the maintenance forms that open them.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "masterdata/List_TorzsDolgozo.h"
#include "masterdata/List_TorzsJogcim.h"
#include "masterdata/List_TorzsKifhely.h"
#include "masterdata/List_TorzsMhely.h"
#include "masterdata/TorzskezKifhely.h"
#include "masterdata/TorzskezMhely.h"
#include "platform/os/Clock.h"
#include "platform/os/DayNumber.h"
#include "support/ListFixture.h"

namespace {

using testsupport::AddRows;
using testsupport::PageLines;

class TorzsListaTest : public testsupport::ListFixtureTest {
protected:
    void Workplaces() {
        AddRows("MHely_001", {"MH_KOD", "MH_NEV", "MH_KHKOD", "MH_MUNKSZAM", "MH_GYUJTO"},
                {{"000001", "Központ", "000001", "000011", "000100"},
                 {"000002", "Telep", "000001", "", ""},
                 {"000003", "Raktár", "000002", "000013", ""},
                 {"000004", "Üzem", "000002", "", ""}});
    }
    // The printed lines of the list's only page.
    QStringList Run(TorzsListaForm& form) {
        const std::vector<QStringList> pages = ListFixtureTest::Run(form);
        EXPECT_EQ(pages.size(), 1u);
        return pages.empty() ? QStringList() : pages[0];
    }
    // The lines below the header and the column titles.
    static QStringList Rows(const QStringList& lines, int headerLines) { return lines.mid(headerLines); }
};

TEST_F(TorzsListaTest, WorkplacesOfARangeInKeyOrderSavedAsPdf) {
    os::FixedClock clock(os::EncodeDate(2019, 5, 2) + 0.5);
    Workplaces();
    TList_TorzsMhelyForm form;
    Show(form);
    EXPECT_EQ(form.windowTitle(), "Listázás/Munkahely");
    EXPECT_EQ(form.Text("MaskEdit1"), "000001");
    EXPECT_EQ(form.Text("MaskEdit2"), "000004");
    EXPECT_EQ(form.NameText("MaskEdit2"), "Üzem");
    form.Edit("MaskEdit2")->setText("000003");
    form.Frissit();

    const QStringList lines = Run(form);
    const QStringList expected = {
        "Tavrina 2019 | Selvo Studio | Lapszám : 1",
        "Felhasználó : | Űrlap Bérszámfejtő Bt.",
        "Őrség Tűzifa Kft. | Dátum : | 2019.05.02",
        "Munkahely lista",
        "Kód | Név | Kifizető hely | Munkaszám | Gyüjtő",
        "000001 | Központ | 000001 | 000011 | 000100",
        "000002 | Telep | 000001",
        "000003 | Raktár | 000002 | 000013",
    };
    EXPECT_EQ(lines, expected);
    EXPECT_FALSE(DM1->Query1->Active());
    EXPECT_TRUE(form.BitBtn1->isEnabled());

    testsupport::PdfExport pdf(dialogs);
    form.BitBtn1->click();
    pdf.Check();  // the preview saves its pages as images: the text is checked above
    EXPECT_NE(pdf.pdf.find("TorzsMhely_"), std::string::npos) << pdf.pdf;
}

TEST_F(TorzsListaTest, TheRangeEditsAndTheirChecks) {
    Workplaces();
    TList_TorzsMhelyForm form;
    Show(form);
    QLineEdit* from = form.Edit("MaskEdit1");
    QLineEdit* to = form.Edit("MaskEdit2");

    // An unknown code: the message, the edit emptied and kept, no start.
    to->setFocus(Qt::TabFocusReason);
    to->selectAll();
    QTest::keyClicks(to, "999999");
    dialogs.Answer(ui::Ok);
    QTest::keyClick(to, Qt::Key_Tab);
    EXPECT_EQ(dialogs.Text(0), "Ilyen munkahely nem létezik!");
    EXPECT_EQ(to->text().trimmed(), "");
    EXPECT_TRUE(to->hasFocus());
    EXPECT_FALSE(form.BitBtn1->isEnabled());

    // Enter moves from the from edit to the to edit, and from it to the start.
    QTest::keyClicks(to, "000002");
    from->setFocus(Qt::TabFocusReason);
    QTest::keyClick(from, Qt::Key_Return);
    EXPECT_TRUE(to->hasFocus());
    QTest::keyClick(to, Qt::Key_Return);
    EXPECT_TRUE(form.BitBtn1->hasFocus());
    EXPECT_EQ(form.NameText("MaskEdit2"), "Telep");

    // A from code above the to code: the header alone.
    from->setText("000003");
    form.Frissit();
    const QStringList lines = Run(form);
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_EQ(lines.back(), "Kód | Név | Kifizető hely | Munkaszám | Gyüjtő");
}

TEST_F(TorzsListaTest, OneRecordFillsBothEditsAndAnEmptyTableLeavesTheStartOff) {
    AddRows("KifHely_001", {"KH_KOD", "KH_NEV"}, {{"000007", "Pénztár"}});
    {
        TList_TorzsKifhelyForm form;
        Show(form);
        EXPECT_EQ(form.Text("MaskEdit1"), "000007");
        EXPECT_EQ(form.Text("MaskEdit2"), "000007");
        EXPECT_EQ(form.NameText("MaskEdit1"), "Pénztár");
        EXPECT_TRUE(form.BitBtn1->isEnabled());
        EXPECT_EQ(Rows(Run(form), 5), QStringList{"000007 | Pénztár"});
    }
    TList_TorzsMhelyForm empty;
    Show(empty);
    EXPECT_EQ(empty.Text("MaskEdit1"), "");
    EXPECT_EQ(empty.Text("MaskEdit2"), "");
    EXPECT_FALSE(empty.BitBtn1->isEnabled());
}

TEST_F(TorzsListaTest, PayItemCodesWithLettersAreComparedAsBoundText) {
    db::Table t;
    t.DatabaseName = AktualisAlias;
    t.TableName = "Jogcim_001";
    t.Open();
    while (!t.IsEmpty()) t.Delete();  // the template's standard items
    t.Close();
    AddRows("Jogcim_001", {"JC_KOD", "JC_NEV", "JC_TIPUS", "JC_SZAMKEP"},
            {{"100", "Alapbér", "1", "01"}, {"10A", "Pótlék", "1", "02"}, {"200", "Prémium", "2", "03"}});
    TList_TorzsJogcimForm form;
    Show(form);
    EXPECT_EQ(form.Text("MaskEdit1"), "100");
    EXPECT_EQ(form.Text("MaskEdit2"), "200");
    form.Edit("MaskEdit1")->setText("10A");
    form.Edit("MaskEdit2")->setText("10A");
    EXPECT_EQ(Rows(Run(form), 5), QStringList{"10A | Pótlék | 1 | 02"});
}

TEST_F(TorzsListaTest, EmployeesOnTwoLines) {
    AddRows("Dolgozo_001",
            {"DG_TORZSSZAM", "DG_NEV", "DG_MHKOD", "DG_ALAPBER", "DG_BELEPDAT", "DG_ADOAZ", "DG_TAJSZ",
             "DG_BERFORM", "DG_ALKMIN", "DG_SZULDAT", "DG_KILEPDAT"},
            {{"00000000002", "Ábel Anna", "000001", 250000.5, "2019.03.01", "8123456789", "123456789", "1",
              "2", "1980.01.31", "2019.06.30"},
             {"00000000001", "Zoltán Péter", "000002", 300000.0, "2018.01.02", "8111111111", "", "2", "1", "",
              ""}});
    TList_TorzsDolgozoForm form;
    Show(form);
    const QStringList lines = Run(form);
    const QStringList expected = {
        "Törzsszám | Név | Munkahely | Alapbér",
        "Belépés dátuma | Adóazonosító | TAJ | Bérforma | Alkalm. min. | Szül. dát. | Kilép. dát.",
        "00000000001 | Zoltán Péter | 000002 | 300000",
        "2018.01.02 | 8111111111 | 2 | 1",
        "00000000002 | Ábel Anna | 000001 | 250000.5",
        "2019.03.01 | 8123456789 | 123456789 | 1 | 2 | 1980.01.31 | 2019.06.30",
    };
    EXPECT_EQ(Rows(lines, 4), expected);
}

TEST_F(TorzsListaTest, ListazasOpensTheListWhileTheTableHasRecords) {
    TTorzskezMhelyForm empty;
    EXPECT_FALSE(empty.BitBtn8->isEnabled());
    empty.close();

    Workplaces();
    TTorzskezMhelyForm form;
    ASSERT_TRUE(form.BitBtn8->isEnabled());
    QString opened;
    dialogs.AnswerModal([&](QDialog& d) {
        opened = d.objectName();
        return 0;
    });
    form.BitBtn8->click();
    EXPECT_EQ(opened, "List_TorzsMhelyForm");
    EXPECT_TRUE(DM1->TableMhely->Active());  // open again after the list
}

}  // namespace
