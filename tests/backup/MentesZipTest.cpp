#include "backup/MentesZip.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <functional>
#include <regex>

#include "BackupFixture.h"
#include "core/Kivalaszt.h"
#include "platform/os/Clock.h"
#include "platform/os/DayNumber.h"
#include "platform/os/Volume.h"
#include "platform/ui/QtString.h"
#include "support/DialogTest.h"

using namespace backuptest;

namespace {

// Answers every dialog: the disk prompts by putting the asked disk into the
// drive, the file dialogs with a path, the rest with OK or Yes; records all.
class Operator : public ui::DialogHook {
public:
    explicit Operator(os::SimulatedVolume* drive = nullptr)
        : drive_(drive), previous_(ui::SetDialogHook(this)) {}
    ~Operator() override { ui::SetDialogHook(previous_); }
    ui::DialogAnswer Show(const ui::DialogRequest& r) override {
        shown.push_back(r);
        ui::DialogAnswer a;
        std::smatch m;
        const std::string text = r.text.toStdString();
        if (std::regex_search(text, m, std::regex("a\\(z\\) (\\d+)\\. lemezt"))) {
            const int disk = std::stoi(m[1]);
            disks.push_back(disk);
            if (disk == cancelAtDisk) {
                a.button = ui::Cancel;
                return a;
            }
            if (drive_) drive_->InsertDisk(disk);
            a.button = ui::Ok;
        } else if (r.kind == ui::DialogKind::OpenFile || r.kind == ui::DialogKind::SaveFile) {
            a.button = ui::Ok;
            a.text = Q(path);
        } else {
            a.button = r.buttons & ui::Yes ? ui::Yes : ui::Ok;
        }
        return a;
    }
    std::vector<QString> Messages() const {
        std::vector<QString> out;
        for (const auto& r : shown)
            if (r.kind == ui::DialogKind::Message && r.text.indexOf(QStringLiteral("lemezt")) < 0)
                out.push_back(r.text);
        return out;
    }

    std::string path;
    int cancelAtDisk = 0;
    std::vector<int> disks;
    std::vector<ui::DialogRequest> shown;

private:
    os::SimulatedVolume* drive_;
    ui::DialogHook* previous_;
};

class MentesZipTest : public BackupTest {};

}  // namespace

// The backup proposes alias + date-time in "Ment"; a chosen name that is not
// of that form starts nothing.
TEST_F(MentesZipTest, BackupNameIsProposedAndChecked) {
    os::FixedClock clock(os::EncodeDate(2019, 5, 2) + os::EncodeTime(14, 30, 5));
    TMentesZipForm form;
    struct Case {
        const char* chosen;
        std::vector<const char*> boxes;
    };
    const Case cases[] = {
        {"tr19_19-05-02_14-30-05.zip", {"A kiválasztott fájlnév nem felel meg az előírásoknak! (#01)"}},
        {"TR19_19-05-02_14-30-05.ZIP", {"A kiválasztott fájlnév nem felel meg az előírásoknak! (#01)"}},
        {"TR19_2019-05-02.zip",
         {"A kiválasztott fájlnév hossza nem megfelelő! (#03)",
          "A kiválasztott fájlnév nem felel meg az előírásoknak! (#01)"}},
    };
    for (const Case& c : cases) {
        testsupport::ScriptedDialogs script;
        script.AnswerText(Q(data + "/Ment/" + c.chosen));
        for (size_t i = 0; i < c.boxes.size(); ++i) script.Answer(ui::Ok);
        form.BitBtn1->click();
        ASSERT_EQ(script.Shown().size(), c.boxes.size() + 1) << c.chosen;
        const ui::DialogRequest& save = script.Shown()[0];
        EXPECT_EQ(save.caption, "Célkönyvtár kiválasztása");
        EXPECT_EQ(save.value, Q(data + "/Ment/TR19_19-05-02_14-30-05"));
        EXPECT_EQ(save.fileOptions, ui::DontConfirmOverwrite);
        for (size_t i = 0; i < c.boxes.size(); ++i) {
            EXPECT_EQ(script.Text(i + 1), c.boxes[i]);
            EXPECT_EQ(script.Shown()[i + 1].icon, ui::Icon::Warning);
        }
    }
    EXPECT_TRUE(fs::is_directory(data + "/Ment"));
    EXPECT_FALSE(fs::exists(data + "/Ment/tr19_19-05-02_14-30-05.zip"));
}

