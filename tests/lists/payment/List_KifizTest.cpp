// The payment list and the cash denomination list of one payment date: the
// shared parameter form, a page per payment place with its payables and
// total, and the notes and coins each place needs, envelope by envelope.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "controls/ComboEdits.h"
#include "lists/payment/List_Cimletjegyz.h"
#include "lists/payment/List_CimletjegyzQR.h"
#include "lists/payment/List_Kifiz.h"
#include "platform/os/Clock.h"
#include "platform/os/DayNumber.h"
#include "platform/report/PageText.h"
#include "support/ActiveWindow.h"
#include "support/Golden.h"
#include "support/ListFixture.h"

namespace {

using testsupport::AddRows;
using testsupport::PageLines;

class ListKifizTest : public testsupport::ListFixtureTest {
protected:
    void SetUp() override {
        ListFixtureTest::SetUp();
        AddRows("KifHely_001", {"KH_KOD", "KH_NEV"},
                {{"000001", "Pénztár"}, {"000002", "Telephely"}, {"000003", "Iroda"}});
        // clang-format off
        Payroll({"SF_DGTORZSSZAM", "SF_DGNEV",   "SF_HONAP", "SF_KIFIZDAT", "SF_JCKOD", "SF_OSSZEG", "SF_DGKHKOD"},
                {{"00000000001",   "Kiss Anna",  3,          "2019.04.05",  "100",      15000.0,     "000001"},
                 {"00000000001",   "Kiss Anna",  3,          "2019.04.05",  "750",      15000.0,     "000001"},
                 {"00000000002",   "Nagy Béla",  3,          "2019.04.05",  "750",      5000.0,      "000001"},
                 {"00000000003",   "Tóth Ede",   3,          "2019.04.05",  "750",      12347.0,     "000002"},
                 {"00000000004",   "Szabó Éva",  3,          "2019.04.05",  "750",      -4000.0,     "000002"},
                 // a place with rows on the date but no payable
                 {"00000000005",   "Fekete Ida", 3,          "2019.04.05",  "100",      800.0,       "000003"},
                 // another payment date of the first place
                 {"00000000002",   "Nagy Béla",  3,          "2019.03.20",  "750",      7777.0,      "000001"}});
        // clang-format on
    }

    static std::unique_ptr<ListForm> Make(bool cimletjegyzek) {
        if (cimletjegyzek) return std::make_unique<TList_CimletjegyzForm>();
        return std::make_unique<TList_KifizForm>();
    }
    void Start(ListForm& form) { testsupport::Activate(form); }

