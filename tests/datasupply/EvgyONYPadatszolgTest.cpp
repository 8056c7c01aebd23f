// The voluntary fund's member-fee file: the month's rows of one pay item per
// employee (each rounded before adding), corrected in the grid, written whole
// or not at all, and refused when the grid holds another collection.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <filesystem>

#include "controls/NumEdits.h"
#include "core/StartValues.h"
#include "core/helpers/KimenetiMappa.h"
#include "datasupply/EvgyONYPadatszolg.h"
#include "platform/os/AtomicFile.h"
#include "support/Golden.h"
#include "support/ListFixture.h"

namespace {

using testsupport::AddRows;

class OnypTest : public testsupport::ListFixtureTest {
protected:
    void SetUp() override {
        ListFixtureTest::SetUp();
        AddRows("Jogcim_001", {"JC_KOD", "JC_NEV"}, {{"500", "Önkéntes pénztár"}, {"100", "Alapbér"}});
        AddRows("Dolgozo_001", {"DG_TORZSSZAM", "DG_NEV", "DG_ADOAZ"},
                {{"00000000001", "Zöld Ödön", "12345678901"}, {"00000000002", "Ács Éva", "98765432109"}});
        // clang-format off
        Payroll({"SF_DGTORZSSZAM", "SF_DGNEV",  "SF_HONAP", "SF_KIFIZDAT", "SF_JCKOD", "SF_OSSZEG"},
                {{"00000000001",   "Zöld Ödön", 1,          "2019.02.05",  "500",      1000.5},
                 {"00000000001",   "Zöld Ödön", 1,          "2019.02.05",  "500",      2000.4},
                 {"00000000002",   "Ács Éva",   1,          "2019.02.05",  "500",      500.0},
                 {"00000000001",   "Zöld Ödön", 1,          "2019.02.05",  "100",      300000.0},
                 {"00000000001",   "Zöld Ödön", 2,          "2019.03.05",  "500",      7000.0}});
        // clang-format on
    }

