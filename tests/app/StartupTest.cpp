#include <gtest/gtest.h>
#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <filesystem>
#include <map>
#include <optional>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "app/Fomenu.h"
#include "backup/DataFolderBackup.h"
#include "backup/zip/Zipper.h"
#include "controls/DBControls.h"
#include "core/CegTablak.h"
#include "core/DataModule1.h"
#include "core/SegedUnitDb.h"
#include "core/StartValues.h"
#include "core/TableCatalog.h"
#include "core/TableLayouts.h"
#include "masterdata/TorzskezCegek.h"
#include "platform/db/Engine.h"
#include "platform/db/Sqlite.h"
#include "platform/db/Table.h"
#include "platform/os/CodePage.h"
#include "support/CompanyFixture.h"
#include "support/DialogTest.h"
#include "support/TestSupport.h"

namespace {

// A machine with an empty home: no alias, no base folder.
class StartupTest : public testsupport::HomeTest {
protected:
    StartupTest() { DM1 = dm.get(); }
    ~StartupTest() override { DM1 = nullptr; }

    // The value-set template open on its user name row.
    struct UserNameRow {
        UserNameRow() {
            table.DatabaseName = AktualisAlias;
            table.TableName = "Ertekkeszlet";
            table.Open();
            EXPECT_TRUE(table.Locate("EK_TIPUS;EK_ERTEK", std::vector<db::Variant>{"0", "02"}));
        }
        db::Table table;
    };
    std::string UserName() { return UserNameRow().table.FieldByName("EK_ERTEKCHAR").AsString(); }

    // Without a company the start-up opens the company register: closed unused.
    static void CloseRegister(testsupport::ScriptedDialogs& dialogs) {
        dialogs.AnswerModal([](QDialog& d) {
            EXPECT_EQ(d.objectName(), "TorzskezCegekForm");
            return 0;
        });
    }

    // A first start, answered with a user name, by a program run of its own.
    void FirstStart() {
        TDM1 firstRun;
        DM1 = &firstRun;
        {
            testsupport::ScriptedDialogs dialogs;
            dialogs.AnswerText("Minta Iroda");
            CloseRegister(dialogs);
            TFomenuForm form;
            EXPECT_EQ(form.FormShow(), StartState::NoCompany);
        }
        DM1 = dm.get();
    }

