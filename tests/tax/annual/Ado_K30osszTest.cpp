// The K30 and K32 totals: adding into a cell, the placement, the day table's
// periods, the runs over their ranges, and the totals form.
#include "tax/annual/Ado_K30ossz.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <map>

#include "core/CegKival.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"
#include "support/ListFixture.h"

namespace {

using testsupport::AddRows;
using testsupport::RowTable;
using Record = std::map<std::string, std::string>;

class K30Test : public testsupport::ListFixtureTest {
protected:
    void SetUp() override {
        ListFixtureTest::SetUp();
        for (const char* t : {"K30", "K32", "Nyilat"}) ASSERT_TRUE(TablaSablonbol(t, "001"));
        // clang-format off
        AddRows("Jogcim_001", {"JC_KOD", "JC_NEV",        "JC_ADOELSOR", "JC_ADOELOSZ", "JC_BERJELL", "JC_JARULKOD", "JC_NYJKOT", "JC_EBJKOT"},
                {{"100",  "Alapbér",        1,             "b",           "I",          "00",          "I",         "I"},
                 {"101",  "Költségtérítés", 2,             "b",           "",           "00",          "",          ""},
                 {"102",  "Végkielégítés",  7,             "a",           "",           "00",          "",          ""},
                 {"103",  "Szellemi",       11,            "b",           "",           "00",          "",          ""},
                 {"104",  "Adójóváírás",    35,            "b",           "",           "00",          "",          ""},
                 {"105",  "Osztalék",       61,            "b",           "",           "00",          "",          ""},
                 {"106",  "Árfolyam",       57,            "b",           "",           "00",          "",          ""},
                 {"107",  "Nagy betű",      2,             "B",           "",           "00",          "",          ""},
                 {"150",  "Táppénz",        db::Variant(), db::Variant(), "",           "23",          "",          ""},
                 {"151",  "Fizetés nélküli",db::Variant(), db::Variant(), "",           "11",          "",          ""},
                 {"205",  "GYED",           db::Variant(), db::Variant(), "",           "00",          "",          ""},
                 {"300",  "Nyugdíjjárulék", db::Variant(), db::Variant(), "",           "00",          "",          ""},
                 {"306",  "Egészségbizt.",  db::Variant(), db::Variant(), "",           "00",          "",          ""},
                 {"820",  "Hozott táppénz", 1,             "b",           "",           "00",          "",          ""}});
        // clang-format on
    }

    // Employees: code, name, workplace, kind, entry, exit, fund, pensioner.
    void Employees(const RowTable& rows) {
        AddRows("Dolgozo_001",
                {"DG_TORZSSZAM", "DG_NEV", "DG_MHKOD", "DG_ALKMIN", "DG_BELEPDAT", "DG_KILEPDAT", "DG_MNYP",
                 "DG_NYUGDIJAS", "DG_ADOAZ"},
                rows);
    }
    // Payroll rows: employee, month, item, amount, tax base, contribution base, from, to, workplace.
    void Rows(const RowTable& rows) {
        Payroll({"SF_DGTORZSSZAM", "SF_HONAP", "SF_KIFIZDAT", "SF_JCKOD", "SF_OSSZEG", "SF_ADOALAP",
                 "SF_JARALAP", "SF_TOL", "SF_IG", "SF_DGMHKOD"},
                rows);
    }
    static db::Variant N() { return db::Variant(); }

