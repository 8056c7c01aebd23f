// The employee form driven the way a user drives it: a new record's
// defaults and derived values, the checks on leaving a field, the history
// copy of a change and the delete rule.
#include "masterdata/TorzskezDolgozo.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

#include "controls/DBControls.h"
#include "controls/DBDateEdits.h"
#include "masterdata/uTblSearch.h"
#include "platform/os/DayNumber.h"
#include "support/ActiveWindow.h"
#include "support/CompanyFixture.h"
#include "support/DialogTest.h"
#include "support/ListFixture.h"

namespace {

class DolgozoTest : public testsupport::CompanyTest {
protected:
    void AddWorkplace() {
        db::Table& mh = *dm->TableMhely;
        mh.Open();
        mh.Append();
        mh.FieldByName("MH_KOD").SetAsString("000001");
        mh.FieldByName("MH_NEV").SetAsString("Központ");
        testsupport::FillRequired(mh);
        mh.Post();
        mh.Close();
    }
    // An employee as an earlier save left it, valid from 2019.01.01.
    void AddEmployee(const char* id, const char* name) {
        db::Table& t = *dm->TableDolgozo;
        t.Open();
        testsupport::AddEmployees(t, {{id, name}});
        t.Locate("DG_TORZSSZAM", db::Variant(id));
        t.Edit();
        t.FieldByName("DG_ERVENYKEZD").SetAsDateTime(os::EncodeDate(2019, 1, 1));
        t.FieldByName("DG_GYERMSZAM").SetAsInteger(1);
        t.FieldByName("DG_BESZAMGYERM").SetAsInteger(0);
        t.FieldByName("DG_CSALKEDV").SetAsInteger(66670);
        t.Post();
        t.Close();
    }
    std::unique_ptr<TTorzskezDolgozoForm> Open() { return testsupport::OpenActive<TTorzskezDolgozoForm>(); }
    // Types into a control on its tab (over what it holds) and leaves it.
    void Type(TTorzskezDolgozoForm& form, QWidget* w, const char* text) {
        if (w->parentWidget() != form.PageControl1->currentWidget() &&
            form.PageControl1->indexOf(w->parentWidget()) >= 0)
            form.PageControl1->setCurrentWidget(w->parentWidget());
        testsupport::Erase(w);
        QTest::keyClicks(w, text);
        form.DG_NEV->setFocus();
    }
    QWidget* Control(TTorzskezDolgozoForm& form, const char* name) { return form.findChild<QWidget*>(name); }
    std::string Value(const char* field) { return dm->TableDolgozo->FieldByName(field).AsString(); }
    // Felvitel and the required fields the defaults leave empty.
    void StartNew(TTorzskezDolgozoForm& form, const char* id) {
        form.BitBtn5->click();
        ASSERT_EQ(form.Mode(), 1);
        Type(form, form.DG_TORZSSZAM, id);
        Type(form, form.DG_NEV, "Kiss Anna");
        Type(form, form.DG_BELEPDAT, "20190102");
        Type(form, form.DG_ADOAZ, "81234567890");
        Type(form, form.DG_MHKOD, "000001");
        Type(form, form.DG_BERFORM, "1");
        Type(form, form.DG_ALKMIN, "1");
    }
    void Save(TTorzskezDolgozoForm& form, int then = -1) {
        ASSERT_TRUE(form.BitBtn11->isEnabled());
        dialogs.Answer(ui::Yes);
        if (then >= 0) dialogs.Answer(then);
        form.BitBtn11->click();
    }
    // The history table as another reader sees it, on its last row.
    std::unique_ptr<db::Table> History() {
        auto h = std::make_unique<db::Table>();
        h->DatabaseName = AktualisAlias;
        h->TableName = "DolgRegi_001";
        h->Open();
        h->Last();
        return h;
    }
    int HistoryRows() { return History()->RecordCount(); }

    testsupport::ScriptedDialogs dialogs;
};

}  // namespace

TEST(SzabadsagNapok, LeaveDaysByAgeInTheProcessingYear) {
    const struct {
        int born, days;
    } cases[] = {{0, 20},    {2020, 20}, {1995, 20}, {1994, 21}, {1992, 21}, {1991, 22},
                 {1988, 23}, {1986, 24}, {1984, 25}, {1978, 28}, {1974, 30}, {1950, 30}};
    for (const auto& c : cases) EXPECT_EQ(SzabadsagNapok(c.born, 2019), c.days) << c.born;
}

