// "Listázás jogcímenként": the frame's defaults and checks on a real list,
// the rows of one pay item in name and date order, and the rounded total.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "controls/ComboEdits.h"
#include "controls/NumEdits.h"
#include "lists/payment/List_Jogcim.h"
#include "lists/payment/List_JogcimQR.h"
#include "platform/os/Clock.h"
#include "platform/os/DayNumber.h"
#include "support/ListFixture.h"

namespace {

using testsupport::AddRows;
using testsupport::PageLines;

class ListJogcimTest : public testsupport::ListFixtureTest {
protected:
    void SetUp() override {
        ListFixtureTest::SetUp();
        AddRows("KifHely_001", {"KH_KOD", "KH_NEV"}, {{"000001", "Pénztár"}, {"000002", "Bank"}});
        AddRows("MHely_001", {"MH_KOD", "MH_NEV", "MH_KHKOD"},
                {{"000001", "Központ", "000001"}, {"000002", "Telep", "000002"}});
        AddRows("Jogcim_001", {"JC_KOD", "JC_NEV", "JC_TIPUS"},
                {{"100", "Alapbér", "1"}, {"200", "Prémium", "1"}});
        AddRows("Dolgozo_001", {"DG_TORZSSZAM", "DG_NEV", "DG_MHKOD"},
                {{"00000000001", "Zoltán Péter", "000001"},
                 {"00000000002", "Ábel Anna", "000002"},
                 {"00000000003", "Béla Bán", "000001"}});
        // clang-format off
        Payroll({"SF_DGTORZSSZAM", "SF_DGNEV",     "SF_HONAP", "SF_KIFIZDAT", "SF_JCKOD", "SF_OSSZEG", "SF_SZAMLA",         "SF_DGMHKOD", "SF_DGKHKOD"},
                {{"00000000001",   "Zoltán Péter", 3,          "2019.03.05",  "100",      1000.25,     "11111111-22222222", "000001",     "000001"},
                 {"00000000002",   "Ábel Anna",    3,          "2019.03.20",  "100",      34.0,        "",                  "000002",     "000002"},
                 {"00000000002",   "Ábel Anna",    3,          "2019.03.05",  "100",      200.25,      "",                  "000002",     "000002"},
                 {"00000000003",   "Béla Bán",     3,          "2019.03.10",  "100",      0.0,         "",                  "000001",     "000001"},
                 // paid outside the dates, in another month, of another item
                 {"00000000003",   "Béla Bán",     3,          "2019.04.02",  "100",      999.0,       "",                  "000001",     "000001"},
                 {"00000000003",   "Béla Bán",     2,          "2019.02.05",  "100",      777.0,       "",                  "000001",     "000001"},
                 {"00000000001",   "Zoltán Péter", 3,          "2019.03.05",  "200",      5000.0,      "",                  "000001",     "000001"}});
        // clang-format on
    }

