// "Főkönyvi feladás": accounts from the pay items in two passes, the tax net
// of its allowance, FokFel replaced whole, the preview and the export file.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <cstdlib>

#include "controls/ComboEdits.h"
#include "controls/NumEdits.h"
#include "core/StartValues.h"
#include "lists/summary/List_Fokfel.h"
#include "lists/summary/List_FokfelQR.h"
#include "platform/db/Sqlite.h"
#include "platform/db/Table.h"
#include "platform/db/Transaction.h"
#include "platform/os/Clock.h"
#include "platform/os/DayNumber.h"
#include "platform/os/System.h"
#include "support/Golden.h"
#include "support/ListFixture.h"

namespace {

using testsupport::AddRows;
using testsupport::PageLines;

class ListFokfelTest : public testsupport::ListFixtureTest {
protected:
    void SetUp() override {
        ListFixtureTest::SetUp();
        AddRows("MHely_001", {"MH_KOD", "MH_NEV"}, {{"000001", "Központ"}, {"000002", "Telep"}});
        // clang-format off
        AddRows("Jogcim_001", {"JC_KOD", "JC_NEV", "JC_TARTOZIK", "JC_KOVETEL"},
                {{"100", "Alapbér",      "5311",  "4711"},
                 {"200", "Prémium",      "5311",  ""},
                 {"300", "Átvezetés",    "4799",  "4799"},
                 {"328", "SZHA kedv.",   "",      ""},
                 {"330", "SZHA",         "5611",  "4621"},
                 {"400", "Nincs számla", "",      ""}});
        AddRows("Dolgozo_001", {"DG_TORZSSZAM", "DG_NEV", "DG_MHKOD"},
                {{"00000000001", "Zoltán Péter", "000001"},
                 {"00000000002", "Ábel Anna",    "000001"},
                 {"00000000003", "Béla Bán",     "000002"}});
        // clang-format on
    }

    // Rows of March paid on the 5th at workplace 000001 unless said otherwise.
    void Rows(const testsupport::RowTable& rows) {
        Payroll({"SF_DGTORZSSZAM", "SF_HONAP", "SF_KIFIZDAT", "SF_JCKOD", "SF_OSSZEG", "SF_MUNKSZAM",
                 "SF_DGMHKOD"},
                rows);
    }

    std::vector<std::vector<std::string>> FokFel() {
        db::Table t;
        t.DatabaseName = AktualisAlias;
        t.TableName = "FokFel";
        // Under the write lock: a table reads its rows a window at a time, and
        // another workstation's run must not replace them halfway through.
        db::Transaction lock{&t};
        t.Open();
        std::vector<std::vector<std::string>> rows;
        for (t.First(); !t.Eof(); t.Next())
            rows.push_back({t.FieldByName("FF_KOD").AsString(), t.FieldByName("FF_JCKOD").AsString(),
                            t.FieldByName("FF_SFMUNKSZAM").AsString(), t.FieldByName("FF_TARTERT").AsString(),
                            t.FieldByName("FF_KOVERT").AsString()});
        t.Close();
        return rows;
    }

    // The months and payment dates of one month of 2019.
    static void OneMonth(TList_FokfelForm& form, int month) {
        form.MonthEdit("CurrencyEdit1")->SetValue(month);
        form.MonthEdit("CurrencyEdit2")->SetValue(month);
        form.DateEdit("DateEdit1")->SetDateValue(os::EncodeDate(2019, month, 1));
        form.DateEdit("DateEdit2")->SetDateValue(os::EncodeDate(2019, month, 28));
    }

