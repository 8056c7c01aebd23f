// Taking companies over from the other program's dBASE folder: the company
// list, the company row from its parameters, the conversion-table copy with
// the allowance codes and the employees' post-processing.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <cstring>
#include <filesystem>

#include "core/StartValues.h"
#include "core/TableLayouts.h"
#include "masterdata/DravikAtvetel.h"
#include "masterdata/TorzskezCegek.h"
#include "platform/db/Table.h"
#include "support/ActiveWindow.h"
#include "support/CompanyFixture.h"
#include "support/DialogTest.h"

namespace {

struct DbfMezo {
    const char* name;
    char type;  // 'C' text, 'D' date
    int len;
};

// A dBASE III file; each record's values in field order, texts in CP852 bytes.
void WriteDbf(const std::string& path, const std::vector<DbfMezo>& fields,
              const std::vector<std::vector<std::string>>& records) {
    size_t recordLength = 1;
    for (const DbfMezo& f : fields) recordLength += static_cast<size_t>(f.len);
    const size_t headerLength = 32 + 32 * fields.size() + 1;
    std::string h(32, '\0');
    h[0] = 0x03;
    h[4] = static_cast<char>(records.size());
    h[8] = static_cast<char>(headerLength & 0xff);
    h[9] = static_cast<char>(headerLength >> 8);
    h[10] = static_cast<char>(recordLength);
    for (const DbfMezo& f : fields) {
        std::string d(32, '\0');
        std::memcpy(d.data(), f.name, std::strlen(f.name));
        d[11] = f.type;
        d[16] = static_cast<char>(f.len);
        h += d;
    }
    h += "\r";
    for (const auto& r : records) {
        h += ' ';
        for (size_t i = 0; i < fields.size(); ++i) {
            std::string v = i < r.size() ? r[i] : "";
            v.resize(static_cast<size_t>(fields[i].len), ' ');
            h += v;
        }
    }
    h += "\x1a";
    testsupport::WriteBytes(path, h);
}

const std::string kArvizturo = "\xb5rv\xa1zt\xfbr\x8b";  // "Árvíztűrő" in CP852

TEST(DravikAtvetel, CompanyNumbersAndTheCompanyList) {
    EXPECT_EQ(SzokozNulla("   12"), "00012");
    EXPECT_EQ(CegSorszam("00012   Név"), 12);
    EXPECT_EQ(CegSorszam(""), 0);

    testsupport::TempHome home;
    const std::string folder = (std::filesystem::path(home.Path()) / "Dravik" / "2018").string();
    WriteDbf(folder + "/CEGEK.DBF", {{"SORSZAM", 'C', 5}, {"D_CEGNEV", 'C', 20}},
             {{"   12", kArvizturo}, {"    3", "Masik"}});
    EXPECT_EQ(DravikCegLista(folder), (std::vector<std::string>{"00012   Árvíztűrő", "00003   Masik"}));
    EXPECT_EQ(DravikCegKonyvtar(folder, 12), folder + "/12");
    EXPECT_THROW(DravikCegLista(folder + "/nincs"), std::exception);
}

int Rows(const std::string& table) {
    db::Table t;
    t.DatabaseName = AktualisAlias;
    t.TableName = table;
    t.Open();
    return t.RecordCount();
}

const std::vector<DbfMezo> kDolgozoMezok = {
    {"TORZS", 'C', 5},     {"NEV", 'C', 20},      {"SZHAKTIP", 'C', 2}, {"SZHAKKEZD", 'D', 8},
    {"SZHAKVALT", 'D', 8}, {"SZHAKVEGE", 'D', 8}, {"KILEP", 'D', 8},    {"MINBER", 'C', 8}};

// A row of the conversion table: target table and field, source table and field, default.
struct Konv {
    std::string target, field, table, source, def;
};

// Writes the conversion table's rows, after the ones it holds or in their place.
void KonDVIr(const std::vector<Konv>& rows, bool replace = false) {
    db::Table kon;
    kon.DatabaseName = AktualisAlias;
    kon.TableName = "KonDV";
    kon.Open();
    if (replace) kon.EmptyTable();
    for (const Konv& r : rows) {
        kon.Append();
        kon.FieldByName("KON_VORNTABLA").SetAsString(r.target);
        kon.FieldByName("KON_VORNMEZO").SetAsString(r.field);
        kon.FieldByName("KON_DRAVTABLA").SetAsString(r.table);
        kon.FieldByName("KON_DRAVMEZO").SetAsString(r.source);
        kon.FieldByName("KON_VORNALAPERT").SetAsString(r.def);
        kon.Post();
    }
}

class DravikTest : public testsupport::YearFolderTest {
protected:
    void SetUp() override {
        YearFolderTest::SetUp();
        folder = (std::filesystem::path(home.Path()) / "Dravik" / "2018").string();
        WriteDbf(folder + "/cegek.dbf", {{"SORSZAM", 'C', 5}, {"D_CEGNEV", 'C', 20}, {"D_UGYINTEZ", 'C', 20}},
                 {{"   12", kArvizturo, "Kiss"}});
        WriteDbf(folder + "/12/kparam.dbf",
                 {{"CEG1", 'C', 40}, {"ADOSZAM", 'C', 13}, {"CCIM", 'C', 20}, {"CUTCA", 'C', 30}},
                 {{"", "", "Gy\x8br", "Kossuth Lajos utca 12."}});
        WriteDbf(folder + "/12/DOLGOZO.DBF", kDolgozoMezok,
                 {{"1", kArvizturo, "05", "20180101"},
                  {"2", "Ketto", "06", "20170101", "20190630"},
                  {"3", "Harom", "06", "20170101", "20190630", "20180505"},
                  {"4", "Negy", "09", "", "", "", "20180630"},
                  {"1", "Masodszor"},
                  {"5", "Ot", "", "", "", "", "", "138000"}});
        WriteDbf(folder + "/12/KIFHELY.DBF", {{"KOD", 'C', 6}, {"NEV", 'C', 20}}, {{"000001", "Kozpont"}});
        // The conversion rows: the payment places, the employees' mapped
        // fields, then a default for every other required employee field.
        std::vector<Konv> rows = {
            {"KifHely", "KH_KOD", "KIFHELY", "KOD", ""},
            {"KifHely", "KH_NEV", "KIFHELY", "NEV", ""},
            {"Dolgozo", "DG_TORZSSZAM", "DOLGOZO", "TORZS", ""},
            {"Dolgozo", "DG_NEV", "DOLGOZO", "NEV", ""},
            {"Dolgozo", "DG_SZHAKEDVKOD", "DOLGOZO", "SZHAKTIP", ""},
            {"Dolgozo", "DG_SZHAKEDVKEZD", "DOLGOZO", "SZHAKKEZD", ""},
            {"Dolgozo", "DG_SZHAKEDVVALT", "DOLGOZO", "SZHAKVALT", ""},
            {"Dolgozo", "DG_KILEPDAT", "DOLGOZO", "KILEP", ""},
            {"Dolgozo", "DG_VALLALKMINBER", "DOLGOZO", "MINBER", ""},
            {"Dolgozo", "DG_ALKMIN", "DOLGOZO", "", "1"},
        };
        for (const FieldLayout& f : FindTableLayout("Dolgozo")->fields) {
            if (!f.required || f.name == "DG_TORZSSZAM" || f.name == "DG_NEV" || f.name == "DG_ALKMIN")
                continue;
            rows.push_back({"Dolgozo", f.name, "", "", db::IsDateType(f.type) ? "2019.01.01" : "1"});
        }
        KonDVIr(rows);
    }
    std::unique_ptr<TTorzskezCegekForm> Open() { return testsupport::OpenActive<TTorzskezCegekForm>(); }

