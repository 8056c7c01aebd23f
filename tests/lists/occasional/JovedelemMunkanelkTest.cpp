// The income certificate and the jobseeker allowance certificate of the
// employer certificates form: their work tables from this year's payroll rows
// and last year's folder (reachable or not), the quarter window and month
// count, the base wage, the stored averages, errors and the printed pages.
#include <gtest/gtest.h>

#include <QProgressBar>
#include <QPushButton>
#include <filesystem>
#include <fstream>
#include <map>

#include "core/helpers/SegedUnit.h"
#include "lists/occasional/JovedelemIg.h"
#include "lists/occasional/List_Munkig.h"
#include "lists/occasional/MunkanelkJar.h"
#include "platform/db/Engine.h"
#include "platform/db/Query.h"
#include "platform/os/Clock.h"
#include "platform/os/DayNumber.h"
#include "platform/report/PageText.h"
#include "support/Golden.h"
#include "support/ListFixture.h"

namespace {

namespace fs = std::filesystem;
using testsupport::AddRows;
using testsupport::PageLines;

double Day(int y, int m, int d) { return os::EncodeDate(y, m, d); }

TEST(NegyedevAblakTest, FourQuartersBeforeTheQuarterOfTheExit) {
    struct Eset {
        double kilepes;
        double kezd, veg;
    };
    const Eset esetek[] = {
        {Day(2019, 11, 15), Day(2018, 10, 1), Day(2019, 9, 30)},
        {Day(2019, 5, 10), Day(2018, 4, 1), Day(2019, 3, 31)},
        {Day(2019, 2, 28), Day(2018, 1, 1), Day(2018, 12, 31)},
        {0, Day(2018, 1, 1), Day(2018, 12, 31)},
        // after the processing year and before it: the same rule
        {Day(2020, 2, 10), Day(2019, 1, 1), Day(2019, 12, 31)},
        {Day(2018, 5, 20), Day(2017, 4, 1), Day(2018, 3, 31)},
        {Day(2019, 10, 1), Day(2018, 10, 1), Day(2019, 9, 30)},
        {Day(2019, 9, 30), Day(2018, 7, 1), Day(2019, 6, 30)},
    };
    for (const Eset& e : esetek) {
        const NegyedevAblak a = NegyedevekKilepesElott(e.kilepes, 2019);
        EXPECT_EQ(DatumSzoveg(a.kezd), DatumSzoveg(e.kezd)) << DatumSzoveg(e.kilepes);
        EXPECT_EQ(DatumSzoveg(a.veg), DatumSzoveg(e.veg)) << DatumSzoveg(e.kilepes);
    }
}

TEST(NegyedevAblakTest, MonthsFromTheLaterOfEntryAndWindowStart) {
    struct Eset {
        double belepes;
        NegyedevAblak ablak;
        long double honapok;
    };
    const NegyedevAblak q4{Day(2018, 10, 1), Day(2019, 9, 30)};
    const Eset esetek[] = {
        {Day(2015, 4, 1), q4, 12},
        {0, q4, 12},
        {Day(2019, 3, 15), q4, 6 + 17.0L / 31},
        {Day(2018, 11, 16), q4, 10 + 15.0L / 30},
        {Day(2015, 4, 1), {Day(2017, 4, 1), Day(2018, 3, 31)}, 12},
        {Day(2018, 2, 1), {Day(2018, 1, 1), Day(2018, 12, 31)}, 11},
        // entering on or after the window's end: no month
        {Day(2019, 9, 30), q4, 0},
        {Day(2019, 10, 2), q4, 0},
    };
    for (const Eset& e : esetek)
        EXPECT_NEAR(static_cast<double>(KezdoHonapszam(e.belepes, e.ablak)), static_cast<double>(e.honapok),
                    1e-12)
            << DatumSzoveg(e.belepes);
    // A December row paid in January belongs to the year before.
    EXPECT_EQ(SorEve(Day(2019, 1, 10), 12, 2019), 2018);
    EXPECT_EQ(SorEve(Day(2018, 1, 10), 12, 2019), 2017);
    EXPECT_EQ(SorEve(Day(2019, 1, 10), 1, 2019), 2019);
    EXPECT_EQ(SorEve(Day(2018, 6, 5), 5, 2019), 2018);
    EXPECT_EQ(SorEve(0, 5, 2019), 2019);
}

// Company 001 opened from last year's folder ("TR18"), where its code was
// `elozoKod`. Last year Kiss Anna was 00000000001 with her tax id (and also
// 00000000009 with it); Tóth Ede, without a tax id, had his number.
class JovedelemMunkanelkTest : public testsupport::ListFixtureTest {
protected:
    virtual std::string ElozoKod() const { return "101"; }