    QStringList Preview(TList_FokfelForm& form) {
        QStringList lines;
        testsupport::AnswerPreview(
            dialogs, [&](TNyomtatasForm& preview) { lines = PageLines(preview.QuickRep->PagePrinter(), 1); });
        form.BitBtn1->click();
        return lines;
    }
};

TEST_F(ListFokfelTest, AccountsOfThePayItemsWithTheTaxNetOfItsAllowance) {
    // clang-format off
    Rows({{"00000000001", 3, "2019.03.05", "100", 1000.0,  "000100", "000001"},
          {"00000000002", 3, "2019.03.05", "200", 500.5,   "",       "000001"},
          {"00000000001", 3, "2019.03.05", "300", 70.0,    "",       "000001"},
          {"00000000001", 3, "2019.03.05", "330", 50000.0, "",       "000001"},
          {"00000000001", 3, "2019.03.05", "328", 12000.0, "",       "000001"},
          {"00000000001", 3, "2019.03.05", "400", 999.0,   "",       "000001"}});
    // clang-format on
    os::FixedClock clock(os::EncodeDate(2019, 4, 2) + 0.5);
    TList_FokfelForm form;
    Show(form);
    EXPECT_EQ(form.windowTitle(), "Összesítő listák/Főkönyvi feladás");
    EXPECT_EQ(form.Date("DateEdit1"), os::EncodeDate(2019, 3, 1));
    ASSERT_TRUE(form.BitBtn1->isEnabled());
    ASSERT_TRUE(form.BitBtn3->isEnabled());
    // For a look at the form under Xvfb: TAVRINA_FOKFEL_FORM_SHOT=/tmp/fokfel.png
    if (const char* shot = std::getenv("TAVRINA_FOKFEL_FORM_SHOT")) form.grab().save(shot);
    EXPECT_EQ(form.Text("MaskEdit9"), "000100");  // the job numbers' first and last
    form.Edit("MaskEdit9")->clear();
    form.Edit("MaskEdit10")->clear();
    form.Check("CheckBox3")->setChecked(true);

    const QStringList lines = Preview(form);
    const QStringList expected = {
        "Tavrina 2019 | Selvo Studio | Lapszám : 1",
        "Felhasználó : | Űrlap Bérszámfejtő Bt.",
        "Őrség Tűzifa Kft. | Dátum : | 2019.04.02",
        "Főkönyvi Feladás",
        "Hónap : | 3 - 3",
        "Kifiz. dát. : | 2019.03.01 - 2019.03.05",
        "Név | Tartozik | Követel | Munkaszám",
        // Two items on one debit account, the first's job number (the
        // columns of each amount are checked in FokFel below).
        "5311 | 1500.5 | 000100",
        "4711 | 1000 | 000100",
        "4799 | 70 | 70",  // one account on both sides
        "5611 | 38000",    // 330 less 328
        "4621 | 38000",
        "Összesen : | 39570.5 | 39070",
    };
    EXPECT_EQ(lines.join("\n").toStdString(), expected.join("\n").toStdString());
    const std::vector<std::vector<std::string>> fokfel = {
        {"5311", "100", "000100", "1500.5", ""}, {"4711", "100", "000100", "", "1000"},
        {"4799", "300", "", "70", "70"},         {"5611", "330", "", "38000", ""},
        {"4621", "330", "", "", "38000"},
    };
    EXPECT_EQ(FokFel(), fokfel);
    EXPECT_TRUE(form.BitBtn1->isEnabled());
    EXPECT_FALSE(DM1->Query1->Active());

    // An empty selection empties FokFel and prints zero totals.
    form.Edit("MaskEdit1")->setText("000002");
    form.Edit("MaskEdit2")->setText("000002");
    const QStringList empty = Preview(form);
    ASSERT_FALSE(empty.isEmpty());
    EXPECT_EQ(empty.back(), "Összesen : | 0 | 0");
    EXPECT_TRUE(FokFel().empty());
}

TEST_F(ListFokfelTest, OneJobNumberBoundAlsoTakesRowsWithoutOne) {
    // clang-format off
    Rows({{"00000000001", 3, "2019.03.05", "200", 1.0, "000050", "000001"},
          {"00000000001", 3, "2019.03.05", "200", 2.0, "000100", "000001"},
          {"00000000001", 3, "2019.03.05", "200", 4.0, "000200", "000001"},
          {"00000000001", 3, "2019.03.05", "200", 8.0, "",       "000001"}});
    // clang-format on
    struct Case {
        const char *from, *to;
        const char* debit;
    } cases[] = {{"000100", "", "14"}, {"", "000100", "11"}, {"000100", "000200", "6"}, {"", "", "15"}};
    TList_FokfelForm form;
    Show(form);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.from) + " - " + c.to);
        form.Edit("MaskEdit9")->setText(c.from);
        form.Edit("MaskEdit10")->setText(c.to);
        form.Edit("MaskEdit11")->clear();
        form.Edit("MaskEdit12")->clear();
        Preview(form);
        ASSERT_EQ(FokFel().size(), 1u);
        EXPECT_EQ(FokFel()[0][3], c.debit);
    }
}