TEST(EvekkelKesobb, TwentyNinthOfFebruaryBecomesTheTwentyEighthInACommonYear) {
    EXPECT_EQ(os::DateToText(EvekkelKesobb(os::EncodeDate(2020, 2, 29), 2)), "2022.02.28");
    EXPECT_EQ(os::DateToText(EvekkelKesobb(os::EncodeDate(2020, 2, 29), 4)), "2024.02.29");
    EXPECT_EQ(os::DateToText(EvekkelKesobb(os::EncodeDate(2019, 3, 1), 5)), "2024.03.01");
}

TEST_F(DolgozoTest, FelvitelWithoutAWorkplaceIsRefused) {
    auto form = Open();
    EXPECT_FALSE(form->BitBtn6->isEnabled());
    EXPECT_FALSE(form->BitBtn8->isEnabled());
    dialogs.Answer(ui::Ok);
    form->BitBtn5->click();
    EXPECT_EQ(dialogs.Text(0), "Nincs Munkahely! Nem tud Dolgozót felvinni!\rVigyen fel Munkahely-et!");
    EXPECT_EQ(form->Mode(), 0);
}

TEST_F(DolgozoTest, NewEmployeeGetsItsDefaultsTheOccupationsJobTitleAndAUniqueNumber) {
    AddWorkplace();
    auto form = Open();
    // Without employees the searches still open; the dependants do not.
    for (QPushButton* b : {form->BitBtn12, form->BitBtn13})
        EXPECT_TRUE(b->isEnabled()) << b->text().toStdString();
    for (QPushButton* b : {form->BitBtn14, form->BitBtn15, form->BitBtn16})
        EXPECT_FALSE(b->isEnabled()) << b->text().toStdString();
    form->BitBtn5->click();
    for (TDBCheckBox* box : form->findChildren<TDBCheckBox*>()) {
        const bool yes = box->objectName() == "DG_SZHALEV" || box->objectName() == "DG_CSJARKEDVERV";
        EXPECT_EQ(box->isChecked(), yes) << box->objectName().toStdString();
    }
    form->BitBtn9->click();
    StartNew(*form, "123");
    EXPECT_FALSE(form->DG_NYUGTORZSSZ->isEnabled());
    EXPECT_EQ(form->findChild<QLabel*>("LabelDG_MHKOD")->text(), "Központ");
    Type(*form, form->DG_FEOR, "2142");
    Type(*form, form->DG_MUNKAKOR, "Programozo");
    // A TAJ number shuts the passport number out.
    Type(*form, form->DG_TAJSZ, "123456789");
    EXPECT_FALSE(form->DG_UTLEVELSZ->isEnabled());
    EXPECT_TRUE(form->DG_TAJSZ->isEnabled());
    Save(*form);
    ASSERT_EQ(form->Mode(), 0);

    const struct {
        const char* field;
        const char* value;
    } saved[] = {{"DG_TORZSSZAM", "123"},
                 {"DG_NAPIKOTORA", "8"},
                 {"DG_HETIKOTORA", "40"},
                 {"DG_BETEGSZABKER", "15"},
                 {"DG_ALAPBER", "0"},
                 {"DG_NAPIATL", "0"},
                 {"DG_MUNKAREND", "1"},
                 {"DG_JSORSZADATSZ", "1"},
                 {"DG_EVISZAB", "20"},
                 {"DG_SZABKER", "20"},
                 {"DG_NYITMOD", "M"},
                 {"DG_SZHALEV", "I"},
                 {"DG_CSJARKEDVERV", "I"},
                 {"DG_NYUGDIJAS", "N"},
                 {"DG_NYUGJAR", "I"},
                 {"DG_SZHA", "I"},
                 {"DG_EKHOVALTELJ", "N"},
                 {"DG_TV5", "N"},
                 {"DG_MUNKAKOR", "Szoftverfejlesztő"}};
    for (const auto& s : saved) EXPECT_EQ(Value(s.field), s.value) << s.field;

    // The same number again: the data module refuses it and the record stays typed.
    StartNew(*form, "123");
    Save(*form, ui::Ok);
    EXPECT_EQ(dialogs.Shown().back().text, "Ez a rekord már szerepel a nyilvántartásban!");
    EXPECT_EQ(form->Mode(), 1);
    form->BitBtn9->click();
    EXPECT_EQ(dm->TableDolgozo->RecordCount(), 1);
}

