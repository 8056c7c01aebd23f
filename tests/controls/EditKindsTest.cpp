#include "controls/EditKinds.h"

#include <gtest/gtest.h>

#include "FormHost.h"
#include "controls/ComboEdits.h"

using testsupport::FormHost;

namespace {

struct EditForm : FormHost {
    QLineEdit* MaskEdit1 = nullptr;
    TDateEdit* DateEdit1 = nullptr;
};

using F = EditForm;

// clang-format off
const ui::ControlRow<F> kRows[] = {
//   member         kind      name         mask          cell    tag
    {&F::MaskEdit1, MaskEdit, "MaskEdit1", "999999;1; ", {0, 1}, 3},
    {&F::DateEdit1, DateEdit, "DateEdit1", "",           {1, 1}, 2},
};
// clang-format on

// The edits built with handlers logging what they are told; Enter is consumed.
struct EditKindsTest : testing::Test {
    void SetUp() override {
        ui::ControlBuilder b;
        b.events.OnExit = [this](QWidget* w) { log.push_back("exit " + w->objectName().toStdString()); };
        b.events.OnKeyDown = [this](QWidget* w, int& key, Qt::KeyboardModifiers) {
            if (key != Qt::Key_Return) return;
            log.push_back("enter " + w->objectName().toStdString());
            key = 0;
        };
        b.Build(form, &form, kRows);
    }
    EditForm form;
    std::vector<std::string> log;
};

}  // namespace

TEST_F(EditKindsTest, MaskIsTheRowsTextAndBothEditsReportKeysAndLeaving) {
    form.Start(form.MaskEdit1);
    EXPECT_EQ(form.MaskEdit1->text(), "");
    testsupport::Type(form.MaskEdit1, "12ab345678");
    EXPECT_EQ(form.MaskEdit1->text(), "123456");  // digits only, six of them
    QTest::keyClick(form.MaskEdit1, Qt::Key_Return);
    form.DateEdit1->setFocus(Qt::TabFocusReason);
    QTest::keyClick(form.DateEdit1, Qt::Key_Return);
    form.Leave();
    EXPECT_EQ(log, (std::vector<std::string>{"enter MaskEdit1", "exit MaskEdit1", "enter DateEdit1",
                                             "exit DateEdit1"}));
}
