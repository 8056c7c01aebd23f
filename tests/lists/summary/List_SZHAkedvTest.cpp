// The allowance summary: months, allowance codes with their 328 totals and
// every row carrying the code, chained; the whole span preselected, codes
// looked up within value-set type "9".
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "lists/summary/List_SZHAkedv.h"
#include "lists/summary/List_SZHAkedvQR.h"
#include "platform/os/Clock.h"
#include "platform/os/DayNumber.h"
#include "platform/report/PageText.h"
#include "support/Golden.h"
#include "support/ListFixture.h"

namespace {

using testsupport::AddRows;
using testsupport::PageLines;

class ListSZHAkedvTest : public testsupport::ListFixtureTest {
protected:
    void SetUp() override {
        ListFixtureTest::SetUp();
        AddRows("MHely_001", {"MH_KOD", "MH_NEV", "MH_KHKOD"}, {{"000001", "Központ", "000001"}});
        AddRows("KifHely_001", {"KH_KOD", "KH_NEV"}, {{"000001", "Pénztár"}});
        AddRows("Dolgozo_001", {"DG_TORZSSZAM", "DG_NEV", "DG_MHKOD"},
                {{"00000000001", "Kiss Anna", "000001"}, {"00000000002", "Nagy Béla", "000001"}});
        // The company's own allowance codes in place of the shipped ones.
        {
            db::Table ek;
            ek.DatabaseName = AktualisAlias;
            ek.TableName = "Ertekkeszlet_001";
            ek.Open();
            while (ek.Locate("EK_TIPUS", db::Variant("9"))) ek.Delete();
        }
        // "07" has a name of type "8" only.
        AddRows("Ertekkeszlet_001", {"EK_TIPUS", "EK_ERTEK", "EK_ERTEKNEV"},
                {{"9", "01", "Pályakezdő"}, {"9", "04", "Tartósan álláskereső"}, {"8", "07", "Más típus"}});
    }

    // Rows of workplace and payment place "000001".
    void Rows(const testsupport::RowTable& rows) {
        std::vector<std::vector<db::Variant>> all;
        for (auto r : rows) {
            r.push_back("000001");
            r.push_back("000001");
            all.push_back(r);
        }
        Payroll({"SF_DGTORZSSZAM", "SF_DGNEV", "SF_HONAP", "SF_KIFIZDAT", "SF_JCKOD", "SF_JCNEV", "SF_OSSZEG",
                 "SF_SZHAKEDVKOD", "SF_MHKOD", "SF_DGKHKOD"},
                all);
    }

    void Start(TList_SZHAkedvForm& form) { Show(form); }