TEST_F(DolgozoTest, DerivedValuesFollowTheFieldsLeft) {
    AddWorkplace();
    auto form = Open();
    StartNew(*form, "1");
    const struct {
        const char* control;
        const char* typed;
        const char* field;
        const char* expected;
    } cases[] = {
        {"DG_ALAPBER", "250 000", "DG_ALAPBER", "250000"},  // thousands grouped as shown
        {"DG_SZULDAT", "19940510", "DG_EVISZAB", "21"},
        {"DG_SZULDAT", "19910101", "DG_EVISZAB", "22"},
        {"DG_POTSZAB", "3", "DG_SZABKER", "25"},
        {"DG_NAPIKOTORA", "6", "DG_HETIKOTORA", "30"},
        {"DG_ALKMIN", "6", "DG_NAPIKOTORA", "0"},
        {"DG_ALKMIN", "6", "DG_HETIKOTORA", "0"},
        {"DG_GYERMSZAM", "1", "DG_CSALKEDV", "66670"},
        {"DG_GYERMSZAM", "1", "DG_CSALKEDVSZAM", "66670"},
        {"DG_BESZAMGYERM", "2", "DG_CSALKEDV", "220000"},
        {"DG_SZHAKEDVKOD", "21", "DG_SZHAKEDVKOD", "21"},
        {"DG_SZHAKEDVKEZD", "20190301", "DG_SZHAKEDVVALT", "2022.03.01"},
        {"DG_SZHAKEDVKEZD", "20190301", "DG_SZHAKEDVVEG", "2024.03.01"},
    };
    for (const auto& c : cases) {
        Type(*form, Control(*form, c.control), c.typed);
        EXPECT_EQ(Value(c.field), c.expected) << c.control << " " << c.typed;
    }
    EXPECT_TRUE(dialogs.Shown().empty());
    form->BitBtn9->click();
}

// The contributions an insured employment pays are ticked on a new record
// once its kind is known; a stored employee keeps his.
TEST_F(DolgozoTest, NewRecordOfAnInsuredEmploymentPaysItsContributions) {
    AddWorkplace();
    AddEmployee("00001", "Régi Rita");
    auto form = Open();
    const char* const contributions[] = {"DG_NYUGJAR", "DG_EGBIZJARTERM", "DG_EGBIZJARPENZ", "DG_MPJDOLG",
                                         "DG_SZHA"};
    auto ticked = [&](const char* field) {
        return static_cast<TDBCheckBox*>(Control(*form, field))->isChecked();
    };
    auto click = [&](const char* field) {
        QWidget* box = Control(*form, field);
        form->PageControl1->setCurrentWidget(box->parentWidget());
        static_cast<TDBCheckBox*>(box)->click();
    };
    const struct {
        const char* alkmin;
        bool pensioner;
        bool insured;
    } cases[] = {
        {"1", false, true}, {"2", false, true}, {"5", false, true},
        {"6", false, true}, {"8", false, true}, {"9", false, false},  // another relation: up to the user
        {"1", true, false},                                           // a working pensioner pays none
    };
    for (const auto& c : cases) {
        form->BitBtn5->click();
        ASSERT_EQ(form->Mode(), 1);
        if (c.pensioner) click("DG_NYUGDIJAS");
        Type(*form, form->DG_ALKMIN, c.alkmin);
        for (const char* f : contributions)
            EXPECT_EQ(ticked(f), c.insured) << c.alkmin << (c.pensioner ? " pensioner " : " ") << f;
        form->BitBtn9->click();
    }

    // A box the user cleared stays cleared while the insurance stays the same;
    // a pensioner clears them all, and ceasing to be one ticks them again.
    form->BitBtn5->click();
    Type(*form, form->DG_ALKMIN, "1");
    click("DG_SZHA");
    Type(*form, form->DG_ALKMIN, "2");
    EXPECT_FALSE(ticked("DG_SZHA"));
    EXPECT_TRUE(ticked("DG_NYUGJAR"));
    click("DG_NYUGDIJAS");
    for (const char* f : contributions) EXPECT_FALSE(ticked(f)) << f;
    click("DG_NYUGDIJAS");
    for (const char* f : contributions) EXPECT_TRUE(ticked(f)) << f;
    form->BitBtn9->click();

    // A stored employee's kind changed: his contributions are his own.
    ASSERT_TRUE(dm->TableDolgozo->Locate("DG_TORZSSZAM", db::Variant("00001")));
    form->BitBtn6->click();
    ASSERT_EQ(form->Mode(), 2);
    Type(*form, form->DG_ALKMIN, "2");
    for (const char* f : contributions) EXPECT_EQ(Value(f), "") << f;
    form->BitBtn9->click();
}