    std::unique_ptr<TDM1> dm = std::make_unique<TDM1>();
};

TEST_F(StartupTest, FreshMachineGetsAliasFolderAndUserName) {
    testsupport::ScriptedDialogs dialogs;
    dialogs.AnswerText("  Kft  ");
    CloseRegister(dialogs);
    TFomenuForm form;
    EXPECT_EQ(form.windowTitle(), "Tavrina 2019     Selvo Studio     v.: 19.087");
    EXPECT_EQ(form.FormShow(), StartState::NoCompany);

    ASSERT_EQ(dialogs.Shown().size(), 2u);
    EXPECT_EQ(dialogs.Caption(0), "Felhasználó");
    EXPECT_EQ(dialogs.Shown()[0].text, "Felhasználó neve :");
    EXPECT_EQ(db::Engine::AliasPath(AktualisAlias), home.Path() + "/Tavrina/2019");
    EXPECT_TRUE(LocalShareEllenoriz());
    for (const char* table : {"Cegek", "Dolgozo", "Szamfejt", "NyugP", "MAB12"})
        EXPECT_TRUE(db::TableExists(AktualisAlias, table)) << table;
    EXPECT_EQ(UserName(), "  Kft  ");  // stored as typed

    // No company: only the items that need none are wanted.
    EXPECT_FALSE(form.IsReduced());
    EXPECT_EQ(form.Label2->text(), "");
    EXPECT_TRUE(form.Item("MNU_Torzsk_CegKival")->isEnabled());
    EXPECT_FALSE(form.ItemWanted("MNU_Torzsk_DG"));
    EXPECT_EQ(dm->TableSzamfejt->TableName, "");
    EXPECT_EQ(dm->TableErtekkeszlet->TableName, "");
    EXPECT_EQ(dm->TableMAB04->TableName, "MAB04");
}

TEST_F(StartupTest, BlankUserNameEndsTheProgram) {
    FirstStart();
    {
        UserNameRow row;  // blank the name again
        row.table.Edit();
        row.table.FieldByName("EK_ERTEKCHAR").SetAsString("   ");
        row.table.Post();
    }
    for (bool cancel : {true, false}) {
        testsupport::ScriptedDialogs dialogs;
        if (cancel)
            dialogs.AnswerText("", false);
        else
            dialogs.AnswerText("    ");
        TDM1 run;
        DM1 = &run;
        TFomenuForm form;
        EXPECT_EQ(form.FormShow(), StartState::Ended) << cancel;
        EXPECT_FALSE(run.TableErtekkeszlet->Active());
        DM1 = dm.get();
    }
}

TEST_F(StartupTest, MissingUserNameRowEndsTheProgram) {
    FirstStart();
    UserNameRow().table.Delete();
    testsupport::ScriptedDialogs dialogs;
    dialogs.Answer(ui::Ok);
    TFomenuForm form;
    EXPECT_EQ(form.FormShow(), StartState::Ended);
    EXPECT_EQ(dialogs.Text(0), "Ertekkeszlet -ből hiányzik a felhsználó!");
}

TEST_F(StartupTest, DamagedTemplateStartsTheReducedMode) {
    FirstStart();
    testsupport::WriteBytes(db::TableFilePath(AktualisAlias, "Dolgozo"), "this is no table");
    testsupport::ScriptedDialogs dialogs;
    dialogs.Answer(ui::Ok);
    TFomenuForm form;
    form.show();
    EXPECT_EQ(form.FormShow(), StartState::Reduced);
    ASSERT_EQ(dialogs.Shown().size(), 1u);
    EXPECT_EQ(dialogs.Caption(0), "Üzenet");
    EXPECT_EQ(dialogs.Shown()[0].icon, ui::Icon::Error);
    EXPECT_EQ(
        dialogs.Text(0).rfind("Hiba az adatállományban!\rA program csökkentett módban fog elindulni!\r", 0),
        0u);
    EXPECT_TRUE(form.Label16->isVisible());
    EXPECT_FALSE(form.BitBtn1->isVisible());
    for (const char* name : {"MNU_Torzsk_Kilep", "MNU_Szerviz_Ment", "MNU_Segits_Sugo", "MNU_ProgParam"})
        EXPECT_TRUE(form.ItemWanted(name)) << name;
    for (const char* name : {"MNU_Szerviz_Naptar", "MNU_Torzsk_CegKival", "MNU_Torzsk_CG"})
        EXPECT_FALSE(form.ItemWanted(name)) << name;
    form.close();
}

TEST_F(StartupTest, OneCompanyIsSelectedAtOnce) {
    FirstStart();
    testsupport::MakeCompany("001", "Minta Kft", "Minta");
    testsupport::ScriptedDialogs dialogs;
    TFomenuForm form;
    EXPECT_EQ(form.FormShow(), StartState::CompanySelected);
    EXPECT_EQ(form.Label2->text(), "001");
    EXPECT_EQ(form.Label4->text(), "Minta Kft");
    EXPECT_EQ(form.Label6->text(), "Minta");
    EXPECT_EQ(dm->TableSzamfejt->TableName.substr(9, 3), "001");
    EXPECT_TRUE(form.ItemWanted("MNU_Torzsk_DG"));
    EXPECT_TRUE(form.ItemWanted("MNU_MAdo"));
    EXPECT_TRUE(form.Item("MNU_MAdo")->isEnabled());
    EXPECT_TRUE(form.Item("MNU_Ado_M30ossz")->isVisible());
    EXPECT_FALSE(dm->TableCegek->Active());
}

TEST_F(StartupTest, SeveralCompaniesOpenTheSelectionDialog) {
    FirstStart();
    testsupport::MakeCompany("001", "Első Kft", "Első");
    testsupport::MakeCompany("002", "Második Bt", "Második");
    testsupport::ScriptedDialogs dialogs;
    dialogs.AnswerModal([](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Törzskezelés/Cég kiválasztása");
        dialog.findChild<QToolButton*>("BitBtn2")->click();  // next company
        dialog.findChild<QPushButton*>("BitBtn6")->click();
        return dialog.result();
    });
    TFomenuForm form;
    EXPECT_EQ(form.FormShow(), StartState::CompanySelected);
    EXPECT_EQ(form.Label2->text(), "002");
}

}  // namespace

