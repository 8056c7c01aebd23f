// The income certificate editor on the annual editor frame, and its return file.
#include "tax/annual/Ado_M30mod.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "core/CegKival.h"
#include "core/helpers/KimenetiMappa.h"
#include "platform/ui/DatasetGrid.h"
#include "platform/ui/QtString.h"
#include "support/Golden.h"
#include "support/ListFixture.h"

namespace {

using testsupport::AddRows;

class M30modTest : public testsupport::ListFixtureTest {
protected:
    void SetUp() override {
        ListFixtureTest::SetUp();
        ASSERT_TRUE(TablaSablonbol("M30", "001"));
        AddRows("Dolgozo_001",
                {"DG_TORZSSZAM",      "DG_NEV",     "DG_ADOAZ",     "DG_TITULUS",      "DG_NEM",
                 "DG_LEANYKNEV",      "DG_SZULDAT", "DG_SZULHELY",  "DG_ANYJANEV",     "DG_IRSZ",
                 "DG_VAROS",          "DG_KOZTER",  "DG_KOZTERJEL", "DG_HAZSZ",        "DG_EPULET",
                 "DG_LEPCSOHAZ",      "DG_EMELET",  "DG_AJTO",      "DG_OSTERMIGSZAM", "DG_CSALGAZDNYILVSZAM",
                 "DG_MEZGAZDTERMSZAM"},
                {{"00000000001",
                  "Kovács Éva Mária",
                  "8123456789",
                  "dr.",
                  "2",
                  "Nagy Éva",
                  "1980.02.29",
                  "Pest & Buda",
                  "Tóth Ilona",
                  "1011",
                  "Budapest",
                  "Fő",
                  "utca",
                  "12.",
                  "B",
                  "2",
                  "3",
                  "14",
                  "",
                  "",
                  ""},
                 {"00000000002",
                  "Madonna",
                  "8000000002",
                  "",
                  "2",
                  "",
                  "",
                  "",
                  "",
                  "",
                  "",
                  "",
                  "",
                  "",
                  "",
                  "",
                  "",
                  "",
                  "1234567",
                  "",
                  ""}});
        AddRows("M30_001",
                {"M30_DGTORZSSZAM", "M30_S0A", "M30_S1D", "M30_S2B", "M30_S2C", "M30_S2D", "M30_S4D",
                 "M30_S55B", "M30_S65B", "M30_S167D", "M30_S610B", "M30_S18D"},
                {{"00000000001", "N", 0, 0, 4000, -4000, 250000, 2000, 37500, 0, 10000, 246000},
                 {"00000000002", "I", 120000, 0, 0, 0, 0, 0, 18000, -150, 0, 120000}});
    }
    void TearDown() override {
        dm->TableM30->Close();
        ListFixtureTest::TearDown();
    }

    std::unique_ptr<TAdo_M30modForm> Open() {
        auto form = std::make_unique<TAdo_M30modForm>();
        Show(*form);
        return form;
    }
    static QPushButton* Button(QWidget& form, const char* name) { return form.findChild<QPushButton*>(name); }
    static int Column(TAdo_M30modForm& form, const std::string& field) {
        const auto& columns = form.DBGrid1->Model()->Columns();
        for (size_t i = 0; i < columns.size(); ++i)
            if (columns[i].field == field) return int(i);
        return -1;
    }
    // Answers the save dialog with the proposed path (or `name` in its folder)
    // and remembers what was proposed.
    void AnswerSave(const QString& name = {}) {
        dialogs.Then([this, name](const ui::DialogRequest& r) {
            proposed = r.value;
            filter = r.filter;
            const QString chosen = name.isEmpty() ? r.value : QFileInfo(r.value).path() + "/" + name;
            return ui::DialogAnswer{ui::Ok, chosen, 0};
        });
    }
    static std::string Folder() { return AdatszolgMappa("2019", "SZJA"); }