    void SetUp() override {
        ListFixtureTest::SetUp();
        elozoKod = ElozoKod();
        AddRows("Cegek",
                {"CG_KOD", "CG_IRSZ", "CG_VAROS", "CG_KOZTER", "CG_KOZTERJEL", "CG_HAZSZ", "CG_ADOSZAM",
                 "CG_TEAOR", "CG_NYITMOD", "CG_ELOZOEVIKOD"},
                {{"001", "9970", "Szentgotthárd", "Fő", "utca", "3.", "12345678218", "4939", "E", elozoKod}});
        AddRows("Mhely_001", {"MH_KOD", "MH_NEV"}, {{"000001", "Erdő"}});
        const std::vector<std::string> jogcimFej = {"JC_KOD",    "JC_NEV",    "JC_TIPUS",
                                                    "JC_EBJKOT", "JC_RENDSZ", "JC_JARULKOD"};
        const testsupport::RowTable jogcimek = {
            {"100", "Havi bér", "1", "I", "I", "00"}, {"103", "Betegszabadság", "1", "N", "N", "10"},
            {"150", "Jutalom", "1", "I", "N", "00"},  {"160", "Táppénz kiegészítés", "1", "I", "N", "10"},
            {"306", "MPJ alap", "5", "N", "N", "00"}, {"307", "Járulékalap", "5", "N", "N", "00"}};
        AddRows("Jogcim_001", jogcimFej, jogcimek);
        // clang-format off
        const std::vector<std::string> dolgozoFej = {"DG_TORZSSZAM", "DG_NEV", "DG_MHKOD", "DG_ADOAZ", "DG_ALKMIN", "DG_BERFORM", "DG_ALAPBER", "DG_NAPIKOTORA", "DG_BELEPDAT", "DG_KILEPDAT", "DG_FEOR", "DG_UTMUNKAKOR", "DG_MEGSZMOD"};
        AddRows("Dolgozo_001", dolgozoFej,
                {{"00000000001", "Kiss Anna", "000001", "8111111111", "1", "1", 300000, 8, "2015.04.01", "2019.11.15", "4131", "Könyvelő", "Közös megegyezés"},
                 {"00000000002", "Nagy Béla", "000001", "8222222222", "7", "2", 1000, 4, "2019.03.15", "2019.11.15", "9310", "", ""},
                 {"00000000003", "Tóth Ede", "000001", "", "1", "3", 200000, 8, "2010.01.01", "", "8111", "", ""}});
        Payroll({"SF_DGTORZSSZAM", "SF_DGNEV", "SF_DGMHKOD", "SF_HONAP", "SF_KIFIZDAT", "SF_JCKOD", "SF_JCNEV", "SF_OSSZEG", "SF_JARALAP", "SF_TOL", "SF_IG"},
                {{"00000000001", "Kiss Anna", "000001", 12, "2019.01.10", "306", "MPJ alap", 0, 290000, "", ""},
                 {"00000000001", "Kiss Anna", "000001", 1, "2019.02.05", "100", "Havi bér", 300000, 300000, "", ""},
                 {"00000000001", "Kiss Anna", "000001", 1, "2019.02.05", "306", "MPJ alap", 0, 300000, "", ""},
                 {"00000000001", "Kiss Anna", "000001", 2, "2019.03.05", "100", "Havi bér", 310000, 310000, "", ""},
                 {"00000000001", "Kiss Anna", "000001", 2, "2019.03.05", "306", "MPJ alap", 0, 310000, "", ""},
                 {"00000000001", "Kiss Anna", "000001", 3, "2019.04.05", "160", "Táppénz kiegészítés", 50000, 50000, "", ""},
                 {"00000000001", "Kiss Anna", "000001", 4, "2019.05.06", "103", "Betegszabadság", 40000, 0, "2019.04.10", "2019.04.19"},
                 // outside the window (October)
                 {"00000000001", "Kiss Anna", "000001", 10, "2019.11.05", "306", "MPJ alap", 0, 100000, "", ""},
                 {"00000000002", "Nagy Béla", "000001", 4, "2019.05.06", "100", "Havi bér", 150000, 150000, "", ""},
                 {"00000000002", "Nagy Béla", "000001", 4, "2019.05.06", "150", "Jutalom", 20000, 20000, "", ""},
                 {"00000000002", "Nagy Béla", "000001", 4, "2019.05.06", "307", "Járulékalap", 0, 150000, "", ""},
                 {"00000000003", "Tóth Ede", "000001", 1, "2019.02.05", "100", "Havi bér", 200000, 200000, "", ""}});
        // clang-format on
        AdoazonositoNelkul(AktualisAlias, "Dolgozo_001");

        elozoMappa = home.Path() + "/Tavrina/2018";
        fs::create_directories(elozoMappa);
        db::Engine::AddStandardAlias(ElozoEviAlias, elozoMappa);
        for (const char* alap : {"Szamfejt_", "Dolgozo_", "Jogcim_"}) {
            std::string kulcs;
            const db::FieldDefs defs =
                db::ReadTableStructure(AktualisAlias, alap + std::string("001"), &kulcs);
            db::CreateTable(ElozoEviAlias, alap + elozoKod, defs, kulcs);
        }
        AddRows("Jogcim_" + elozoKod, jogcimFej, jogcimek, ElozoEviAlias);
        // clang-format off
        AddRows("Dolgozo_" + elozoKod, {"DG_TORZSSZAM", "DG_NEV", "DG_MHKOD", "DG_ADOAZ"},
                {{"00000000001", "Kiss Anna", "000001", "8111111111"},
                 {"00000000009", "Kiss Anna", "000001", "8111111111"},
                 {"00000000003", "Tóth Ede", "000001", ""}},
                ElozoEviAlias);
        AdoazonositoNelkul(ElozoEviAlias, "Dolgozo_" + elozoKod);
        AddRows("Szamfejt_" + elozoKod, {"SF_DGTORZSSZAM", "SF_DGMHKOD", "SF_HONAP", "SF_KIFIZDAT", "SF_JCKOD", "SF_JCNEV", "SF_OSSZEG", "SF_JARALAP", "SF_SORSZAM", "SF_RJSORSZAM"},
                {{"00000000001", "000001", 10, "2018.11.05", "100", "Havi bér", 270000, 270000, 1, 0},
                 {"00000000001", "000001", 10, "2018.11.05", "306", "MPJ alap", 0, 270000, 2, 0},
                 {"00000000001", "000001", 10, "2018.11.05", "150", "Jutalom", 15000, 15000, 3, 0},
                 {"00000000009", "000001", 11, "2018.12.05", "100", "Havi bér", 280000, 280000, 4, 0},
                 {"00000000009", "000001", 11, "2018.12.05", "306", "MPJ alap", 0, 280000, 5, 0},
                 {"00000000009", "000001", 11, "2018.12.05", "103", "Betegszabadság", 8000, 0, 8, 0},
                 {"00000000003", "000001", 5, "2018.06.05", "100", "Havi bér", 90000, 90000, 6, 0},
                 {"00000000003", "000001", 5, "2018.06.05", "306", "MPJ alap", 0, 90000, 7, 0}},
                ElozoEviAlias);
        // clang-format on
    }