TEST_F(DolgozoTest, MissingFamilyAllowanceRateIsNamedAndLeavesTheAllowance) {
    AddWorkplace();
    db::Table ek;
    ek.DatabaseName = AktualisAlias;
    ek.TableName = dm->TableErtekkeszlet->TableName;
    ek.Open();
    ASSERT_TRUE(ek.Locate("EK_TIPUS;EK_ERTEK", std::vector<db::Variant>{"0", "34"}));
    ek.Delete();
    ek.Close();
    auto form = Open();
    StartNew(*form, "1");
    Type(*form, Control(*form, "DG_CSALKEDV"), "5000");
    dialogs.Answer(ui::Ok);
    Type(*form, form->DG_GYERMSZAM, "2");
    EXPECT_EQ(dialogs.Text(0),
              "Hiányzik az értékkészlet 0 típusú, 34 értékű sora, a családi kedvezmény nem számítható!");
    EXPECT_EQ(Value("DG_CSALKEDV"), "5000");
    form->BitBtn9->click();
}

TEST_F(DolgozoTest, ChecksOnLeavingAFieldShowTheirMessagesAndKeepTheFocus) {
    AddWorkplace();
    auto form = Open();
    StartNew(*form, "1");
    const char* const leaving = "Csak adott évi és az adott évet követő dátum adható meg!";
    const char* const range = "Ellenőrizze le helyesen írta-e be a dátumot!";
    const struct {
        const char* control;
        const char* typed;
        std::vector<std::string> messages;
    } cases[] = {
        {"DG_KILEPDAT", "20210105", {leaving}},
        {"DG_KILEPDAT", "20201231", {}},
        {"DG_KILEPDAT", "20310101", {range, leaving}},
        {"DG_KILEPDAT", "20190101", {}},  // a kept text asks again on every leaving
        {"DG_SZULDAT", "18991231", {range}},
        {"DG_SZULDAT", "20301231", {}},
        {"DG_SZULDAT", "20190231", {"Ilyen dátum nem létezik!"}},
        {"DG_ELSOHAZASOSSZ", "33336", {"0 és 33335 közötti érték adható meg!"}},
        {"DG_ELSOHAZASOSSZ", "33335", {}},
        {"DG_MUNKAIDOKERHO", "13", {"Üres, 1..12 érték adható meg!"}},
        {"DG_MUNKAIDOKERHO", "12", {}},
        {"DG_EKHOERTHAT", "4", {"Üres, 1..3 érték adható meg!"}},
        {"DG_EKHOERTHAT", "", {}},
        {"DG_KTGKULF", "3", {}},
        {"DG_MHKOD", "000009", {"Munkahely nem létezik!"}},
        {"DG_BERFORM", "7", {"Ez a kód nem létezik!"}},
        {"DG_MNYP", "9999", {"Ez a kód nem létezik!"}},
    };
    for (const auto& c : cases) {
        const size_t before = dialogs.Shown().size();
        for (size_t i = 0; i < c.messages.size(); ++i) dialogs.Answer(ui::Ok);
        Type(*form, Control(*form, c.control), c.typed);
        std::vector<std::string> shown;
        for (size_t i = before; i < dialogs.Shown().size(); ++i)
            shown.push_back(dialogs.Shown()[i].text.toStdString());
        EXPECT_EQ(shown, c.messages) << c.control << " " << c.typed;
        if (!c.messages.empty()) {
            EXPECT_EQ(QApplication::focusWidget(), Control(*form, c.control)) << c.control;
        }
    }
    form->BitBtn9->click();
}