// Accepting the proposed name as it stands: the dialog's default extension
// makes it the archive's name, and the backup runs.
TEST_F(MentesZipTest, AcceptedProposedNameGetsTheZipExtension) {
    os::FixedClock clock(os::EncodeDate(2019, 5, 2) + os::EncodeTime(14, 30, 5));
    TMentesZipForm form;
    testsupport::ScriptedDialogs script;
    script.Then([](const ui::DialogRequest& r) { return ui::DialogAnswer{ui::Ok, r.value, 0}; });
    script.Answer(ui::Ok);
    form.BitBtn1->click();
    ASSERT_EQ(script.Shown().size(), 2u);
    const std::string archive = data + "/Ment/TR19_19-05-02_14-30-05.zip";
    std::string listing;
    ASSERT_EQ(testsupport::RunCommand("unzip -Z1 '" + archive + "' | wc -l", &listing), 0);
    EXPECT_EQ(script.Text(1), std::to_string(std::stoi(listing)) + " Fájl sikeresen becsomagolva!");
    EXPECT_EQ(script.Shown()[1].icon, ui::Icon::None);
}

// Backup, then a restore of company 001 through the form: the counts in the
// messages, and the company table open again afterwards.
TEST_F(MentesZipTest, BackupAndRestoreOfACompanyThroughTheForm) {
    TMentesZipForm form;
    Operator op;
    op.path = Archive();
    form.BitBtn1->click();
    std::string listing;
    ASSERT_EQ(testsupport::RunCommand("unzip -Z1 '" + op.path + "' | wc -l", &listing), 0);
    ASSERT_EQ(op.Messages().size(), 1u);
    EXPECT_EQ(op.Messages()[0],
              QString::number(std::stoi(listing)) + QStringLiteral(" Fájl sikeresen becsomagolva!"));
    EXPECT_EQ(op.shown.back().icon, ui::Icon::None);
    EXPECT_EQ(op.shown.back().caption, "Üzenetkezelő");

    const auto archived = ArchivedTables(op.path);
    AddEmployee("001", "33333333333", "Új Ede");
    AddEmployee("002", "44444444444", "Új Feri");
    const auto changed = Tables(data);
    form.PageControl1->setCurrentIndex(1);
    form.MaskEdit1->setText("001");
    form.Frissit();
    EXPECT_EQ(form.Label4->text(), "Első Kft");
    EXPECT_EQ(form.Label5->text(), "Első");
    op.shown.clear();
    form.BitBtn6->click();
    ASSERT_GE(op.shown.size(), 3u);
    EXPECT_EQ(op.shown[0].text, "Biztos benne, hogy a(z) 001 céget szeretné visszatölteni?");
    EXPECT_EQ(op.shown[0].defaultButton, ui::No);
    EXPECT_EQ(op.shown[0].icon, ui::Icon::Question);
    EXPECT_EQ(op.shown[1].caption, "Visszatöltendő mentés kiválasztása");
    EXPECT_EQ(op.shown[1].filter, "Zip File (TR19_\?\?-\?\?-\?\?_\?\?-\?\?-\?\?.zip)");
    EXPECT_EQ(op.shown[1].value, Q(data + "/Ment"));
    int restored = 0;
    for (const auto& [name, digest] : Tables(data)) {
        const bool company = name.size() > 7 && name.compare(name.size() - 7, 7, "_001.DB") == 0;
        restored += company;
        EXPECT_EQ(digest, company ? archived.at(name) : changed.at(name)) << name;
    }
    ASSERT_EQ(op.Messages().size(), 2u);
    EXPECT_EQ(op.Messages()[1], QString::number(restored) + QStringLiteral(" Fájl sikeresen kicsomagolva!"));
    EXPECT_TRUE(DM1->TableCegek->Active());
    EXPECT_TRUE(form.BitBtn6->isEnabled() && form.PageControl1->isEnabled());
}

// A damaged entry or a canceled disk prompt is reported as the form words it
// and changes nothing.
TEST_F(MentesZipTest, FailedRestoresAreReportedAndChangeNothing) {
    const std::string good = Backup();
    std::string bytes = Get(good);
    const std::string entry = "Tavrina/2019/Dolgozo_002.DB";
    const size_t name = bytes.find(entry);
    ASSERT_NE(name, std::string::npos);
    bytes[name + entry.size() + static_cast<unsigned char>(bytes[name - 2]) + 5] ^= 0x55;
    const std::string flipped = Archive("TR19_19-05-02_14-30-06.zip");
    Put(flipped, bytes);
    const auto before = Folder(data);

    TMentesZipForm form;
    Operator op;
    op.path = flipped;
    form.BitBtn6->click();
    ASSERT_EQ(op.Messages().size(), 2u);
    EXPECT_EQ(op.Messages()[1], "Hiba történt a kicsomagoláskor!\rDolgozo_002.DB");
    EXPECT_EQ(op.shown.back().icon, ui::Icon::Error);
    EXPECT_EQ(Folder(data), before);
}