    void TearDown() override {
        if (db::Engine::IsAlias(ElozoEviAlias)) db::Engine::DeleteAlias(ElozoEviAlias);
        ListFixtureTest::TearDown();
    }

    // Tóth Ede without a tax id: blanks, as the required field keeps them
    // (the fixture would fill it).
    static void AdoazonositoNelkul(const std::string& alias, const std::string& tabla) {
        db::Table t;
        t.DatabaseName = alias;
        t.TableName = tabla;
        t.Open();
        ASSERT_TRUE(t.Locate("DG_TORZSSZAM", std::string("00000000003")));
        t.Edit();
        t.FieldByName("DG_ADOAZ").SetAsString("           ");
        t.Post();
    }

    // The work table's rows by key: "00000000001 B02 IR_OSSZ_01" -> its fields.
    static std::map<std::string, db::Record> Sorok(const WorkTable& tabla, const std::string& kulcs) {
        db::Table t;
        t.DatabaseName = AktualisAlias;
        t.TableName = tabla.TableName();
        t.Open();
        std::map<std::string, db::Record> out;
        const std::vector<std::string> mezok = db::Dataset::SplitFieldNames(kulcs);
        for (t.First(); !t.Eof(); t.Next()) {
            std::string k;
            for (const std::string& m : mezok) k += (k.empty() ? "" : " ") + t.FieldByName(m).AsString();
            db::Record r;
            for (int i = 0; i < t.FieldCount(); ++i) r.push_back(t.Fields(i).Value());
            out[k] = r;
        }
        return out;
    }
    static std::string M(const db::Record& r, int i) { return r.at(4 + i).ToString(); }  // M01 = 1