namespace {

TEST_F(StartupTest, UncaughtErrorIsLoggedWithTheSenderClassAndShown) {
    FirstStart();
    testsupport::ScriptedDialogs dialogs;
    CloseRegister(dialogs);
    TFomenuForm form;
    ASSERT_EQ(form.FormShow(), StartState::NoCompany);
    dialogs.Answer(ui::Ok);
    form.Guarded(form.Item("MNU_Szerviz_Naptar"), [] { throw db::DatabaseError("Valami elromlott"); });
    ASSERT_EQ(dialogs.Shown().size(), 2u);
    EXPECT_EQ(dialogs.Text(1), "Valami elromlott");
    EXPECT_EQ(dialogs.Shown()[1].icon, ui::Icon::Error);
    const std::string log = testsupport::ReadBytes(home.Path() + "/Tavrina/2019/test_app.log");
    const std::string firstLine = log.substr(0, log.find("\r\n"));
    EXPECT_EQ(firstLine.substr(firstLine.size() - 27), " Valami elromlott-->QAction") << firstLine;

    // The note asked for by the menu item; a cancelled note logs none.
    dialogs.AnswerText("", false);
    form.Item("MNU_ProgNaploz")->trigger();
    const std::string after = testsupport::ReadBytes(home.Path() + "/Tavrina/2019/test_app.log");
    EXPECT_NE(after.find(os::Utf8ToCp1250(" Felhasználó által kért naplózás. \r\n   Cég\r\n")),
              std::string::npos);
}

TEST_F(StartupTest, UnwritableLogStillShowsTheOriginalError) {
    FirstStart();
    // A folder where the log file should be: the log cannot be opened.
    std::filesystem::create_directories(home.Path() + "/Tavrina/2019/test_app.log");
    testsupport::ScriptedDialogs dialogs;
    CloseRegister(dialogs);
    TFomenuForm form;
    ASSERT_EQ(form.FormShow(), StartState::NoCompany);
    dialogs.Answer(ui::Ok);
    form.Guarded(form.BitBtn1, [] { throw std::runtime_error("Eredeti hiba"); });
    ASSERT_EQ(dialogs.Shown().size(), 2u);
    EXPECT_EQ(dialogs.Text(1), "Eredeti hiba");
    // The program goes on.
    EXPECT_TRUE(form.Item("MNU_Torzsk_Kilep")->isEnabled());
}

}  // namespace

// A restore stopped after it recorded its swap is finished by the next start
// before any table opens: the company's tables come back whole.
TEST_F(StartupTest, AnInterruptedRestoreIsFinishedBeforeTheTablesOpen) {
    FirstStart();
    testsupport::MakeCompany("001", "Minta Kft", "Minta");
    const std::string data = AliasUtvonal(AktualisAlias);
    const std::string archive = data + "/TR19_19-05-02_14-30-05.zip";
    TZipper z;
    ASSERT_GT(BackupDataFolder(z, data, archive), 0);
    {
        db::Table employees;
        employees.DatabaseName = AktualisAlias;
        employees.TableName = "Dolgozo_001";
        employees.Open();
        testsupport::AddEmployees(employees, {{"11111111111", "Új Ede"}});
    }
    struct Stop {};
    RestoreCheckpoint = [](const char* step) {
        if (std::string(step) == "recorded") throw Stop{};
    };
    TUnZipper u;
    EXPECT_THROW(RestoreDataFolder(u, data, archive, RestoreScope::Company, "001"), Stop);
    RestoreCheckpoint = nullptr;

    testsupport::ScriptedDialogs dialogs;
    TFomenuForm form;
    EXPECT_EQ(form.FormShow(), StartState::CompanySelected);
    db::Table employees;
    employees.DatabaseName = AktualisAlias;
    employees.TableName = "Dolgozo_001";
    employees.Open();
    EXPECT_EQ(employees.RecordCount(), 0);
    for (const auto& e : std::filesystem::directory_iterator(data))
        EXPECT_NE(e.path().filename().string()[0], '.') << e.path();
}

