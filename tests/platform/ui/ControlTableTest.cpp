#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>
#include <QToolButton>

#include "platform/ui/ControlKinds.h"
#include "platform/ui/ControlTable.h"
#include "support/ActiveWindow.h"

namespace {

struct PageForm : QWidget {
    QLabel* Label1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QTabWidget* PageControl1 = nullptr;
    QWidget* TabSheet1 = nullptr;
    QWidget* TabSheet2 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QLineEdit* Edit3 = nullptr;
    QLineEdit* Edit4 = nullptr;
    QToolButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
};

using F = PageForm;

// clang-format off
const ui::ControlRow<F> kHead[] = {
//   member          kind                 name            caption or field  cell          tag  hint
    {&F::Label1,     ui::Label,           "Label1",       "Kód :",          {0, 0}},
    {&F::Edit1,      ui::Edit.Coded("3"), "Edit1",        "",               {0, 1},       1,   "F2"},
    {&F::PageControl1, ui::PageControl,   "PageControl1", "",               {1, 0, 1, 2}},
    {&F::TabSheet1,  ui::TabPage,         "TabSheet1",    "Általános",      {}},
    {&F::TabSheet2,  ui::TabPage,         "TabSheet2",    "Feladás",        {}},
};
const ui::ControlRow<F> kFirstPage[] = {
    {&F::Edit2,      ui::Edit,            "Edit2",        "",               {0, 1}},
    {&F::CheckBox1,  ui::CheckBox,        "CheckBox1",    "Kifizethető :",  {1, 1},       2},
    {&F::Edit3,      ui::Edit.Hidden(),   "Edit3",        "",               {2, 1}},
};
const ui::ControlRow<F> kSecondPage[] = {
    {&F::Edit4,      ui::Edit.Disabled(), "Edit4",        "",               {0, 0}},
    {{},             ui::Label,           "Label9",       "nincs tagja",    {0, 1}},
};
const ui::ControlRow<F> kButtons[] = {
    {&F::BitBtn1,    ui::GlyphButton,     "BitBtn1",      "-",              {3, 0},       1,   "-"},
    {&F::BitBtn2,    ui::Button,          "BitBtn2",      "Rögzítés",       {3, 1},       11},
};
// clang-format on

// The page form built with the handlers logging what they are told.
struct ControlTableTest : testing::Test {
    void SetUp() override {
        ui::ControlBuilder b;
        b.events.OnClick = [this](QWidget* w) { Log("click", w); };
        b.events.OnChange = [this](QWidget* w) { Log("change", w); };
        b.events.OnExit = [this](QWidget* w) { Log("exit", w); };
        b.events.OnKeyDown = [this](QWidget* w, int& key, Qt::KeyboardModifiers) {
            if (key != Qt::Key_Return) return;
            Log("enter", w);
            key = 0;
        };
        b.Build(form, &form, kHead);
        b.Build(form, form.TabSheet1, kFirstPage);
        b.Build(form, form.TabSheet2, kSecondPage);
        b.Build(form, &form, kButtons);
    }
    void Log(const char* what, QWidget* w) {
        log.push_back(std::string(what) + " " + w->objectName().toStdString() + " " +
                      std::to_string(ui::TagOf(w)));
    }
    void Activate() { testsupport::Activate(form); }

    PageForm form;
    std::vector<std::string> log;
};

struct Placement {
    const char* name;
    int row, column, rowSpan, columnSpan;
};

}  // namespace

TEST_F(ControlTableTest, ControlsAreNamedTaggedAndPlacedAsTabled) {
    EXPECT_EQ(form.Label1->text(), "Kód :");
    EXPECT_EQ(form.CheckBox1->text(), "Kifizethető :");
    EXPECT_EQ(form.BitBtn2->text(), "Rögzítés");
    EXPECT_EQ(form.Edit1->toolTip(), "F2");
    EXPECT_EQ(ui::TagOf(form.Edit1), 1);
    EXPECT_EQ(ui::ValueSetOf(form.Edit1), "3");
    EXPECT_EQ(ui::ValueSetOf(form.Edit2), "");
    EXPECT_EQ(ui::TagOf(form.BitBtn2), 11);
    EXPECT_EQ(form.BitBtn1->focusPolicy(), Qt::NoFocus);
    EXPECT_TRUE(form.Edit3->isHidden());
    EXPECT_FALSE(form.Edit4->isEnabled());
    // A row without a member is reached by its object name.
    ASSERT_NE(form.findChild<QLabel*>("Label9"), nullptr);
    EXPECT_EQ(form.findChild<QLabel*>("Label9")->parentWidget(), form.TabSheet2);

    ASSERT_EQ(form.PageControl1->count(), 2);
    EXPECT_EQ(form.PageControl1->widget(1), form.TabSheet2);
    EXPECT_EQ(form.PageControl1->tabText(0), "Általános");

    const Placement placements[] = {
        {"Label1", 0, 0, 1, 1}, {"Edit1", 0, 1, 1, 1},     {"PageControl1", 1, 0, 1, 2},
        {"Edit2", 0, 1, 1, 1},  {"CheckBox1", 1, 1, 1, 1}, {"BitBtn2", 3, 1, 1, 1},
    };
    for (const Placement& p : placements) {
        auto* w = form.findChild<QWidget*>(p.name);
        auto* grid = qobject_cast<QGridLayout*>(w->parentWidget()->layout());
        int row, column, rowSpan, columnSpan;
        grid->getItemPosition(grid->indexOf(w), &row, &column, &rowSpan, &columnSpan);
        EXPECT_EQ(std::vector({row, column, rowSpan, columnSpan}),
                  std::vector({p.row, p.column, p.rowSpan, p.columnSpan}))
            << p.name;
    }
}