    void Run(const char* table, bool hozott = false,
             const K30Ranges& ranges = {"000001", "000009", "00000000001", "00000000099"}) {
        db::Table& t = std::string(table) == "K30" ? *dm->TableK30 : *dm->TableK32;
        t.ReadOnly = false;
        t.Open();
        if (t.TableName.starts_with("K30"))
            K30osszesit(t, ranges, hozott, "2019");
        else
            K32osszesit(t, ranges, "2019");
        t.Close();
    }
    // Every record of a table: employee code -> field -> text.
    static std::map<std::string, Record> Records(const std::string& table) {
        return testsupport::TableRecords(table + "_001");
    }
    struct Case {
        const char* employee;
        std::vector<std::pair<const char*, const char*>> cells;
    };
    static void Expect(std::map<std::string, Record>& r, const std::vector<Case>& cases) {
        for (const Case& c : cases) {
            ASSERT_TRUE(r.count(c.employee)) << c.employee;
            for (auto [cell, value] : c.cells)
                EXPECT_EQ(r[c.employee][cell], value) << c.employee << " " << cell;
        }
    }
};

TEST_F(K30Test, AddingIntoACellRoundsTheExactProductOfTheStoredFactor) {
    struct Case {
        double amount;
        char sign;
        double factor;
        db::Variant before;
        const char* cell;
        const char* after;
    };
    const Case cases[] = {
        {10, '+', 0.35, N(), "K30_S23D", "3"},  // 3.4999...: the stored 0.35 lies below it
        {30, '+', 0.35, N(), "K30_S23D", "10"},
        {5, '+', 0.9, N(), "K30_S8D", "5"},  // 4.5000...01
        {1005, '+', 0.9, 100, "K30_S8D", "1005"},
        {10, '-', 0.35, 5, "K30_S23D", "2"},
        {10, '*', 1, 5, "K30_S23D", "5"},           // another sign changes nothing
        {1000, '+', 1, "250", "K30_S28A", "1250"},  // the text cell holds the sum's digits
        {1000, '+', 1, N(), "", ""},                // no field
    };
    db::Table& k30 = *dm->TableK30;
    k30.ReadOnly = false;
    k30.Open();
    for (const Case& c : cases) {
        db::Query row;
        row.DatabaseName = AktualisAlias;
        row.SetSQL("Select " + std::to_string(c.amount) + " AS SF_OSSZEG, NULL AS SF_ADOALAP");
        row.Open();
        k30.Append();
        if (*c.cell) k30.FieldByName(c.cell).SetValue(c.before);
        K30MezoNovel(row, k30, c.cell, c.sign, 'O', c.factor);
        K30MezoNovel(row, k30, c.cell, '+', 'A', 1);  // an empty source adds nothing
        if (*c.cell) {
            EXPECT_EQ(k30.FieldByName(c.cell).AsString(), c.after) << c.amount << " " << c.factor;
        }
        k30.Cancel();
    }
    // A sum past 32 bits stops.
    db::Query row;
    row.DatabaseName = AktualisAlias;
    row.SetSQL("Select 2000000000 AS SF_OSSZEG");
    row.Open();
    k30.Append();
    k30.FieldByName("K30_S1D").SetAsInteger(200000000);
    EXPECT_THROW(K30MezoNovel(row, k30, "K30_S1D", '+', 'O', 1), std::overflow_error);
    k30.Cancel();
    k30.Close();
}

TEST_F(K30Test, PlacementAndFinishedCellsOfTheCases) {
    const std::string d = "2019.03.10";
    // clang-format off
    Employees({{"00000000001", "Kő Anna",  "000001", "1", "2010.01.01", "",           "", "", "8000000001"},
               {"00000000002", "Fa Béla",  "000001", "1", "2010.01.01", "2019.09.30", "", "", "8000000002"},
               {"00000000003", "Víz Cili", "000001", "1", "2010.01.01", "",           "", "", "8000000003"},
               {"00000000004", "Ég Dénes", "000001", "1", "2010.01.01", "",           "", "", "8000000004"},
               {"00000000005", "Út Emil",  "000001", "1", "2010.01.01", "",           "", "", "8000000005"},
               {"00000000006", "Tó Feri",  "000001", "1", "2010.01.01", "",           "", "", "8000000006"}});
    Rows({{"00000000001", 3, d, "101", 1000, 600, 0, N(), N(), "000001"},
          {"00000000001", 3, d, "107", 50, 0, 0, N(), N(), "000001"},  // "2B" is not "2b", but row 2 still splits
          {"00000000002", 3, d, "103", 1005, 0, 0, N(), N(), "000001"},
          {"00000000003", 1, d, "102", 10, 0, 0, N(), N(), "000001"},
          {"00000000003", 2, d, "102", 5, 0, 0, N(), N(), "000001"},
          {"00000000003", 3, d, "102", 3, 0, 0, N(), N(), "000001"},
          {"00000000004", 3, d, "104", 108000, 0, 0, N(), N(), "000001"},
          {"00000000005", 3, d, "104", 108001, 0, 0, N(), N(), "000001"}});
    for (int month : {1, 2, 4, 7, 12}) {
        Rows({{"00000000006", month, "2019." + std::string(month < 10 ? "0" : "") + std::to_string(month) + ".10",
               "100", 1000, 0, 0, N(), N(), "000001"}});
        Rows({{"00000000006", month, "2019." + std::string(month < 10 ? "0" : "") + std::to_string(month) + ".10",
               "105", 10, 0, 0, N(), N(), "000001"}});
    }
    // clang-format on
    Run("K30");
    auto r = Records("K30");
    Expect(r, {{"00000000001",
                {{"K30_S2B", "1000"},
                 {"K30_S2C", "450"},
                 {"K30_S2D", "600"},
                 {"K30_JELLEG", "E"},
                 {"K30_DGADOAZ", "8000000001"},
                 {"K30_S48A", "0"}}},
               {"00000000002",
                {{"K30_S8B", "1005"}, {"K30_S8D", "905"}, {"K30_S8C", "100"}, {"K30_S36A", "2019.09.30"}}},
               {"00000000003", {{"K30_S7A", "15"}, {"K30_S38A", "18"}, {"K30_S8C", ""}}},
               {"00000000004", {{"K30_S49A", "108000"}, {"K30_S50A", "0"}}},
               {"00000000005", {{"K30_S49A", "0"}, {"K30_S50A", "108001"}}},
               // 10 x 0.35 is 3 a row
               {"00000000006",
                {{"K30_S48A", "5"}, {"K30_S23D", "15"}, {"K30_S29D", "15"}, {"K30_S29B", "50"}}}});
}

TEST_F(K30Test, DeclarationsBroughtForwardSickPayAndKeptWorkplaces) {
    const std::string d = "2019.05.10";
    // clang-format off
    Employees({{"00000000001", "Kő Anna",  "000001", "1", "2010.01.01", "", "", "", ""},
               {"00000000002", "Fa Béla",  "000001", "1", "2010.01.01", "", "", "", ""},
               {"00000000003", "Víz Cili", "000002", "1", "2010.01.01", "", "", "", ""}});
    AddRows("Nyilat_001", {"NY_DGTORZSSZAM", "NY_ONADOZO"}, {{"00000000001", "I"}, {"00000000002", "N"}});
    AddRows("K30_001", {"K30_DGTORZSSZAM", "K30_S1D"}, {{"00000000002", 7}});
    Rows({{"00000000001", 5, d, "100", 1000, 0, 0, N(), N(), "000001"},
          {"00000000001", 5, d, "820", 300, 0, 0, N(), N(), "000001"},
          {"00000000002", 5, d, "100", 2000, 0, 0, N(), N(), "000001"},
          {"00000000003", 5, d, "104", 200000, 0, 0, N(), N(), "000002"},
          {"00000000003", 5, d, "300", 9000, 0, 0, N(), N(), "000002"},
          {"00000000003", 5, d, "205", 10000, 0, 0, N(), N(), "000002"},
          {"00000000003", 5, d, "100", 200000, 0, 200000, N(), N(), "000002"}});
    // clang-format on
    Run("K30");
    auto r = Records("K30");
    EXPECT_FALSE(r.count("00000000002"));  // the employer settles: no record, the old one gone
    EXPECT_EQ(r["00000000001"]["K30_S1D"], "1000");
    EXPECT_EQ(r["00000000003"]["K30_S50A"], "200000");
    Run("K30", true);
    EXPECT_EQ(Records("K30")["00000000001"]["K30_S1D"], "1300");

    Run("K32");
    const auto k32 = Records("K32");
    EXPECT_EQ(k32.at("00000000003").at("K32_NYJ1"), "8150");  // less 8.5 % of the child-care base
    // Only the first workplace: the other's records stay cell for cell,
    // also the cells a finishing step would compute again.
    const auto k30 = Records("K30");
    Run("K30", true, {"000001", "000001", "00000000001", "00000000099"});
    Run("K32", false, {"000001", "000001", "00000000001", "00000000099"});
    EXPECT_EQ(Records("K30"), k30);
    EXPECT_EQ(Records("K32"), k32);
}

TEST_F(K30Test, PeriodsOfWageEntitlementAndExemptPeriods) {
    struct Case {
        const char* name;
        const char* alkmin;
        const char* entry;
        const char* exit;
        RowTable absences;  // item, from, to
        std::vector<std::pair<const char*, const char*>> k30;
        std::vector<std::pair<const char*, const char*>> k32;
    };
    // clang-format off
    const std::vector<Case> cases = {
        {"short absence closed up", "1", "2019.03.01", "",
         {{"150", "2019.05.10", "2019.05.20"}},
         {{"K30_S51AA", "2019.03.01"}, {"K30_S51AB", "2019.12.31"}, {"K30_S51BA", ""}},
         {{"K32_KIESTOL1", "2019.05.10"}, {"K32_KIESIG1", "2019.05.20"}, {"K32_KIESOIDO", "11"},
          {"K32_BIZTTOL1", "2019.03.01"}, {"K32_BIZTIG1", "2019.12.31"},
          {"K32_FELSOHATAR", "4292000"}}},  // (366 - 11 - 59) x 14500
        {"long absence splits", "1", "2019.03.01", "",
         {{"150", "2019.05.10", "2019.07.20"}},
         {{"K30_S51AA", "2019.03.01"}, {"K30_S51AB", "2019.05.09"}, {"K30_S51BA", "2019.07.21"},
          {"K30_S51BB", "2019.12.31"}, {"K30_S51CA", ""}},
         {}},
        {"kind 7 has no periods", "7", "2019.03.01", "",
         {},
         {{"K30_S51AA", ""}},
         {{"K32_BIZTTOL1", "2019.03.01"}, {"K32_FELSOHATAR", "4451500"}}},  // (366 - 59) x 14500
        {"whole year", "1", "2010.01.01", "",
         {},
         {{"K30_S51AA", "2019.01.01"}, {"K30_S51AB", "2019.12.31"}},
         {{"K32_FELSOHATAR", "5307000"}, {"K32_KIESOIDO", "0"}, {"K32_BIZTTOL1", "2019.01.01"}}},
        {"entry on 11 January, five exempt days", "1", "2019.01.11", "",
         {{"151", "2019.02.04", "2019.02.08"}},
         {{"K30_S51AA", "2019.01.11"}},
         {{"K32_FELSOHATAR", "5089500"}, {"K32_KIESOIDO", "5"}}},  // (366 - 5 - 10) x 14500
        {"two exempt periods", "1", "2010.01.01", "2019.10.31",
         {{"151", "2019.05.10", "2019.05.12"}, {"151", "2019.06.03", "2019.06.04"}},
         {{"K30_S51AA", "2019.01.01"}, {"K30_S51AB", "2019.10.31"}},
         {{"K32_KIESTOL1", "2019.05.10"}, {"K32_KIESIG1", "2019.05.12"}, {"K32_KIESTOL2", "2019.06.03"},
          {"K32_KIESIG2", "2019.06.04"}, {"K32_KIESOIDO", "5"}, {"K32_BIZTIG1", "2019.10.31"},
          {"K32_FELSOHATAR", "4350000"}}},  // (366 - 5 - 61) x 14500
        {"an absence from last year is clipped", "1", "2010.01.01", "",
         {{"150", "2018.12.20", "2019.01.05"}, {"151", "2019.12.28", "2020.01.10"}, {"151", "2020.02.01", "2020.02.05"}},
         {{"K30_S51AA", "2019.01.01"}, {"K30_S51AB", "2019.12.31"}},
         {{"K32_KIESTOL1", "2019.01.01"}, {"K32_KIESIG1", "2019.01.05"}, {"K32_KIESTOL2", "2019.12.28"},
          {"K32_KIESIG2", "2019.12.31"}, {"K32_KIESTOL3", ""}, {"K32_KIESOIDO", "9"}}},
    };
    // clang-format on
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string code = "0000000000" + std::to_string(++n);
        Employees({{code, c.name, "000001", c.alkmin, c.entry, c.exit, "", "", ""}});
        Rows({{code, 3, "2019.03.10", "100", 100000, 0, 100000, N(), N(), "000001"}});
        for (const auto& a : c.absences) Rows({{code, 5, "2019.05.10", a[0], 0, 0, 0, a[1], a[2], "000001"}});
    }
    Run("K30");
    Run("K32");
    auto k30 = Records("K30"), k32 = Records("K32");
    n = 0;
    for (const Case& c : cases) {
        const std::string code = "0000000000" + std::to_string(++n);
        for (auto [cell, value] : c.k30) EXPECT_EQ(k30[code][cell], value) << c.name << " " << cell;
        for (auto [cell, value] : c.k32) EXPECT_EQ(k32[code][cell], value) << c.name << " " << cell;
    }
}

