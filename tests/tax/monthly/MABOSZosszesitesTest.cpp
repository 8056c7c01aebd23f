// The 1908A summary: the header from the register and the headers' count,
// the cells as sums of the employees' pages (by declaration code and by
// allowance code), the thousands, the December year totals, a rerun, and a
// failing total that leaves the old summary.
#include "tax/monthly/MABOSZosszesites.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <cstdio>

#include "platform/ui/Dialogs.h"
#include "tax/monthly/MABFixture.h"

namespace mabtest {
namespace {

using V = db::Variant;
using Cellak = std::vector<std::pair<std::string, V>>;

class SummaryTest : public MABTest {
protected:
    void SetUp() override {
        MABTest::SetUp();
        testsupport::AddRows(
            "Cegek", {"CG_KOD", "CG_NEV", "CG_ADOSZAM", "CG_TEL", "CG_KIVA", "CG_VAROS"},
            {{"001", "Kovács & Fia Kft.", "12345678242", "(06-1) 234-5678", "I", "Budapest"}});
        DM1->TableCegek->Close();
        Employees({{"00000000001", "Kiss Anna", "8000000001"},
                   {"00000000002", "Nagy Béla", "8000000002"},
                   {"00000000003", "Tóth Éva", "8000000003"}});
        testsupport::AddRows("Dolgozo_001", {"DG_TORZSSZAM", "DG_ALKMINADATSZ"},
                             {{"00000000001", "20"}, {"00000000002", "46"}, {"00000000003", "81"}});
    }
    void TearDown() override {
        if (osz) MABOSZTablakZarasa();
        MABTest::TearDown();
    }

    static V Nap(int ho, int nap) { return V(os::EncodeDate(2019, ho, nap)); }

    // A 1908M header of the month (nature "E") with its period.
    static void Fej(const std::string& t, const std::string& adoszam, const V& tol, const V& ig, int ho = 3) {
        testsupport::AddRows("MAB00_001", {"TORZSSZAM", "HONAP", "JELLEG", "TOL", "IG", "ADOSZAM"},
                             {{t, ho, "E", tol, ig, adoszam}});
    }
    // A page of the header with the cells given.
    static void Lap(const std::string& tabla, const std::string& t, const V& tol, const V& ig,
                    const Cellak& cellak, int ho = 3) {
        std::vector<std::string> fej = {"TORZSSZAM", "HONAP", "JELLEG", "TOL", "IG", "ADOSZAM"};
        std::vector<V> sor = {t, ho, "E", tol, ig, "8" + t.substr(2)};
        for (const auto& [c, v] : cellak) {
            fej.push_back(c);
            sor.push_back(v);
        }
        testsupport::AddRows(tabla + "_001", fej, {sor});
    }
    // March's whole-month header of an employee.
    static void Marcius(const std::string& t, const std::string& adoszam) {
        Fej(t, adoszam, Nap(3, 1), Nap(3, 31));
    }
    static void MarciusLap(const std::string& tabla, const std::string& t, const Cellak& cellak) {
        Lap(tabla, t, Nap(3, 1), Nap(3, 31), cellak);
    }

    MABOSZEredmeny Run(int honap = 3) {
        if (!osz) MABOSZTablakNyitasa();
        osz = true;
        return MABOSZOsszesit({honap, "E", {}});
    }

    // A field of the month's summary row of a table; "" when empty.
    static std::string Osz(const std::string& tabla, const std::string& mezo, int honap = 3) {
        db::Table t;
        t.DatabaseName = AktualisAlias;
        t.TableName = tabla + "_001";
        t.Open();
        if (!t.Locate("HONAP;JELLEG", {V(honap), V("E")})) return "nincs";
        return t.FieldByName(mezo).AsString();
    }
    static std::string Dump() {
        std::string all;
        for (const char* t :
             {"MABOSZ", "MABOSZ01", "MABOSZ01b", "MABOSZ01c", "MABOSZ02", "MABOSZ02b", "MABOSZ02c"}) {
            std::string out;
            testsupport::RunCommand("sqlite3 '" + EvKonyvtar() + "/" + t + "_001.DB' .dump", &out);
            all += out;
        }
        return all;
    }