    void Start(TList_JogcimForm& form) { Show(form); }
    static double Day(int y, int m, int d) { return os::EncodeDate(y, m, d); }
};

TEST_F(ListJogcimTest, DefaultsFromThePayrollRowsAndThePayItemStillMissing) {
    TList_JogcimForm form;
    Start(form);
    EXPECT_EQ(form.windowTitle(), "Kifizetési listák/Listázás jogcímenként");
    EXPECT_EQ(form.MonthEdit("CurrencyEdit1")->Value(), 3);
    EXPECT_EQ(form.MonthEdit("CurrencyEdit2")->FormattedDisplayText(), "03");
    EXPECT_EQ(form.Date("DateEdit1"), Day(2019, 4, 2));
    EXPECT_EQ(form.Date("DateEdit2"), Day(2019, 4, 2));
    EXPECT_EQ(form.Text("MaskEdit1"), "000001");
    EXPECT_EQ(form.Text("MaskEdit2"), "000002");
    EXPECT_EQ(form.NameText("MaskEdit2"), "Telep");
    EXPECT_EQ(form.Text("MaskEdit5"), "00000000001");
    EXPECT_EQ(form.Text("MaskEdit6"), "00000000003");
    EXPECT_EQ(form.NameText("MaskEdit6"), "Béla Bán");
    EXPECT_EQ(form.Text("MaskEdit7"), "");
    EXPECT_FALSE(form.BitBtn1->isEnabled());  // the pay item is required

    // A code that does not exist: the message, the edit cleared and kept.
    QLineEdit* jogcim = form.Edit("MaskEdit7");
    jogcim->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(jogcim, "999");
    dialogs.Answer(ui::Ok);
    QTest::keyClick(jogcim, Qt::Key_Return);  // Enter moves on like Tab
    EXPECT_EQ(dialogs.Text(0), "Ilyen jogcím nem létezik!");
    EXPECT_EQ(jogcim->text().trimmed(), "");
    EXPECT_TRUE(jogcim->hasFocus());
    EXPECT_FALSE(form.BitBtn1->isEnabled());

    QTest::keyClicks(jogcim, "100");
    QTest::keyClick(jogcim, Qt::Key_Tab);
    EXPECT_EQ(form.NameText("MaskEdit7"), "Alapbér");
    EXPECT_TRUE(form.BitBtn1->isEnabled());

    // Clearing one end of a range disables the start again.
    form.Edit("MaskEdit3")->clear();
    EXPECT_FALSE(form.BitBtn1->isEnabled());
}

TEST_F(ListJogcimTest, RowsOfThePayItemByNameThenDateWithTheRoundedTotal) {
    os::FixedClock clock(Day(2019, 5, 2) + 0.5);
    TList_JogcimForm form;
    Start(form);
    form.DateEdit("DateEdit1")->SetDateValue(Day(2019, 3, 1));
    form.DateEdit("DateEdit2")->SetDateValue(Day(2019, 3, 31));
    form.Edit("MaskEdit7")->setText("100");
    form.Frissit();
    ASSERT_TRUE(form.BitBtn1->isEnabled());

    QStringList lines;
    testsupport::AnswerPreview(dialogs, [&](TNyomtatasForm& preview) {
        ASSERT_EQ(preview.QuickRep->PagePrinter().PageCount(), 1);
        lines = PageLines(preview.QuickRep->PagePrinter(), 1);
    });
    form.BitBtn1->click();

    const QStringList expected = {
        "Tavrina 2019 | Selvo Studio | Lapszám : 1",
        "Felhasználó : | Űrlap Bérszámfejtő Bt.",
        "Őrség Tűzifa Kft. | Dátum : | 2019.05.02",
        "Listázás jogcímenként",
        "Hónap : | 03 - 03",
        "Kifiz. dát. : | 2019.03.01 - 2019.03.31",
        "Munkahely : | 000001 - 000002",
        "Dolgozó : | 00000000001 - 00000000003",
        "Jogcím : | 100  Alapbér",
        "Dolgozó | Összeg | Kifiz. dát. | Számlaszám",
        "00000000002 | Ábel Anna | 200.25 | 2019.03.05",
        "00000000002 | Ábel Anna | 34 | 2019.03.20",
        "00000000003 | Béla Bán | 0 | 2019.03.10",
        "00000000001 | Zoltán Péter | 1000.25 | 2019.03.05 | 11111111-22222222",
        "összesen : | 1235",
    };
    EXPECT_EQ(lines, expected);
    // The run leaves the shared query closed and empty, the start enabled.
    EXPECT_FALSE(DM1->Query1->Active());
    EXPECT_EQ(DM1->Query1->SQL(), "");
    EXPECT_TRUE(form.BitBtn1->isEnabled());
}

TEST_F(ListJogcimTest, NoRowsPrintTheHeadersAndAZeroTotal) {
    TList_JogcimForm form;
    Start(form);
    form.Edit("MaskEdit7")->setText("200");
    form.Edit("MaskEdit1")->setText("000002");  // the item's only row is at 000001
    QStringList lines;
    testsupport::AnswerPreview(
        dialogs, [&](TNyomtatasForm& preview) { lines = PageLines(preview.QuickRep->PagePrinter(), 1); });
    form.BitBtn1->click();
    ASSERT_GE(lines.size(), 2);
    EXPECT_EQ(lines[lines.size() - 2], "Dolgozó | Összeg | Kifiz. dát. | Számlaszám");
    EXPECT_EQ(lines.back(), "összesen : | 0");
}

TEST_F(ListJogcimTest, AFailingQueryReachesTheCallerAndLeavesQuery1Clean) {
    TList_JogcimForm form;
    Start(form);
    form.Edit("MaskEdit7")->setText("100");
    DM1->TableSzamfejt->TableName = "Szamfejt_999";  // no such table
    EXPECT_THROW(form.BitBtn1->click(), std::exception);
    EXPECT_FALSE(form.BitBtn1->isEnabled());
    EXPECT_FALSE(DM1->Query1->Active());
    EXPECT_EQ(DM1->Query1->SQL(), "");
    DM1->TableSzamfejt->TableName = "Szamfejt_001";
}

TEST_F(ListJogcimTest, ClosingRestoresTheTables) {
    const std::vector<db::Table*> tables = {DM1->TableKifhely,     DM1->TableMhely,    DM1->TableJogcim,
                                            DM1->TableDolgozo,     DM1->TableSzamfejt, DM1->TableCegek,
                                            DM1->TableErtekkeszlet};
    std::vector<bool> readOnly;
    for (db::Table* t : tables) readOnly.push_back(t->ReadOnly);
    {
        TList_JogcimForm form;
        Start(form);
        EXPECT_TRUE(DM1->TableSzamfejt->ReadOnly);
        EXPECT_TRUE(DM1->TableJogcim->Active());
        form.BitBtn2->click();
    }
    for (size_t i = 0; i < tables.size(); ++i) {
        SCOPED_TRACE(tables[i]->TableName);
        EXPECT_FALSE(tables[i]->Active());
        EXPECT_EQ(tables[i]->ReadOnly, readOnly[i]);
    }
}

}  // namespace
