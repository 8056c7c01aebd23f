// The pay-item code catalogue driven the way a user drives it.
#include "masterdata/TorzskezJogcim.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "controls/DBControls.h"
#include "core/Kivalaszt.h"
#include "support/ActiveWindow.h"
#include "support/AppErrors.h"
#include "support/CompanyFixture.h"
#include "support/DialogTest.h"

namespace {

// The nine coded edits and the value-set type of each.
const std::pair<const char*, const char*> kCoded[] = {
    {"JC_TIPUS", "3"},       {"JC_SZAMKEP", "4"},     {"JC_SZABTIP", "5"},
    {"JC_ADATLOSZL", "A"},   {"JC_ADOELOSZ", "B"},    {"JC_JARULKOD", "D"},
    {"JC_ELLATATLKOD", "E"}, {"JC_HAVIBEVOSZL", "Q"}, {"JC_EVBEVOSZL", "R"},
};

class JogcimTest : public testsupport::CompanyTest {
protected:
    void SetUp() override {
        CompanyTest::SetUp();
        db::Table ek;
        ek.DatabaseName = AktualisAlias;
        ek.TableName = dm->TableErtekkeszlet->TableName;
        ek.Open();
        for (auto [field, type] : kCoded) {
            const std::string t = type;
            const char* code = t == "A" || t == "B" || t == "Q" || t == "R" ? "C" : "1";
            // The shipped value sets hold most of these codes: they get the
            // test's name.
            if (ek.Locate("EK_TIPUS;EK_ERTEK", {db::Variant(type), db::Variant(code)}))
                ek.Edit();
            else
                ek.Append();
            ek.FieldByName("EK_TIPUS").SetAsString(type);
            ek.FieldByName("EK_ERTEK").SetAsString(code);
            ek.FieldByName("EK_ERTEKNEV").SetAsString(std::string("Név ") + field);
            testsupport::FillRequired(ek);
            ek.Post();
        }
    }

    // Deletes the pay items the company's catalogue was shipped with.
    void ClearPayItems() {
        db::Table& t = *dm->TableJogcim;
        t.Open();
        while (t.RecordCount() > 0) t.Delete();
        t.Close();
    }
    void AddPayItem(const char* code) {
        db::Table& t = *dm->TableJogcim;
        t.Open();
        t.Append();
        t.FieldByName("JC_KOD").SetAsString(code);
        t.FieldByName("JC_NEV").SetAsString("Alapbér");
        testsupport::FillRequired(t);
        t.Post();
        t.Close();
    }
    void AddStandingItems(const char* code, std::initializer_list<const char*> employees) {
        db::Table& t = *dm->TableRJogcim;
        t.Open();
        for (const char* e : employees) {
            t.Append();
            t.FieldByName("RJ_DGTORZSSZAM").SetAsString(e);
            t.FieldByName("RJ_JCKOD").SetAsString(code);
            t.FieldByName("RJ_DGNEV").SetAsString("Dolgozó");
            testsupport::FillRequired(t);
            t.Post();
        }
        t.Close();
        dm->TableDolgozo->Close();
        dm->TableJogcim->Close();
    }
    int Rows(db::Table& t) {
        const bool open = t.Active();
        if (!open) t.Open();
        const int n = t.RecordCount();
        if (!open) t.Close();
        return n;
    }

    std::unique_ptr<TTorzskezJogcimForm> Open() { return testsupport::OpenActive<TTorzskezJogcimForm>(); }
    template <class W = TDBEdit>
    W* Control(TTorzskezJogcimForm& form, const char* name) {
        W* w = form.findChild<W*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }

    testsupport::ScriptedDialogs dialogs;
};

QString Focused() {
    return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
}

}  // namespace