// A damaged payroll table: the backup's closing message names it; restoring
// the company from that archive asks first, and No (the default) stops it
// with the sound table in place; Yes restores the rest without it.
TEST_F(MentesZipTest, DamagedTableIsNamedAndNotRestoredUnasked) {
    AddPayrollRows("001", 40);
    const std::string sound = Get(data + "/Szamfejt_001.DB");
    GarbleTail(data + "/Szamfejt_001.DB", 1500);
    TMentesZipForm form;
    const std::string archive = Archive();
    {
        testsupport::ScriptedDialogs script;
        script.AnswerText(Q(archive));
        script.Answer(ui::Ok);
        form.BitBtn1->click();
        ASSERT_EQ(script.Shown().size(), 2u);
        EXPECT_TRUE(std::regex_match(script.Text(1),
                                     std::regex("\\d+ Fájl becsomagolva!\rSérült tábla: Szamfejt_001")))
            << script.Text(1);
        EXPECT_EQ(script.Shown()[1].icon, ui::Icon::Warning);
    }
    Put(data + "/Szamfejt_001.DB", sound);
    AddEmployee("001", "33333333333", "Új Ede");
    const auto before = Folder(data);
    form.MaskEdit1->setText("001");
    {
        testsupport::ScriptedDialogs script;
        script.Answer(ui::Yes).AnswerText(Q(archive)).Answer(ui::No).Answer(ui::Ok);
        form.BitBtn6->click();
        ASSERT_EQ(script.Shown().size(), 4u);
        EXPECT_EQ(script.Text(2),
                  "Sérült tábla: Szamfejt_001\rFolytatja a visszatöltést a sérült táblák nélkül?");
        EXPECT_EQ(script.Shown()[2].defaultButton, ui::No);
        EXPECT_EQ(script.Text(3), "Hiba történt a kicsomagoláskor!\rSérült tábla: Szamfejt_001");
        EXPECT_EQ(script.Shown()[3].icon, ui::Icon::Error);
        EXPECT_EQ(Folder(data), before);
    }
    {
        testsupport::ScriptedDialogs script;
        script.Answer(ui::Yes).AnswerText(Q(archive)).Answer(ui::Yes).Answer(ui::Ok);
        form.BitBtn6->click();
        ASSERT_EQ(script.Shown().size(), 4u);
        EXPECT_TRUE(std::regex_match(script.Text(3), std::regex("\\d+ Fájl sikeresen kicsomagolva!\r"
                                                                "Kimaradt sérült tábla: Szamfejt_001")))
            << script.Text(3);
        EXPECT_EQ(Get(data + "/Szamfejt_001.DB"), sound);
        EXPECT_EQ(Dump(data + "/Dolgozo_001.DB").find("Új Ede"), std::string::npos);
    }
}

// A backup onto a removable volume of 1.44 MB disks spans it: it asks for
// the disks, numbers the later ones' files, and a restore from it (asking
// for the disks it needs) gives the same tables; Cancel at a disk prompt
// stops a restore with the folder unchanged.
TEST_F(MentesZipTest, SpannedBackupOnRemovableDisks) {
    AddBigTable(data + "/Adat_001.DB", 2000000);
    const std::string mount = home.Path() + "/floppy";
    os::SimulatedVolume drive(mount, 1457664);
    const std::string archive = mount + "/TR19_19-05-02_14-30-05.zip";
    {
        TMentesZipForm form;
        Operator op(&drive);
        op.path = archive;
        form.BitBtn1->click();
        ASSERT_FALSE(op.Messages().empty());
        EXPECT_NE(op.Messages().back().indexOf(QStringLiteral("Fájl sikeresen becsomagolva!")), -1)
            << op.Messages().back().toStdString();
        EXPECT_GE(op.disks.size(), 2u);
        EXPECT_EQ(op.disks[0], 1);
        EXPECT_EQ(op.disks[1], 2);
        EXPECT_TRUE(fs::exists(drive.DiskFilePath(1, "TR19_19-05-02_14-30-05.zip")));
        EXPECT_TRUE(fs::exists(drive.DiskFilePath(2, "TR19_19-05-02_14-30-05.002")));
    }
    const std::string employees = Dump(data + "/Dolgozo_001.DB");
    const std::string big = Dump(data + "/Adat_001.DB");
    AddEmployee("001", "33333333333", "Új Ede");
    fs::remove(data + "/Adat_001.DB");
    const auto before = Folder(data);
    {
        TMentesZipForm form;
        Operator op(&drive);
        op.path = archive;
        op.cancelAtDisk = 2;
        form.MaskEdit1->setText("001");
        form.BitBtn6->click();
        ASSERT_FALSE(op.Messages().empty());
        EXPECT_EQ(op.Messages().back(), "A Felhasználó megszakította a kicsomagolást!");
        EXPECT_EQ(Folder(data), before);
    }
    {
        TMentesZipForm form;
        Operator op(&drive);
        op.path = archive;
        form.MaskEdit1->setText("001");
        form.BitBtn6->click();
        ASSERT_FALSE(op.Messages().empty());
        EXPECT_NE(op.Messages().back().indexOf(QStringLiteral("Fájl sikeresen kicsomagolva!")), -1)
            << op.Messages().back().toStdString();
    }
    EXPECT_TRUE(Dump(data + "/Adat_001.DB") == big);
    EXPECT_EQ(Dump(data + "/Dolgozo_001.DB"), employees);
}

