// The payment list with deductions: employees, their payment dates and the
// rows of each date chained; eight columns each rounded once a line, employee
// and grand totals in 32 bits, and the "Tételes :" option.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QTest>
#include <stdexcept>

#include "controls/NumEdits.h"
#include "lists/payment/List_KifizJarul.h"
#include "lists/payment/List_KifizJarulQR.h"
#include "platform/os/Clock.h"
#include "platform/os/DayNumber.h"
#include "support/ActiveWindow.h"
#include "support/ListFixture.h"

namespace {

using testsupport::AddRows;
using testsupport::PageLines;

class ListKifizJarulTest : public testsupport::ListFixtureTest {
protected:
    void SetUp() override {
        ListFixtureTest::SetUp();
        AddRows(
            "MHely_001", {"MH_KOD", "MH_NEV", "MH_KHKOD"},
            {{"000001", "Központ", "000001"}, {"000002", "Telep", "000001"}, {"000009", "Kint", "000001"}});
        AddRows("Dolgozo_001", {"DG_TORZSSZAM", "DG_NEV", "DG_MHKOD"},
                {{"00000000001", "Kiss Anna", "000001"}, {"00000000002", "Nagy Béla", "000002"}});
        // clang-format off
        Payroll({"SF_DGTORZSSZAM", "SF_DGNEV",  "SF_HONAP", "SF_KIFIZDAT", "SF_JCKOD", "SF_OSSZEG", "SF_MHKOD"},
                {{"00000000001",   "Kiss Anna", 3,          "2019.03.05",  "270",      200000.0,    "000001"},
                 {"00000000001",   "Kiss Anna", 3,          "2019.03.05",  "320",      10000.4,     "000001"},
                 {"00000000001",   "Kiss Anna", 3,          "2019.03.05",  "321",      500.0,       "000001"},
                 {"00000000001",   "Kiss Anna", 3,          "2019.03.05",  "322",      99.5,        "000001"},
                 {"00000000001",   "Kiss Anna", 3,          "2019.03.05",  "300",      1000.0,      "000001"},
                 {"00000000001",   "Kiss Anna", 3,          "2019.03.05",  "301",      2000.0,      "000001"},
                 // a row of another workplace on a date chosen through an in-range row
                 {"00000000001",   "Kiss Anna", 3,          "2019.03.05",  "755",      150000.0,    "000009"},
                 {"00000000001",   "Kiss Anna", 3,          "2019.03.20",  "270",      50000.0,     "000001"},
                 {"00000000002",   "Nagy Béla", 3,          "2019.03.05",  "270",      100000.0,    "000002"},
                 {"00000000002",   "Nagy Béla", 3,          "2019.03.05",  "306",      4000.0,      "000002"},
                 // out of the workplace range: only this date, so the employee is not listed
                 {"00000000002",   "Nagy Béla", 3,          "2019.03.25",  "270",      777.0,       "000009"}});
        // clang-format on
    }

