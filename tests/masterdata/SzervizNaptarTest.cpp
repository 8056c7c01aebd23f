// The working-day calendar: the rebuild routine, the grid's keys, and the
// save-or-restore question at closing, also after failures.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include "controls/MemDataSet.h"
#include "masterdata/SzervizNaptar.h"
#include "platform/ui/DatasetGrid.h"
#include "support/ActiveWindow.h"
#include "support/AppErrors.h"
#include "support/CompanyFixture.h"
#include "support/DialogTest.h"

namespace {

// Every row of the calendar, each field as text, in key order.
std::vector<std::string> Rows(db::Table& t) {
    const bool open = t.Active();
    if (!open) t.Open();
    std::vector<std::string> rows;
    for (t.First(); !t.Eof(); t.Next()) {
        std::string row;
        for (int i = 0; i < t.FieldCount(); ++i) row += t.Fields(i).AsString() + "|";
        rows.push_back(row);
    }
    if (!open) t.Close();
    return rows;
}

// The rows with every schedule value (the sixth field on) set to the base
// value (the fourth), as "Feltöltés" leaves them.
std::vector<std::string> BaseInSchedules(std::vector<std::string> rows) {
    for (std::string& row : rows) {
        std::vector<std::string> fields;
        for (size_t start = 0, bar; (bar = row.find('|', start)) != std::string::npos; start = bar + 1)
            fields.push_back(row.substr(start, bar - start));
        row.clear();
        for (size_t i = 0; i < fields.size(); ++i) row += (i >= 5 && i <= 13 ? fields[3] : fields[i]) + "|";
    }
    return rows;
}

class NaptarTest : public testsupport::YearFolderTest {
protected:
    // The opening calendar differs from a fresh rebuild: a holiday marked and
    // the last day missing.
    void MarkOpeningCalendar() {
        db::Table& t = *dm->TableNaptar;
        t.Open();
        t.First();
        t.Edit();
        t.FieldByName("NT_ERTEK3").SetAsString("2");
        t.Post();
        t.Last();
        t.Delete();
        t.Close();
    }
    std::unique_ptr<TSzervizNaptarForm> Open() { return testsupport::OpenActive<TSzervizNaptarForm>(); }
    // Throws a database error at the n-th post from now on.
    void FailAtPost(int n) {
        dm->TableNaptar->BeforePost = [count = 0, n](db::Dataset&) mutable {
            if (++count == n) throw db::DatabaseError("disk full");
        };
    }
    std::string Field(const char* name) { return dm->TableNaptar->FieldByName(name).AsString(); }

    testsupport::ScriptedDialogs dialogs;
};

}  // namespace

TEST_F(NaptarTest, TheRebuildGivesEveryDayOfTheYearWithItsWeekdayValue) {
    db::Table& t = *dm->TableNaptar;
    t.Open();
    struct Case {
        int year;
        int days;
    };
    for (const Case c : {Case{2020, 366}, Case{2019, 365}}) {
        QProgressBar bar;
        NaptarUjraepit(t, c.year, &bar);
        EXPECT_EQ(t.RecordCount(), c.days) << c.year;
        EXPECT_EQ(bar.maximum(), c.days);
        EXPECT_EQ(t.Locate("NT_HONAP;NT_NAP", {db::Variant(2LL), db::Variant(29LL)}), c.year == 2020);
        for (t.First(); !t.Eof(); t.Next()) {
            const std::string base = Field("NT_ERTEK");
            const std::string day = Field("NT_MEGN");
            EXPECT_EQ(base, day == "Szo" || day == "V" ? "0" : "1") << Field("NT_DATUM");
            for (int s = 1; s <= 9; ++s) ASSERT_EQ(Field(("NT_ERTEK" + std::to_string(s)).c_str()), base);
        }
    }
    t.First();
    EXPECT_EQ(Field("NT_DATUM"), "2019.01.01");
    EXPECT_EQ(Field("NT_MEGN"), "K");
    t.Close();
}