TEST_F(DolgozoTest, ALaterValidityStartFilesTheOldVersionUnderTheNextFreeNumber) {
    AddWorkplace();
    AddEmployee("1", "Kiss Anna");
    // Another employee's versions numbered 1 and 3: counting them would give
    // 3 again.
    db::Table& h = *dm->TableDolgRegi;
    h.Open();
    for (int n : {1, 3}) {
        h.Append();
        h.FieldByName("DG_SORSZAM").SetAsInteger(n);
        h.FieldByName("DG_TORZSSZAM").SetAsString("2");
        h.Post();
    }
    h.Close();

    auto form = Open();
    auto change = [&](const char* start, const char* name) {
        form->BitBtn6->click();
        ASSERT_EQ(form->Mode(), 2);
        Type(*form, form->DG_ERVENYKEZD, start);
        Type(*form, form->DG_NEV, name);
        Save(*form);
        ASSERT_EQ(form->Mode(), 0);
    };
    change("20190601", "Nagy Anna");
    ASSERT_EQ(HistoryRows(), 3);
    auto filed = History();
    EXPECT_EQ(filed->FieldByName("DG_SORSZAM").AsString(), "4");
    EXPECT_EQ(filed->FieldByName("DG_TORZSSZAM").AsString(), "1");
    EXPECT_EQ(filed->FieldByName("DG_NEV").AsString(), "Kiss Anna");
    EXPECT_EQ(filed->FieldByName("DG_ERVENYKEZD").AsString(), "2019.01.01");
    EXPECT_EQ(filed->FieldByName("DG_ERVENYVEG").AsString(), "2019.05.31");
    EXPECT_EQ(filed->FieldByName("DG_CSALKEDV").AsString(), "66670");
    EXPECT_EQ(Value("DG_NEV"), "Nagy Anna");

    change("20190601", "Nagy Anna Maria");  // the same start
    change("20190301", "Nagy Anna");        // an earlier one
    EXPECT_EQ(HistoryRows(), 3);
    change("20190901", "Kovacs Anna");
    EXPECT_EQ(HistoryRows(), 4);
    filed = History();
    EXPECT_EQ(filed->FieldByName("DG_SORSZAM").AsString(), "5");
    EXPECT_EQ(filed->FieldByName("DG_NEV").AsString(), "Nagy Anna");
    EXPECT_EQ(filed->FieldByName("DG_ERVENYVEG").AsString(), "2019.08.31");
}

TEST_F(DolgozoTest, FamilyAllowanceOfAChangedRecordKeepsATypedAmountOnlyWhenBothCountsChanged) {
    AddWorkplace();
    AddEmployee("1", "Kiss Anna");
    auto form = Open();
    form->BitBtn6->click();
    Type(*form, form->DG_GYERMSZAM, "2");  // one count changed: recomputed
    EXPECT_EQ(Value("DG_CSALKEDV"), "266660");
    Type(*form, Control(*form, "DG_CSALKEDV"), "1000");
    Type(*form, form->DG_BESZAMGYERM, "1");  // both changed: the typed amount stays
    EXPECT_EQ(Value("DG_CSALKEDV"), "1000");
    EXPECT_EQ(Value("DG_CSALKEDVSZAM"), "440000");
    form->BitBtn9->click();
}