    QString proposed, filter;
};

TEST_F(M30modTest, ASavedChangeIsRecomputedAndTheKeysAskAsTheFrameSays) {
    auto form = Open();
    db::Table& m30 = *dm->TableM30;
    EXPECT_EQ(form->windowTitle(), "Adó/M30 Módosítás");
    EXPECT_EQ(form->findChild<QPushButton*>("BitBtn5"), nullptr);  // no new records here
    QPushButton* xml = Button(*form, "BitBtn1");
    EXPECT_TRUE(xml->isEnabled());
    ui::DatasetGridModel& model = *form->DBGrid1->Model();
    EXPECT_EQ(model.Columns()[1].field, "M30_szarmDGNEV");
    EXPECT_EQ(model.data(model.index(0, 1)).toString(), "Kovács Éva Mária");

    QTest::keyClick(form->DBGrid1, Qt::Key_F12);
    ASSERT_EQ(m30.State(), db::DatasetState::Edit);
    EXPECT_FALSE(xml->isEnabled());
    EXPECT_FALSE(model.flags(model.index(0, 0)) & Qt::ItemIsEditable);  // the employee code
    EXPECT_FALSE(model.flags(model.index(0, 1)) & Qt::ItemIsEditable);  // the looked-up name
    form->DBGrid1->setCurrentIndex(model.index(0, Column(*form, "M30_S2B")));
    QTest::keyClick(form->DBGrid1, Qt::Key_9);
    auto* edit = form->DBGrid1->findChild<QLineEdit*>();
    ASSERT_NE(edit, nullptr);
    QTest::keyClicks(edit, "000");
    Button(*form, "BitBtn11")->click();
    EXPECT_EQ(m30.State(), db::DatasetState::Browse);
    EXPECT_EQ(m30.FieldByName("M30_S2B").AsInteger(), 9000);
    EXPECT_EQ(m30.FieldByName("M30_S2D").AsInteger(), 5000);
    EXPECT_EQ(model.data(model.index(0, Column(*form, "M30_S2D"))).toString(), "5000");
    // A second save takes nothing more off S1D or S610B.
    for (int i = 0; i < 2; ++i) {
        Button(*form, "BitBtn6")->click();
        Button(*form, "BitBtn11")->click();
    }
    EXPECT_EQ(m30.FieldByName("M30_S1D").AsInteger(), 0);
    EXPECT_EQ(m30.FieldByName("M30_S610B").AsInteger(), 10000);
    EXPECT_TRUE(xml->isEnabled());

    // Del asks with Yes as the default; No keeps the record.
    dialogs.Answer(ui::No);
    QTest::keyClick(form->DBGrid1, Qt::Key_Delete);
    ASSERT_EQ(dialogs.Shown().size(), 1u);
    EXPECT_EQ(dialogs.Text(0), "Valóban törölni szeretné a rekordot?");
    EXPECT_EQ(dialogs.Shown()[0].defaultButton, ui::Yes);
    EXPECT_EQ(m30.RecordCount(), 2);
    // Esc while editing cancels without asking; while browsing it asks.
    QTest::keyClick(form->DBGrid1, Qt::Key_F12);
    QTest::keyClick(form->DBGrid1, Qt::Key_Escape);
    EXPECT_EQ(m30.State(), db::DatasetState::Browse);
    dialogs.Answer(ui::No);
    QTest::keyClick(form->DBGrid1, Qt::Key_Escape);
    EXPECT_EQ(dialogs.Text(1), "Valóban ki szeretne lépni?");
    EXPECT_TRUE(form->isVisible());
    dialogs.Answer(ui::Yes);
    Button(*form, "BitBtn10")->click();
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(m30.Active());
}

TEST_F(M30modTest, TheReturnFileOfTheCurrentEmployee) {
    struct Case {
        const char* employee;
        const char* golden;
        const char* file;
    };
    for (const Case& c : {Case{"00000000001", "full-record", "19SZJA_001_8123456789.xml"},
                          Case{"00000000002", "one-word-name", "19SZJA_001_8000000002.xml"}}) {
        auto form = Open();
        ASSERT_TRUE(dm->TableM30->Locate("M30_DGTORZSSZAM", c.employee));
        AnswerSave();
        Button(*form, "BitBtn1")->click();
        EXPECT_EQ(S(proposed) + ".xml", Folder() + c.file);  // the dialog adds nothing; the form adds ".xml"
        EXPECT_EQ(filter, "xml fájlok (*.xml)");
        EXPECT_EQ(dialogs.Shown().back().fileOptions, ui::DontConfirmOverwrite);
        const std::string path = Folder() + c.file;
        EXPECT_TRUE(testsupport::MatchesGolden("tax/annual/golden/Ado_M30mod", c.golden,
                                               testsupport::ReadBytes(path), testsupport::Encoding::Cp1250,
                                               "expected.xml"));
        std::string out;
        EXPECT_EQ(testsupport::RunCommand("xmllint --noout '" + path + "' 2>&1", &out), 0) << out;
        dialogs.Answer(ui::Yes);
        form->close();
    }
}

TEST_F(M30modTest, NamesCancelAndWriteErrors) {
    auto form = Open();
    QPushButton* xml = Button(*form, "BitBtn1");
    // Typed names: ".xml" only where there is no extension.
    for (auto [typed, written] : {std::pair{"x.txt", "x.txt"}, {"sajat", "sajat.xml"}}) {
        AnswerSave(typed);
        xml->click();
        EXPECT_TRUE(QFileInfo::exists(Q(Folder() + written))) << written;
    }
    // Cancel writes nothing.
    dialogs.AnswerText({}, false);
    xml->click();
    EXPECT_FALSE(QFileInfo::exists(Q(Folder() + "19SZJA_001_8123456789.xml")));
    // A folder in the file's place: the write error, the folder as it was.
    QDir().mkpath(Q(Folder() + "19SZJA_001_8123456789.xml"));
    AnswerSave();
    dialogs.Answer(ui::Ok);
    xml->click();
    EXPECT_EQ(dialogs.Caption(dialogs.Shown().size() - 1), "Üzenet");
    EXPECT_EQ(
        dialogs.Text(dialogs.Shown().size() - 1)
            .rfind("Hiba történt a(z) " + Folder() + "19SZJA_001_8123456789.xml fájl írása során...\r", 0),
        0u);
    EXPECT_TRUE(QFileInfo(Q(Folder() + "19SZJA_001_8123456789.xml")).isDir());
    // A letter the code page lacks: the write error, the old file kept whole.
    testsupport::WriteBytes(Folder() + "regi.xml", "old");
    AddRows("Dolgozo_001", {"DG_TORZSSZAM", "DG_SZULHELY"}, {{"00000000001", "Ωmega"}});
    dm->TableDolgozo->Refresh();
    AnswerSave("regi.xml");
    dialogs.Answer(ui::Ok);
    xml->click();
    EXPECT_EQ(testsupport::ReadBytes(Folder() + "regi.xml"), "old");
    dialogs.Answer(ui::Yes);
    form->close();
}

TEST_F(M30modTest, NoReturnWithoutARecordOrItsEmployee) {
    AddRows("M30_001", {"M30_DGTORZSSZAM"}, {{"00000000077"}});
    auto form = Open();
    ASSERT_TRUE(dm->TableM30->Locate("M30_DGTORZSSZAM", "00000000077"));
    dialogs.Answer(ui::Ok);
    Button(*form, "BitBtn1")->click();
    EXPECT_EQ(dialogs.Text(0), "Ilyen törzsszám nem létezik!");
    dm->TableM30->First();
    while (!dm->TableM30->IsEmpty()) dm->TableM30->Delete();
    dialogs.Answer(ui::Ok);
    Button(*form, "BitBtn1")->click();
    EXPECT_EQ(dialogs.Text(1), "Üres az adatbázis!");
    EXPECT_FALSE(QFileInfo::exists(Q(Folder())) && !QDir(Q(Folder())).isEmpty());
    dialogs.Answer(ui::Yes);
    form->close();
}

}  // namespace