    // Runs a start button; `preview` sees the pages, when they are shown.
    void Futtat(QPushButton* gomb, std::function<void(TNyomtatasForm&)> preview = {}) {
        if (preview) testsupport::AnswerPreview(dialogs, std::move(preview));
        gomb->click();
    }

    // The message boxes shown so far.
    int Uzenetek() const {
        return static_cast<int>(std::count_if(dialogs.Shown().begin(), dialogs.Shown().end(),
                                              [](auto& r) { return r.kind == ui::DialogKind::Message; }));
    }

    void Start(TList_MunkigForm& form) {
        Show(form);
        form.SetValue("MaskEdit1", "000001");
        form.SetValue("MaskEdit2", "000001");
        form.Frissit();
    }

    std::string elozoKod, elozoMappa;
};

// The same with last year's code once another and once this year's.
class ElozoKodTest : public JovedelemMunkanelkTest, public ::testing::WithParamInterface<const char*> {
protected:
    std::string ElozoKod() const override { return GetParam(); }
};

INSTANTIATE_TEST_SUITE_P(ElozoKod, ElozoKodTest, ::testing::Values("101", "001"));

TEST_P(ElozoKodTest, IncomeCertificateBlocksOfBothYears) {
    TList_MunkigForm form;
    Start(form);
    EXPECT_TRUE(form.BitBtn13->isEnabled());
    EXPECT_TRUE(form.BitBtn14->isEnabled());
    int oldalak = 0;
    Futtat(form.BitBtn14, [&](TNyomtatasForm& p) {
        EXPECT_FALSE(form.BitBtn2->isEnabled());
        EXPECT_FALSE(form.BitBtn14->isEnabled());
        oldalak = p.QuickRep->PagePrinter().PageCount();
    });
    EXPECT_EQ(dialogs.Pending(), 0u);
    EXPECT_TRUE(form.BitBtn2->isEnabled());
    EXPECT_TRUE(form.BitBtn14->isEnabled());
    EXPECT_EQ(oldalak, 6);  // two pages per employee
    auto sorok = Sorok(JovedelemIgTabla(), "DOLGOZO_KOD; BLOKK; SOR");
    const std::string anna = "00000000001 ";
    // This year's regular incomes by month.
    for (int h = 1; h <= 12; ++h) {
        const db::Record& r = sorok.at(anna + "B02 IR_OSSZ_" + (h < 10 ? "0" : "") + std::to_string(h));
        EXPECT_EQ(M(r, 5), (h < 10 ? "0" : "") + std::to_string(h));
        EXPECT_EQ(M(r, 6), h == 1 ? "300000" : h == 2 ? "310000" : "0") << h;
    }
    EXPECT_EQ(M(sorok.at(anna + "B02 IR_OSSZ_N"), 5), "Összesen");
    EXPECT_EQ(M(sorok.at(anna + "B02 IR_OSSZ_N"), 6), "610000");
    // A non-regular item that is also an absence: both, numbered in turn.
    const db::Record& nemRendsz = sorok.at(anna + "B04 IR_001");
    EXPECT_EQ(M(nemRendsz, 1), "160");
    EXPECT_EQ(M(nemRendsz, 2), "Táppénz kiegészítés");
    EXPECT_EQ(M(nemRendsz, 3), "3");
    EXPECT_EQ(M(nemRendsz, 6), "50000");
    EXPECT_EQ(M(nemRendsz, 7), "2019.04.05");
    EXPECT_EQ(M(sorok.at(anna + "B06 IR_002"), 1), "160");
    const db::Record& beteg = sorok.at(anna + "B06 IR_003");
    EXPECT_EQ(M(beteg, 1), "103");
    EXPECT_EQ(M(beteg, 4), "2019.04.10");
    EXPECT_EQ(M(beteg, 5), "2019.04.19");
    EXPECT_EQ(M(beteg, 6), "");
    EXPECT_EQ(M(sorok.at(anna + "B04 IR_OSSZ_N"), 6), "50000");
    EXPECT_EQ(sorok.at(anna + "B04 IR_001")[3].ToString(), "Kiss Anna");
    EXPECT_EQ(sorok.at(anna + "B04 IR_001")[4].ToString(), "8111111111");

    // Last year under both registration numbers of her tax id.
    EXPECT_EQ(M(sorok.at(anna + "B01 IR_OSSZ_10"), 6), "270000");
    EXPECT_EQ(M(sorok.at(anna + "B01 IR_OSSZ_11"), 6), "280000");
    EXPECT_EQ(M(sorok.at(anna + "B01 IR_OSSZ_N"), 6), "550000");
    EXPECT_EQ(M(sorok.at(anna + "B03 IR_001"), 1), "150");
    EXPECT_EQ(M(sorok.at(anna + "B03 IR_OSSZ_N"), 6), "15000");
    EXPECT_EQ(M(sorok.at(anna + "B05 IR_002"), 1), "103");  // under 00000000009 last year
    EXPECT_EQ(M(sorok.at(anna + "B01 CIM"), 1), "Rendszeres jövedelmek 2018 évben");
    EXPECT_EQ(M(sorok.at(anna + "B06 CIM"), 1), "Távollétek 2019 évben");
    EXPECT_EQ(M(sorok.at(anna + "B03 FEJ"), 7), "Kif. dát.");
    EXPECT_TRUE(sorok.count(anna + "B02 VEGE") && sorok.count(anna + "B06 VEGE") &&
                !sorok.count(anna + "B01 VEGE"));

    // DG_ALKMIN "7": months only from item 307, no non-regular item.
    const std::string bela = "00000000002 ";
    EXPECT_EQ(M(sorok.at(bela + "B02 IR_OSSZ_04"), 6), "150000");
    EXPECT_EQ(M(sorok.at(bela + "B02 IR_OSSZ_N"), 6), "150000");
    EXPECT_FALSE(sorok.count(bela + "B04 IR_001"));
    // Without a tax id last year's rows never join.
    const std::string ede = "00000000003 ";
    EXPECT_FALSE(sorok.count(ede + "B01 IR_OSSZ_N"));
    EXPECT_TRUE(sorok.count(ede + "B01 CIM") && sorok.count(ede + "B01 FEJ") && sorok.count(ede + "B01 LAB"));
    const size_t elsoFutas = sorok.size();

    // A second run replaces the table.
    Futtat(form.BitBtn14, [](TNyomtatasForm&) {});
    EXPECT_EQ(Sorok(JovedelemIgTabla(), "DOLGOZO_KOD; BLOKK; SOR").size(), elsoFutas);
}

TEST_F(JovedelemMunkanelkTest, ARowOfAKeyAlreadyAddedIsIgnored) {
    ASSERT_TRUE(JovedelemIgTabla().Create());
    DM1->TableDolgozo->Open();  // the form has it open
    JovedelemIgSorok sorok;
    sorok.JovedelemIgSorFelvesz("00000000001", "B01", "CIM", {"első"});
    sorok.Kiir();
    sorok.JovedelemIgSorFelvesz("00000000001", "B01", "CIM", {"második"});
    sorok.JovedelemIgSorFelvesz("00000000002", "B01", "CIM", {"harmadik"});
    sorok.JovedelemIgSorFelvesz("00000000002", "B01", "CIM", {"negyedik"});
    sorok.Kiir();
    auto tabla = Sorok(JovedelemIgTabla(), "DOLGOZO_KOD; BLOKK; SOR");
    ASSERT_EQ(tabla.size(), 2u);
    EXPECT_EQ(M(tabla.at("00000000001 B01 CIM"), 1), "első");
    EXPECT_EQ(tabla.at("00000000001 B01 CIM")[3].ToString(), "Kiss Anna");
    EXPECT_EQ(M(tabla.at("00000000002 B01 CIM"), 1), "harmadik");
    DM1->TableDolgozo->Close();
}

TEST_P(ElozoKodTest, IncomeCertificateWarnsWhenLastYearCannotBeRead) {
    // Each case alone, the company opened from last year again before it; the
    // alias goes last.
    const std::function<void()> esetek[] = {
        [] {
            AddRows("Cegek", {"CG_KOD", "CG_NYITMOD"}, {{"001", "U"}});
        },
        [] {
            AddRows("Cegek", {"CG_KOD", "CG_ELOZOEVIKOD"}, {{"001", ""}});
        },
        [this] { fs::remove(db::TableFilePath(ElozoEviAlias, "Dolgozo_" + elozoKod)); },
        [] { db::Engine::DeleteAlias(ElozoEviAlias); },
    };
    for (size_t i = 0; i < std::size(esetek); ++i) {
        SCOPED_TRACE(i);
        AddRows("Cegek", {"CG_KOD", "CG_NYITMOD", "CG_ELOZOEVIKOD"}, {{"001", "E", elozoKod}});
        esetek[i]();
        TList_MunkigForm form;
        Start(form);
        const int elotte = Uzenetek();
        dialogs.Answer(ui::Ok);
        Futtat(form.BitBtn14, [](TNyomtatasForm&) {});
        EXPECT_EQ(dialogs.Pending(), 0u);
        ASSERT_EQ(Uzenetek(), elotte + 1);
        const ui::DialogRequest& uzenet =
            *std::find_if(dialogs.Shown().rbegin(), dialogs.Shown().rend(),
                          [](auto& r) { return r.kind == ui::DialogKind::Message; });
        EXPECT_EQ(uzenet.caption, "Üzenet");
        EXPECT_EQ(uzenet.text, "Az előző évi adatok nem elérhetőek. A lista nem teljes!");
        EXPECT_EQ(uzenet.icon, ui::Icon::Warning);
        auto sorok = Sorok(JovedelemIgTabla(), "DOLGOZO_KOD; BLOKK; SOR");
        EXPECT_FALSE(sorok.count("00000000001 B01 IR_OSSZ_N"));
        EXPECT_FALSE(sorok.count("00000000001 B03 IR_001"));
        EXPECT_TRUE(sorok.count("00000000001 B01 CIM") && sorok.count("00000000001 B03 FEJ"));
        EXPECT_EQ(M(sorok.at("00000000001 B02 IR_OSSZ_N"), 6), "610000");
    }
}

TEST_P(ElozoKodTest, JobseekerCertificateRows) {
    AddRows("Dolgozo_001",
            {"DG_TORZSSZAM", "DG_NEV", "DG_MHKOD", "DG_ATLAGKEZD", "DG_ATLAGKER", "DG_ATLAGHONAP",
             "DG_BERFORM", "DG_ALAPBER"},
            {{"00000000004", "Szabó Éva", "000001", "2018.07.01", 1234567.4, 11.5, "1", 250000}});
    Payroll({"SF_DGTORZSSZAM", "SF_DGMHKOD", "SF_HONAP", "SF_KIFIZDAT", "SF_JCKOD", "SF_JARALAP"},
            {{"00000000004", "000001", 1, "2019.02.05", "306", 250000}});
    TList_MunkigForm form;
    Start(form);
    Futtat(form.BitBtn13, [](TNyomtatasForm&) {});
    EXPECT_EQ(Uzenetek(), 0);  // no message: last year was read
    EXPECT_TRUE(form.BitBtn2->isEnabled());
    EXPECT_EQ(form.ProgressBar1->value(), 0);
    auto sorok = Sorok(MunkanelkJarTabla(), "DOLGOZO_KOD");
    ASSERT_EQ(sorok.size(), 4u);
    auto mezo = [&](const std::string& kod, const char* nev) {
        const WorkTable t = MunkanelkJarTabla();
        for (size_t i = 0; i < t.fields.size(); ++i)
            if (std::string(t.fields[i].name) == nev) return sorok.at(kod)[i].ToString();
        return std::string("?");
    };
    const std::string anna = "00000000001";
    EXPECT_EQ(mezo(anna, "S01A"), "Őrség Tűzifa Kft.");
    EXPECT_EQ(mezo(anna, "S02A"), "9970 Szentgotthárd Fő utca 3.    ");
    EXPECT_EQ(mezo(anna, "S04A"), "4939");
    EXPECT_EQ(mezo(anna, "S14A"), "2019.11.15");
    EXPECT_EQ(mezo(anna, "S15A"), "2018.10.01");
    // 306 of the window: December 2018 paid in January, January, February,
    // and last year's October under the same number and tax id.
    EXPECT_EQ(mezo(anna, "S16A"), "1170000");
    EXPECT_EQ(mezo(anna, "S16B"), SzamBetuvel(1170000));
    // Sick leave of group "10" from 10 to 19 April: 12 - 10/30.
    EXPECT_EQ(mezo(anna, "S17A"), "11.67");
    EXPECT_EQ(mezo(anna, "S18A"), "Könyvelő");
    EXPECT_EQ(mezo(anna, "S20A"), "Közös megegyezés");
    EXPECT_EQ(mezo(anna, "S21A"), "300000");
    EXPECT_EQ(mezo(anna, "S21B"), "199500");
    const std::string bela = "00000000002";
    EXPECT_EQ(mezo(bela, "S17A"), "6.55");
    EXPECT_EQ(mezo(bela, "S16A"), "0");
    EXPECT_EQ(mezo(bela, "S18A"), "9310");
    EXPECT_EQ(mezo(bela, "S21A"), "174000");
    EXPECT_EQ(mezo(bela, "S21B"), "115710");
    // No exit: last year whole; his 2018 rows, without a tax id, never join.
    const std::string ede = "00000000003";
    EXPECT_EQ(mezo(ede, "S15A"), "2018.01.01");
    EXPECT_EQ(mezo(ede, "S16A"), "0");
    EXPECT_EQ(mezo(ede, "S17A"), "12");
    EXPECT_EQ(mezo(ede, "S21A"), "");
    // The stored averages win.
    const std::string eva = "00000000004";
    EXPECT_EQ(mezo(eva, "S15A"), "2018.07.01");
    EXPECT_EQ(mezo(eva, "S16A"), "1234567");
    EXPECT_EQ(mezo(eva, "S16B"), SzamBetuvel(1234567));
    EXPECT_EQ(mezo(eva, "S17A"), "11.5");

    // Last year out of reach: silently this year's rows alone.
    form.close();
    AddRows("Cegek", {"CG_KOD", "CG_NYITMOD"}, {{"001", "U"}});
    TList_MunkigForm masik;
    Start(masik);
    Futtat(masik.BitBtn13, [](TNyomtatasForm&) {});
    EXPECT_EQ(dialogs.Pending(), 0u);
    EXPECT_EQ(Uzenetek(), 0);
    sorok = Sorok(MunkanelkJarTabla(), "DOLGOZO_KOD");
    EXPECT_EQ(sorok.size(), 4u);  // the table made anew
    EXPECT_EQ(mezo(anna, "S16A"), "900000");
}

TEST_P(ElozoKodTest, AFillErrorShowsItsTextAndPreviewsNothing) {
    // Last year's payroll file is no table.
    std::ofstream(db::TableFilePath(ElozoEviAlias, "Szamfejt_" + elozoKod), std::ios::trunc) << "nem tabla";
    TList_MunkigForm form;
    Start(form);
    for (auto [gomb, szoveg] :
         {std::pair{form.BitBtn14, "HIBA történt a előző évi rendszeres jövedelem felgyűjtésekor! \r"},
          std::pair{form.BitBtn13, "HIBA történt az adatok felgyűjtésekor! \r"}}) {
        QString uzenet;
        dialogs.Then([&](const ui::DialogRequest& r) {
            EXPECT_EQ(r.caption, "Üzenetkezelő");
            EXPECT_EQ(r.icon, ui::Icon::Error);
            uzenet = r.text;
            return ui::DialogAnswer{ui::Ok, {}, 0};
        });
        gomb->click();  // no preview is answered
        EXPECT_EQ(dialogs.Pending(), 0u);
        EXPECT_TRUE(uzenet.startsWith(QString::fromUtf8(szoveg))) << uzenet.toStdString();
        EXPECT_TRUE(form.BitBtn2->isEnabled());
        EXPECT_TRUE(gomb->isEnabled());
        EXPECT_FALSE(DM1->Table1->Active());
    }
}

TEST_F(JovedelemMunkanelkTest, PrintedPagesAndTheirPdf) {
    os::FixedClock clock(os::EncodeDate(2019, 11, 20));
    AddRows("Ertekkeszlet_001", {"EK_TIPUS", "EK_ERTEK", "EK_ERTEKCHAR"}, {{"0", "04", "2019"}});
    AddRows("Dolgozo_001",
            {"DG_TORZSSZAM", "DG_LEANYKNEV", "DG_ANYJANEV", "DG_SZULHELY", "DG_SZULDAT", "DG_TAJSZ",
             "DG_IRSZ", "DG_VAROS", "DG_KOZTER", "DG_KOZTERJEL", "DG_HAZSZ"},
            {{"00000000001", "Nagy Anna", "Tóth Mária", "Győr", "1980.02.03", "111222333", "9700",
              "Szombathely", "Fő", "tér", "1."}});
    TList_MunkigForm form;
    Start(form);
    form.SetValue("MaskEdit5", "00000000001");
    form.SetValue("MaskEdit6", "00000000001");
    form.Frissit();

    std::vector<QStringList> oldalak;
    std::string szoveg;
    Futtat(form.BitBtn14, [&](TNyomtatasForm& p) {
        const report::PagePrinter& pp = p.QuickRep->PagePrinter();
        for (int i = 1; i <= pp.PageCount(); ++i) oldalak.push_back(PageLines(pp, i));
        szoveg = report::PagesText(pp);
    });
    EXPECT_TRUE(testsupport::MatchesGolden("lists/occasional/golden/List_JovIgQR", "one-employee", szoveg,
                                           testsupport::Encoding::Utf8, "pages.txt"));
    ASSERT_EQ(oldalak.size(), 2u);
    for (const QStringList& o : oldalak) {
        EXPECT_TRUE(o.contains("Jövedelemigazolás"));
        EXPECT_TRUE(o.contains("Neve : | Kiss Anna")) << o.join("\n").toStdString();
        EXPECT_TRUE(o.contains("Munkaviszony vége : | 2019.11.15"));
    }
    // The current year's regular incomes end the first page.
    EXPECT_TRUE(oldalak[0].contains("Rendszeres jövedelmek 2019 évben"))
        << oldalak[0].join("\n").toStdString();
    EXPECT_TRUE(oldalak[0].contains("01 | 300000"));
    EXPECT_TRUE(oldalak[0].contains("Összesen | 610000"));
    EXPECT_TRUE(oldalak[1].contains("Nem rendszeres jövedelmek 2018 évben"));
    EXPECT_TRUE(oldalak[1].contains("160 | Táppénz kiegészítés | 3 | 50000 | 2019.04.05"))
        << oldalak[1].join("\n").toStdString();
    EXPECT_TRUE(oldalak[1].contains("103 | Betegszabadság | 2019.04.10 | 2019.04.19"));

    {
        testsupport::PdfExport pdf(dialogs);
        form.BitBtn14->click();
        pdf.Check();
        EXPECT_EQ(pdf.pages, 2);
    }
    oldalak.clear();
    Futtat(form.BitBtn13, [&](TNyomtatasForm& p) {
        const report::PagePrinter& pp = p.QuickRep->PagePrinter();
        for (int i = 1; i <= pp.PageCount(); ++i) oldalak.push_back(PageLines(pp, i));
        szoveg = report::PagesText(pp);
        if (const char* shot = std::getenv("TAVRINA_MUNKANELKJAR_SHOT")) {
            p.show();
            for (int i = 0; i < 20; ++i) QCoreApplication::processEvents();
            p.grab().save(shot);
        }
    });
    EXPECT_TRUE(testsupport::MatchesGolden("lists/occasional/golden/List_MunkigQR3", "one-employee", szoveg,
                                           testsupport::Encoding::Utf8, "pages.txt"));
    ASSERT_EQ(oldalak.size(), 1u);
    const QStringList& o = oldalak[0];
    EXPECT_TRUE(o.contains("Igazolólap"));
    EXPECT_TRUE(o.contains("5. Neve : | Kiss Anna"));
    EXPECT_TRUE(o.contains("azaz | " + QString::fromStdString(SzamBetuvel(1170000))))
        << o.join("\n").toStdString();
    EXPECT_TRUE(o.contains("Bruttó összeg : | 300000 | Nettó összeg : | 199500"));
    EXPECT_TRUE(o.contains(
        "......................... 2019. ............hó ......nap | ..................................."))
        << o.join("\n").toStdString();
    {
        testsupport::PdfExport pdf(dialogs);
        form.BitBtn13->click();
        pdf.Check();
        EXPECT_EQ(pdf.pages, 1);
    }
}

}  // namespace
