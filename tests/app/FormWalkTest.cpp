// Every form the main window can open, created on a company offscreen: its
// controls named once each, its bound fields known to the table layouts, its
// tab order as its control tables list the controls, and its tables given
// back when it closes. The checks themselves are shown on small widget trees.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QSizeGrip>
#include <QSplitter>
#include <QStackedWidget>
#include <QTabWidget>
#include <map>
#include <memory>
#include <set>

#include "app/FormList.h"
#include "core/CegKival.h"
#include "core/FormTables.h"
#include "core/MainWindowLink.h"
#include "core/TableCatalog.h"
#include "core/TableLayouts.h"
#include "platform/ui/ControlKinds.h"
#include "platform/ui/DialogScript.h"
#include "support/CompanyFixture.h"

namespace {

using Problems = std::vector<std::string>;

std::string Name(const QObject* o) { return o->objectName().toStdString(); }

// Widgets that hold the form's controls; the parts of any other control are
// its own business and go unchecked.
bool HoldsControls(const QWidget* w) {
    const QMetaObject* m = w->metaObject();
    return m == &QWidget::staticMetaObject || m == &QFrame::staticMetaObject ||
           m == &QDialog::staticMetaObject || qobject_cast<const QGroupBox*>(w) ||
           qobject_cast<const QTabWidget*>(w) || qobject_cast<const QStackedWidget*>(w) ||
           qobject_cast<const QScrollArea*>(w) || qobject_cast<const QSplitter*>(w) ||
           qobject_cast<const QDialog*>(w);
}

// Qt's own parts of a container (a tab widget's stack, a scroll area's view,
// a dialog's size grip).
bool QtPart(const QWidget* w) {
    return w->objectName().startsWith("qt_") || qobject_cast<const QSizeGrip*>(w) ||
           qobject_cast<const QScrollBar*>(w);
}

void Controls(const QWidget* parent, std::vector<const QWidget*>& out) {
    for (const QWidget* w : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (w->isWindow()) continue;  // a dialog the form keeps for later
        if (!QtPart(w)) out.push_back(w);
        if (QtPart(w) || HoldsControls(w)) Controls(w, out);
    }
}

// The controls of a form: every widget inside its containers, down to the
// controls but not into them.
std::vector<const QWidget*> Controls(const QWidget& root) {
    std::vector<const QWidget*> out;
    Controls(&root, out);
    return out;
}

// The tab page a control stands on, or nullptr. The pages of one record's
// tables may name their inputs by the same fields: a form finds an input
// through its page.
const QWidget* TabPageOf(const QWidget* w) {
    for (; w && w->parentWidget(); w = w->parentWidget())
        if (w->parentWidget()->objectName() == "qt_tabwidget_stackedwidget") return w;
    return nullptr;
}

// An unnamed control, and a name given to two controls of one page. A
// caption nobody reads back may go unnamed.
Problems NameProblems(const QWidget& root) {
    Problems problems;
    std::map<std::pair<const QWidget*, std::string>, int> seen;
    for (const QWidget* w : Controls(root)) {
        if (w->objectName().isEmpty() && qobject_cast<const QLabel*>(w)) continue;
        if (w->objectName().isEmpty())
            problems.push_back(std::string("unnamed ") + w->metaObject()->className() + " in " +
                               Name(w->parentWidget()));
        else if (++seen[{TabPageOf(w), Name(w)}] == 2)
            problems.push_back("name twice: " + Name(w));
    }
    return problems;
}

// A bound control whose table's layout does not hold its field.
Problems FieldProblems(const QWidget& root) {
    Problems problems;
    for (const QWidget* w : root.findChildren<QWidget*>()) {
        const ui::BoundField bound = ui::BoundFieldOf(w);
        if (!bound.source) continue;
        const TableLayout* layout = SourceLayout(bound.source);
        bool known = layout && layout->Field(bound.field);
        if (layout)
            for (const LookupLayout& l : layout->lookups) known |= l.name == bound.field;
        if (!known) problems.push_back(Name(w) + ": " + bound.field + " not in the table layouts");
    }
    return problems;
}

// Controls of one builder's tables that the tab order meets out of their
// rows' order. A form may put a control of its own tables between them.
Problems TabOrderProblems(const QWidget& root) {
    Problems problems;
    std::map<int, const QWidget*> last;  // by builder
    for (QWidget* w = root.nextInFocusChain(); w && w != &root; w = w->nextInFocusChain()) {
        const ui::TablePlace place = ui::TablePlaceOf(w);
        if (place.row == 0 || !(w->focusPolicy() & Qt::TabFocus) || w->window() != &root) continue;
        const QWidget*& before = last[place.builder];
        if (before && ui::TablePlaceOf(before).row > place.row)
            problems.push_back(Name(w) + " comes after " + Name(before));
        before = w;
    }
    return problems;
}

std::string Joined(const Problems& problems) {
    std::string s;
    for (const std::string& p : problems) s += "\n  " + p;
    return s;
}

// --- The checks on small trees ---------------------------------------------------------

struct Page {
    QLineEdit* Edit1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QLineEdit* Edit3 = nullptr;
};

// A page of three edits in a named group box, built from a table.
std::unique_ptr<QWidget> BuiltPage(Page& page, const char* second = "Edit2", const char* box = "GroupBox1") {
    auto root = std::make_unique<QWidget>();
    auto* group = new QGroupBox(root.get());
    group->setObjectName(box);
    // clang-format off
    const ui::ControlRow<Page> rows[] = {
        {&Page::Edit1, ui::Edit, "Edit1",  "", {0, 0}},
        {&Page::Edit2, ui::Edit, second,   "", {1, 0}},
        {&Page::Edit3, ui::Edit, "Edit3",  "", {2, 0}},
    };
    // clang-format on
    ui::ControlBuilder b;
    b.Build(page, group, rows);
    return root;
}

TEST(FormWalkChecks, NamesPresentAndUnique) {
    struct Case {
        const char* second;
        const char* box;
        Problems expected;
    };
    const Case cases[] = {
        {"Edit2", "GroupBox1", {}},
        {"Edit1", "GroupBox1", {"name twice: Edit1"}},
        {"Edit2", "Edit3", {"name twice: Edit3"}},
        {"", "GroupBox1", {"unnamed QLineEdit in GroupBox1"}},
        {"Edit2", "", {"unnamed QGroupBox in "}},
    };
    for (const Case& c : cases) {
        Page page;
        auto root = BuiltPage(page, c.second, c.box);
        EXPECT_EQ(NameProblems(*root), c.expected) << c.second << " " << c.box;
    }
}

TEST(FormWalkChecks, TabOrderAgainstTheTable) {
    Page page;
    auto root = BuiltPage(page);
    EXPECT_EQ(TabOrderProblems(*root), Problems{});
    QWidget::setTabOrder(page.Edit3, page.Edit2);
    EXPECT_EQ(TabOrderProblems(*root), Problems{"Edit2 comes after Edit3"});
}

// --- Every form ------------------------------------------------------------------------

// Data-module tables open at the moment.
std::set<std::string> OpenTables() {
    std::set<std::string> open;
    for (const TableComponent& c : TableComponents())
        if (db::Table* t = DM1->Component(c.component); t && t->Active()) open.insert(c.component);
    return open;
}

struct Window : MainWindowLink {
    QString CompanyCode() const override { return "001"; }
    void ShowCompany(const QString&, const QString&, const QString&) override {}
    void EnableCompanyItems(const CompanyTables&) override {}
    void DisableCompanyItems() override {}
};

// One company for every form: making it takes longer than opening most
// forms, and no form here saves anything into it.
class FormWalk : public ::testing::TestWithParam<std::string> {
protected:
    static void SetUpTestSuite() {
        home = std::make_unique<testsupport::TempHome>();
        AliasLetrehoz(AktualisAlias, EvKonyvtar());
        PrepareYearFolder(AktualisAlias);
        dm = std::make_unique<TDM1>();
        DM1 = dm.get();
        dm->SetDatabaseName(AktualisAlias);
        testsupport::MakeCompany("001", "Minta Kft", "Minta");
        // The tax forms' tables too, as their first use makes them.
        for (const TableLayout& l : TableLayouts())
            if (l.scope == TableScope::Company && l.hasTemplate) TablaSablonbol(l.name, "001");
    }
    static void TearDownTestSuite() {
        DM1 = nullptr;
        dm.reset();
        home.reset();
    }
    void SetUp() override {
        // What a form before may have pointed elsewhere.
        DM1->Table1->TableName.clear();
        dm->SetCompanyTableNames("001");
        SetMainWindow(&window);
    }
    void TearDown() override { SetMainWindow(nullptr); }