TEST_F(K30Test, ContributionsReasonCodesAndAbsenceRowsWithoutDates) {
    const std::string d = "2019.05.10";
    // clang-format off
    Employees({{"00000000001", "Tag Anna",   "000001", "1", "2010.01.01", "", "0001", "", ""},
               {"00000000002", "Tag Béla",   "000001", "1", "2010.01.01", "", "0001", "", ""},
               {"00000000003", "Nem Cili",   "000001", "1", "2010.01.01", "", "",     "", ""},
               {"00000000004", "Gyed Dóra",  "000001", "1", "2010.01.01", "", "0001", "", ""},
               {"00000000005", "Nyugd Ede",  "000001", "1", "2010.01.01", "", "",     "I", ""},
               {"00000000006", "Egy Dátum",  "000001", "1", "2010.01.01", "", "",     "", ""},
               {"00000000007", "Nyolcas Ő",  "000001", "8", "2010.01.01", "", "",     "", ""}});
    AddRows("K32_001", {"K32_DGTORZSSZAM", "K32_NYJ1"}, {{"00000000007", 5}});
    Rows({{"00000000001", 5, d, "100", 2000000, 0, 2000000, N(), N(), "000001"},
          {"00000000001", 5, d, "300", 10000, 0, 0, N(), N(), "000001"},
          {"00000000002", 5, d, "100", 2000000, 0, 2000000, N(), N(), "000001"},
          {"00000000002", 5, d, "300", 9979, 0, 0, N(), N(), "000001"},
          {"00000000003", 5, d, "100", 2000000, 0, 2000000, N(), N(), "000001"},
          {"00000000003", 5, d, "300", 170000, 0, 0, N(), N(), "000001"},
          {"00000000004", 5, d, "100", 2100000, 0, 2100000, N(), N(), "000001"},
          {"00000000004", 5, d, "205", 100000, 0, 0, N(), N(), "000001"},
          {"00000000004", 5, d, "300", 11500, 0, 0, N(), N(), "000001"},
          {"00000000004", 5, d, "306", 70000, 0, 0, N(), N(), "000001"},
          {"00000000005", 5, d, "100", 1000000, 0, 1000000, N(), N(), "000001"},
          {"00000000005", 5, d, "300", 85000, 0, 0, N(), N(), "000001"},
          {"00000000006", 5, d, "100", 1000, 0, 1000, N(), N(), "000001"},
          {"00000000006", 5, d, "151", 0, 0, 0, "2019.05.10", N(), "000001"},
          {"00000000007", 5, d, "100", 1000, 0, 1000, N(), N(), "000001"}});
    // clang-format on
    dialogs.Answer(ui::Ok);
    Run("K32");
    ASSERT_EQ(dialogs.Shown().size(), 1u);
    EXPECT_EQ(dialogs.Text(0),
              "Ellenőrizze le a 00000000006 törzsszámú dolgozó 151 kódú jogcímének -Tól és -Ig mezőit!");
    auto r = Records("K32");
    EXPECT_FALSE(r.count("00000000007"));  // kind 8: none, the old one gone
    Expect(r,
           {{"00000000001",
             {{"K32_NYJALAP1", "2000000"},
              {"K32_MNYPTAG1", "I"},
              {"K32_ELMARAD1", "0"},
              {"K32_JARKOTJOV", "2000000"},
              {"K32_EBJALAP1", "2000000"},
              {"K32_JELLEG", "E"}}},
            {"00000000002", {{"K32_ELMARAD1", "4"}}},
            {"00000000003", {{"K32_MNYPTAG1", "N"}, {"K32_ELMARAD1", "0"}}},
            {"00000000004",
             {{"K32_GYNYALAP1", "100000"},
              {"K32_GYNYJ1", "1500"},
              {"K32_NYJALAP1", "2000000"},
              {"K32_NYJ1", "10000"},
              {"K32_EBJ1", "70000"},
              {"K32_ELMARAD1", "0"}}},
            {"00000000005", {{"K32_ELMARAD1", "2"}, {"K32_EBJALAP1", ""}}},
            {"00000000006", {{"K32_KIESOIDO", "1"}, {"K32_KIESTOL1", ""}, {"K32_FELSOHATAR", "5292500"}}}});
}

