// The company register: the next code, a new company's table set made whole
// or not at all (also across a killed program), no delete, the country code
// in upper case.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <filesystem>

#include "controls/DBControls.h"
#include "core/CegTablak.h"
#include "core/SegedUnitDb.h"
#include "core/StartValues.h"
#include "masterdata/TorzskezCegek.h"
#include "platform/db/Table.h"
#include "support/ActiveWindow.h"
#include "support/CompanyFixture.h"
#include "support/DialogTest.h"

namespace fs = std::filesystem;

namespace {

class CegekTest : public testsupport::YearFolderTest {
protected:
    std::unique_ptr<TTorzskezCegekForm> Open() { return testsupport::OpenActive<TTorzskezCegekForm>(); }
    // Felvitel, the three required texts, Rögzítés and Yes.
    // `boxes`: message boxes the save shows after the question (answered Ok).
    void NewCompany(TTorzskezCegekForm& form, const char* name, int boxes = 0) {
        form.BitBtn5->click();
        QTest::keyClicks(form.CG_NEV, name);
        QTest::keyClicks(form.CG_RNEV, "Rovid");
        QTest::keyClicks(form.CG_ADOSZAM, "12345678142");
        ASSERT_TRUE(form.BitBtn11->isEnabled());
        dialogs.Answer(ui::Yes);  // "Valóban végrehajtja a rögzítést?"
        for (int i = 0; i < boxes; ++i) dialogs.Answer(ui::Ok);
        form.BitBtn11->click();
    }
    static std::vector<std::string> CompanyFiles(const std::string& code) {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(AliasUtvonal(AktualisAlias))) {
            const std::string n = e.path().filename().string();
            if (n.size() > 7 && n.substr(n.size() - 7) == "_" + code + ".DB") names.push_back(n);
        }
        std::sort(names.begin(), names.end());
        return names;
    }
    static std::vector<std::string> Codes() {
        db::Table t;
        t.DatabaseName = AktualisAlias;
        t.TableName = "Cegek";
        t.Open();
        std::vector<std::string> out;
        for (t.First(); !t.Eof(); t.Next()) out.push_back(t.FieldByName("CG_KOD").AsString());
        return out;
    }

    testsupport::ScriptedDialogs dialogs;
};

const std::vector<std::string> kKeszlet = {
    "DolgRegi_001.DB", "Dolgozo_001.DB", "Ertekkeszlet_001.DB", "Hozzatartozo_001.DB", "Jogcim_001.DB",
    "KifHely_001.DB",  "MHely_001.DB",   "RJogcim_001.DB",      "Szamfejt_001.DB",     "Utal_001.DB"};

}  // namespace

TEST(CegKod, NextCodeOfTheRegister) {
    struct Eset {
        const char* last;
        const char* next;
    };
    const Eset esetek[] = {{"", "001"},    {"001", "002"}, {"009", "010"}, {"012", "013"},
                           {"099", "100"}, {"998", "999"}, {"999", ""}};
    for (const Eset& e : esetek) EXPECT_EQ(KovetkezoCegKod(e.last), e.next) << e.last;
}

TEST_F(CegekTest, ANewCompanyGetsItsCodeDefaultsAndWholeTableSet) {
    auto form = Open();
    EXPECT_EQ(form->windowTitle(), "Törzskezelés/Cégek");
    EXPECT_FALSE(form->CG_KOD->isEnabled());
    EXPECT_FALSE(form->BitBtn8->isVisible());
    form->BitBtn5->click();
    EXPECT_EQ(form->CG_KOD->Text(), "001");
    db::Table& t = *dm->TableCegek;
    EXPECT_EQ(t.FieldByName("CG_POTLSZAMFIX").AsString(), "I");  // supplements by the 174-hour month
    EXPECT_EQ(t.FieldByName("CG_KIVA").AsString(), "N");
    EXPECT_EQ(t.FieldByName("CG_TAVDIJ").AsString(), "I");
    EXPECT_EQ(t.FieldByName("CG_NYITMOD").AsString(), "M");
    dialogs.Answer(ui::No);  // "Valóban végrehajtja a rögzítést?": the row is discarded
    QTest::keyClicks(form->CG_NEV, "Minta Kft");
    QTest::keyClicks(form->CG_RNEV, "Minta");
    QTest::keyClicks(form->CG_ADOSZAM, "12345678142");
    form->BitBtn11->click();
    EXPECT_TRUE(Codes().empty());

    NewCompany(*form, "Minta Kft");
    EXPECT_EQ(dialogs.Text(1), "Valóban végrehajtja a rögzítést?");
    EXPECT_TRUE(form->UjCegKesz);
    EXPECT_EQ(Codes(), std::vector<std::string>{"001"});
    EXPECT_EQ(t.FieldByName("CG_ADOSZAM").AsString(), "12345678142");
    EXPECT_EQ(CompanyFiles("001"), kKeszlet);
    // The history table: DG_SORSZAM, then the employee template's fields.
    db::Table dolgozo, regi;
    dolgozo.DatabaseName = regi.DatabaseName = AktualisAlias;
    dolgozo.TableName = "Dolgozo_001";
    regi.TableName = "DolgRegi_001";
    dolgozo.Open();
    regi.Open();
    ASSERT_EQ(regi.FieldCount(), dolgozo.FieldCount() + 1);
    EXPECT_EQ(regi.Fields(0).FieldName(), "DG_SORSZAM");
    for (int i = 0; i < dolgozo.FieldCount(); ++i)
        EXPECT_EQ(regi.Fields(i + 1).FieldName(), dolgozo.Fields(i).FieldName());
    EXPECT_TRUE(FelbeszakadtCegekTorlese().empty());  // the mark went with completion
}