    bool osz = false;
};

TEST_F(SummaryTest, WithoutDeclarationsNothingIsSummed) {
    Marcius("00000000001", "8000000001");
    EXPECT_EQ(Run(4), MABOSZEredmeny::NincsAdat);
    EXPECT_EQ(Osz("MABOSZ", "BEVSZAM", 4), "nincs");
}

TEST_F(SummaryTest, TheHeaderAndTheCellsOfTheMonth) {
    // Employee 1 has two periods under one tax id, the first without its start.
    Fej("00000000001", "8000000001", V(), Nap(3, 15));
    Fej("00000000001", "8000000001", Nap(3, 16), Nap(3, 31));
    Marcius("00000000002", "8000000002");
    Marcius("00000000003", "8000000003");
    Marcius("00000000004", "8000000004");  // no longer an employee
    Lap("MAB09", "00000000001", V(), Nap(3, 15),
        {{"S579C", 100}, {"ALKMIN1", "7"}, {"L09_TERMJUTADOKEDV", 2600}});
    Lap("MAB09", "00000000001", Nap(3, 16), Nap(3, 31), {{"S579C", 1000}, {"S567C", 5}});
    MarciusLap("MAB09", "00000000002", {{"S579C", 20}, {"S567C", 7}, {"S571C", 9}});
    MarciusLap("MAB09", "00000000002", {{"S579C", 2}});  // a second page of the header
    MarciusLap("MAB09a", "00000000002", {{"S605C", 300}});
    MarciusLap("MAB09a", "00000000003", {{"S605C", 4000}});
    MarciusLap("MAB09", "00000000004", {{"S579C", 50000}, {"S557C", 1500}});
    MarciusLap("MAB04", "00000000002", {{"S331B", 1000}});
    MarciusLap("MAB06", "00000000003", {{"S369E", 499}, {"S386A", 0}});
    MarciusLap("MAB12", "00000000003", {{"S678C", 1200}, {"S695C", 30}, {"ADOKEDVJOGC", "09"}});
    MarciusLap("MAB12", "00000000002", {{"S678C", 5}, {"ADOKEDVJOGC", "10"}});
    // Another month and another nature do not count.
    Fej("00000000002", "8000000002", Nap(2, 1), Nap(2, 28), 2);
    Lap("MAB09", "00000000002", Nap(2, 1), Nap(2, 28), {{"S579C", 77777}}, 2);

    ASSERT_EQ(Run(), MABOSZEredmeny::Kesz);
    struct Case {
        const char* tabla;
        const char* mezo;
        const char* ertek;
    };
    // clang-format off
    const Case cases[] = {
        {"MABOSZ",    "CEGNEV",       "Kovács & Fia Kft."},
        {"MABOSZ",    "MAGNEV",       ""},
        {"MABOSZ",    "CEGUGYINTTEL", "(06-1) 234-5678"},
        {"MABOSZ",    "CEGVAROS",     "Budapest"},
        {"MABOSZ",    "KIVA",         "X"},
        {"MABOSZ",    "BEVSZAM",      "4"},           // four tax ids, one with two headers
        {"MABOSZ",    "NYUGBEVSZAM",  "1"},
        {"MABOSZ",    "TOL",          "2019.03.01"},  // the empty start is no start
        {"MABOSZ",    "IG",           "2019.03.31"},
        {"MABOSZ02b", "S120C",        "1422"},        // 100 + 1000 + 20 + 2 + 300 (code 46); not the one gone
        {"MABOSZ02b", "S121C",        "4000"},
        {"MABOSZ02b", "S122C",        "0"},
        {"MABOSZ02b", "S123C",        "5422"},
        {"MABOSZ02b", "S123D",        "5"},
        {"MABOSZ02b", "S124C",        "1500"},        // unconditional: also the one gone
        {"MABOSZ02b", "S124D",        "2"},
        {"MABOSZ02b", "S125D",        ""},            // 0 in forints: no thousands
        {"MABOSZ02b", "S99C",         "1230"},        // 678C and 695C of allowance code 09
        {"MABOSZ02b", "S100C",        "5"},
        {"MABOSZ02b", "S109C",        "1235"},
        {"MABOSZ02c", "S177B",        "322"},         // code 46 only
        {"MABOSZ02c", "S178B",        "7"},
        {"MABOSZ02c", "S150C",        "12"},
        {"MABOSZ02c", "S153C",        "21"},
        {"MABOSZ02c", "S153D",        "0"},
        {"MABOSZ02c", "S175A",        "1"},           // a 0 in S386A is a value
        {"MABOSZ02",  "S74C",         "1499"},
        {"MABOSZ02",  "S74D",         "1"},
        {"MABOSZ01",  "S3C",          "3"},
        {"MABOSZ01",  "S2C",          ""},
        {"MABOSZ01",  "S1C",          "3"},
        {"MABOSZ01",  "S7C",          ""},
        {"MABOSZ01",  "S25C",         ""},
        {"MABOSZ01",  "S20A",         ""},
        {"MABOSZ01b", "S30C",         "0"},           // no value-set row 44: zeros stay
        {"MABOSZ01b", "S34C",         ""},
        {"MABOSZ01b", "S43C",         "0"},
        {"MABOSZ01b", "BEVALLASOKA",  "1"},
        {"MABOSZ01b", "KISVALLALKOZAS", "I"},
    };
    // clang-format on
    for (const Case& c : cases) EXPECT_EQ(Osz(c.tabla, c.mezo), c.ertek) << c.tabla << " " << c.mezo;

    const std::string elso = Dump();
    ASSERT_EQ(Run(), MABOSZEredmeny::Kesz);
    EXPECT_EQ(Dump(), elso);
}

TEST_F(SummaryTest, ThousandsOfTheTaxTotalHalfAwayFromZero) {
    Marcius("00000000001", "8000000001");
    for (const auto& [forint, ezer] : {std::pair{1500, "2"}, {1499, "1"}, {-1500, "-2"}}) {
        testsupport::RunCommand("sqlite3 '" + EvKonyvtar() + "/MAB04_001.DB' 'DELETE FROM MAB04_001'");
        MarciusLap("MAB04", "00000000001", {{"S331B", forint}});
        if (osz) {
            MABOSZTablakZarasa();
            osz = false;
        }
        ASSERT_EQ(Run(), MABOSZEredmeny::Kesz);
        EXPECT_EQ(Osz("MABOSZ02", "S74D"), ezer) << forint;
        EXPECT_EQ(Osz("MABOSZ", "BEVSZAM"), "1");
    }
}

TEST_F(SummaryTest, DecemberTakesTheYearAndParameter44AtZeroEmptiesZeros) {
    testsupport::AddRows("Ertekkeszlet_001", {"EK_TIPUS", "EK_ERTEK", "EK_ERTEKNUM"}, {{"0", "44", 0}});
    Fej("00000000001", "8000000001", Nap(11, 1), Nap(11, 30), 11);
    Lap("MAB09", "00000000001", Nap(11, 1), Nap(11, 30), {{"L09_SZAKKEPZESIALAP", 1400}}, 11);
    Fej("00000000001", "8000000001", Nap(12, 1), Nap(12, 31), 12);
    Lap("MAB09", "00000000001", Nap(12, 1), Nap(12, 31), {{"L09_SZAKKEPZESIALAP", 200}}, 12);
    ASSERT_EQ(Run(11), MABOSZEredmeny::Kesz);
    ASSERT_EQ(Run(12), MABOSZEredmeny::Kesz);
    struct Case {
        int honap;
        const char* mezo;
        const char* ertek;
    };
    const Case cases[] = {
        {11, "S30C", "1"}, {11, "S32C", "1"},       {11, "S33C", ""},
        {11, "S43C", ""},  {11, "BEVALLASOKA", ""}, {12, "S30C", "2"},  // 1400 + 200 over the year
        {12, "S31C", ""},  {12, "S32C", "2"},       {12, "KISVALLALKOZAS", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Osz("MABOSZ01b", c.mezo, c.honap), c.ertek) << c.honap << " " << c.mezo;
}

TEST_F(SummaryTest, TheFormShowsTheOutcomeAndAFailedTotalKeepsTheOldSummary) {
    Fej("00000000001", "8000000001", Nap(12, 1), Nap(12, 31), 12);
    Lap("MAB09", "00000000001", Nap(12, 1), Nap(12, 31), {{"S579C", 5}}, 12);
    testsupport::AddRows("Szamfejt_001",
                         {"SF_DGTORZSSZAM", "SF_HONAP", "SF_KIFIZDAT", "SF_JCKOD", "SF_OSSZEG"},
                         {{"00000000001", 12, "2019.12.10", "T01", 100}});
    testsupport::ScriptedDialogs dialogs;
    {
        TMABOSZosszesitesForm form;
        Show(form);
        EXPECT_EQ(form.windowTitle(), "Havi adó/Havi adóbevallás összesített adatok összesítés");
        EXPECT_EQ(form.MaskEdit1->text(), "12");
        dialogs.Answer(ui::Ok);
        form.BitBtn1->click();
        EXPECT_EQ(dialogs.Caption(0), "Üzenetkezelő");
        EXPECT_EQ(dialogs.Text(0), "Az összesítés befejeződött!");
        const std::string elso = Dump();

        // The year's total of sheet 04 cannot be read: its own message, then the run's.
        std::remove((EvKonyvtar() + "/MAB04_001.DB").c_str());
        dialogs.Answer(ui::Ok).Answer(ui::Ok);
        form.BitBtn1->click();
        EXPECT_EQ(dialogs.Caption(1), "Üzenet");
        EXPECT_EQ(dialogs.Text(1).rfind("HIBA történt az éves összesítéskor!\r" + db::SqlName("MAB04_001") +
                                            "\rL04_SZAKKEPZESIALAP\r",
                                        0),
                  0u)
            << dialogs.Text(1);
        EXPECT_EQ(dialogs.Text(2).rfind("HIBA történt az összesítéskor! \r", 0), 0u);
        EXPECT_EQ(Dump(), elso);
        EXPECT_TRUE(form.BitBtn1->isEnabled());

        form.MaskEdit1->setText("4");
        dialogs.Answer(ui::Ok);
        form.BitBtn1->click();
        EXPECT_EQ(dialogs.Text(3), "Nincs összesíthető adat!");
    }
}

}  // namespace
}  // namespace mabtest