TEST_F(NaptarTest, TheGridTakesOnlyDayValuesAndKeepsThemUntilFeltoltes) {
    auto form = Open();
    db::Table& t = *dm->TableNaptar;
    EXPECT_EQ(form->MaskEdit1->text(), "2019");
    EXPECT_FALSE(form->MaskEdit1->isEnabled());
    EXPECT_TRUE(form->BitBtn1->isEnabled());
    EXPECT_EQ(DM1->MemoryData1->RecordCount(), 365);
    const std::vector<std::string> before = Rows(t);

    ui::DatasetGrid* grid = form->DBGrid1;
    grid->setFocus();
    grid->setCurrentIndex(grid->Model()->index(1, 7));  // 2 January, schedule 3
    for (Qt::Key key : {Qt::Key_3, Qt::Key_A, Qt::Key_Insert, Qt::Key_Delete, Qt::Key_Minus})
        QTest::keyClick(grid, key);
    QTest::keyClick(grid, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(grid, Qt::Key_Down);  // below the last row adds none
    EXPECT_EQ(Rows(t), before);

    grid->setCurrentIndex(grid->Model()->index(1, 7));
    QTest::keyClick(grid, Qt::Key_2);
    QTest::keyClick(grid, Qt::Key_Down);  // leaving the row posts the day
    EXPECT_EQ(t.State(), db::DatasetState::Browse);
    ASSERT_TRUE(t.Locate("NT_HONAP;NT_NAP", {db::Variant(1LL), db::Variant(2LL)}));
    EXPECT_EQ(Field("NT_ERTEK3"), "2");
    EXPECT_EQ(Field("NT_ERTEK"), "1");

    dialogs.Answer(ui::No);
    form->BitBtn3->click();
    EXPECT_EQ(dialogs.Text(0), "Valóban alapértékkel szeretné feltölteni a Naptár tartalmát?");
    ASSERT_TRUE(t.Locate("NT_HONAP;NT_NAP", {db::Variant(1LL), db::Variant(2LL)}));
    EXPECT_EQ(Field("NT_ERTEK3"), "2");
    dialogs.Answer(ui::Yes);
    form->BitBtn3->click();
    EXPECT_EQ(Rows(t), BaseInSchedules(before));  // the shipped holidays go too
    EXPECT_EQ(form->ProgressBar1->value(), 0);

    dialogs.Answer(ui::Yes);  // "Menti a módosításokat?"
    form->BitBtn2->click();
    EXPECT_EQ(dialogs.Text(2), "Menti a módosításokat?");
    EXPECT_FALSE(t.Active());
    EXPECT_FALSE(DM1->MemoryData1->Active());
    EXPECT_FALSE(static_cast<bool>(t.AfterInsert));
}

TEST_F(NaptarTest, NoAtClosingGivesBackTheOpeningCalendar) {
    MarkOpeningCalendar();
    const std::vector<std::string> opening = Rows(*dm->TableNaptar);
    auto form = Open();
    dialogs.Answer(ui::Yes);
    form->BitBtn1->click();
    EXPECT_EQ(dialogs.Text(0), "Valóban törli a Naptár tartalmát?");
    EXPECT_EQ(dm->TableNaptar->RecordCount(), 365);
    EXPECT_NE(Rows(*dm->TableNaptar), opening);
    dialogs.Answer(ui::No);
    QTest::keyClick(form->DBGrid1, Qt::Key_Escape);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(Rows(*dm->TableNaptar), opening);
}

TEST_F(NaptarTest, NoAfterARebuildThatFailedHalfWayGivesBackTheOpeningCalendar) {
    MarkOpeningCalendar();
    const std::vector<std::string> opening = Rows(*dm->TableNaptar);
    auto form = Open();
    FailAtPost(100);
    dialogs.Answer(ui::Yes).Answer(ui::Ok);
    form->BitBtn1->click();
    EXPECT_EQ(dialogs.Text(1), "Hiba történt a törlés során!");
    EXPECT_EQ(dm->TableNaptar->RecordCount(), 99);
    EXPECT_EQ(form->ProgressBar1->value(), 0);
    EXPECT_TRUE(static_cast<bool>(dm->TableNaptar->AfterInsert));  // the guard is back
    dm->TableNaptar->BeforePost = nullptr;

    dialogs.Answer(ui::No);
    form->close();
    EXPECT_EQ(Rows(*dm->TableNaptar), opening);
}

// A restore that fails half-way leaves the calendar as it was before it, and
// the form open with its snapshot, so the answer can be given again.
TEST_F(NaptarTest, ARestoreThatFailsChangesNothing) {
    MarkOpeningCalendar();
    const std::vector<std::string> opening = Rows(*dm->TableNaptar);
    auto form = Open();
    dialogs.Answer(ui::Yes);
    form->BitBtn1->click();
    const std::vector<std::string> rebuilt = Rows(*dm->TableNaptar);

    std::vector<std::string> handled;
    testsupport::CollectApplicationErrors(handled);
    FailAtPost(200);
    dialogs.Answer(ui::No);
    form->close();
    db::SetApplicationExceptionHandler(nullptr);
    EXPECT_EQ(handled, std::vector<std::string>{"disk full"});
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(Rows(*dm->TableNaptar), rebuilt);

    dm->TableNaptar->BeforePost = nullptr;
    dialogs.Answer(ui::No);
    form->close();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(Rows(*dm->TableNaptar), opening);
}

TEST_F(NaptarTest, YesKeepsADayChangedInTheCurrentRow) {
    auto form = Open();
    ui::DatasetGrid* grid = form->DBGrid1;
    grid->setFocus();
    grid->setCurrentIndex(grid->Model()->index(4, 5));  // 5 January, schedule 1
    QTest::keyClick(grid, Qt::Key_2);
    EXPECT_EQ(dm->TableNaptar->State(), db::DatasetState::Edit);
    dialogs.Answer(ui::Yes);
    form->close();
    db::Table& t = *dm->TableNaptar;
    t.Open();
    ASSERT_TRUE(t.Locate("NT_HONAP;NT_NAP", {db::Variant(1LL), db::Variant(5LL)}));
    EXPECT_EQ(Field("NT_ERTEK1"), "2");
    t.Close();
}