    void Start(TList_KifizJarulForm& form) { testsupport::Activate(form); }
    static double Day(int y, int m, int d) { return os::EncodeDate(y, m, d); }
};

TEST_F(ListKifizJarulTest, DefaultsAndTheStartButton) {
    TList_KifizJarulForm form;
    Start(form);
    EXPECT_EQ(form.windowTitle(), "Kifizetési listák/Kifizetési lista levonásokkal");
    EXPECT_EQ(form.Month("CurrencyEdit1"), 3);
    EXPECT_EQ(form.Month("CurrencyEdit2"), 3);
    EXPECT_EQ(form.Date("DateEdit1"), Day(2019, 3, 1));
    EXPECT_EQ(form.Date("DateEdit2"), Day(2019, 3, 25));
    EXPECT_EQ(form.Text("MaskEdit1"), "000001");
    EXPECT_EQ(form.Text("MaskEdit2"), "000009");
    EXPECT_EQ(form.Text("MaskEdit5"), "00000000001");
    EXPECT_EQ(form.Text("MaskEdit6"), "00000000002");
    EXPECT_FALSE(form.Checked("CheckBox1"));
    EXPECT_TRUE(form.Checked("CheckBoxListaDatum"));
    EXPECT_TRUE(form.BitBtn1->isEnabled());

    TCurrencyEdit* ig = form.MonthEdit("CurrencyEdit2");
    ig->clear();
    EXPECT_FALSE(form.BitBtn1->isEnabled());
}

TEST_F(ListKifizJarulTest, ItemizedDatesWithColumnsRoundedOnceALine) {
    os::FixedClock clock(Day(2019, 4, 1));
    TList_KifizJarulForm form;
    Start(form);
    form.SetValue("MaskEdit2", "000002");
    form.Check("CheckBox1")->setChecked(true);
    const std::vector<QStringList> pages = Run(form);
    ASSERT_EQ(pages.size(), 1u);
    const QStringList& p = pages[0];
    EXPECT_TRUE(p.contains("Hónap : | 03 - 03")) << p.join("\n").toStdString();
    EXPECT_TRUE(
        p.contains("Kifiz. dátum | Munkabér | Kereset | SZJA | NYJ 10% | EBJ term 4% | EBJ pénz 3% | "
                   "MPJ d. 1,5% | Nettó"));
    EXPECT_TRUE(p.contains("00000000001 | Kiss Anna"));
    // SZJA 10 000.4 + 500 + 99.5 = 10 599.9 rounds once to 10 600; 300 and 301
    // share "NYJ 10%"; the 755 row of workplace 000009 counts.
    EXPECT_TRUE(p.contains("2019.03.05 | 200000 | 0 | 10600 | 3000 | 0 | 0 | 0 | 150000"));
    EXPECT_TRUE(p.contains("2019.03.20 | 50000 | 0 | 0 | 0 | 0 | 0 | 0 | 0"));
    EXPECT_TRUE(p.contains("Összesen : | 250000 | 0 | 10600 | 3000 | 0 | 0 | 0 | 150000"));
    EXPECT_TRUE(p.contains("00000000002 | Nagy Béla"));
    EXPECT_TRUE(p.contains("2019.03.05 | 100000 | 0 | 0 | 0 | 4000 | 0 | 0 | 0"));
    EXPECT_FALSE(p.join("\n").contains("777"));
    EXPECT_EQ(p.last(), "Összesen : | 350000 | 0 | 10600 | 3000 | 4000 | 0 | 0 | 150000");
}

TEST_F(ListKifizJarulTest, UnticedTheDatesTakeNoRoomButStillCount) {
    os::FixedClock clock(Day(2019, 4, 1));
    TList_KifizJarulForm form;
    Start(form);
    form.SetValue("MaskEdit2", "000002");
    const std::vector<QStringList> pages = Run(form);
    ASSERT_EQ(pages.size(), 1u);
    const QStringList& p = pages[0];
    EXPECT_FALSE(p.join("\n").contains("2019.03.05"));
    EXPECT_FALSE(p.join("\n").contains("Kifiz. dátum"));
    const int anna = p.indexOf("00000000001 | Kiss Anna");
    ASSERT_GE(anna, 0);
    EXPECT_EQ(p[anna + 1], "250000 | 0 | 10600 | 3000 | 0 | 0 | 0 | 150000");
    EXPECT_EQ(p.last(), "Összesen : | 350000 | 0 | 10600 | 3000 | 4000 | 0 | 0 | 150000");
}

TEST_F(ListKifizJarulTest, AGrandTotalBeyond32BitsIsAnErrorNotAWrappedNumber) {
    // clang-format off
    Payroll({"SF_DGTORZSSZAM", "SF_DGNEV",  "SF_HONAP", "SF_KIFIZDAT", "SF_JCKOD", "SF_OSSZEG",  "SF_MHKOD"},
            {{"00000000001",   "Kiss Anna", 3,          "2019.03.06",  "271",      2000000000.0, "000001"},
             {"00000000002",   "Nagy Béla", 3,          "2019.03.06",  "271",      2000000000.0, "000002"}});
    // clang-format on
    TList_KifizJarulForm form;
    Start(form);
    // The error reaches the application's handler, as every query list's.
    testsupport::AnswerPreview(dialogs, [](TNyomtatasForm&) {});
    EXPECT_THROW(form.BitBtn1->click(), std::overflow_error);
    EXPECT_FALSE(form.BitBtn1->isEnabled());
    EXPECT_EQ(DM1->Query1->SQL(), "");
    EXPECT_EQ(form.List_KifizJarulQRForm->Query3.SQL(), "");
}

TEST_F(ListKifizJarulTest, ExportsToPdf) {
    os::FixedClock clock(Day(2019, 4, 1) + os::EncodeTime(8, 0, 0));
    TList_KifizJarulForm form;
    Start(form);
    testsupport::PdfExport pdf(dialogs);
    form.BitBtn1->click();
    pdf.Check();
    EXPECT_EQ(pdf.pages, 1);
}

}  // namespace