// A company code that does not exist is refused and emptied; F2 fills in
// the code chosen from the pick list.
TEST_F(MentesZipTest, CompanyCodeField) {
    TMentesZipForm form;
    {
        testsupport::ScriptedDialogs script;
        script.Answer(ui::Ok);
        form.MaskEdit1->setText("009");
        form.MaskEdit1Exit();
        EXPECT_EQ(script.Text(0), "Ilyen cég nem létezik!");
        EXPECT_EQ(form.MaskEdit1->text(), "");
        EXPECT_EQ(form.Label4->text(), "");
    }
    {
        testsupport::ScriptedDialogs script;
        script.AnswerModal([](QDialog& list) {
            auto* grid = list.findChild<QTableView*>("DBGrid1");
            EXPECT_EQ(grid->currentIndex().row(), 0);
            QTest::keyClicks(grid, "002");
            QTest::keyClick(grid, Qt::Key_Return);
            return list.result();
        });
        DM1->TableCegek->First();
        form.MaskEdit1KeyDown(Qt::Key_F2);
        EXPECT_EQ(form.MaskEdit1->text(), "002");
        EXPECT_EQ(form.Label4->text(), "Második Bt");
        EXPECT_EQ(DM1->TableCegek->FieldByName("CG_KOD").AsString(), "001");
    }
    if (const char* shot = std::getenv("TAVRINA_VISSZATOLTES_SHOT")) {
        form.PageControl1->setCurrentWidget(form.TabSheet2);
        form.show();
        QTest::qWait(100);
        form.grab().save(shot);
    }
}

// The code field by its keys, as a user reaches it: F2 opens the pick list,
// Enter goes on to the restore button, and leaving it with a code that does
// not exist is refused, the field emptied and focused again.
TEST_F(MentesZipTest, CompanyCodeFieldByKeys) {
    TMentesZipForm form;
    form.PageControl1->setCurrentWidget(form.TabSheet2);
    form.show();
    QApplication::setActiveWindow(&form);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    form.MaskEdit1->setFocus();
    {
        testsupport::ScriptedDialogs script;
        script.AnswerModal([](QDialog& list) {
            auto* grid = list.findChild<QTableView*>("DBGrid1");
            QTest::keyClicks(grid, "002");
            QTest::keyClick(grid, Qt::Key_Return);
            return list.result();
        });
        QTest::keyClick(form.MaskEdit1, Qt::Key_F2);
        EXPECT_EQ(form.MaskEdit1->text(), "002");
        EXPECT_EQ(form.Label4->text(), "Második Bt");
        QTest::keyClick(form.MaskEdit1, Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), form.BitBtn6);
        QApplication::processEvents();
        EXPECT_EQ(form.MaskEdit1->text(), "002");
    }
    {
        testsupport::ScriptedDialogs script;
        script.Answer(ui::Ok);
        form.MaskEdit1->setFocus();
        form.MaskEdit1->clear();
        form.MaskEdit1->home(false);
        QTest::keyClicks(form.MaskEdit1, "009");
        QTest::keyClick(form.MaskEdit1, Qt::Key_Tab);
        QApplication::processEvents();
        ASSERT_EQ(script.Shown().size(), 1u);
        EXPECT_EQ(script.Text(0), "Ilyen cég nem létezik!");
        EXPECT_EQ(form.MaskEdit1->text(), "");
        EXPECT_EQ(form.Label4->text(), "");
        EXPECT_EQ(QApplication::focusWidget(), form.MaskEdit1);
    }
}