TEST_F(JogcimTest, NewRecordStartsWithEveryFlagNoAndOrdinaryContributionCode) {
    auto form = Open();
    EXPECT_FALSE(form->TabSheet1->isEnabled());  // browsing: the tabs are for looking only
    form->BitBtn5->click();
    EXPECT_TRUE(form->TabSheet2->isEnabled());
    EXPECT_EQ(form->PageControl1->currentIndex(), 0);
    db::Table& t = *dm->TableJogcim;
    const auto boxes = form->findChildren<TDBCheckBox*>();
    EXPECT_EQ(boxes.size(), 34);
    for (TDBCheckBox* box : boxes)
        EXPECT_EQ(t.FieldByName(box->DataField().toStdString()).AsString(), "N")
            << box->objectName().toStdString();
    EXPECT_EQ(t.FieldByName("JC_JARULKOD").AsString(), "00");
    EXPECT_TRUE(Control<TDBCheckBox>(*form, "JC_AANOV")->isHidden());
    EXPECT_FALSE(Control<TDBCheckBox>(*form, "JC_SZJAKOT")->isHidden());

    // Rögzítés needs code, name, percentage (0 counts), category and formula.
    const std::pair<const char*, const char*> typed[] = {
        {"JC_KOD", "123"}, {"JC_NEV", "Premium"}, {"JC_SZAZ", "0"}, {"JC_TIPUS", "1"}, {"JC_SZAMKEP", "1"}};
    for (auto [field, text] : typed) {
        EXPECT_FALSE(form->BitBtn11->isEnabled()) << field;
        form->PageControl1->setCurrentWidget(Control(*form, field)->parentWidget());
        Control(*form, field)->setFocus();
        QTest::keyClicks(Control(*form, field), QString::fromUtf8(text));
    }
    EXPECT_TRUE(form->BitBtn11->isEnabled());

    // An emptied contribution code is saved as "00".
    form->PageControl1->setCurrentIndex(3);
    TDBEdit* jarulkod = Control(*form, "JC_JARULKOD");
    jarulkod->setFocus();
    QTest::keyClick(jarulkod, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(jarulkod, Qt::Key_Delete);
    EXPECT_EQ(jarulkod->Text(), "");
    dialogs.Answer(ui::Yes);
    form->BitBtn11->click();
    EXPECT_EQ(form->Mode(), 0);
    ASSERT_TRUE(t.Locate("JC_KOD", db::Variant("123")));
    EXPECT_EQ(t.FieldByName("JC_JARULKOD").AsString(), "00");
    EXPECT_EQ(t.FieldByName("JC_SZAZ").AsFloat(), 0);
    EXPECT_FALSE(form->TabSheet1->isEnabled());
}

TEST(JogcimKod, ThreeCharactersAtLeastWithoutBlanksAmongThem) {
    struct Case {
        const char* code;
        bool accepted;
    };
    const Case cases[] = {{"99", false},  {"99  ", false}, {"100", true},   {"100 ", true},
                          {"1234", true}, {"1 23", false}, {" 123", false}, {"107S", true}};
    for (const Case& c : cases) EXPECT_EQ(JogcimKodMegfelel(c.code), c.accepted) << c.code;
}

TEST_F(JogcimTest, LeavingTheCodeEditChecksTheCode) {
    struct Case {
        const char* typed;
        bool accepted;
    };
    const Case cases[] = {{"99", false}, {"100", true}, {"1234", true}};
    auto form = Open();
    for (const Case& c : cases) {
        form->BitBtn5->click();
        QTest::keyClicks(form->JC_KOD, c.typed);
        const size_t before = dialogs.Shown().size();
        if (!c.accepted) dialogs.Answer(ui::Ok);
        form->JC_NEV->setFocus();
        if (c.accepted) {
            EXPECT_EQ(dialogs.Shown().size(), before) << c.typed;
            EXPECT_EQ(dm->TableJogcim->FieldByName("JC_KOD").AsString(), c.typed);
        } else {
            ASSERT_EQ(dialogs.Shown().size(), before + 1) << c.typed;
            EXPECT_EQ(dialogs.Text(before), "A beírt érték nem lehet kisebb mint 100!");
            EXPECT_EQ(Focused(), "JC_KOD") << c.typed;
            EXPECT_TRUE(dm->TableJogcim->FieldByName("JC_KOD").IsNull()) << c.typed;
        }
        form->BitBtn9->click();
    }
}

TEST_F(JogcimTest, EnterWalksTheTabsByTag) {
    auto form = Open();
    form->BitBtn5->click();
    QTest::keyClick(form->JC_NEV, Qt::Key_Return);
    EXPECT_EQ(form->PageControl1->currentIndex(), 0);
    EXPECT_EQ(Focused(), "JC_TIPUS");
    struct Step {
        const char* from;
        int tab;
        const char* focus;
    };
    const Step steps[] = {
        {"JC_SZABTIP", 1, "JC_SZJAKOT"},  {"JC_ALAP5", 2, "JC_RENDSZ"},
        {"JC_LINADO", 3, "JC_ADATLSOR"},  {"JC_BANKSZAMLA", 4, "JC_TARTOZIK"},
        {"JC_TARTOZIK", 4, "JC_KOVETEL"},
    };
    for (const Step& s : steps) {
        QWidget* from = form->findChild<QWidget*>(s.from);
        form->PageControl1->setCurrentWidget(from->parentWidget());
        from->setFocus();
        QTest::keyClick(from, Qt::Key_Return);
        EXPECT_EQ(form->PageControl1->currentIndex(), s.tab) << s.from;
        EXPECT_EQ(Focused(), s.focus) << s.from;
    }
    // The last field reaches Rögzítés only once it is enabled.
    TDBEdit* kovetel = Control(*form, "JC_KOVETEL");
    QTest::keyClick(kovetel, Qt::Key_Return);
    EXPECT_EQ(Focused(), "JC_KOVETEL");
    for (const char* field : {"JC_KOD", "JC_NEV", "JC_SZAZ", "JC_TIPUS", "JC_SZAMKEP"})
        dm->TableJogcim->FieldByName(field).SetAsString("100");
    form->SzerkesztesChange();
    QTest::keyClick(kovetel, Qt::Key_Return);
    EXPECT_EQ(Focused(), "BitBtn11");
}

TEST_F(JogcimTest, EveryCodedEditPicksAndChecksItsOwnValueSet) {
    auto form = Open();
    form->BitBtn5->click();
    for (auto [field, type] : kCoded) {
        TDBEdit* edit = Control(*form, field);
        form->PageControl1->setCurrentWidget(edit->parentWidget());
        edit->setFocus();
        std::string filter;
        for (int how = 0; how < 2; ++how) {
            dialogs.AnswerModal([&filter, this](QDialog& list) {
                filter = dm->TableErtekkeszlet->Filter();
                list.reject();
                return int(QDialog::Rejected);
            });
            if (how == 0)
                QTest::keyClick(edit, Qt::Key_F2);
            else
                QTest::mouseClick(edit, Qt::LeftButton);
            EXPECT_EQ(filter, std::string("EK_TIPUS='") + type + "'") << field << (how ? " click" : " F2");
        }
        // A code of another type does not exist for this edit.
        const std::string t = type;
        const char* other = t == "Q" || t == "R" ? "1" : t == "3" || t == "A" || t == "B" ? "Z" : "9";
        QTest::keyClick(edit, Qt::Key_Home);  // the click left the caret where it clicked
        QTest::keyClicks(edit, other);
        const size_t before = dialogs.Shown().size();
        dialogs.Answer(ui::Ok);
        form->JC_NEV->setFocus();
        ASSERT_EQ(dialogs.Shown().size(), before + 1) << field;
        EXPECT_EQ(dialogs.Shown().back().text, "Ez a kód nem létezik!") << field;
        EXPECT_EQ(edit->Text(), "") << field;
    }
}

TEST_F(JogcimTest, DeleteRefusesAPaidCodeAndTakesTheStandingItemsOfAnUnusedOneAllOrNothing) {
    ClearPayItems();  // a catalogue of the two codes alone
    AddPayItem("110");
    AddPayItem("120");
    AddStandingItems("120", {"00000000001", "00000000002", "00000000003"});
    db::Table& payroll = *dm->TableSzamfejt;
    payroll.Open();
    payroll.Append();
    payroll.FieldByName("SF_JCKOD").SetAsString("110");
    payroll.FieldByName("SF_HONAP").SetAsInteger(11);
    testsupport::FillRequired(payroll);
    payroll.Post();
    payroll.Close();

    auto form = Open();
    db::Table& t = *dm->TableJogcim;
    ASSERT_EQ(t.FieldByName("JC_KOD").AsString(), "110");
    dialogs.Answer(ui::Ok);
    form->BitBtn7->click();
    EXPECT_EQ(dialogs.Text(0), "A jogcím nem törölhető! A számfejtett állományban szerepel!");
    EXPECT_EQ(Rows(t), 2);
    EXPECT_FALSE(payroll.Active());
    EXPECT_FALSE(payroll.ReadOnly);

    // A delete that fails at the third standing item leaves all three and the code.
    t.Next();
    int deletes = 0;
    dm->TableRJogcim->BeforeDelete = [&deletes](db::Dataset&) {
        if (++deletes == 3) throw db::DatabaseError("A lemez megtelt");
    };
    std::vector<std::string> errors;
    testsupport::CollectApplicationErrors(errors);
    dialogs.Answer(ui::Yes);
    form->BitBtn7->click();
    EXPECT_EQ(dialogs.Shown()[1].defaultButton, ui::No);
    EXPECT_EQ(errors, std::vector<std::string>{"A lemez megtelt"});
    EXPECT_EQ(Rows(t), 2);
    EXPECT_EQ(Rows(*dm->TableRJogcim), 3);

    dm->TableRJogcim->BeforeDelete = nullptr;
    db::SetApplicationExceptionHandler(nullptr);
    ASSERT_TRUE(t.Locate("JC_KOD", db::Variant("120")));
    dialogs.Answer(ui::Yes);
    form->BitBtn7->click();
    EXPECT_EQ(Rows(t), 1);
    EXPECT_EQ(Rows(*dm->TableRJogcim), 0);
}