TEST_F(StartupTest, MaintenanceItemsOpenTheirFormsOnTheSelectedCompany) {
    FirstStart();
    testsupport::MakeCompany("001", "Minta Kft", "Minta");
    testsupport::ScriptedDialogs dialogs;
    TFomenuForm form;
    ASSERT_EQ(form.FormShow(), StartState::CompanySelected);
    struct Case {
        const char* item;
        const char* form;
        db::Table* table;
    };
    const Case cases[] = {
        {"MNU_Torzsk_KH", "TorzskezKifhelyForm", dm->TableKifhely},
        {"MNU_Torzsk_MH", "TorzskezMhelyForm", dm->TableMhely},
        {"MNU_Szerviz_EK", "SzervizErtekkeszletForm", dm->TableErtekkeszlet},
        {"MNU_Szerviz_Naptar", "SzervizNaptarForm", dm->TableNaptar},
        {"MNU_Torzsk_JC", "TorzskezJogcimForm", dm->TableJogcim},
        {"MNU_Torzsk_RJ", "TorzskezRJogcimForm", dm->TableRJogcim},
        {"MNU_Torzsk_DG", "TorzskezDolgozoForm", dm->TableDolgozo},
    };
    for (const Case& c : cases) {
        dialogs.AnswerModal([&c](QDialog& d) {
            EXPECT_EQ(d.objectName(), c.form);
            EXPECT_TRUE(c.table->Active()) << c.form;
            return int(QDialog::Rejected);
        });
        form.Item(c.item)->trigger();
        // Freed without closing, the form still puts its tables back.
        EXPECT_FALSE(c.table->Active()) << c.form;
        for (db::Table* t : {dm->TableKifhely, dm->TableJogcim, dm->TableDolgozo}) {
            EXPECT_FALSE(t->ReadOnly) << c.form << " " << t->Name;
            EXPECT_FALSE(t->Active()) << c.form << " " << t->Name;
        }
        EXPECT_TRUE(dm->TableErtekkeszlet->ReadOnly) << c.form;
        EXPECT_FALSE(dm->TableErtekkeszlet->Active()) << c.form;
    }
    EXPECT_EQ(dm->TableKifhely->TableName, "KifHely_001");
    // The employees' speed button opens the same form.
    dialogs.AnswerModal([](QDialog& d) {
        EXPECT_EQ(d.objectName(), "TorzskezDolgozoForm");
        return int(QDialog::Rejected);
    });
    ASSERT_TRUE(form.BitBtn2->isEnabled());
    form.BitBtn2->click();
}

namespace {

TEST_F(StartupTest, ANewUserCreatesTheFirstCompanyAtStartUp) {
    testsupport::ScriptedDialogs dialogs;
    dialogs.AnswerText("Minta Iroda");
    dialogs.AnswerModal([&dialogs](QDialog& d) {
        auto& reg = static_cast<TTorzskezCegekForm&>(d);
        reg.show();
        reg.BitBtn5->click();  // Felvitel
        EXPECT_EQ(reg.CG_KOD->Text(), "001");
        QTest::keyClicks(reg.CG_NEV, "Minta Kft");
        QTest::keyClicks(reg.CG_RNEV, "Minta");
        QTest::keyClicks(reg.CG_ADOSZAM, "12345678142");
        dialogs.Answer(ui::Yes);  // "Valóban végrehajtja a rögzítést?"
        reg.BitBtn11->click();
        EXPECT_TRUE(reg.UjCegKesz);
        return 0;
    });
    TFomenuForm form;
    EXPECT_EQ(form.FormShow(), StartState::CompanySelected);
    EXPECT_EQ(form.Label2->text(), "001");
    EXPECT_EQ(form.Label4->text(), "Minta Kft");
    for (const char* table : {"Ertekkeszlet_001", "Dolgozo_001", "DolgRegi_001", "Szamfejt_001"})
        EXPECT_TRUE(db::TableExists(AktualisAlias, table)) << table;
    EXPECT_TRUE(form.ItemWanted("MNU_Torzsk_KH"));
}

}  // namespace

namespace {

// The year folder's table files with their contents.
std::map<std::string, std::string> TableFiles() {
    std::map<std::string, std::string> files;
    for (const auto& e : std::filesystem::directory_iterator(AliasUtvonal(AktualisAlias)))
        if (e.path().extension() == ".DB")
            files[e.path().filename().string()] = testsupport::ReadBytes(e.path().string());
    return files;
}

TEST_F(StartupTest, ALostCompanyRegisterIsNotMadeAgainWhereCompaniesAreButALostCalendarIs) {
    FirstStart();
    testsupport::MakeCompany("001", "Első Kft", "Első");
    testsupport::MakeCompany("002", "Második Bt", "Második");
    const std::string cegek = db::TableFilePath(AktualisAlias, "Cegek");
    const std::string register_ = testsupport::ReadBytes(cegek);
    std::filesystem::remove(cegek);
    const auto before = TableFiles();
    {
        TDM1 run;  // a program run of its own
        DM1 = &run;
        testsupport::ScriptedDialogs dialogs;
        dialogs.Answer(ui::Ok);
        TFomenuForm form;
        EXPECT_EQ(form.FormShow(), StartState::Reduced);
        EXPECT_EQ(dialogs.Text(0).rfind("Hiba az adatállományban!\r", 0), 0u) << dialogs.Text(0);
        form.close();
        DM1 = dm.get();
    }
    EXPECT_EQ(TableFiles(), before);  // nothing made, nothing changed

    // The register back and the calendar lost instead: the calendar is made
    // again and the start-up goes on to the company selection.
    testsupport::WriteBytes(cegek, register_);
    std::filesystem::remove(db::TableFilePath(AktualisAlias, "Naptar"));
    testsupport::ScriptedDialogs dialogs;
    dialogs.AnswerModal([](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Törzskezelés/Cég kiválasztása");
        dialog.findChild<QPushButton*>("BitBtn6")->click();
        return dialog.result();
    });
    TFomenuForm form;
    EXPECT_EQ(form.FormShow(), StartState::CompanySelected);
    EXPECT_TRUE(db::TableExists(AktualisAlias, "Naptar"));
}

}  // namespace