TEST_F(K30Test, APlacementErrorIsNamedPerRowAndAFailedRunKeepsTheTablesAsTheyWere) {
    const std::string d = "2019.05.10";
    Employees({{"00000000001", "Kő Anna", "000001", "1", "2010.01.01", "", "", "", ""},
               {"00000000002", "Fa Béla", "000001", "1", "2010.01.01", "", "", "", ""}});
    Rows({{"00000000001", 5, d, "100", 2000000000, 0, 0, N(), N(), "000001"},
          {"00000000001", 6, d, "100", 2000000000, 0, 0, N(), N(), "000001"},
          {"00000000001", 7, d, "101", 1000, 600, 0, N(), N(), "000001"}});
    dialogs.Answer(ui::Ok);
    Run("K30");
    ASSERT_EQ(dialogs.Shown().size(), 1u);
    EXPECT_EQ(dialogs.Caption(0), "Üzenet");
    EXPECT_EQ(
        dialogs.Text(0),
        "A 00000000001 Törzsszámú dolgozónak a 100 kódú jogcím Adóelsz. sor és Adóelsz. oszl. mezők értékeit "
        "ellenőrizze le!\rInteger overflow");
    auto r = Records("K30");
    EXPECT_EQ(r["00000000001"]["K30_S1D"], "2000000000");
    EXPECT_EQ(r["00000000001"]["K30_S2B"], "1000");  // the run went on

    // Row 29 past 32 bits ends the run from the form: nothing changed, the
    // buttons are back.
    Rows({{"00000000002", 5, d, "106", 2000000000, 0, 0, N(), N(), "000001"},
          {"00000000002", 5, d, "105", 2000000000, 0, 0, N(), N(), "000001"}});
    AddRows("K30_001", {"K30_DGTORZSSZAM", "K30_S1D"}, {{"00000000002", 7}});
    std::vector<std::string> errors;
    testsupport::CollectApplicationErrors(errors);
    const auto before = Records("K30");
    {
        dialogs.Answer(ui::Ok);  // the row-1 overflow again
        TAdo_K30osszForm form;
        Show(form);
        EXPECT_EQ(form.windowTitle(), "Adó/K30,32 összesítés");
        EXPECT_EQ(form.Text("MaskEdit1"), "000001");
        EXPECT_EQ(form.Text("MaskEdit6"), "00000000002");
        form.BitBtn1->click();
        ASSERT_EQ(errors.size(), 1u);
        EXPECT_EQ(form.BitBtn1->text(), "K30 összesít");
        EXPECT_EQ(form.BitBtn4->text(), "K32 összesít");
        EXPECT_TRUE(form.BitBtn1->isEnabled());
        EXPECT_TRUE(form.BitBtn4->isEnabled());
        EXPECT_EQ(dialogs.Shown().size(), 2u);  // no completion message

        // An empty range disables K30 only; K32 runs and says so.
        form.Edit("MaskEdit6")->clear();
        form.NyomtatasMehet();
        EXPECT_FALSE(form.BitBtn1->isEnabled());
        EXPECT_TRUE(form.BitBtn4->isEnabled());
        dialogs.Answer(ui::Ok);
        form.BitBtn4->click();
        EXPECT_EQ(dialogs.Text(2), "Az összesítés befejeződött!");
        EXPECT_FALSE(form.BitBtn1->isEnabled());
        EXPECT_TRUE(form.BitBtn4->isEnabled());
        form.close();
    }
    db::SetApplicationExceptionHandler(nullptr);
    EXPECT_EQ(Records("K30"), before);
}

}  // namespace
