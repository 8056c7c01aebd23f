#include "core/Naplo.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QDialog>

#include "core/DataModule1.h"
#include "core/SegedUnitDb.h"
#include "core/StartValues.h"
#include "platform/db/Engine.h"
#include "platform/os/CodePage.h"
#include "platform/os/DayNumber.h"
#include "support/CompanyFixture.h"
#include "support/DialogTest.h"
#include "support/Golden.h"
#include "support/TestSupport.h"

namespace {

class NaploTest : public testsupport::CompanyTest {};

TEST_F(NaploTest, EntryListsCompanyWindowsAndOpenTablesWithTheirRecords) {
    db::Table& kh = *dm->TableKifhely;
    kh.Open();
    for (auto [code, name] : {std::pair{"000001", "Központ"}, {"000002", "Telep"}}) {
        kh.Append();
        kh.FieldByName("KH_KOD").SetAsString(code);
        kh.FieldByName("KH_NEV").SetAsString(name);
        kh.Post();
    }
    // Filtered through a handler with no filter text.
    kh.SetOnFilterRecord(
        [](db::Dataset& ds, bool& accept) { accept = ds.FieldByName("KH_KOD").AsString() > "000001"; });
    kh.SetFiltered(true);
    db::Table& mh = *dm->TableMhely;
    mh.Open();
    mh.Append();
    mh.FieldByName("MH_KOD").SetAsString("000007");

    const std::vector<std::string> lines = NaploBejegyzes("2019.03.04 10:11:12", "Hiba-->QAction", "",
                                                          {{"FomenuForm", false}, {"CegKivalForm", true}},
                                                          {dm->TableCegek, dm->TableKifhely, dm->TableMhely});
    ASSERT_GE(lines.size(), 9u);
    EXPECT_EQ(lines[0], "2019.03.04 10:11:12 Hiba-->QAction");
    EXPECT_EQ(lines[1], "   Cég");
    EXPECT_EQ(lines[2], "      ");  // no company selected
    EXPECT_EQ(lines[3], "   Ablakok");
    EXPECT_EQ(lines[4], "      FomenuForm");
    EXPECT_EQ(lines[5], "      CegKivalForm-->Active");
    EXPECT_EQ(lines[6], "   Táblák");
    // The closed company table is left out.
    EXPECT_EQ(lines[7], "      KifHely_001-->dsBrowse; RecNo/RecordCount (1/1); Filtered (); ");
    EXPECT_EQ(lines[8], "         KH_KOD=000002; ");
    EXPECT_EQ(lines[9], "         KH_NEV=Telep; ");
    const size_t mhLine = 8 + kh.FieldCount();
    ASSERT_GT(lines.size(), mhLine + 1);
    EXPECT_EQ(lines[mhLine].rfind("      MHely_001-->dsInsert; RecNo/RecordCount (", 0), 0u) << lines[mhLine];
    EXPECT_EQ(lines[mhLine + 1], "         MH_KOD=000007; ");
    EXPECT_EQ(lines.back(), "");
    EXPECT_EQ(lines.size(), mhLine + 1 + mh.FieldCount() + 1);
    mh.Cancel();
    mh.Close();
    kh.Close();
}

TEST_F(NaploTest, EntriesAreAppendedInCp1250WithCrLf) {
    Naplozas("Első");
    Naplozas("Második");
    const std::string bytes = testsupport::ReadBytes(NaploFajl());
    EXPECT_EQ(NaploFajl(), home.Path() + "/Tavrina/2019/test_core.log");
    EXPECT_NE(bytes.find(" Els\xF5\r\n   C\xE9g\r\n"), std::string::npos);
    // The second entry follows the empty line that closes the first.
    EXPECT_NE(bytes.find("\r\n\r\n"), std::string::npos);
    EXPECT_NE(bytes.find(" M\xE1sodik\r\n"), std::string::npos);
    EXPECT_EQ(bytes.substr(bytes.size() - 4), "\r\n\r\n");
}

// The whole entry as the file holds it: a filtered table and one being
// edited, every field with its value, CP1250 and CR LF throughout.
TEST_F(NaploTest, StateReportEntryInTheFileByteForByte) {
    const os::FixedClock clock(os::EncodeDate(2019, 5, 2) + os::EncodeTime(14, 30, 5));
    db::Table& kh = *dm->TableKifhely;
    kh.Open();
    for (auto [code, name] : {std::pair{"000001", "Központ"}, {"000002", "Fő utca"}}) {
        kh.Append();
        kh.FieldByName("KH_KOD").SetAsString(code);
        kh.FieldByName("KH_NEV").SetAsString(name);
        testsupport::FillRequired(kh);
        kh.Post();
    }
    kh.SetFilter("KH_KOD > '000001'");
    kh.SetFiltered(true);
    db::Table& mh = *dm->TableMhely;
    mh.Open();
    mh.Append();
    mh.FieldByName("MH_KOD").SetAsString("000007");
    mh.FieldByName("MH_NEV").SetAsString("Raktár");
    testsupport::FillRequired(mh);
    mh.Post();
    mh.Edit();
    mh.FieldByName("MH_NEV").SetAsString("Iroda");

    QDialog form;
    form.setObjectName("TorzskezMhelyForm");
    form.show();
    QApplication::setActiveWindow(&form);

    Naplozas("Kézi bejegyzés");
    const std::string bytes = testsupport::ReadBytes(NaploFajl());
    EXPECT_TRUE(testsupport::MatchesGolden("core/golden/Naplo", "state-report", bytes,
                                           testsupport::Encoding::Cp1250));
    EXPECT_NE(bytes.find("KH_NEV=F\xF5 utca; \r\n"), std::string::npos);
    mh.Cancel();
    mh.Close();
    kh.Close();
}

TEST_F(NaploTest, CharacterOutsideTheCodePageDoesNotCutTheEntry) {
    Naplozas("Név: Ελένη Kovács");
    const std::string bytes = testsupport::ReadBytes(NaploFajl());
    EXPECT_NE(bytes.find(" N\xE9v: ????? Kov\xE1"
                         "cs\r\n   C\xE9g\r\n"),
              std::string::npos)
        << bytes;
    EXPECT_EQ(bytes.substr(bytes.size() - 4), "\r\n\r\n");  // the entry is whole
}

TEST_F(NaploTest, ParametersBoxNamesAnUnknownPreviousYearAlias) {
    testsupport::ScriptedDialogs dialogs;
    dialogs.Answer(ui::Ok);
    const std::string box = ProgramParameterek();
    ASSERT_EQ(dialogs.Shown().size(), 1u);
    EXPECT_EQ(dialogs.Caption(0), "Üzenetkezelő");
    EXPECT_EQ(dialogs.Text(0).rfind("\"8. Előző évi Alias PATH\" paraméter nem hozzáférhető\r", 0), 0u);
    const std::string folder = home.Path() + "/Tavrina/2019";
    EXPECT_NE(box.find("3. Alias : TR19\r\r4. Alias létezik : IGEN\r\r5. Alias PATH : " + folder + "\r\r"),
              std::string::npos)
        << box;
    EXPECT_NE(box.find("6. Előző évi Alias : TR18\r\r7. Előző évi Alias létezik : NEM\r\r"
                       "8. Előző évi Alias PATH : nem hozzáférhető\r\r9. PrivateDir : "),
              std::string::npos)
        << box;
    EXPECT_EQ(box.rfind("2. BDE verzió : ", 0), 0u);
    EXPECT_NE(box.find("\r\r10. NetFileDir : "), std::string::npos);
}

}  // namespace