TEST(FokFelFajl, LinesOfTheAccountsAsStored) {
    const std::vector<FokFelSor> sorok = {
        {"5311", "100", "", 125000.0, std::nullopt},
        {"4711", "200", "", std::nullopt, 87000.0},
        {"4621", "330", "000100", -15000.0, 0.5},
        {"Ő 1", "100", "", std::nullopt, std::nullopt},
    };
    EXPECT_EQ(FokFelFajl(sorok),
              "5311;125000;;;\r\n4711;;87000;;\r\n4621;-15000;0.5;000100;\r\n\xD5 1;;;;\r\n");
    EXPECT_EQ(FokFelFajl({}), "");
    // A character the code page cannot hold is refused, not written as "?".
    EXPECT_THROW(FokFelFajl({{"Ωx", "100", "", 1.0, std::nullopt}}), std::exception);
}

TEST_F(ListFokfelTest, ExportWritesTheRunsAccountsWhole) {
    Rows({{"00000000001", 3, "2019.03.05", "100", 125000.0, "", "000001"},
          {"00000000001", 3, "2019.03.05", "330", 1000.0, "", "000001"},
          {"00000000001", 3, "2019.03.05", "328", 1500.0, "", "000001"}});
    TList_FokfelForm form;
    Show(form);
    form.Edit("MaskEdit9")->clear();
    form.Edit("MaskEdit10")->clear();
    const std::string folder = os::BaseFolder() + "/ADATSZLG/2019/FokFel/";
    const std::string path = folder + "FokFel_001.txt";

    // Cancel: nothing written, nothing shown.
    dialogs.AnswerText("", false);
    form.BitBtn3->click();
    ASSERT_EQ(dialogs.Shown().size(), 1u);
    EXPECT_EQ(dialogs.Caption(0), "Célkönyvtár kiválasztása");
    EXPECT_EQ(dialogs.Shown()[0].value.toStdString(), path);
    EXPECT_TRUE(dialogs.Shown()[0].fileOptions & ui::DontConfirmOverwrite);
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(path)));

    dialogs.Then([](const ui::DialogRequest& r) { return ui::DialogAnswer{ui::Ok, r.value, 0}; });
    dialogs.Answer(ui::Ok);
    form.BitBtn3->click();
    EXPECT_EQ(dialogs.Text(2), "A küldés befejeződött!");
    EXPECT_TRUE(testsupport::MatchesGolden("lists/summary/golden/List_Fokfel", "export",
                                           testsupport::ReadBytes(path), testsupport::Encoding::Cp1250));
    EXPECT_EQ(testsupport::ReadBytes(path),
              "5311;125000;;;\r\n4711;;125000;;\r\n5611;-500;;;\r\n4621;;-500;;\r\n");

    // A file where the folder should be: its box, no success message.
    QFile::remove(QString::fromStdString(path));
    QDir(QString::fromStdString(folder)).removeRecursively();
    testsupport::WriteBytes(os::BaseFolder() + "/ADATSZLG/2019/FokFel", "x");
    dialogs.Answer(ui::Ok);
    form.BitBtn3->click();
    EXPECT_EQ(dialogs.Caption(3), "Üzenetkezelő");
    EXPECT_EQ(dialogs.Text(3), os::BaseFolder() + "/ADATSZLG/2019/FokFel mappa nem hozható létre.");
}