// A full restore ends the program whatever its outcome, after saying so.
TEST_F(MentesZipTest, FullRestoreEndsTheProgram) {
    Backup();
    Operator op;
    op.path = Archive();
    TMentesZipForm form;
    QTimer::singleShot(0, &form, [&] { form.BitBtn2->click(); });
    QTimer::singleShot(20000, [] { QCoreApplication::exit(1); });
    EXPECT_EQ(QCoreApplication::exec(), 0);
    ASSERT_GE(op.Messages().size(), 3u);
    EXPECT_EQ(op.Messages()[0], "Biztos benne, hogy a mentésen lévő állapotot szeretné visszaállítani?");
    EXPECT_NE(op.Messages()[1].indexOf(QStringLiteral("Fájl sikeresen kicsomagolva!")), -1);
    EXPECT_EQ(op.Messages()[2],
              "A program most automatikusan le fogja magát állítani!\rA program leállása után "
              "indítsa újra a számítógépet!");
    EXPECT_EQ(op.shown.back().icon, ui::Icon::Warning);
}

// A company register that cannot be read: the form opens on the full
// restore alone with the damage named, the register given back, and the full
// restore brings the register back.
TEST_F(MentesZipTest, DamagedRegisterLeavesTheFullRestoreUsable) {
    const std::string archive = Backup();
    const std::string cegek = data + "/Cegek.DB";
    const std::string sound = Get(cegek);
    std::string bytes = sound;
    // Every page after the first (the schema's) overwritten.
    for (size_t i = 4096; i < bytes.size(); ++i) bytes[i] = static_cast<char>(0xA5 ^ (i * 31));
    Put(cegek, bytes);
    {
        TMentesZipForm form;
        EXPECT_FALSE(DM1->TableCegek->Active());
        EXPECT_FALSE(DM1->TableCegek->ReadOnly);
        EXPECT_FALSE(form.PageControl1->isTabEnabled(0));
        EXPECT_FALSE(form.PageControl1->isTabEnabled(1));
        EXPECT_EQ(form.PageControl1->currentWidget(), form.TabSheet3);
        ASSERT_NE(form.Label6, nullptr);
        EXPECT_EQ(form.Label6->text().toStdString().rfind("Cegek: A tábla megsérült!", 0), 0u)
            << form.Label6->text().toStdString();
        EXPECT_TRUE(form.BitBtn2->isEnabled());
    }
    Operator op;
    op.path = archive;
    TMentesZipForm form;
    QTimer::singleShot(0, &form, [&] { form.BitBtn2->click(); });
    QTimer::singleShot(20000, [] { QCoreApplication::exit(1); });
    EXPECT_EQ(QCoreApplication::exec(), 0);
    ASSERT_GE(op.Messages().size(), 2u);
    EXPECT_NE(op.Messages()[1].indexOf(QStringLiteral("Fájl sikeresen kicsomagolva!")), -1);
    EXPECT_EQ(Get(cegek), sound);
}

// A backup folder that cannot be made (a read-only data folder, a file in
// its way) is named with the system's reason, and nothing is written.
TEST_F(MentesZipTest, BackupFolderThatCannotBeMadeIsNamed) {
    const std::string ment = data + "/Ment";
    struct Case {
        const char* what;
        std::function<void()> make, undo;
    };
    const Case cases[] = {
        {"a file in the way", [&] { Put(ment, "in the way"); }, [&] { fs::remove(ment); }},
        // The superuser writes into a read-only folder all the same.
        {"read-only data folder",
         [&] { fs::permissions(data, fs::perms::owner_write, fs::perm_options::remove); },
         [&] { fs::permissions(data, fs::perms::owner_write, fs::perm_options::add); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(ment);
        c.make();
        std::error_code why;
        if (fs::create_directories(ment, why) || !why) {
            fs::remove_all(ment);
            c.undo();
            continue;
        }
        const auto before = Folder(data);
        {
            TMentesZipForm form;
            testsupport::ScriptedDialogs script;
            script.AnswerText(Q(ment + "/TR19_19-05-02_14-30-05.zip"));
            script.Answer(ui::Ok);
            form.BitBtn1->click();
            ASSERT_EQ(script.Shown().size(), 2u);
            EXPECT_EQ(script.Text(1), "Hiba történt a becsomagoláskor!\r" + ment +
                                          ": A mappa nem hozható létre! (" + why.message() + ")");
            EXPECT_EQ(script.Shown()[1].icon, ui::Icon::Error);
        }
        EXPECT_EQ(Folder(data), before);
        c.undo();
    }
}
