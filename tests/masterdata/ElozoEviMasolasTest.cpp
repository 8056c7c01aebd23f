// Carrying employees over from last year's folder: the row copy by field
// name, the leaver test and the conversion to this year's rules.
#include <gtest/gtest.h>

#include <QApplication>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <filesystem>

#include "core/SegedUnitDb.h"
#include "core/StartValues.h"
#include "core/TableLayouts.h"
#include "masterdata/ElozoEviMasolas.h"
#include "masterdata/TorzskezCegek.h"
#include "platform/db/Table.h"
#include "platform/os/DayNumber.h"
#include "support/ActiveWindow.h"
#include "support/CompanyFixture.h"
#include "support/DialogTest.h"

namespace {

double D(int y, int m, int d) { return os::EncodeDate(y, m, d); }

// Last year's employee table: this year's layout without DG_SZHALEV, with the
// old leave and allowance fields.
class ElozoEviDolgozoTest : public testsupport::YearFolderTest {
protected:
    void SetUp() override {
        YearFolderTest::SetUp();
        testsupport::MakeCompany("001", "Uj", "Uj");
        old.DatabaseName = (std::filesystem::path(EvKonyvtar()).parent_path() / "2018").string();
        std::filesystem::create_directories(old.DatabaseName);
        old.TableName = "Dolgozo_005";
        db::FieldDefs defs;
        for (const db::FieldDef& f : FindTableLayout("Dolgozo")->FieldDefs())
            if (f.name != "DG_SZHALEV") defs.push_back({f.name, f.type, f.size, false});
        defs.push_back({"DG_EHOLEV", db::FieldType::String, 1});
        for (const char* flag :
             {"DG_SZAKKEPZETLEN", "DG_MEZGAZDKEDV", "DG_KOZFOGL", "DG_KUTATOI", "DG_DOKTORJELOLT",
              "DG_PKEZDO", "DG_ALLASKER", "DG_GYESUTAN", "DG_SZABADVALL"})
            defs.push_back({flag, db::FieldType::String, 1});
        for (const char* date : {"DG_PKEZDOKEZD", "DG_PKEZDOVALT", "DG_ALLASKERKEZD", "DG_ALLASKERVALT",
                                 "DG_ALLASKERVEG", "DG_GYESUTANKEZD", "DG_GYESUTANVALT", "DG_GYESUTANVEG",
                                 "DG_SZABADVALLKEZD", "DG_SZABADVALLVALT", "DG_SZABADVALLVEG"})
            defs.push_back({date, db::FieldType::Date});
        old.SetFieldDefs(defs);
        old.PrimaryIndexFields = "DG_TORZSSZAM";
        old.CreateTable();
        old.Open();
        target.DatabaseName = AktualisAlias;
        target.TableName = "Dolgozo_001";
        target.Open();
    }
    void TearDown() override {
        old.Close();
        target.Close();
        YearFolderTest::TearDown();
    }
    // One old employee with plain required values and the given fields.
    void Old(const std::string& id, const std::vector<std::pair<const char*, db::Variant>>& values) {
        old.Append();
        old.FieldByName("DG_TORZSSZAM").SetAsString(id);
        old.FieldByName("DG_NEV").SetAsString("Nev " + id);
        old.FieldByName("DG_ALKMIN").SetAsString("1");
        old.FieldByName("DG_BERFORM").SetAsString("1");
        for (auto& [name, v] : values) old.FieldByName(name).SetValue(v);
        old.Post();
    }
    // Copies and converts the current old row; the new row stays current.
    void Copy() {
        target.Append();
        MezonkentMasol(old, target);
        DolgozoAtalakit(old, target, 2019, D(2019, 1, 7));
        testsupport::FillRequired(target);
        target.Post();
    }