TEST_F(CegekTest, NoDeleteAndTheCountryCodeInUpperCase) {
    auto form = Open();
    form->BitBtn7->setEnabled(true);
    dialogs.Answer(ui::Ok);
    form->BitBtn7->click();
    EXPECT_EQ(dialogs.Text(0), "Üres az adatbázis!");
    NewCompany(*form, "Minta Kft");
    dialogs.Answer(ui::Ok);
    form->BitBtn7->click();
    EXPECT_EQ(dialogs.Text(2), "A cég nem torolhető!");
    EXPECT_EQ(Codes(), std::vector<std::string>{"001"});

    form->BitBtn6->click();
    form->PageControl1->setCurrentIndex(2);
    form->CG_KULFMORSZAG->setFocus();
    QTest::keyClicks(form->CG_KULFMORSZAG, "hu");
    form->CG_KULFMNEV->setFocus();
    EXPECT_EQ(dm->TableCegek->FieldByName("CG_KULFMORSZAG").AsString(), "HU");
}

TEST_F(CegekTest, AFailedTableLeavesNoPartOfTheCompany) {
    testsupport::MakeCompany("001", "Első", "Első");
    // A leftover file of the next code is never overwritten: the set fails
    // at its sixth table, and what was made goes again with the row.
    db::CopyTable(AktualisAlias, "RJogcim", "RJogcim_002");
    auto form = Open();
    NewCompany(*form, "Masodik Kft", 1);
    EXPECT_EQ(dialogs.Text(1), "Nem hozható létre a tábla! #01");
    EXPECT_FALSE(form->UjCegKesz);
    EXPECT_EQ(Codes(), std::vector<std::string>{"001"});
    EXPECT_EQ(CompanyFiles("002"), std::vector<std::string>{"RJogcim_002.DB"});
    EXPECT_EQ(form->Mode(), 0);

    // The history table failing: its own message, and the same undo.
    db::DeleteTable(AktualisAlias, "RJogcim_002");
    db::CopyTable(AktualisAlias, "Dolgozo", "DolgRegi_002");
    NewCompany(*form, "Masodik Kft", 1);
    EXPECT_EQ(dialogs.Text(3).rfind("HIBA történt a DolgRegi_002.DB létrehozásakor! \r", 0), 0u)
        << dialogs.Text(3);
    EXPECT_EQ(CompanyFiles("002"), std::vector<std::string>{"DolgRegi_002.DB"});
    EXPECT_EQ(Codes(), std::vector<std::string>{"001"});

    // The next try offers 002 again and succeeds.
    db::DeleteTable(AktualisAlias, "DolgRegi_002");
    NewCompany(*form, "Masodik Kft");
    EXPECT_TRUE(form->UjCegKesz);
    EXPECT_EQ(Codes(), (std::vector<std::string>{"001", "002"}));
    EXPECT_EQ(CompanyFiles("002").size(), kKeszlet.size());
}

TEST_F(CegekTest, ACreationCutShortIsRemovedWholeBeforeTheTablesOpen) {
    testsupport::MakeCompany("001", "Első", "Első");
    // As a killed program leaves it: the mark, the row and four tables.
    CegLetrehozasJelIr("002");
    testsupport::MakeCompany("002", "Félbe", "Félbe");
    for (const char* t : {"Jogcim_002", "RJogcim_002", "Szamfejt_002", "Utal_002", "Hozzatartozo_002"})
        db::DeleteTable(AktualisAlias, t);
    ASSERT_EQ(CompanyFiles("002").size(), 5u);

    EXPECT_EQ(FelbeszakadtCegekTorlese(), std::vector<std::string>{"002"});
    EXPECT_TRUE(CompanyFiles("002").empty());
    EXPECT_EQ(Codes(), std::vector<std::string>{"001"});
    EXPECT_EQ(CompanyFiles("001").size(), kKeszlet.size());
    EXPECT_TRUE(FelbeszakadtCegekTorlese().empty());
}