namespace {

// Where the child making company 002 is killed.
enum class KillPoint { AfterRow, AfterFourthCopy };

// Makes company 002 as the register does (mark, row, table set, mark
// cleared) in a child process, killed with SIGKILL at `point`.
void KilledCreation(KillPoint point) {
    // The copy after the fourth waits on this lock until the kill.
    std::optional<db::sql::Connection> lock;
    if (point == KillPoint::AfterFourthCopy) {
        lock.emplace(db::TableFilePath(AktualisAlias, "Jogcim"), false, false, "Jogcim");
        lock->Exec("BEGIN EXCLUSIVE", "Jogcim");
    }
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        db::Engine::SetLockWait(60000);
        try {
            testsupport::RegisterNewCompany("002", "Félbe", [point] {
                if (point == KillPoint::AfterRow) raise(SIGKILL);
            });
        } catch (...) {
        }
        _exit(0);  // never back into the test runner
    }
    if (point == KillPoint::AfterFourthCopy) {
        // The copy of Jogcim writes into a temporary file beside its target
        // and then waits on the lock: once that file stands, the child waits.
        const std::string target = db::TableFilePath(AktualisAlias, "Jogcim_002");
        auto copyWaits = [&target] {
            std::error_code ec;
            for (const auto& e :
                 std::filesystem::directory_iterator(std::filesystem::path(target).parent_path(), ec))
                if (e.path().string().rfind(target + ".tmp", 0) == 0) return true;
            return false;
        };
        for (int i = 0; i < 400 && !copyWaits(); ++i) QTest::qWait(50);
        EXPECT_TRUE(copyWaits());
        EXPECT_TRUE(db::TableExists(AktualisAlias, "Dolgozo_002"));
        EXPECT_FALSE(db::TableExists(AktualisAlias, "Jogcim_002"));
        kill(child, SIGKILL);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    if (lock) lock->Exec("ROLLBACK", "Jogcim");
}

TEST_F(StartupTest, ACreationKilledPartWayIsGoneOrCompleteAtTheNextStart) {
    FirstStart();
    testsupport::MakeCompany("001", "Első Kft", "Első");
    // A program run of its own, which selects 001 (the only company).
    auto start = [this] {
        TDM1 run;
        DM1 = &run;
        testsupport::ScriptedDialogs dialogs;
        TFomenuForm form;
        EXPECT_EQ(form.FormShow(), StartState::CompanySelected);
        EXPECT_EQ(form.Label2->text(), "001");
        form.close();
        DM1 = dm.get();
    };
    start();
    const auto first = TableFiles();
    for (KillPoint point : {KillPoint::AfterRow, KillPoint::AfterFourthCopy}) {
        KilledCreation(point);
        start();
        db::Table cegek;
        cegek.DatabaseName = AktualisAlias;
        cegek.TableName = "Cegek";
        cegek.Open();
        const bool row = cegek.Locate("CG_KOD", db::Variant("002"));
        cegek.Close();
        for (const TableComponent& c : TableComponents()) {
            if (c.set != ComponentSet::Core) continue;
            const std::string table = CompanyTableName(c.baseName, "002");
            if (!row) {
                EXPECT_FALSE(db::TableExists(AktualisAlias, table)) << table;
                continue;
            }
            db::Table t;  // a complete company: every table opens
            t.DatabaseName = AktualisAlias;
            t.TableName = table;
            EXPECT_NO_THROW(t.Open()) << table;
        }
        for (const auto& [name, bytes] : first) {
            if (name.find("_001.") != std::string::npos) {
                EXPECT_EQ(TableFiles()[name], bytes) << name;
            }
        }
    }
}

}  // namespace