    db::Table old, target;
};

TEST(ElozoEviMasolas, SpareFieldsAndLeavers) {
    for (const char* spare : {"DG_TNUM1", "KH_TINT2", "MH_TSTR", "DG_TDAT3"})
        EXPECT_TRUE(TartalekMezo(spare)) << spare;
    for (const char* kept : {"DG_NEV", "DG_TNU", "DG_STR1"}) EXPECT_FALSE(TartalekMezo(kept)) << kept;
}

TEST_F(ElozoEviDolgozoTest, RowCopyByFieldName) {
    Old("1", {{"DG_TSTR1", "7"}, {"DG_MUNKAKOR", "Kovacs"}, {"DG_EHOLEV", "I"}});
    Copy();
    EXPECT_EQ(target.FieldByName("DG_MUNKAKOR").AsString(), "Kovacs");
    EXPECT_TRUE(target.FieldByName("DG_TSTR1").IsNull());
    EXPECT_EQ(target.FieldByName("DG_SZHALEV").AsString(), "I");  // from DG_EHOLEV
    EXPECT_EQ(target.FieldByName("DG_NYITMOD").AsString(), "E");
    EXPECT_EQ(target.FieldByName("DG_NYITDAT").AsDateTime(), D(2019, 1, 7));
    EXPECT_EQ(target.FieldByName("DG_MUNKAREND").AsString(), "1");
    EXPECT_EQ(target.FieldByName("DG_JSORSZADATSZ").AsInteger(), 1);

    struct Eset {
        const char* exit;  // "" none
        bool before;
    };
    for (const Eset& e :
         {Eset{"", false}, {"2018.12.31", true}, {"2019.01.01", false}, {"2017.05.02", true}}) {
        old.Edit();
        old.FieldByName("DG_KILEPDAT").SetAsString(e.exit);
        old.Post();
        EXPECT_EQ(KilepettEvElott(old.FieldByName("DG_KILEPDAT"), 2019), e.before) << e.exit;
    }
}

TEST_F(ElozoEviDolgozoTest, EmployeeConversion) {
    struct Eset {
        const char* name;
        std::vector<std::pair<const char*, db::Variant>> old;
        std::vector<std::pair<const char*, const char*>> expected;  // "" empty
    };
    const db::Variant kVege2019 = D(2019, 6, 30), kVege2018 = D(2018, 6, 30), kKezd = D(2017, 3, 1);
    const Eset esetek[] = {
        {"leave by age",
         {{"DG_SZULDAT", D(1994, 5, 5)}, {"DG_POTSZAB", 2.0}, {"DG_ELOSZAB", 4.0}},
         {{"DG_EVISZAB", "21"}, {"DG_ELOSZAB", ""}, {"DG_SZABKER", "23"}, {"DG_BETEGSZABKER", "15"}}},
        {"no leave for kind 7",
         {{"DG_ALKMIN", "7"}, {"DG_EVISZAB", 20.0}, {"DG_POTSZAB", 2.0}, {"DG_SZABKER", 22.0}},
         {{"DG_EVISZAB", ""}, {"DG_POTSZAB", ""}, {"DG_SZABKER", ""}, {"DG_BETEGSZABKER", ""}}},
        {"minimum wage", {{"DG_VALLALKMINBER", 138000.0}}, {{"DG_VALLALKMINBER", "149000"}}},
        {"higher minimum", {{"DG_VALLALKMINBER", 180500.0}}, {{"DG_VALLALKMINBER", "195000"}}},
        {"other wage kept", {{"DG_VALLALKMINBER", 138001.0}}, {{"DG_VALLALKMINBER", "138001"}}},
        {"wage form of kind 6", {{"DG_ALKMIN", "6"}, {"DG_BERFORM", "2"}}, {{"DG_BERFORM", "0"}}},
        {"cleared allowances",
         {{"DG_CSALKEDV", 5000.0}, {"DG_ELOZOMNYP", "I"}, {"DG_ELSOHAZASOSSZ", 5000.0}},
         {{"DG_CSALKEDV", ""}, {"DG_ELOZOMNYP", ""}, {"DG_ELSOHAZASOSSZ", ""}}},
        {"career starter still running",
         {{"DG_KOZFOGL", "I"},
          {"DG_PKEZDO", "I"},
          {"DG_PKEZDOKEZD", kKezd},
          {"DG_PKEZDOVALT", kVege2019},
          {"DG_SZHAKEDVKEZD", D(2016, 1, 1)}},
         {{"DG_SZHAKEDVKOD", "06"},
          {"DG_SZHAKEDVKEZD", "2017.03.01"},
          {"DG_SZHAKEDVVALT", "2019.06.30"},
          {"DG_SZHAKEDVVEG", "2019.06.30"}}},
        {"career starter run out",
         {{"DG_KOZFOGL", "I"},
          {"DG_PKEZDO", "I"},
          {"DG_PKEZDOKEZD", kKezd},
          {"DG_PKEZDOVALT", kVege2018},
          {"DG_SZHAKEDVKEZD", D(2016, 1, 1)}},
         {{"DG_SZHAKEDVKOD", "23"}, {"DG_SZHAKEDVKEZD", "2016.01.01"}, {"DG_SZHAKEDVVEG", ""}}},
        {"last flag wins",
         {{"DG_SZAKKEPZETLEN", "I"},
          {"DG_DOKTORJELOLT", "I"},
          {"DG_SZABADVALL", "I"},
          {"DG_SZABADVALLVEG", kVege2019}},
         {{"DG_SZHAKEDVKOD", "11"}, {"DG_SZHAKEDVVEG", "2019.06.30"}}},
    };
    int n = 0;
    for (const Eset& e : esetek) {
        SCOPED_TRACE(e.name);
        const std::string id = std::to_string(++n);
        Old(id, e.old);
        Copy();
        ASSERT_TRUE(target.Locate("DG_TORZSSZAM", id));
        for (auto [field, value] : e.expected)
            EXPECT_EQ(target.FieldByName(field).AsString(), value) << field;
    }
}

// Last year's folder under its alias with company 005: two employees, one
// leaving on the last day of last year, with history, standing items (one
// of a code this year's catalogue lacks) and dependants.
class ElozoEviCegTest : public testsupport::YearFolderTest {
protected:
    void SetUp() override {
        YearFolderTest::SetUp();
        folder = (std::filesystem::path(EvKonyvtar()).parent_path() / "2018").string();
        std::filesystem::create_directories(folder);
        AliasLetrehoz(ElozoEviAlias, folder);
        db::Table jc;
        jc.DatabaseName = AktualisAlias;
        jc.TableName = "Jogcim";
        jc.Open();
        ASSERT_FALSE(jc.IsEmpty());
        code = jc.FieldByName("JC_KOD").AsString();

        Old("Cegek", {{"CG_KOD", "005"},
                      {"CG_NEV", "Regi Kft"},
                      {"CG_RNEV", "Regi"},
                      {"CG_ADOSZAM", "11111111142"},
                      {"CG_NYITMOD", "M"}});
        Old("KifHely_005", {{"KH_KOD", "01"}, {"KH_NEV", "Kozpont"}});
        Old("MHely_005", {{"MH_KOD", "01"}, {"MH_NEV", "Iroda"}, {"MH_KHKOD", "01"}});
        for (const char* id : {"1", "2"}) {
            const db::Variant exit = std::string(id) == "1" ? D(2018, 12, 31) : D(2019, 1, 1);
            Old("Dolgozo_005", {{"DG_TORZSSZAM", id},
                                {"DG_NEV", "Nev"},
                                {"DG_ALKMIN", "1"},
                                {"DG_KILEPDAT", exit},
                                {"DG_EHOLEV", "I"}});
            Old("DolgRegi_005",
                {{"DG_SORSZAM", 1}, {"DG_TORZSSZAM", id}, {"DG_NEV", "Nev"}, {"DG_EHOLEV", "N"}});
            Old("RJogcim_005", {{"RJ_DGTORZSSZAM", id}, {"RJ_JCKOD", code}, {"RJ_SORSZAM", 1}});
            Old("RJogcim_005", {{"RJ_DGTORZSSZAM", id}, {"RJ_JCKOD", "ZZZ"}, {"RJ_SORSZAM", 1}});
            Old("Hozzatartozo_005", {{"HT_DGTORZSSZAM", id}, {"HT_NEV", "Gyerek"}});
        }
    }
    // A row of a last-year table, made with this year's layout (employee
    // tables with DG_EHOLEV in place of DG_SZHALEV) on first use.
    void Old(const std::string& name, const std::vector<std::pair<const char*, db::Variant>>& values) {
        db::Table t;
        t.DatabaseName = folder;
        t.TableName = name;
        if (!t.Exists()) {
            const TableLayout& layout =
                *FindTableLayout(name == "Cegek" ? "Cegek" : name.substr(0, name.size() - 4));
            db::FieldDefs defs;
            for (const db::FieldDef& f : layout.FieldDefs())
                if (f.name == "DG_SZHALEV")
                    defs.push_back({"DG_EHOLEV", db::FieldType::String, 1});
                else
                    defs.push_back({f.name, f.type, f.size, false});
            t.SetFieldDefs(defs);
            if (layout.primaryIndex) {
                std::string key;
                for (const std::string& k : layout.key) key += (key.empty() ? "" : ";") + k;
                t.PrimaryIndexFields = key;
            }
            t.CreateTable();
        }
        t.Open();
        t.Append();
        for (auto& [field, v] : values) t.FieldByName(field).SetValue(v);
        testsupport::FillRequired(t);
        t.Post();
    }
    std::vector<std::string> Rows(const std::string& name, const char* field) {
        db::Table t;
        t.DatabaseName = AktualisAlias;
        t.TableName = name;
        t.Open();
        std::vector<std::string> out;
        for (t.First(); !t.Eof(); t.Next()) out.push_back(t.FieldByName(field).AsString());
        return out;
    }
    std::unique_ptr<TTorzskezCegekForm> Open() { return testsupport::OpenActive<TTorzskezCegekForm>(); }