    std::vector<QStringList> Run(TList_SZHAkedvForm& form) {
        std::vector<QStringList> pages = ListFixtureTest::Run(form);
        EXPECT_EQ(form.List_SZHAkedvQRForm->Query1.SQL(), "");
        return pages;
    }
    static double Day(int y, int m, int d) { return os::EncodeDate(y, m, d); }
};

TEST_F(ListSZHAkedvTest, DefaultsSpanEverySavedValue) {
    // clang-format off
    Rows({{"00000000002", "Nagy Béla", 2, "2019.02.05", "270", "Munkabér", 100000.0, ""},
          {"00000000001", "Kiss Anna", 5, "2019.05.06", "270", "Munkabér", 100000.0, ""}});
    // clang-format on
    TList_SZHAkedvForm form;
    Start(form);
    EXPECT_EQ(form.windowTitle(), "Összesítő listák/SZHA kedvezmény");
    EXPECT_EQ(form.Month("CurrencyEdit1"), 2);
    EXPECT_EQ(form.Month("CurrencyEdit2"), 5);
    EXPECT_EQ(form.Date("DateEdit1"), Day(2019, 2, 5));
    EXPECT_EQ(form.Date("DateEdit2"), Day(2019, 5, 6));
    EXPECT_EQ(form.Text("MaskEdit5"), "00000000001");
    EXPECT_EQ(form.Text("MaskEdit6"), "00000000002");
    EXPECT_EQ(form.Text("MaskEdit7"), "01");
    EXPECT_EQ(form.Text("MaskEdit8"), "04");
    EXPECT_EQ(form.NameText("MaskEdit7"), "Pályakezdő");
    EXPECT_EQ(form.NameText("MaskEdit8"), "Tartósan álláskereső");
    EXPECT_TRUE(form.BitBtn1->isEnabled());
}

TEST_F(ListSZHAkedvTest, UnknownEmployeeOrAllowanceCodeIsRefused) {
    Rows({{"00000000001", "Kiss Anna", 3, "2019.03.05", "328", "SZHA kedv.", 5000.0, "01"}});
    // "07" exists only as another type.
    const std::vector<std::pair<QString, QString>> cases = {
        {"MaskEdit7", "99"}, {"MaskEdit8", "07"}, {"MaskEdit5", "00000000099"}};
    for (size_t i = 0; i < cases.size(); ++i) {
        const auto& [edit, code] = cases[i];
        SCOPED_TRACE(edit.toStdString());
        TList_SZHAkedvForm form;
        Start(form);
        QLineEdit* e = form.Edit(edit);
        e->setFocus(Qt::TabFocusReason);
        e->setText(code);
        dialogs.Answer(ui::Ok);
        QTest::keyClick(e, Qt::Key_Tab);
        EXPECT_EQ(dialogs.Text(static_cast<int>(i)), "Ez a kód nem létezik!");
        EXPECT_EQ(form.Text(edit), "");
        EXPECT_TRUE(e->hasFocus());
        EXPECT_FALSE(form.BitBtn1->isEnabled());
    }
}

TEST_F(ListSZHAkedvTest, MonthsCodesAndRowsWithTheAllowanceTotal) {
    os::FixedClock clock(Day(2019, 6, 3));
    // clang-format off
    Rows({{"00000000002", "Nagy Béla", 3, "2019.03.05", "328", "SZHA kedv.",   7000.0,  "04"},
          {"00000000001", "Kiss Anna", 3, "2019.03.05", "328", "SZHA kedv.",   5000.0,  "01"},
          // another item with the same code: listed, not in the total
          {"00000000001", "Kiss Anna", 3, "2019.03.05", "270", "Munkabér",     200000.0, "01"},
          {"00000000002", "Nagy Béla", 3, "2019.03.05", "270", "Munkabér",     150000.0, ""},
          // a code without a type-"9" name: in no group
          {"00000000002", "Nagy Béla", 4, "2019.04.05", "328", "SZHA kedv.",   3000.0,  "07"},
          {"00000000001", "Kiss Anna", 4, "2019.04.05", "328", "SZHA kedv.",   5000.5,  "01"},
          // a month without a 328 row
          {"00000000001", "Kiss Anna", 5, "2019.05.06", "270", "Munkabér",     200000.0, "01"}});
    // clang-format on
    TList_SZHAkedvForm form;
    Start(form);
    const std::vector<QStringList> pages = Run(form);
    const std::string& text = pagesText;
    ASSERT_EQ(pages.size(), 1u);
    const QStringList& p = pages[0];
    const QString all = p.join("\n");
    EXPECT_TRUE(p.contains("Hónap : | 3 - 5")) << all.toStdString();
    EXPECT_TRUE(p.contains("Kifiz. dát. : | 2019.03.05 - 2019.05.06"));
    EXPECT_TRUE(p.contains("SZHA kedv. kód : | 01 - 04"));
    const int m3 = p.indexOf("3");
    ASSERT_GE(m3, 0) << all.toStdString();
    const QStringList expected = {
        "3",
        "01 | Pályakezdő",
        "00000000001 | Kiss Anna | 270 | Munkabér | 200000",
        "00000000001 | Kiss Anna | 328 | SZHA kedv. | 5000",
        "kedvezmény összesen: | 5000",
        "04 | Tartósan álláskereső",
        "00000000002 | Nagy Béla | 328 | SZHA kedv. | 7000",
        "kedvezmény összesen: | 7000",
        "4",
        "01 | Pályakezdő",
        "00000000001 | Kiss Anna | 328 | SZHA kedv. | 5000.5",
        "kedvezmény összesen: | 5000.5",
    };
    EXPECT_EQ(p.mid(m3), expected);
    EXPECT_FALSE(all.contains("3000"));
    EXPECT_TRUE(testsupport::MatchesGolden("lists/summary/golden/List_SZHAkedvQR", "ket_honap", text,
                                           testsupport::Encoding::Utf8, "pages.txt"));
}

TEST_F(ListSZHAkedvTest, WithoutAllowanceRowsOnlyTheHeadings) {
    Rows({{"00000000001", "Kiss Anna", 3, "2019.03.05", "270", "Munkabér", 200000.0, "01"}});
    TList_SZHAkedvForm form;
    Start(form);
    const std::vector<QStringList> pages = Run(form);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0].last(), "Dolgozó | Jogcím | Összeg");
}

TEST_F(ListSZHAkedvTest, ExportsToPdf) {
    os::FixedClock clock(Day(2019, 6, 3) + os::EncodeTime(8, 0, 0));
    Rows({{"00000000001", "Kiss Anna", 3, "2019.03.05", "328", "SZHA kedv.", 5000.0, "01"}});
    TList_SZHAkedvForm form;
    Start(form);
    testsupport::PdfExport pdf(dialogs);
    form.BitBtn1->click();
    pdf.Check();
    EXPECT_EQ(pdf.pages, 1);
}

}  // namespace