TEST_F(ListFokfelTest, ExportOfAnEmptyPostingAndWritesThatFail) {
    Rows({{"00000000001", 3, "2019.03.05", "100", 125000.0, "", "000001"}});
    TList_FokfelForm form;
    Show(form);
    form.Edit("MaskEdit9")->clear();
    form.Edit("MaskEdit10")->clear();
    const std::string path = os::BaseFolder() + "/ADATSZLG/2019/FokFel/FokFel_001.txt";
    auto exportTo = [&](const std::string& target) {
        dialogs.Then([target](const ui::DialogRequest&) {
            return ui::DialogAnswer{ui::Ok, QString::fromStdString(target), 0};
        });
        dialogs.Answer(ui::Ok);
        form.BitBtn3->click();
        return dialogs.Shown().back();
    };

    // No account in the selection: an empty file, then the message.
    form.Edit("MaskEdit1")->setText("000002");
    form.Edit("MaskEdit2")->setText("000002");
    EXPECT_EQ(exportTo(path).text, "A küldés befejeződött!");
    EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(path)));
    EXPECT_EQ(testsupport::ReadBytes(path), "");
    form.Edit("MaskEdit2")->setText("000001");
    form.Edit("MaskEdit1")->setText("000001");
    ASSERT_EQ(exportTo(path).text, "A küldés befejeződött!");
    const std::string written = testsupport::ReadBytes(path);
    ASSERT_EQ(written, "5311;125000;;;\r\n4711;;125000;;\r\n");

    // An account the code page cannot hold, and a folder that is not there:
    // the run's error box, no success message, the earlier file whole and no
    // file begun.
    AddRows("Jogcim_001", {"JC_KOD", "JC_TARTOZIK"}, {{"100", "Ω311"}});
    const std::string missing = os::BaseFolder() + "/nincs/FokFel_001.txt";
    for (const std::string& target : {path, missing}) {
        SCOPED_TRACE(target);
        const ui::DialogRequest box = exportTo(target);
        EXPECT_EQ(box.caption, "Üzenet");
        EXPECT_EQ(box.icon, ui::Icon::Error);
        EXPECT_TRUE(box.text.startsWith("Hiba keletkezett a Főkönyvi feladás során!\r"))
            << box.text.toStdString();
        EXPECT_TRUE(form.BitBtn3->isEnabled());
    }
    EXPECT_EQ(testsupport::ReadBytes(path), written);
    EXPECT_EQ(QDir(QString::fromStdString(os::BaseFolder() + "/ADATSZLG/2019/FokFel")).entryList(QDir::Files),
              QStringList{"FokFel_001.txt"});
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(os::BaseFolder() + "/nincs")));
}

TEST_F(ListFokfelTest, ThePreviewExportsASoundPdf) {
    Rows({{"00000000001", 3, "2019.03.05", "100", 10.0, "", "000001"}});
    TList_FokfelForm form;
    Show(form);
    testsupport::PdfExport pdf(dialogs);
    form.BitBtn1->click();
    pdf.Check();
    EXPECT_EQ(pdf.pages, 1);
}

TEST_F(ListFokfelTest, AFailureKeepsThePreviousRun) {
    Rows({{"00000000001", 3, "2019.03.05", "100", 10.0, "", "000001"}});
    TList_FokfelForm form;
    Show(form);
    Preview(form);
    ASSERT_EQ(FokFel().size(), 2u);
    DM1->TableSzamfejt->TableName = "Szamfejt_999";  // no such table
    dialogs.Answer(ui::Ok);
    form.BitBtn1->click();
    DM1->TableSzamfejt->TableName = "Szamfejt_001";
    EXPECT_EQ(dialogs.Caption(dialogs.Shown().size() - 1), "Üzenet");
    EXPECT_TRUE(dialogs.Shown().back().text.startsWith("Hiba keletkezett a Főkönyvi feladás során!\r"));
    EXPECT_EQ(FokFel().size(), 2u);
    EXPECT_TRUE(form.BitBtn1->isEnabled());
    EXPECT_TRUE(form.BitBtn3->isEnabled());
}

TEST_F(ListFokfelTest, AFailureWhileTheAccountsAreWrittenKeepsThePreviousRun) {
    Rows({{"00000000001", 3, "2019.03.05", "100", 10.0, "", "000001"},
          {"00000000001", 4, "2019.04.05", "200", 7.0, "", "000001"}});
    TList_FokfelForm form;
    Show(form);
    OneMonth(form, 3);
    Preview(form);
    const auto before = FokFel();
    ASSERT_EQ(before.size(), 2u);

    // The second account of the next run is refused: its first is already
    // written and the old rows deleted by then.
    {
        db::sql::Connection file(db::TableFilePath(AktualisAlias, "FokFel"), false, false, "FokFel");
        file.Exec("CREATE TRIGGER fail BEFORE INSERT ON " + db::sql::Quote("FokFel") +
                      " WHEN NEW.FF_KOD = '4711' BEGIN SELECT RAISE(ABORT, 'injected'); END",
                  "FokFel");
    }
    form.MonthEdit("CurrencyEdit2")->SetValue(4);
    form.DateEdit("DateEdit2")->SetDateValue(os::EncodeDate(2019, 4, 28));
    dialogs.Answer(ui::Ok);
    form.BitBtn1->click();
    ASSERT_TRUE(dialogs.Shown().back().text.startsWith("Hiba keletkezett a Főkönyvi feladás során!\r"))
        << dialogs.Shown().back().caption.toStdString();
    EXPECT_EQ(FokFel(), before);
}