    static double Day(int y, int m, int d) { return os::EncodeDate(y, m, d); }
};

TEST_F(ListKifizTest, BothFormsDefaultToTheLastPaymentDateAndThePlacesOfThePayroll) {
    for (const bool cimletjegyzek : {false, true}) {
        std::unique_ptr<ListForm> form = Make(cimletjegyzek);
        Start(*form);
        EXPECT_EQ(form->windowTitle(),
                  cimletjegyzek ? "Kifizetési listák/Címletjegyzék" : "Kifizetési listák/Kifizetési lista");
        EXPECT_EQ(form->Date("DateEdit1"), Day(2019, 4, 5));
        EXPECT_EQ(form->Text("MaskEdit3"), "000001");
        EXPECT_EQ(form->Text("MaskEdit4"), "000003");
        EXPECT_EQ(form->NameText("MaskEdit4"), "Iroda");
        EXPECT_TRUE(form->BitBtn1->isEnabled());

        QLineEdit* hely = form->Edit("MaskEdit3");
        hely->setFocus(Qt::TabFocusReason);
        hely->selectAll();
        QTest::keyClicks(hely, "999999");
        const size_t before = dialogs.Shown().size();
        dialogs.Answer(ui::Ok);
        QTest::keyClick(hely, Qt::Key_Tab);
        ASSERT_EQ(dialogs.Shown().size(), before + 1);
        EXPECT_EQ(dialogs.Text(before), "Ilyen kifizető hely nem létezik!");
        EXPECT_EQ(form->Text("MaskEdit3"), "");
        EXPECT_FALSE(form->BitBtn1->isEnabled());
        form->close();
    }
}

TEST_F(ListKifizTest, PaymentListPrintsAPagePerPlaceWithThatDatesPayables) {
    os::FixedClock clock(Day(2019, 4, 6));
    TList_KifizForm form;
    Start(form);
    form.SetValue("MaskEdit4", "000002");
    const std::vector<QStringList> pages = Run(form);
    ASSERT_EQ(pages.size(), 2u);

    EXPECT_TRUE(pages[0].contains("Kifizetési lista"));
    EXPECT_TRUE(pages[0].contains("Kifizető hely : | Pénztár"));
    EXPECT_TRUE(pages[0].contains(
        "00000000001 | Kiss Anna | 2019.04.05 | 15000 | ..................................."));
    EXPECT_TRUE(pages[0].contains(
        "00000000002 | Nagy Béla | 2019.04.05 | 5000 | ..................................."));
    EXPECT_TRUE(pages[0].contains("Kifizetőhely összesen : | 20000 | ..................................."));
    EXPECT_FALSE(pages[0].join("\n").contains("7777"));  // another payment date
    EXPECT_FALSE(pages[0].join("\n").contains("Tóth"));

    EXPECT_TRUE(pages[1].contains("Kifizető hely : | Telephely"));
    EXPECT_TRUE(pages[1].contains(
        "00000000004 | Szabó Éva | 2019.04.05 | -4000 | ..................................."));
    EXPECT_TRUE(pages[1].contains("Kifizetőhely összesen : | 8347 | ..................................."));
}

TEST_F(ListKifizTest, DenominationsFillEveryEnvelopeOnOnePage) {
    os::FixedClock clock(Day(2019, 4, 6));
    TList_CimletjegyzForm form;
    Start(form);
    const std::vector<QStringList> pages = Run(form);
    ASSERT_EQ(pages.size(), 1u);
    const QStringList& p = pages[0];
    EXPECT_TRUE(p.contains("Kifiz. dat. : | 2019.04.05"));
    EXPECT_TRUE(p.contains("Kifiz. hely : | 000001 - 000003"));

    const QString cimek = "Címlet : | 20e | 10e | 5000 | 2000 | 1000 | 500 | 200 | 100 | 50 | 20 | 10 | 5";
    EXPECT_EQ(p.count(cimek), 4);  // three places and the summary; no "2" and "1" columns
    // 15 000 and 5 000 are two envelopes: 1 x 10000 and 2 x 5000, not 1 x 20000.
    const int elso = p.indexOf("Kifizetőhely : | 000001 | 20000");
    ASSERT_GE(elso, 0) << p.join("\n").toStdString();
    EXPECT_EQ(p[elso + 2], "0 | 1 | 2 | 0 | 0 | 0 | 0 | 0 | 0 | 0 | 0 | 0");
    // 12 347 is 10000, 2000, 200, 100, 2 x 20 and 5 (the 2 forints are not
    // printed); the -4 000 payable lowers the total and splits into nothing.
    const int masodik = p.indexOf("Kifizetőhely : | 000002 | 8347");
    ASSERT_GE(masodik, 0);
    EXPECT_EQ(p[masodik + 2], "0 | 1 | 0 | 1 | 0 | 0 | 1 | 1 | 0 | 2 | 0 | 1");
    // Rows on the date but no payable: the code, 0 and zero counts.
    const int harmadik = p.indexOf("Kifizetőhely : | 000003 | 0");
    ASSERT_GE(harmadik, 0);
    EXPECT_EQ(p[harmadik + 2], "0 | 0 | 0 | 0 | 0 | 0 | 0 | 0 | 0 | 0 | 0 | 0");
    const int osszes = p.indexOf("Összesen : | 28347");
    ASSERT_GE(osszes, 0);
    EXPECT_EQ(p[osszes + 2], "0 | 2 | 2 | 1 | 0 | 0 | 1 | 1 | 0 | 2 | 0 | 1");
    EXPECT_TRUE(testsupport::MatchesGolden("lists/payment/golden/List_Cimletjegyz", "harom_hely", pagesText,
                                           testsupport::Encoding::Utf8, "pages.txt"));
}

TEST(Cimletek, OnlyAPositivePayableIsSplit) {
    struct Eset {
        double kifizetendo;
        double osszeg;
        long long tizezres, otos, kettes;
    };
    // clang-format off
    const Eset esetek[] = {
        {12347,   12347, 1, 1, 1},  // the 2 forints are counted, only not printed
        {12346.6, 12346.6, 1, 1, 1},  // split after rounding to whole forints
        {0,       0,     0, 0, 0},
        {-4000,   -4000, 0, 0, 0},
    };
    // clang-format on
    for (const Eset& e : esetek) {
        Cimletek c;
        c.Hozzaad(e.kifizetendo);
        EXPECT_EQ(c.osszeg, e.osszeg) << e.kifizetendo;
        EXPECT_EQ(c.darab[1], e.tizezres) << e.kifizetendo;
        EXPECT_EQ(c.darab[11], e.otos) << e.kifizetendo;
        EXPECT_EQ(c.darab[12], e.kettes) << e.kifizetendo;
    }
}

TEST_F(ListKifizTest, BothListsExportToPdf) {
    os::FixedClock clock(Day(2019, 4, 6) + os::EncodeTime(9, 0, 0));
    for (const bool cimletjegyzek : {false, true}) {
        std::unique_ptr<ListForm> form = Make(cimletjegyzek);
        Start(*form);
        testsupport::PdfExport pdf(dialogs);
        form->BitBtn1->click();
        pdf.Check();
        EXPECT_EQ(pdf.pages, cimletjegyzek ? 1 : 3);
        form->close();
    }
}

}  // namespace