TEST_F(ControlTableTest, TabOrderFollowsTheRowsAcrossTables) {
    const std::vector<QWidget*> tabled = {form.Edit1, form.PageControl1, form.Edit2,  form.CheckBox1,
                                          form.Edit3, form.Edit4,        form.BitBtn2};
    std::vector<QWidget*> chain;
    QWidget* w = form.Edit1;
    do {
        if (std::find(tabled.begin(), tabled.end(), w) != tabled.end()) chain.push_back(w);
        w = w->nextInFocusChain();
    } while (w != form.Edit1);
    EXPECT_EQ(chain, tabled);
}

TEST_F(ControlTableTest, SharedHandlersHearTheirControls) {
    Activate();
    form.Edit1->setFocus();
    QTest::keyClicks(form.Edit1, "7");
    QTest::keyClick(form.Edit1, Qt::Key_Return);
    form.BitBtn1->click();
    form.BitBtn2->click();
    form.PageControl1->setCurrentIndex(0);
    form.CheckBox1->setFocus();  // leaves Edit1
    form.CheckBox1->click();
    QTest::mouseClick(form.Edit2, Qt::LeftButton);  // leaves the check box
    EXPECT_EQ(log, (std::vector<std::string>{"change Edit1 1", "enter Edit1 1", "click BitBtn1 1",
                                             "click BitBtn2 11", "exit Edit1 1", "click CheckBox1 2",
                                             "exit CheckBox1 2", "click Edit2 0"}));
    EXPECT_EQ(form.Edit1->text(), "7");  // the consumed Enter reached nothing
}

TEST(ControlTable, ATableThatDoesNotMatchItsFormIsRefused) {
    PageForm form;
    ui::ControlBuilder b;
    const ui::ControlRow<F> wrongType[] = {{&F::Label1, ui::Edit, "Label1"}};
    EXPECT_THROW(b.Build(form, &form, wrongType), std::logic_error);
    const ui::ControlRow<F> tabWithoutPages[] = {{&F::TabSheet1, ui::TabPage, "TabSheet1", "Általános"}};
    EXPECT_THROW(b.Build(form, &form, tabWithoutPages), std::logic_error);
}

namespace {

struct PaneForm : QWidget {
    QSplitter* Splitter1 = nullptr;
    QListWidget* ListBox1 = nullptr;
    QListWidget* ListBox2 = nullptr;
    QComboBox* ComboBox1 = nullptr;
};

}  // namespace

TEST(ControlTable, ASplitterTakesItsRowsAsPanesInRowOrder) {
    using P = PaneForm;
    // clang-format off
    const ui::ControlRow<P> window[] = {
        {&P::Splitter1, ui::Splitter, "Splitter1", "", {0, 0}},
        {&P::ComboBox1, ui::ComboBox, "ComboBox1", "", {1, 0}},
    };
    // Cells mean nothing in a splitter: the rows' order places the panes.
    const ui::ControlRow<P> panes[] = {
        {&P::ListBox2,  ui::ListBox,  "ListBox2",  "", {0, 1}},
        {&P::ListBox1,  ui::ListBox,  "ListBox1",  "", {0, 0}},
    };
    // clang-format on
    PaneForm form;
    std::vector<std::string> log;
    ui::ControlBuilder b;
    b.events.OnChange = [&log](QWidget* w) { log.push_back(w->objectName().toStdString()); };
    b.Build(form, &form, window);
    b.Build(form, form.Splitter1, panes);

    EXPECT_EQ(form.Splitter1->orientation(), Qt::Vertical);
    EXPECT_EQ(form.Splitter1->layout(), nullptr);
    ASSERT_EQ(form.Splitter1->count(), 2);
    EXPECT_EQ(form.Splitter1->widget(0), form.ListBox2);
    EXPECT_EQ(form.Splitter1->widget(1), form.ListBox1);
    EXPECT_EQ(form.ComboBox1->nextInFocusChain(), form.ListBox2);

    form.ComboBox1->addItems({"001", "002"});
    form.ComboBox1->setCurrentIndex(1);
    EXPECT_EQ(log, (std::vector<std::string>{"ComboBox1", "ComboBox1"}));
}

namespace {

struct MemoForm : QWidget {
    QPlainTextEdit* Memo1 = nullptr;
    QPushButton* BitBtn1 = nullptr;
};

}  // namespace

// A memo shows its lines and cannot be typed into; Tab goes on to the next
// control instead of into the text.
TEST(ControlTable, AMemoShowsItsLinesReadOnly) {
    using M = MemoForm;
    // clang-format off
    const ui::ControlRow<M> rows[] = {
        {&M::Memo1,   ui::Memo,   "Memo1",   "FIGYELEM!\nElső sor", {0, 0}},
        {&M::BitBtn1, ui::Button, "BitBtn1", "Ment",                {1, 0}},
    };
    // clang-format on
    MemoForm form;
    ui::ControlBuilder b;
    b.Build(form, &form, rows);
    EXPECT_EQ(form.Memo1->document()->blockCount(), 2);
    EXPECT_EQ(form.Memo1->document()->findBlockByNumber(1).text(), "Első sor");

    form.show();
    QApplication::setActiveWindow(&form);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    form.Memo1->setFocus();
    QTest::keyClicks(form.Memo1, "x");
    QTest::keyClick(form.Memo1, Qt::Key_Tab);
    EXPECT_EQ(form.Memo1->toPlainText(), "FIGYELEM!\nElső sor");
    EXPECT_EQ(QApplication::focusWidget(), form.BitBtn1);
}