    std::string folder, code;
    testsupport::ScriptedDialogs dialogs;
};

TEST_F(ElozoEviCegTest, CompanyCopiedWithEmployeesStillEmployed) {
    auto form = Open();
    EXPECT_TRUE(form->BitBtnElozoEviAdatmasolas->isEnabled());
    dialogs.Answer(ui::Yes);  // "Valóban végrehajtja a rögzítést?"
    dialogs.Answer(ui::Ok);   // "Cég létrehozva..."
    ASSERT_TRUE(form->ElozoEviCegMasol("005"));
    EXPECT_EQ(dialogs.Text(1), "Cég létrehozva...");
    EXPECT_EQ(dialogs.Caption(1), "Üzenet");
    db::Table& cegek = *dm->TableCegek;
    EXPECT_EQ(cegek.FieldByName("CG_KOD").AsString(), "001");
    EXPECT_EQ(cegek.FieldByName("CG_NEV").AsString(), "Regi Kft");
    EXPECT_EQ(cegek.FieldByName("CG_NYITMOD").AsString(), "E");
    EXPECT_EQ(cegek.FieldByName("CG_ELOZOEVIKOD").AsString(), "005");
    EXPECT_EQ(form->ProgressBar1->value(), 0);

    EXPECT_EQ(Rows("KifHely_001", "KH_NEV"), std::vector<std::string>{"Kozpont"});
    EXPECT_EQ(Rows("MHely_001", "MH_NEV"), std::vector<std::string>{"Iroda"});
    EXPECT_EQ(Rows("Dolgozo_001", "DG_TORZSSZAM"), std::vector<std::string>{"2"});
    EXPECT_EQ(Rows("Dolgozo_001", "DG_SZHALEV"), std::vector<std::string>{"I"});
    EXPECT_EQ(Rows("DolgRegi_001", "DG_TORZSSZAM"), (std::vector<std::string>{"1", "2"}));
    EXPECT_EQ(Rows("DolgRegi_001", "DG_SZHALEV"), (std::vector<std::string>{"N", "N"}));
    EXPECT_EQ(Rows("RJogcim_001", "RJ_JCKOD"), std::vector<std::string>{code});
    EXPECT_EQ(Rows("RJogcim_001", "RJ_DGTORZSSZAM"), std::vector<std::string>{"2"});
    EXPECT_EQ(Rows("Hozzatartozo_001", "HT_DGTORZSSZAM"), std::vector<std::string>{"2"});

    // Last year's register is untouched and the same company is refused.
    dialogs.Answer(ui::Ok);
    EXPECT_FALSE(form->ElozoEviCegMasol("005"));
    EXPECT_EQ(dialogs.Text(2), "Ilyen Cég (Adószám) már létezik...");
    dialogs.Answer(ui::Ok);
    EXPECT_FALSE(form->ElozoEviCegMasol("009"));
    EXPECT_EQ(dialogs.Text(3), "HIBA történt! #04\rA Cég nem található!");
}

TEST_F(ElozoEviCegTest, StandingItemsAddedLaterWithoutDuplicates) {
    testsupport::MakeCompany("001", "Kezi", "Kezi");  // entered by hand: "M"
    auto form = Open();
    dm->TableCegek->First();
    dm->TableCegek->Edit();
    dm->TableCegek->FieldByName("CG_NYITMOD").SetAsString("M");
    dm->TableCegek->Post();
    dialogs.Answer(ui::Ok);
    form->BitBtnElozoEviRendszJCmasolas->click();
    EXPECT_EQ(dialogs.Text(0), "A kiválasztott cég nem az előző évi programból lett áthozva!");

    dialogs.Answer(ui::Yes);
    dialogs.Answer(ui::Ok);
    ASSERT_TRUE(form->ElozoEviCegMasol("005"));
    EXPECT_EQ(dm->TableCegek->FieldByName("CG_KOD").AsString(), "002");
    db::Table jc;
    jc.DatabaseName = AktualisAlias;
    jc.TableName = "Jogcim_002";
    jc.Open();
    jc.Append();
    jc.FieldByName("JC_KOD").SetAsString("ZZZ");
    testsupport::FillRequired(jc);
    jc.Post();
    jc.Close();
    dialogs.Answer(ui::Ok);  // the notice
    dialogs.Answer(ui::Ok);  // "Az átvitel megtörtént..."
    form->BitBtnElozoEviRendszJCmasolas->click();
    EXPECT_EQ(dialogs.Text(4), "Az átvitel megtörtént...");
    EXPECT_EQ(Rows("RJogcim_002", "RJ_JCKOD"), (std::vector<std::string>{code, "ZZZ"}));
}

}  // namespace