    std::string folder;
    testsupport::ScriptedDialogs dialogs;
};

TEST_F(DravikTest, ACompanyTakenOverWithItsEmployees) {
    auto form = Open();
    EXPECT_EQ(form->Edit1->text().toStdString(), DravikAlapKonyvtar());
    EXPECT_TRUE(form->Edit1->isEnabled());
    EXPECT_FALSE(form->BitBtnDravikAdatmasolas->isEnabled());
    EXPECT_FALSE(form->ComboBox1->isEnabled());

    form->Edit1->setText(QString::fromStdString(folder + "/nincs"));
    dialogs.Answer(ui::Ok);
    form->BitBtnDRCegekFelgyujt->click();
    EXPECT_EQ(dialogs.Text(0).rfind("A megadott helyen nem található a Dravik! #05\r", 0), 0u)
        << dialogs.Text(0);
    EXPECT_EQ(form->ComboBox1->count(), 0);
    EXPECT_TRUE(form->Edit1->isEnabled());

    form->Edit1->setText(QString::fromStdString(folder));
    form->BitBtnDRCegekFelgyujt->click();
    ASSERT_EQ(form->ComboBox1->count(), 1);
    EXPECT_EQ(form->ComboBox1->currentText().toStdString(), "00012   Árvíztűrő");
    EXPECT_FALSE(form->Edit1->isEnabled());
    EXPECT_FALSE(form->BitBtnDRCegekFelgyujt->isEnabled());
    ASSERT_TRUE(form->BitBtnDravikAdatmasolas->isEnabled());

    dialogs.Answer(ui::Yes);  // "Valóban végrehajtja a rögzítést?"
    dialogs.Answer(ui::Ok);
    form->BitBtnDravikAdatmasolas->click();
    EXPECT_EQ(
        dialogs.Text(2),
        "Az adatátvitel sikeresen befejeződött!\rDolgozo_001: 1 sort a tábla nem fogadott el (ismétlődő "
        "kulcs vagy üres kötelező mező).");

    db::Table& c = *dm->TableCegek;
    const std::pair<const char*, const char*> ceg[] = {
        {"CG_KOD", "001"},           {"CG_NEV", "Üres"},
        {"CG_RNEV", "Üres"},         {"CG_ADOSZAM", "00000000000"},
        {"CG_NYITMOD", "D"},         {"CG_ELOZOEVIKOD", "DR"},
        {"CG_VAROS", "Győr"},        {"CG_KOZTER", "Kossuth Lajos"},
        {"CG_KOZTERJEL", "utca"},    {"CG_HAZSZ", "12."},
        {"CG_LEVVAROS", "Győr"},     {"CG_LEVKOZTER", "Kossuth Lajos"},
        {"CG_LEVKOZTERJEL", "utca"}, {"CG_LEVHAZSZ", "12."},
        {"CG_UGYINT", "Kiss"}};
    for (auto [field, value] : ceg) EXPECT_EQ(c.FieldByName(field).AsString(), value) << field;

    db::Table d;
    d.DatabaseName = AktualisAlias;
    d.TableName = "Dolgozo_001";
    d.Open();
    struct Dolg {
        const char* id;
        const char* nev;
        const char* kod;
        const char* kezd;
        const char* veg;
    };
    const Dolg vart[] = {{"1", "Árvíztűrő", "18", "", ""},
                         {"2", "Ketto", "06", "2017.01.01", "2019.06.30"},
                         {"3", "Harom", "", "", ""},
                         {"5", "Ot", "", "", ""}};
    ASSERT_EQ(d.RecordCount(), 4);  // 4 left last year
    for (const Dolg& v : vart) {
        SCOPED_TRACE(v.id);
        ASSERT_TRUE(d.Locate("DG_TORZSSZAM", v.id));
        EXPECT_EQ(d.FieldByName("DG_NEV").AsString(), v.nev);
        EXPECT_EQ(d.FieldByName("DG_SZHAKEDVKOD").AsString(), v.kod);
        EXPECT_EQ(d.FieldByName("DG_SZHAKEDVKEZD").AsString(), v.kezd);
        EXPECT_EQ(d.FieldByName("DG_SZHAKEDVVEG").AsString(), v.veg);
        EXPECT_EQ(d.FieldByName("DG_NYITMOD").AsString(), "D");
        EXPECT_EQ(d.FieldByName("DG_SZHA").AsString(), "I");
        EXPECT_EQ(d.FieldByName("DG_BETEGSZABKER").AsString(), "15");
    }
    ASSERT_TRUE(d.Locate("DG_TORZSSZAM", "5"));
    EXPECT_EQ(d.FieldByName("DG_VALLALKMINBER").AsString(), "149000");
    EXPECT_EQ(Rows("KifHely_001"), 1);
}

TEST_F(DravikTest, AFailedTableKeepsNoneOfItsRowsAndNamesWhere) {
    // Record 3 holds a wage the employee table cannot store; record 2 left in 2017.
    WriteDbf(folder + "/12/DOLGOZO.DBF", kDolgozoMezok,
             {{"1", "Egy", "", "", "", "", "", "138000"},
              {"2", "Ketto", "", "", "", "", "20170630"},
              {"3", "Harom", "", "", "", "", "", "abc"}});
    auto form = Open();
    form->Edit1->setText(QString::fromStdString(folder));
    form->BitBtnDRCegekFelgyujt->click();
    dialogs.Answer(ui::Yes);  // "Valóban végrehajtja a rögzítést?"
    dialogs.Answer(ui::Ok);
    form->BitBtnDravikAdatmasolas->click();
    const std::string text = dialogs.Text(1);
    EXPECT_EQ(text.rfind("HIBA történt! #06\r", 0), 0u) << text;
    EXPECT_TRUE(
        text.ends_with("\rA hiba helye: DOLGOZO tábla, 3. rekord, DG_VALLALKMINBER mező (forrás: MINBER)"))
        << text;

    // The company and the table copied before stay; the failed table holds none of its rows.
    EXPECT_EQ(dm->TableCegek->RecordCount(), 1);
    EXPECT_EQ(Rows("KifHely_001"), 1);
    EXPECT_EQ(Rows("Dolgozo_001"), 0);
}

TEST_F(DravikTest, AConversionTableNamingNoSourceCreatesNothing) {
    const std::vector<std::vector<Konv>> cases = {
        {},
        {{"Dolgozo", "DG_ALKMIN", "", "", "1"}, {"Cegek", "CG_NEV", "KPARAM", "CEG1", ""}},
    };
    for (const auto& rows : cases) {
        SCOPED_TRACE(rows.size());
        KonDVIr(rows, true);
        auto form = Open();
        form->Edit1->setText(QString::fromStdString(folder));
        form->BitBtnDRCegekFelgyujt->click();
        dialogs.Answer(ui::Ok);
        form->BitBtnDravikAdatmasolas->click();
        EXPECT_EQ(dialogs.Shown().back().text.toStdString(),
                  "A konverziós tábla (KonDV) üres, az adatátvitel nem végezhető el!");
        EXPECT_EQ(dm->TableCegek->RecordCount(), 0);
        EXPECT_FALSE(db::TableExists(AktualisAlias, "Dolgozo_001"));
    }
}

}  // namespace