TEST_F(DolgozoTest, DeleteIsRefusedWithPayrollRowsAndTakesTheStandingItemsInOneTransaction) {
    AddWorkplace();
    AddEmployee("1", "Kiss Anna");
    AddEmployee("2", "Nagy Béla");
    db::Table& items = *dm->TableRJogcim;
    items.Open();
    for (int n : {1, 2, 3}) {
        items.Append();
        items.FieldByName("RJ_DGTORZSSZAM").SetAsString("2");
        items.FieldByName("RJ_JCKOD").SetAsString("210");
        items.FieldByName("RJ_SORSZAM").SetAsInteger(n);
        testsupport::FillRequired(items);
        items.Post();
    }
    items.Close();
    db::Table& payroll = *dm->TableSzamfejt;
    payroll.Open();
    payroll.Append();
    payroll.FieldByName("SF_DGTORZSSZAM").SetAsString("1");
    payroll.FieldByName("SF_JCKOD").SetAsString("110");
    testsupport::FillRequired(payroll);
    payroll.Post();
    payroll.Close();

    auto form = Open();
    db::Table& t = *dm->TableDolgozo;
    ASSERT_EQ(Value("DG_TORZSSZAM"), "1");
    dialogs.Answer(ui::Ok);
    form->BitBtn7->click();
    EXPECT_EQ(dialogs.Text(0), "A dolgozó nem törölhető! A számfejtett állományban szerepel!");
    EXPECT_EQ(t.RecordCount(), 2);
    EXPECT_FALSE(payroll.Active());
    EXPECT_FALSE(payroll.ReadOnly);

    // A delete failing at the second standing item leaves the employee and all three.
    t.Next();
    int deletes = 0;
    items.BeforeDelete = [&deletes](db::Dataset&) {
        if (++deletes == 2) throw db::DatabaseError("A lemez megtelt");
    };
    std::vector<std::string> errors;
    testsupport::CollectApplicationErrors(errors);
    dialogs.Answer(ui::Yes);
    form->BitBtn7->click();
    EXPECT_EQ(dialogs.Shown()[1].defaultButton, ui::No);
    EXPECT_EQ(errors, std::vector<std::string>{"A lemez megtelt"});
    EXPECT_EQ(t.RecordCount(), 2);
    EXPECT_EQ(items.RecordCount(), 3);

    items.BeforeDelete = nullptr;
    db::SetApplicationExceptionHandler(nullptr);
    ASSERT_TRUE(t.Locate("DG_TORZSSZAM", db::Variant("2")));
    dialogs.Answer(ui::Yes);
    form->BitBtn7->click();
    EXPECT_EQ(t.RecordCount(), 1);
    EXPECT_EQ(items.RecordCount(), 0);
}

