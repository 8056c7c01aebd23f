#include <gtest/gtest.h>

#include <filesystem>

#include "backup/ZipUi.h"
#include "backup/zip/UnZipper.h"
#include "platform/os/AtomicFile.h"
#include "platform/os/TempDir.h"
#include "support/DialogTest.h"
#include "support/TestSupport.h"

// The component's questions reach the user through the dialog hook, with the
// buttons of their style, and the answer comes back in its own numbering.
TEST(ZipUi, QuestionsOfTheComponentGoThroughTheDialogHook) {
    InstallZipUserInterface();
    struct Case {
        int flags, answer, expected, buttons;
    };
    const Case cases[] = {
        {mbYesNo, ui::Yes, idYes, ui::Yes | ui::No},
        {mbYesNo, ui::No, idNo, ui::Yes | ui::No},
        {mbOKCancel, ui::Cancel, idCancel, ui::Ok | ui::Cancel},
        {mbOK, ui::Ok, idOK, ui::Ok},
    };
    for (const Case& c : cases) {
        testsupport::ScriptedDialogs script;
        script.Answer(c.answer);
        TUnZipper z;
        EXPECT_EQ(z.HandleMessage(196, "Replace Dolgozo_001.DB?", "Confirm", c.flags), c.expected);
        ASSERT_EQ(script.Shown().size(), 1u);
        EXPECT_EQ(script.Shown()[0].text, "Replace Dolgozo_001.DB?");
        EXPECT_EQ(script.Shown()[0].caption, "Confirm");
        EXPECT_EQ(script.Shown()[0].buttons, c.buttons);
    }
}

// A restore over an existing table asks before replacing it, and a No keeps it.
TEST(ZipUi, OverwriteQuestionOfARestoreIsAsked) {
    InstallZipUserInterface();
    os::TempDir dir;
    const std::string source = dir.File("Cegek.DB"), archive = dir.File("b.zip"), dest = dir.File("dest");
    testsupport::WriteBytes(source, "new");
    ASSERT_EQ(testsupport::RunCommand("cd " + dir.Path() + " && zip -q b.zip Cegek.DB"), 0);
    testsupport::WriteBytes(dest + "/Cegek.DB", "old");

    testsupport::ScriptedDialogs script;
    script.Answer(ui::No);
    TUnZipper u;
    u.SetZipName(archive);
    u.SetDestDir(dest);
    u.OverwriteMode = Prompt;
    u.DoAll = true;
    EXPECT_EQ(u.ExtractFiles(), 0);
    EXPECT_EQ(os::ReadFile(dest + "/Cegek.DB"), "old");
    ASSERT_EQ(script.Shown().size(), 1u);
    EXPECT_NE(script.Shown()[0].text.indexOf("Cegek.DB"), -1);
}
