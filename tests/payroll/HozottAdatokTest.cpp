// Brought-forward amounts entered the way a bookkeeper enters them.
#include "payroll/HozottAdatok.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "controls/ComboEdits.h"
#include "controls/NumEdits.h"
#include "core/PickList.h"
#include "platform/os/DayNumber.h"
#include "platform/ui/DatasetGrid.h"
#include "support/ActiveWindow.h"
#include "support/DialogTest.h"
#include "support/TestCompany.h"

namespace {

using enginetest::WriteRows;

TEST(HozottAlapDatum, ThirdOfTheNextMonthInTheValueSetsYear) {
    struct Case {
        const char* year;
        int month;
        const char* date;
    };
    const Case cases[] = {{"2019", 3, "2019.04.03"},
                          {"2019", 9, "2019.10.03"},
                          {"2019", 12, "2020.01.03"},
                          {" 2019 ", 1, "2019.02.03"}};
    for (const Case& c : cases)
        EXPECT_EQ(os::DateToText(HozottAlapDatum(c.year, c.month)), c.date) << c.month;
    EXPECT_EQ(HozottAlapDatum("", 3), 0);
}

class HozottAdatokTest : public testsupport::YearFolderTest {
protected:
    void SetUp() override {
        YearFolderTest::SetUp();
        testsupport::MakeCompany("001", "Próba Kft", "Próba");
        dm->SetCompanyTableNames("001");
        WriteRows(AktualisAlias, "Ertekkeszlet_001",
                  {{"EK_TIPUS", "EK_ERTEK", "EK_ERTEKNEV", "EK_ERTEKCHAR"}, {"0", "04", "Év", "2019"}});
        WriteRows(AktualisAlias, "MHely_001",
                  {{"MH_KOD", "MH_NEV", "MH_KHKOD"}, {"000001", "Iroda", "000100"}});
        WriteRows(AktualisAlias, "Dolgozo_001",
                  {{"DG_TORZSSZAM", "DG_NEV", "DG_MHKOD"}, {"00001", "Havi Anna", "000001"}});
        WriteRows(AktualisAlias, "Jogcim_001",
                  {{"JC_KOD", "JC_NEV", "JC_TIPUS"},
                   {"800", "Hozott jövedelem", "1"},
                   {"805", "Hozott járulék", "8"},
                   {"810", "Hozott adó", "6"}});
        // A payroll row of the same month and date, which the form never touches.
        WriteRows(AktualisAlias, "Szamfejt_001",
                  {{"SF_DGTORZSSZAM", "SF_HONAP", "SF_KIFIZDAT", "SF_JCKOD", "SF_SORSZAM", "SF_OSSZEG"},
                   {"00001", "12", "2020.01.03", "100", "1", "300000"}});
    }

    std::unique_ptr<THozottAdatokForm> Open() { return testsupport::OpenActive<THozottAdatokForm>(); }
    // Month 12, employee 00001, and the amounts typed into the lines in order.
    static void Enter(THozottAdatokForm& form, const std::vector<const char*>& amounts) {
        form.CurrencyEdit1->setFocus();
        form.CurrencyEdit1->SetValue(12);
        form.MaskEdit4->setFocus();
        QTest::keyClicks(form.MaskEdit4, "00001");
        QTest::keyClick(form.MaskEdit4, Qt::Key_Return);
        ui::DatasetGridModel* m = form.DBGrid1->Model();
        for (size_t i = 0; i < amounts.size(); ++i) EXPECT_TRUE(m->setData(m->index(int(i), 2), amounts[i]));
    }
    std::vector<std::string> Saved() {
        db::Query q;
        q.DatabaseName = AktualisAlias;
        q.SetSQL(
            "SELECT SF_JCKOD, SF_SORSZAM, SF_OSSZEG FROM \"Szamfejt_001\" ORDER BY SF_SORSZAM, SF_JCKOD");
        q.Open();
        std::vector<std::string> out;
        for (q.First(); !q.Eof(); q.Next())
            out.push_back(q.FieldByName("SF_JCKOD").AsString() + "/" +
                          q.FieldByName("SF_SORSZAM").AsString() + "/" +
                          q.FieldByName("SF_OSSZEG").AsString());
        return out;
    }

    testsupport::ScriptedDialogs dialogs;
};

TEST_F(HozottAdatokTest, NonZeroLinesAreNumberedFrom8001AndKeptOnesAreNeverCollidedWith) {
    auto form = Open();
    Enter(*form, {"1000", "0.4", "2000", "3000"});
    EXPECT_EQ(form->DateEdit1->Text().toStdString(), "2020.01.03");
    ASSERT_TRUE(form->SzamfejtesFolyamatban);
    ASSERT_EQ(form->DBGrid1->Model()->rowCount(), 4);  // 800, 805, 810 and the shipped 820
    form->BitBtn11->click();
    EXPECT_FALSE(form->SzamfejtesFolyamatban);
    EXPECT_EQ(Saved(),
              (std::vector<std::string>{"100/1/300000", "800/8001/1000", "810/8002/2000", "820/8003/3000"}));

    // No keeps the earlier rows; the new ones follow them.
    dialogs.Answer(ui::No);
    Enter(*form, {"500", "", "", "700"});
    form->BitBtn11->click();
    EXPECT_EQ(dialogs.Text(0), "Törölni szeretné a tárgyhavi hozott adatokat?");
    EXPECT_EQ(Saved(), (std::vector<std::string>{"100/1/300000", "800/8001/1000", "810/8002/2000",
                                                 "820/8003/3000", "800/8004/500", "820/8005/700"}));

    // Yes replaces them.
    dialogs.Answer(ui::Yes);
    Enter(*form, {"", "42"});
    form->BitBtn11->click();
    EXPECT_EQ(Saved(), (std::vector<std::string>{"100/1/300000", "805/8001/42"}));

    dialogs.Answer(ui::Yes);
    form->BitBtn10->click();
    EXPECT_FALSE(form->isVisible());
}

// F2 opens the lines of the chosen employee by itself, also when the form is
// not active again yet after the list (no focus-out comes then).
TEST_F(HozottAdatokTest, PickOpensTheLinesWhileTheFormIsNotActiveYet) {
    auto form = Open();
    form->MaskEdit4->setFocus();
    dialogs.AnswerModal([](QDialog& d) {
        QTest::keyClick(static_cast<PickListDialog&>(d).DBGrid1, Qt::Key_Return);
        QApplication::setActiveWindow(nullptr);
        return 0;
    });
    QTest::keyClick(form->MaskEdit4, Qt::Key_F2);
    EXPECT_TRUE(form->SzamfejtesFolyamatban);
    EXPECT_EQ(form->Label4->text().toStdString(), "Havi Anna");
    EXPECT_EQ(form->DBGrid1->Model()->rowCount(), 4);
}

}  // namespace
