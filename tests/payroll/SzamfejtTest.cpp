// The payroll run form driven the way a bookkeeper drives it, on a company
// with the shipped 2019 catalogue and parameters.
#include "payroll/Szamfejt.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <csignal>

#include "controls/ComboEdits.h"
#include "controls/DBControls.h"
#include "controls/DBDateEdits.h"
#include "controls/NumEdits.h"
#include "core/PickList.h"
#include "payroll/UjJogcim.h"
#include "platform/os/Clock.h"
#include "platform/os/DayNumber.h"
#include "platform/ui/DatasetGrid.h"
#include "support/ActiveWindow.h"
#include "support/DialogTest.h"
#include "support/TestCompany.h"

namespace {

using enginetest::WriteRows;

TEST(KifizDatum, PaydayOfTheMonthOrOfTheNext) {
    struct Case {
        const char* payday;
        int month;
        const char* date;
    };
    const Case cases[] = {
        {"10", 5, "2019.06.10"},  {"25", 5, "2019.05.25"}, {"31", 2, "2019.02.28"},
        {"05", 12, "2020.01.05"}, {"", 4, "2019.04.30"},   {"31", 4, "2019.04.30"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(os::DateToText(KifizDatum(c.payday, c.month, 2019)), c.date) << c.payday << " " << c.month;
}

TEST(KifizDatum, DefaultMonthWaitsForAnEarlyPayday) {
    struct Case {
        const char* today;
        const char* payday;
        int month;
    };
    const Case cases[] = {
        {"2019.05.03", "05", 4},
        {"2019.01.03", "05", 1},
        {"2019.05.07", "10", 5},
        {"2019.05.05", "05", 5},
    };
    for (const Case& c : cases) {
        double today = 0;
        ASSERT_TRUE(os::TextToDate(c.today, today));
        EXPECT_EQ(AlapHonap(today, c.payday), c.month) << c.today << " " << c.payday;
    }
}

// Company 001 with the shipped reference data, workplace 000001 and three
// monthly-paid employees; the clock stands in February 2019 (no holiday).
class SzamfejtTest : public testsupport::YearFolderTest {
protected:
    void SetUp() override {
        YearFolderTest::SetUp();
        testsupport::MakeCompany("001", "Próba Kft", "Próba");
        dm->SetCompanyTableNames("001");
        WriteRows(AktualisAlias, "MHely_001",
                  {{"MH_KOD", "MH_NEV", "MH_KHKOD"}, {"000001", "Iroda", "000100"}});
        // clang-format off
        WriteRows(AktualisAlias, "Dolgozo_001", {
            {"DG_TORZSSZAM", "DG_NEV",        "DG_MHKOD", "DG_BELEPDAT", "DG_KILEPDAT", "DG_BERFORM", "DG_ALKMIN", "DG_ALAPBER", "DG_NAPIKOTORA", "DG_NYUGJAR", "DG_EGBIZJARTERM", "DG_EGBIZJARPENZ", "DG_MPJDOLG", "DG_SZHA", "DG_SZABKER", "DG_BETEGSZABKER"},
            {"00001",        "Havi Anna",     "000001",   "2015.01.01",  "",            "1",          "1",         "300000",     "8",             "I",          "I",               "I",               "I",          "I",       "20",         "15"},
            {"00002",        "Kilépett Béla", "000001",   "2015.01.01",  "2019.01.31",  "1",          "1",         "200000",     "8",             "I",          "I",               "I",               "I",          "I",       "20",         "15"},
            {"00003",        "Harmadik Cili", "000001",   "2015.01.01",  "",            "1",          "1",         "250000",     "8",             "I",          "I",               "I",               "I",          "I",       "20",         "15"},
        });
        // clang-format on
    }

    std::unique_ptr<TSzamfejtForm> Open(int mode = 0) {
        auto form = std::make_unique<TSzamfejtForm>();
        form->SzamfejtBeallit(mode);
        testsupport::Activate(*form);
        return form;
    }
    // A payment date typed: the month edit is left first (which proposes its own).
    static void SetDate(TSzamfejtForm& form, int y, int m, int d) {
        form.DateEdit1->setFocus();
        form.DateEdit1->SetDateValue(os::EncodeDate(y, m, d));
    }
    // Types the employee (or workplace) and presses Enter: the run starts.
    static void Start(QLineEdit* edit, const char* number) {
        edit->setFocus();
        QTest::keyClicks(edit, number);
        QTest::keyClick(edit, Qt::Key_Return);
    }
    // The grid's rows as "code amount" with the amount as shown.
    static std::vector<std::string> Shown(TSzamfejtForm& form) {
        std::vector<std::string> out;
        ui::DatasetGridModel* m = form.DBGrid1->Model();
        for (int r = 0; r < m->rowCount(); ++r)
            out.push_back(m->data(m->index(r, 0)).toString().toStdString() + " " +
                          m->data(m->index(r, 4)).toString().toStdString());
        return out;
    }
    static bool Has(const std::vector<std::string>& rows, const std::string& row) {
        return std::find(rows.begin(), rows.end(), row) != rows.end();
    }
    static bool HasCode(const std::vector<std::string>& rows, const std::string& code) {
        return std::any_of(rows.begin(), rows.end(),
                           [&](const std::string& r) { return r.rfind(code + " ", 0) == 0; });
    }
    // The saved rows of an employee as "code/number/amount", in key order.
    std::vector<std::string> Saved(const char* employee) {
        db::Query q;
        q.DatabaseName = AktualisAlias;
        q.SetSQL(
            "SELECT SF_JCKOD, SF_SORSZAM, SF_OSSZEG, SF_KIFIZDAT FROM \"Szamfejt_001\" WHERE SF_DGTORZSSZAM "
            "= :e "
            "ORDER BY SF_HONAP, SF_KIFIZDAT, SF_JCKOD, SF_SORSZAM");
        q.ParamByName("e").SetAsString(employee);
        q.Open();
        std::vector<std::string> out;
        for (q.First(); !q.Eof(); q.Next())
            out.push_back(q.FieldByName("SF_JCKOD").AsString() + "/" +
                          q.FieldByName("SF_SORSZAM").AsString() + "/" +
                          q.FieldByName("SF_OSSZEG").AsString());
        return out;
    }
    void AddBroughtForward(const char* employee, const char* code, long long number, double amount,
                           const char* date) {
        WriteRows(AktualisAlias, "Szamfejt_001",
                  {{"SF_DGTORZSSZAM", "SF_HONAP", "SF_KIFIZDAT", "SF_JCKOD", "SF_SORSZAM", "SF_OSSZEG"},
                   {employee, "2", date, code, std::to_string(number), std::to_string(amount)}});
    }

    os::FixedClock clock{os::EncodeDate(2019, 2, 15)};
    testsupport::ScriptedDialogs dialogs;
};

TEST_F(SzamfejtTest, RunShowsFormattedRowsSavesThemAndLoadsThemAgain) {
    auto form = Open();
    EXPECT_EQ(form->CurrencyEdit1->Value(), 2);
    EXPECT_EQ(form->DateEdit1->Text().toStdString(), "2019.02.28");
    EXPECT_FALSE(form->BitBtn11->isEnabled());
    Start(form->MaskEdit4, "00001");
    ASSERT_TRUE(form->SzamfejtesFolyamatban);
    EXPECT_EQ(form->Label6->text().toStdString(), "Havi Anna");
    std::vector<std::string> rows = Shown(*form);
    EXPECT_TRUE(Has(rows, "100 300 000")) << rows.size();
    EXPECT_TRUE(Has(rows, "320 45 000"));
    EXPECT_FALSE(HasCode(rows, "102"));
    EXPECT_EQ(form->Osszesen[0]->text().toStdString(), "300000");
    EXPECT_EQ(form->Osszesen[8]->text().toStdString(), "199500");
    EXPECT_TRUE(form->MaskEdit4->isReadOnly());

    form->BitBtn11->click();
    EXPECT_FALSE(form->SzamfejtesFolyamatban);
    EXPECT_TRUE(form->Osszesen[8]->text().isEmpty());
    const std::vector<std::string> saved = Saved("00001");
    ASSERT_EQ(saved.size(), rows.size());
    std::vector<std::string> numbers;
    for (size_t i = 0; i < saved.size(); ++i)
        EXPECT_EQ(saved[i].substr(saved[i].find('/') + 1, saved[i].rfind('/') - saved[i].find('/') - 1),
                  std::to_string(i + 1))
            << saved[i];
    // The table's own text of an amount stays plain.
    db::Table& t = *DM1->TableSzamfejt;
    ASSERT_TRUE(t.Locate("SF_DGTORZSSZAM;SF_JCKOD", {db::Variant("00001"), db::Variant("100")}));
    EXPECT_EQ(t.FieldByName("SF_OSSZEG").AsString(), "300000");

    // The same employee, month and date again: the saved rows, not a new
    // calculation (a saved amount changed by hand shows as it is).
    t.Edit();
    t.FieldByName("SF_OSSZEG").SetAsFloat(1234567);
    t.Post();
    dialogs.Answer(ui::Ok);
    Start(form->MaskEdit4, "00001");
    EXPECT_EQ(dialogs.Text(0),
              "Az adott hónapra már létezik számfejtés!\n\nA hónap számfejtései : \n2019.02.28");
    rows = Shown(*form);
    EXPECT_TRUE(Has(rows, "100 1 234 567"));
    EXPECT_EQ(rows.size(), saved.size());
    form->BitBtn9->click();

    // A second payment date of the month: the dates, no second base wage.
    SetDate(*form, 2019, 3, 5);
    dialogs.Answer(ui::Ok);
    Start(form->MaskEdit4, "00001");
    EXPECT_EQ(dialogs.Text(1),
              "Az adott hónapra már létezik számfejtés!\n\nA hónap számfejtései : \n2019.02.28");
    rows = Shown(*form);
    EXPECT_FALSE(HasCode(rows, "100"));
    EXPECT_TRUE(HasCode(rows, "750"));

    // Closing with the run open asks; No keeps the form.
    dialogs.Answer(ui::No);
    form->BitBtn10->click();
    EXPECT_TRUE(form->isVisible());
    dialogs.Answer(ui::Yes);
    form->BitBtn10->click();
    EXPECT_FALSE(form->isVisible());
}

TEST_F(SzamfejtTest, EarlierDateNamesTheLastRunAndBroughtForwardRowsStayApart) {
    // Only a brought-forward row in February: the month is not computed.
    AddBroughtForward("00001", "820", 8001, 777, "2019.03.03");
    auto form = Open();
    Start(form->MaskEdit4, "00001");
    EXPECT_TRUE(Has(Shown(*form), "100 300 000"));
    form->BitBtn11->click();

    // Run again on the brought-forward row's date: it is not loaded, and
    // "Számf. törlés" then "Rögzítés" removes the payroll rows only.
    SetDate(*form, 2019, 3, 3);
    dialogs.Answer(ui::Ok);
    Start(form->MaskEdit4, "00001");
    EXPECT_FALSE(HasCode(Shown(*form), "820"));
    EXPECT_FALSE(HasCode(Shown(*form), "100"));
    form->BitBtn11->click();
    EXPECT_TRUE(Has(Saved("00001"), "820/8001/777"));
    SetDate(*form, 2019, 3, 3);
    dialogs.Answer(ui::Ok);
    Start(form->MaskEdit4, "00001");
    form->BitBtn12->click();
    EXPECT_TRUE(Shown(*form).empty());
    form->BitBtn11->click();
    const std::vector<std::string> saved = Saved("00001");
    EXPECT_TRUE(Has(saved, "820/8001/777"));
    EXPECT_TRUE(Has(saved, "100/1/300000"));  // the first date's rows stay

    // An earlier date than the last saved one names that date.
    SetDate(*form, 2019, 2, 20);
    dialogs.Answer(ui::Ok);
    Start(form->MaskEdit4, "00001");
    EXPECT_EQ(dialogs.Text(2),
              "Az adott hónapra már létezik számfejtés!\n\nAz utolsó számfejtés dátuma : 2019.02.28\n\n"
              "A hónap számfejtései : \n2019.02.28");
    form->BitBtn9->click();
}

// A save killed halfway (the process dies after its third new row) leaves
// the saved rows of the run as they were.
TEST_F(SzamfejtTest, SaveKilledHalfwayLeavesTheSavedRows) {
    auto form = Open();
    Start(form->MaskEdit4, "00001");
    form->BitBtn11->click();
    const std::vector<std::string> before = Saved("00001");
    ASSERT_FALSE(before.empty());
    const pid_t pid = fork();
    if (pid == 0) {
        try {
            payroll::RunLoader loader({AktualisAlias, ElozoEviAlias, "001", 2019});
            payroll::RunContext ctx = loader.Load("00001", 2, os::EncodeDate(2019, 2, 28));
            payroll::PayrollRun run(ctx);
            payroll::Szamf(run);
            db::Table t;
            t.DatabaseName = AktualisAlias;
            t.TableName = "Szamfejt_001";
            int posts = 0;
            t.AfterPost = [&posts](db::Dataset&) {
                if (++posts == 3) kill(getpid(), SIGKILL);
            };
            payroll::SaveRun(run, t);
        } catch (...) {
        }
        _exit(0);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(Saved("00001"), before);
}

// The payroll table damaged while the form is open: the start names the
// table as damaged, and no run is left whose "Rögzítés" would save it.
TEST_F(SzamfejtTest, ADamagedPayrollTableStopsTheStartNamingTheTable) {
    auto form = Open();
    testsupport::WriteBytes(DM1->TableSzamfejt->FilePath(), std::string(3000, 'x'));
    dialogs.Answer(ui::Ok);
    Start(form->MaskEdit4, "00001");
    EXPECT_NE(dialogs.Text(0).find("Szamfejt_001: A tábla megsérült!"), std::string::npos) << dialogs.Text(0);
    EXPECT_FALSE(form->SzamfejtesFolyamatban);
    EXPECT_FALSE(form->BitBtn11->isEnabled());
}

TEST_F(SzamfejtTest, GroupRunWalksTheWorkplaceAndSkipsWhoLeft) {
    auto form = Open(1);
    EXPECT_FALSE(form->MaskEdit4->isEnabled());
    Start(form->MaskEdit3, "000001");
    EXPECT_EQ(form->MaskEdit4->text().trimmed().toStdString(), "00001");
    ASSERT_TRUE(form->SzamfejtesFolyamatban);
    dialogs.Answer(ui::Ok);
    form->BitBtn11->click();
    EXPECT_EQ(dialogs.Text(0), "A dolgozó kilépett, egyedi számfejtésben számfejthető!");
    EXPECT_EQ(form->MaskEdit4->text().trimmed().toStdString(), "00003");
    EXPECT_TRUE(Has(Shown(*form), "100 250 000"));
    dialogs.Answer(ui::Ok);
    form->BitBtn11->click();
    EXPECT_EQ(dialogs.Text(1), "Nincs több dolgozó!");
    EXPECT_FALSE(form->SzamfejtesFolyamatban);
    EXPECT_FALSE(Saved("00001").empty());
    EXPECT_TRUE(Saved("00002").empty());
    EXPECT_FALSE(Saved("00003").empty());
}

// A pick starts the run by itself. The list answers with the form left
// inactive, as a window manager leaves it when the list closes: a focus
// change then sends no focus-out, so nothing may wait for one.
TEST_F(SzamfejtTest, PickStartsTheRunWhileTheFormIsNotActiveYet) {
    struct Case {
        int mode;
        bool workplace;
        Qt::Key key;
        const char* employee;
    };
    const Case cases[] = {
        {0, false, Qt::Key_F2, "00001"},  // the employee list
        {0, false, Qt::Key_F3, "00001"},  // the employees without a run in the month
        {1, true, Qt::Key_F2, "00001"},   // a workplace: its first employee
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.mode << " " << c.key);
        auto form = Open(c.mode);
        QLineEdit* edit = c.workplace ? form->MaskEdit3 : form->MaskEdit4;
        edit->setFocus();
        const size_t shown = dialogs.Shown().size();
        dialogs.AnswerModal([](QDialog& d) {
            QTest::keyClick(static_cast<PickListDialog&>(d).DBGrid1, Qt::Key_Return);
            QApplication::setActiveWindow(nullptr);
            return 0;
        });
        QTest::keyClick(edit, c.key);
        EXPECT_TRUE(form->SzamfejtesFolyamatban);
        EXPECT_EQ(form->MaskEdit4->text().trimmed().toStdString(), c.employee);
        EXPECT_TRUE(Has(Shown(*form), "100 300 000"));
        // Focus coming back to the form runs nothing a second time.
        QApplication::setActiveWindow(form.get());
        EXPECT_EQ(dialogs.Shown().size(), shown + 1);
    }
}

// The row dialog on a run of employee 00001.
class UjJogcimTest : public SzamfejtTest {
protected:
    void SetUp() override {
        SzamfejtTest::SetUp();
        form = Open();
        Start(form->MaskEdit4, "00001");
    }
    void TearDown() override {
        form.reset();
        SzamfejtTest::TearDown();
    }
    // "Felvitel" with the dialog driven by `drive`; its result is the dialog's.
    // `messages` message boxes the dialog shows are answered with OK.
    void Add(const std::function<int(TUjJogcimForm&)>& drive, int messages = 0) {
        dialogs.AnswerModal([drive](QDialog& d) {
            auto& dialog = static_cast<TUjJogcimForm&>(d);
            testsupport::Activate(dialog);
            return drive(dialog);
        });
        for (int i = 0; i < messages; ++i) dialogs.Answer(ui::Ok);
        form->BitBtn5->click();
    }
    static void Code(TUjJogcimForm& d, const char* code) {
        d.Edit1->setFocus();
        QTest::keyClicks(d.Edit1, code);
        QTest::keyClick(d.Edit1, Qt::Key_Return);
    }
    std::unique_ptr<TSzamfejtForm> form;
};

TEST_F(UjJogcimTest, NewWageRowIsFilledAndAMembershipFeeHasANegativeTaxBase) {
    Add([](TUjJogcimForm& d) {
        EXPECT_FALSE(d.BitBtn1->isEnabled());
        EXPECT_FALSE(d.DBEdit3->isEnabled());
        Code(d, "100");
        EXPECT_FALSE(d.Edit1->isEnabled());
        EXPECT_EQ(d.Label1->text().toStdString(), "Munkanapok bére (havibér)");
        db::Dataset& md = *DM1->MemoryData1;
        EXPECT_EQ(md.FieldByName("SF_NAP").AsInteger(), 20);
        EXPECT_EQ(md.FieldByName("SF_ORA").AsFloat(), 160);
        EXPECT_EQ(md.FieldByName("SF_OSSZEG").AsFloat(), 300000);
        EXPECT_EQ(md.FieldByName("SF_ADOALAP").AsFloat(), 300000);
        EXPECT_EQ(md.FieldByName("SF_JARALAP").AsFloat(), 300000);
        EXPECT_EQ(d.DBEdit2->text().toStdString(), "300000");
        return QDialog::Rejected;
    });
    EXPECT_EQ(DM1->MemoryData1->State(), db::DatasetState::Browse);

    Add([](TUjJogcimForm& d) {
        Code(d, "280");
        d.DBEdit2->setFocus();
        d.DBEdit2->selectAll();
        QTest::keyClicks(d.DBEdit2, "2500");
        d.DBEdit11->setFocus();
        EXPECT_EQ(DM1->MemoryData1->FieldByName("SF_ADOALAP").AsFloat(), -2500);
        return QDialog::Rejected;
    });
}

TEST_F(UjJogcimTest, PeriodMustNotEndBeforeItStartsAndOkRecalculates) {
    const std::vector<std::string> before = Shown(*form);
    ASSERT_TRUE(Has(before, "750 199 500"));
    Add(
        [this](TUjJogcimForm& d) {
            Code(d, "120");
            d.DBEdit2->setFocus();
            d.DBEdit2->selectAll();
            QTest::keyClicks(d.DBEdit2, "10000");
            d.DBEdit11->setFocus();
            d.DBDateEdit1->SetDateValue(os::EncodeDate(2019, 3, 10));
            d.DBDateEdit2->SetDateValue(os::EncodeDate(2019, 3, 5));
            d.BitBtn2->click();
            EXPECT_TRUE(d.isVisible());
            d.BitBtn1->click();
            EXPECT_TRUE(d.isVisible());
            EXPECT_EQ(dialogs.Text(1), "A 'Tól' mezőnek kisebbnek kel lennie mint az 'Ig' mezőnek!");
            d.DBDateEdit2->SetDateValue(os::EncodeDate(2019, 3, 12));
            d.BitBtn1->click();
            return d.result();
        },
        2);
    const std::vector<std::string> after = Shown(*form);
    EXPECT_TRUE(HasCode(after, "120"));
    EXPECT_FALSE(Has(after, "750 199 500"));
}

// A change through the dialog keeps the number of rows: the grid must still
// show the recalculated rows, the ones the totals and the save use.
TEST_F(UjJogcimTest, ChangedRowAndItsRecalculationShowInTheGridAsSaved) {
    ASSERT_TRUE(DM1->MemoryData1->Locate("SF_JCKOD", db::Variant("100")));
    dialogs.AnswerModal([](QDialog& d) {
        auto& dialog = static_cast<TUjJogcimForm&>(d);
        testsupport::Activate(dialog);
        dialog.DBEdit2->setFocus();
        dialog.DBEdit2->selectAll();
        QTest::keyClicks(dialog.DBEdit2, "200000");
        dialog.DBEdit11->setFocus();
        dialog.BitBtn1->click();
        return dialog.result();
    });
    form->BitBtn6->click();
    // 200 000 in place of 300 000: pension 20 000, labour 3 000, health
    // 8 000 + 6 000, tax 30 000; net 133 000.
    const std::vector<std::string> shown = Shown(*form);
    for (const char* row : {"100 200 000", "300 20 000", "748 133 000", "750 133 000"})
        EXPECT_TRUE(Has(shown, row)) << row;
    EXPECT_FALSE(Has(shown, "100 300 000"));
    EXPECT_EQ(form->Osszesen[8]->text().toStdString(), "133000");
    form->BitBtn11->click();
    std::vector<std::string> saved;
    for (const std::string& r : Saved("00001")) {
        const std::string code = r.substr(0, r.find('/'));
        const double amount = std::stod(r.substr(r.rfind('/') + 1));
        saved.push_back(code + " " +
                        db::Field::Format(db::FieldType::Float, db::Variant(amount), "## ### ##0"));
    }
    EXPECT_EQ(shown, saved);
}

}  // namespace