    static inline std::unique_ptr<testsupport::TempHome> home;
    static inline std::unique_ptr<TDM1> dm;
    Window window;
};

TEST_P(FormWalk, NamedTabbedBoundAndClosed) {
    const FormFactory* create = FindForm(GetParam());
    ASSERT_NE(create, nullptr);
    const std::set<std::string> before = OpenTables();
    ui::DialogScript dialogs;
    {
        std::unique_ptr<QDialog> form = (*create)();
        form->show();
        QApplication::processEvents();
        EXPECT_EQ(NameProblems(*form), Problems{}) << Joined(NameProblems(*form));
        EXPECT_EQ(FieldProblems(*form), Problems{}) << Joined(FieldProblems(*form));
        EXPECT_EQ(TabOrderProblems(*form), Problems{}) << Joined(TabOrderProblems(*form));
        // Leaving is confirmed; nothing typed is saved.
        for (int i = 0; i < 2; ++i)
            dialogs.Then([](const ui::DialogRequest& r) {
                return ui::DialogAnswer{r.text.startsWith("Menti") ? ui::No : ui::Yes, {}, 0};
            });
        EXPECT_TRUE(form->close());
        EXPECT_FALSE(form->isVisible());
    }
    EXPECT_EQ(OpenTables(), before);
    EXPECT_TRUE(dialogs.Unexpected().empty()) << dialogs.Unexpected().front().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Forms, FormWalk, ::testing::ValuesIn(FormNames()),
                         [](const ::testing::TestParamInfo<std::string>& info) { return info.param; });

}  // namespace