    // A form on January and item 500, collected.
    void Collect(TEvgyONYPadatszolgForm& form) {
        Show(form);
        form.MonthEdit("CurrencyEdit1")->SetValue(1);
        form.Edit("MaskEdit1")->setText("500");
        ASSERT_TRUE(form.BitBtn1->isEnabled());
        dialogs.Answer(ui::Ok);  // "A lekérdezés befejeződött."
        form.BitBtn1->click();
        ASSERT_EQ(dialogs.Shown().back().text, "A lekérdezés befejeződött.");
    }
    std::string File() { return AdatszolgMappa(FeldolgozasiEv, "ONYP") + "001.901"; }
};

TEST_F(OnypTest, FileNamesFollowTheMonth) {
    EXPECT_EQ(OnypFajlNev("/x/ONYP/", "001", "2019", 1), "/x/ONYP/001.901");
    EXPECT_EQ(OnypFajlNev("/x/ONYP/", "001", "2019", 10), "/x/ONYP/001.910");
    TEvgyONYPadatszolgForm form;
    Show(form);
    EXPECT_EQ(form.windowTitle(), "Szerviz/Évgyűrűk ÖNYP adatszolgáltatás");
    EXPECT_EQ(form.Month("CurrencyEdit1"), 2);  // the last payroll month
    EXPECT_EQ(form.Text("Edit2"), "");          // no item, no file name
    EXPECT_FALSE(form.BitBtn1->isEnabled());
    form.Edit("MaskEdit1")->setText("500");
    EXPECT_EQ(form.Text("Edit2").toStdString(), AdatszolgMappa(FeldolgozasiEv, "ONYP") + "001.902");
    EXPECT_TRUE(form.BitBtn1->isEnabled());
}

TEST_F(OnypTest, CollectedRowsMakeTheFundsFile) {
    TEvgyONYPadatszolgForm form;
    Collect(form);
    ASSERT_EQ(form.mdONYP.RecordCount(), 2);
    // By name: Ács before Zöld; 1000.5 and 2000.4 are rounded one by one.
    form.mdONYP.First();
    EXPECT_EQ(form.mdONYP.FieldByName("ON_DGNEV").AsString(), "Ács Éva");
    form.mdONYP.Next();
    EXPECT_EQ(form.mdONYP.FieldByName("ON_MUNKJ").AsInteger(), 3001);

    dialogs.Answer(ui::Ok);
    form.BitBtn4->click();
    EXPECT_EQ(dialogs.Shown().back().text, "Az adatszolgáltatás fájl elkészült.");
    const std::string written = os::ReadFile(File());
    EXPECT_EQ(written, "98765432109,0,500,0,0\r\n12345678901,0,3001,0,0\r\n\x1a");
    EXPECT_TRUE(testsupport::MatchesGolden("datasupply/golden/EvgyONYPadatszolg", "januar", written,
                                           testsupport::Encoding::Cp852));

    // Cleared in the grid: a tax id writes one blank, an amount nothing.
    form.mdONYP.First();
    form.mdONYP.Edit();
    form.mdONYP.FieldByName("ON_ADOAZ").Clear();
    form.mdONYP.FieldByName("ON_TAGDIJ").Clear();
    form.mdONYP.Post();
    EXPECT_EQ(OnypFajlTartalom(form.mdONYP), " ,,500,0,0\r\n12345678901,0,3001,0,0\r\n\x1a");
}

TEST_F(OnypTest, NoRowsGiveTheEndByteAlone) {
    TEvgyONYPadatszolgForm form;
    Show(form);
    form.MonthEdit("CurrencyEdit1")->SetValue(3);
    form.Edit("MaskEdit1")->setText("500");
    dialogs.Answer(ui::Ok).Answer(ui::Ok);
    form.BitBtn1->click();
    form.BitBtn4->click();
    EXPECT_EQ(os::ReadFile(AdatszolgMappa(FeldolgozasiEv, "ONYP") + "001.903"), "\x1a");
}

TEST_F(OnypTest, AnotherMonthOrNoCollectionWritesNothing) {
    {
        TEvgyONYPadatszolgForm form;
        Show(form);
        form.Edit("MaskEdit1")->setText("500");
        dialogs.Answer(ui::Ok);
        form.BitBtn4->click();  // nothing collected yet
        EXPECT_EQ(dialogs.Shown().back().text, "A műveletet nem lehet végrehajtani...");
    }
    TEvgyONYPadatszolgForm form;
    Collect(form);
    // The same month typed again keeps the grid.
    form.MonthEdit("CurrencyEdit1")->SetValue(1);
    dialogs.Answer(ui::Ok);
    form.BitBtn4->click();
    EXPECT_EQ(dialogs.Shown().back().text, "Az adatszolgáltatás fájl elkészült.");
    std::filesystem::remove(File());
    // Another month names another file: the grid is not its collection.
    form.MonthEdit("CurrencyEdit1")->SetValue(2);
    dialogs.Answer(ui::Ok);
    form.BitBtn4->click();
    EXPECT_EQ(dialogs.Shown().back().text, "A műveletet nem lehet végrehajtani...");
    EXPECT_FALSE(form.mdONYP.Active());
    EXPECT_FALSE(std::filesystem::exists(AdatszolgMappa(FeldolgozasiEv, "ONYP") + "001.902"));
}

TEST_F(OnypTest, AFailedWriteLeavesNoFile) {
    TEvgyONYPadatszolgForm form;
    Collect(form);
    std::filesystem::create_directories(File());  // a folder where the file goes
    dialogs.Answer(ui::Ok);
    form.BitBtn4->click();
    EXPECT_EQ(dialogs.Caption(dialogs.Shown().size() - 1), "Üzenetkezelő");
    EXPECT_TRUE(dialogs.Shown().back().text.startsWith(
        QString::fromStdString("Hiba történt a(z) " + File() + " fájl írása során...\r")));
    EXPECT_TRUE(std::filesystem::is_directory(File()));
    for (const auto& e : std::filesystem::directory_iterator(AdatszolgMappa(FeldolgozasiEv, "ONYP")))
        EXPECT_EQ(e.path().string(), File());  // no temporary left behind
}

}  // namespace