// The other workstation of the test below: a second process that posts April
// over and over while the first posts March into the same FokFel.
TEST(FokFelOtherWorkstation, PostsApril) {
    const char* runs = std::getenv("TAVRINA_FOKFEL_OTHER");
    if (!runs) GTEST_SKIP() << "run by ListFokfelTest.TwoWorkstationsPostingAtOnce";
    TDM1 dm;
    DM1 = &dm;
    dm.SetDatabaseName(AktualisAlias);
    dm.SetCompanyTableNames("001");
    testsupport::ScriptedDialogs dialogs;
    TList_FokfelForm form;
    form.show();
    form.MonthEdit("CurrencyEdit1")->SetValue(4);
    form.MonthEdit("CurrencyEdit2")->SetValue(4);
    form.DateEdit("DateEdit1")->SetDateValue(os::EncodeDate(2019, 4, 1));
    form.DateEdit("DateEdit2")->SetDateValue(os::EncodeDate(2019, 4, 28));
    form.Edit("MaskEdit9")->clear();
    form.Edit("MaskEdit10")->clear();
    const std::string path = os::BaseFolder() + "/april.txt";
    for (int i = std::atoi(runs); i > 0; --i) {
        dialogs.Then([path](const ui::DialogRequest&) {
            return ui::DialogAnswer{ui::Ok, QString::fromStdString(path), 0};
        });
        dialogs.Answer(ui::Ok);
        form.BitBtn3->click();
        ASSERT_EQ(dialogs.Shown().back().text.toStdString(), "A küldés befejeződött!");
        ASSERT_EQ(testsupport::ReadBytes(path), "5311;7;;;\r\n");
    }
    DM1 = nullptr;
}

TEST_F(ListFokfelTest, TwoWorkstationsPostingAtOnce) {
    Rows({{"00000000001", 3, "2019.03.05", "100", 10.0, "", "000001"},
          {"00000000001", 4, "2019.04.05", "200", 7.0, "", "000001"}});
    const std::vector<std::vector<std::string>> march = {{"5311", "100", "", "10", ""},
                                                         {"4711", "100", "", "", "10"}};
    const std::vector<std::vector<std::string>> april = {{"5311", "200", "", "7", ""}};
    TList_FokfelForm form;
    Show(form);
    OneMonth(form, 3);
    form.Edit("MaskEdit9")->clear();
    form.Edit("MaskEdit10")->clear();

    const int runs = 40;
    QProcess other;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TAVRINA_FOKFEL_OTHER", QString::number(runs));
    other.setProcessEnvironment(env);
    other.setProcessChannelMode(QProcess::MergedChannels);
    other.start(QCoreApplication::applicationFilePath(),
                {"--gtest_filter=FokFelOtherWorkstation.PostsApril"});
    ASSERT_TRUE(other.waitForStarted());

    // Each run previews and exports its own accounts, and FokFel holds one
    // run's rows whole whenever it is read.
    const std::string path = os::BaseFolder() + "/ADATSZLG/2019/FokFel/FokFel_001.txt";
    for (int i = 0; i < runs; ++i) {
        if (i % 2 == 0) {
            dialogs.Then([](const ui::DialogRequest& r) { return ui::DialogAnswer{ui::Ok, r.value, 0}; });
            dialogs.Answer(ui::Ok);
            form.BitBtn3->click();
            ASSERT_EQ(dialogs.Shown().back().text.toStdString(), "A küldés befejeződött!");
            ASSERT_EQ(testsupport::ReadBytes(path), "5311;10;;;\r\n4711;;10;;\r\n");
        } else {
            const QStringList lines = Preview(form);
            ASSERT_FALSE(lines.isEmpty());
            ASSERT_EQ(lines.back(), "Összesen : | 10 | 10");
        }
        const auto rows = FokFel();
        ASSERT_TRUE(rows == march || rows == april) << rows.size() << " rows";
    }
    if (other.state() != QProcess::NotRunning) {
        ASSERT_TRUE(other.waitForFinished(120000));
    }
    const QString out = QString::fromUtf8(other.readAll());
    EXPECT_EQ(other.exitCode(), 0) << out.toStdString();
    EXPECT_TRUE(out.contains("[  PASSED  ] 1 test")) << out.toStdString();
    const auto rows = FokFel();
    EXPECT_TRUE(rows == march || rows == april);
}

}  // namespace