TEST_F(DolgozoTest, EnterWalksTheTabsByTag) {
    AddWorkplace();
    auto form = Open();
    form->BitBtn5->click();
    const struct {
        const char* from;
        int tab;
        const char* focus;
    } steps[] = {{"DG_NEV", 0, "DG_BELEPDAT"},         {"DG_MEZGAZDTERMSZAM", 1, "DG_FEOR"},
                 {"DG_BESOROL", 2, "DG_NYUGJAR"},      {"DG_VALLALKMINBER", 3, "DG_VAROS"},
                 {"DG_TELSZ", 4, "DG_NAPIATL"},        {"DG_TAVDIJKORR", 5, "DG_MUNKSZAM"},
                 {"DG_GYUJTO", 6, "DG_ELOSZAB"},       {"DG_BETEGSZABKER", 7, "DG_MNYP"},
                 {"DG_ONKPTTAGS", 8, "DG_KTGHANYAD"},  {"DG_MEGJEGYZES", 9, "DG_GYERMSZAM"},
                 {"DG_JOVNYIL", 10, "DG_SZHAKEDVKOD"}, {"DG_SZHAKEDVVEG", 11, "DG_KILEPDAT"}};
    for (const auto& s : steps) {
        QWidget* from = Control(*form, s.from);
        if (form->PageControl1->indexOf(from->parentWidget()) >= 0)
            form->PageControl1->setCurrentWidget(from->parentWidget());
        from->setFocus();
        QTest::keyClick(from, Qt::Key_Return);
        EXPECT_EQ(form->PageControl1->currentIndex(), s.tab) << s.from;
        ASSERT_TRUE(QApplication::focusWidget());
        EXPECT_EQ(QApplication::focusWidget()->objectName(), s.focus) << s.from;
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_EQ(form->Mode(), 0);
}

TEST_F(DolgozoTest, SideViewsLookUpRowsWithoutMovingTheCurrentEmployee) {
    AddWorkplace();
    AddEmployee("1", "Kiss Anna");
    AddEmployee("2", "Nagy Béla");
    testsupport::AddRows("Szamfejt_001",
                         {"SF_DGTORZSSZAM", "SF_HONAP", "SF_KIFIZDAT", "SF_JCKOD", "SF_SORSZAM"},
                         {{"1", "01", "2019.02.05", "100", 1},
                          {"2", "01", "2019.02.05", "100", 1},
                          {"1", "02", "2019.03.05", "100", 1}});
    // Filed in the order 1, 2, 3; the first employee's are 1 and 3.
    testsupport::AddRows("DolgRegi_001", {"DG_SORSZAM", "DG_TORZSSZAM", "DG_NEV"},
                         {{3, "1", "Kiss Anna"}, {2, "2", "Nagy Béla"}, {1, "1", "Kis Anna"}});
    auto form = Open();
    ASSERT_EQ(Value("DG_TORZSSZAM"), "1");

    const struct {
        const char* name;
        std::function<void()> open;
        int columns;
        std::vector<std::string> firstColumn;  // the rows, in the window's order
        std::vector<std::pair<int, const char*>> titles;
    } views[] = {
        {"F3",
         [&] { QTest::keyClick(form->BitBtn5, Qt::Key_F3); },
         39,
         {"1", "2"},
         {{0, "Törzsszám"}, {29, "Családi járulékkedv."}, {38, "SZHA kedv. vége"}}},
        {"F4",
         [&] { QTest::keyClick(form->BitBtn5, Qt::Key_F4); },
         19,
         {"1", "1", "2"},
         {{1, "Név"}, {8, "EHO száz. lev."}, {18, "Számla"}}},
        {"Számfejtések lekérdezése", [&] { form->BitBtn12->click(); }, 19, {"1", "1"}, {{0, "Törzsszám"}}},
        // Titles from the form's captions, but for the named exceptions.
        {"Előzmények",
         [&] { form->BitBtn13->click(); },
         123,
         {"1", "3"},
         {{0, "Sorszám"},
          {1, "Rekord érvényesség kezdete"},
          {9, "Nem"},
          {21, "Családi gazd. száma"},
          {38, "Adatsz. NYENYI jogv. kód."},
          {61, "Irányítószám"},
          {75, "Előző MNYP"},
          {122, "Utolsó munkanap"}}},
    };
    for (const auto& v : views) {
        SCOPED_TRACE(v.name);
        dialogs.AnswerModal([&v](QDialog& d) {
            auto& f = static_cast<TfrmTblSearch&>(d);
            f.show();
            EXPECT_FALSE(f.MNU_Sugo_Nevjegy->isVisible());
            QAbstractItemModel& m = *f.DBGrid1->model();
            EXPECT_EQ(m.columnCount(), v.columns);
            for (const auto& [column, title] : v.titles)
                EXPECT_EQ(m.headerData(column, Qt::Horizontal).toString(), QString::fromUtf8(title))
                    << column;
            std::vector<std::string> first;
            for (int row = 0; row < m.rowCount(); ++row)
                first.push_back(m.index(row, 0).data().toString().toStdString());
            EXPECT_EQ(first, v.firstColumn);
            QTest::keyClick(f.DBGrid1, Qt::Key_End);
            QTest::keyClick(f.DBGrid1, Qt::Key_Return);  // a row chosen
            return f.result();
        });
        v.open();
        EXPECT_EQ(Value("DG_TORZSSZAM"), "1");
        EXPECT_EQ(form->Mode(), 0);
    }

    // Dead while a record is typed.
    form->BitBtn6->click();
    ASSERT_EQ(form->Mode(), 2);
    for (QPushButton* b : {form->BitBtn12, form->BitBtn13, form->BitBtn14, form->BitBtn15, form->BitBtn16})
        EXPECT_FALSE(b->isEnabled()) << b->text().toStdString();
    QTest::keyClick(form->DG_NEV, Qt::Key_F3);
    QTest::keyClick(form->DG_NEV, Qt::Key_F4);
    QTest::keyClick(form->DG_NEV, Qt::Key_Escape);
    EXPECT_EQ(form->Mode(), 0);
    EXPECT_TRUE(form->BitBtn12->isEnabled());
    EXPECT_TRUE(form->BitBtn16->isEnabled());
}
