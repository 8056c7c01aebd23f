#include "core/ReferenceData.h"

#include <gtest/gtest.h>
#include <QTableView>
#include <QTest>
#include <algorithm>
#include <cctype>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "core/CegKival.h"
#include "core/DataModule1.h"
#include "core/Kivalaszt.h"
#include "core/SegedUnitDb.h"
#include "core/StartValues.h"
#include "platform/db/Table.h"
#include "platform/os/DayNumber.h"
#include "platform/os/Text.h"
#include "support/CompanyFixture.h"
#include "support/DialogTest.h"
#include "support/TestSupport.h"

extern const std::string_view kFeor08Csv;

namespace {

// A fresh year folder with its templates seeded as the start-up leaves them,
// and company 001 made from them.
class ReferenceDataTest : public testsupport::YearFolderTest {
protected:
    void SetUp() override {
        YearFolderTest::SetUp();
        AlapertekFeltolt();
        testsupport::MakeCompany("001", "Minta Kft", "Minta");
    }

    // The rows of a table, by the values of its key fields joined with "/".
    std::map<std::string, std::map<std::string, std::string>> Rows(const std::string& table,
                                                                   const std::vector<std::string>& key) {
        db::Table t;
        t.DatabaseName = AktualisAlias;
        t.TableName = table;
        t.Open();
        std::map<std::string, std::map<std::string, std::string>> rows;
        for (t.First(); !t.Eof(); t.Next()) {
            std::string k;
            for (const std::string& f : key) k += (k.empty() ? "" : "/") + t.FieldByName(f).AsString();
            for (int i = 0; i < t.FieldCount(); ++i)
                rows[k][t.Fields(i).FieldName()] = t.Fields(i).AsString();
        }
        return rows;
    }
};

// The categories of a new company's pay items, as the bookkeeper's catalogue
// has them.
// clang-format off
const std::map<std::string, std::vector<std::string>> kCategories = {
    {"1", {"100", "101", "102", "102F", "103", "104", "105", "106", "107", "107F", "108", "109", "110", "111",
           "112", "113", "120", "121", "150", "152", "160", "161", "220A", "281A", "282A"}},
    {"2", {"200", "204", "205", "210", "230", "232"}},
    {"9", {"300"}},
    {"A", {"301"}},
    {"B", {"302"}},
    {"F", {"280"}},
    {"8", {"300A", "304", "306", "307", "320B", "320C", "340C"}},
    {"E", {"320", "320A", "321", "322", "415", "416", "520"}},
    {"6", {"326"}},
    {"G", {"330"}},
    {"C", {"333"}},
    {"H", {"281B", "332", "334A", "334B", "336", "337", "339", "340B", "341", "341A", "341B", "342", "351",
           "360", "390", "394"}},
    {"R", {"324", "327", "328", "332K", "327L", "327M", "328L", "328M"}},
    {"0", {"136", "146", "147", "155A", "190", "191", "241", "243", "244", "245", "246", "247", "248", "249",
           "250", "251", "252", "270", "271", "309", "313A", "314A", "315", "332A", "500", "700A", "701A",
           "706A", "707A", "748", "749", "750", "751", "752", "753", "754", "755", "756", "757", "820"}},
};

// The category sets the totals rows are summed over, with the payable flag
// each asks for ("" any).
struct CategorySet {
    const char* name;
    std::string categories;
    const char* kifiz;
};
const CategorySet kSets[] = {
    {"earnings paid out",     "12",            "I"},
    {"earnings not paid out", "12N",           "N"},
    {"contributions",         "89ADXY",        ""},
    {"taxes",                 "E6",            ""},
    {"membership fees",       "FBM",           ""},
    {"employer charges",      "CGHIJKLTUV",    ""},
    {"deductions",            "34",            "I"},
    {"withheld",              "34689ABDEFMXY",  "I"},
};
// clang-format on

std::vector<std::string> SetsOf(const std::map<std::string, std::string>& item) {
    std::vector<std::string> in;
    const std::string& tipus = item.at("JC_TIPUS");
    for (const CategorySet& s : kSets)
        if (tipus.size() == 1 && s.categories.find(tipus[0]) != std::string::npos &&
            (!*s.kifiz || item.at("JC_KIFIZ") == s.kifiz))
            in.push_back(s.name);
    return in;
}

TEST_F(ReferenceDataTest, NewCompanyHoldsTheCatalogueWithItsCategoriesAndSets) {
    const auto items = Rows("Jogcim_001", {"JC_KOD"});
    size_t listed = 0;
    for (const auto& [tipus, codes] : kCategories)
        for (const std::string& code : codes) {
            ++listed;
            ASSERT_TRUE(items.count(code)) << code;
            EXPECT_EQ(items.at(code).at("JC_TIPUS"), tipus) << code;
            EXPECT_LE(os::Utf8Length(items.at(code).at("JC_NEV")), 30u) << code;
        }
    EXPECT_EQ(items.size(), listed + 9);  // and the nine standard codes
    std::set<std::string> notPaid;
    for (const auto& [code, item] : items) {
        const std::vector<std::string> sets = SetsOf(item);
        const std::string& tipus = item.at("JC_TIPUS");
        if (std::string("34689ABDEFMXY").find(tipus) != std::string::npos) {
            EXPECT_EQ(item.at("JC_KIFIZ"), "I") << code << " is withheld and must be paid out";
        }
        if (tipus == "R" || tipus == "0") {
            EXPECT_TRUE(sets.empty()) << code;
        }
        if (std::find(sets.begin(), sets.end(), "earnings not paid out") != sets.end()) notPaid.insert(code);
        if (code == "160" || code == "161") {
            EXPECT_EQ(sets, std::vector<std::string>{"earnings not paid out"});
        }
    }
    EXPECT_EQ(notPaid, (std::set<std::string>{"160", "161"}));
    for (const char* total : {"748", "749", "750", "751", "752", "753", "754", "755", "756", "757"})
        EXPECT_TRUE(SetsOf(items.at(total)).empty()) << total;
    EXPECT_FALSE(items.count("999X"));

    // A few rows field by field: the wage flags, the sick-leave pay, the
    // dividend taxed apart, an informative row, a certificate-only placement.
    struct Expect {
        const char* code;
        const char* field;
        const char* value;
    };
    // clang-format off
    const Expect expected[] = {
        {"100", "JC_SZAMKEP", "01"}, {"100", "JC_BESZAMIDOSZTO", "I"}, {"100", "JC_SZHAKOT", "I"},
        {"100", "JC_LETILT", "I"},   {"100", "JC_BESZAMOSSZEG", "N"},  {"100", "JC_ADOELSOR", "1"},
        {"100", "JC_ADATLOSZL", "D"}, {"102F", "JC_SZAMKEP", "02"},    {"102F", "JC_BESZAMIDOSZTO", "N"},
        {"103", "JC_SZAZ", "70"},    {"103", "JC_SZABTIP", "2"},       {"108", "JC_SZHAKOT", "N"},
        {"108", "JC_SZAKKEPZES", "N"}, {"108", "JC_NYJKOT", "I"},      {"152", "JC_ELKULADO", "I"},
        {"152", "JC_LINADO", "15"},  {"152", "JC_ADOELSOR", "167"},    {"205", "JC_JARULKOD", "10"},
        {"205", "JC_KIFIZ", "I"},    {"330", "JC_KIFIZ", "N"},         {"320", "JC_ADOELSOR", "65"},
        {"309", "JC_ADOELOSZ", "T"}, {"309", "JC_ADATLSOR", ""},       {"707A", "JC_ADATLSOR", "900"},
        {"300", "JC_ADOELOSZ", "D"}, {"270", "JC_HAVIBEVSOR", ""},     {"820", "JC_SZAMKEP", "08"},
        // A monthly wage holds its paid holidays; leave and hourly holidays
        // are paid at the absence fee, whose average the supplements make
        // over the hours worked.
        {"102", "JC_SZAMKEP", "01"}, {"107", "JC_SZAMKEP", "01"},     {"107F", "JC_SZAMKEP", "02"},
        {"104", "JC_BESZAMIDOSZTO", "I"}, {"110", "JC_BESZAMIDOSZTO", "I"},
        {"109", "JC_SZABTIP", "1"},  {"109", "JC_SZAMKEP", "02"},      {"109", "JC_BESZAMIDOSZTO", "N"},
        {"111", "JC_BESZAMOSSZEG", "I"}, {"112", "JC_BESZAMOSSZEG", "I"}, {"113", "JC_BESZAMOSSZEG", "I"},
        {"113", "JC_BESZAMIDOSZTO", "N"}, {"113", "JC_SZAZ", "50"},    {"113", "JC_SZHAKOT", "I"},
        // The dividend advance and the dividend by their codes' rows.
        {"150", "JC_NEV", "Osztalékelőleg"}, {"150", "JC_ADOELSOR", "56"},
        {"152", "JC_NEV", "Osztalék"},
        // The taxed benefits are other wage income on the tax advance sheet.
        {"200", "JC_HAVIBEVSOR", "303"}, {"200", "JC_HAVIBEVOSZL", "D"}, {"230", "JC_HAVIBEVSOR", "303"},
        {"210", "JC_HAVIBEVSOR", ""},
    };
    // clang-format on
    for (const Expect& e : expected)
        EXPECT_EQ(items.at(e.code).at(e.field), e.value) << e.code << " " << e.field;

    // The liabilities of the benefits: sick pay, pregnancy-confinement and
    // child-care fees are taxed and carry the pension contribution; the
    // flat-rate child-care allowance the pension contribution alone; none of
    // them a health or labour-market contribution or social contribution tax.
    const char* const liabilities[] = {"JC_SZJAKOT", "JC_NYJKOT",     "JC_EBJKOT",     "JC_MPJDOLGKOT",
                                       "JC_SZHAKOT", "JC_SZAKKEPZES", "JC_BERKARTONRA"};
    const std::map<std::string, std::string> benefits = {{"200", "IINNNNI"}, {"204", "IINNNNI"},
                                                         {"205", "IINNNNI"}, {"230", "IINNNNI"},
                                                         {"232", "IINNNNI"}, {"210", "NINNNNI"}};
    for (const auto& [code, flags] : benefits) {
        std::string got;
        for (const char* f : liabilities) got += items.at(code).at(f);
        EXPECT_EQ(got, flags) << code;
    }

    // The year's pay-item table holds what a refresh may copy whole: the
    // rows placed on all three forms, and the brought-forward codes.
    const auto year = Rows(YearPayItemTable(), {"JC_KOD"});
    for (const char* code : {"100", "109", "113", "120", "200", "313A", "314A", "320", "300", "301", "306",
                             "307", "700A", "701A", "706A", "707A", "820"})
        EXPECT_TRUE(year.count(code)) << code;
    // Placed on the declaration alone, or on no form.
    for (const char* code : {"304", "330", "108", "210", "309"}) EXPECT_FALSE(year.count(code)) << code;
    for (const auto& [code, row] : year) {
        if (code >= "800") continue;
        for (const char* f : {"JC_ADATLSOR", "JC_ADOELSOR", "JC_HAVIBEVSOR"})
            EXPECT_NE(row.at(f), "") << code << " " << f;
    }
}

// The README names the shipped pay items that have no monthly declaration
// cell: each is shipped, and unplaced.
TEST_F(ReferenceDataTest, ReadmeNamesTheItemsTheDeclarationDoesNotPlace) {
    std::ifstream file(testsupport::SourceDir() + "/README.md");
    ASSERT_TRUE(file);
    std::stringstream readme;
    readme << file.rdbuf();
    const std::string text = readme.str();
    const size_t from = text.find("- The shipped pay items ");
    const size_t to = text.find("have no monthly declaration", from);
    ASSERT_NE(to, std::string::npos);
    std::stringstream list(text.substr(from, to - from));
    const auto items = Rows("Jogcim_001", {"JC_KOD"});
    std::set<std::string> named;
    for (std::string word; list >> word;) {
        if (!word.empty() && word.back() == ',') word.pop_back();
        if (word.empty() || !std::isdigit(static_cast<unsigned char>(word[0]))) continue;
        named.insert(word);
        ASSERT_TRUE(items.count(word)) << word;
        EXPECT_EQ(items.at(word).at("JC_HAVIBEVSOR"), "") << word;
    }
    // The untaxed child-care allowance; the taxed benefits have their cell.
    EXPECT_TRUE(named.count("210"));
    EXPECT_FALSE(named.count("200"));
}

TEST_F(ReferenceDataTest, ParametersAndCodesReadAsTheCalculationReadsThem) {
    db::Table ek;
    ek.DatabaseName = AktualisAlias;
    ek.TableName = "Ertekkeszlet_001";
    ek.Open();
    const std::pair<const char*, double> parameters[] = {
        {"17", 10},     {"18", 0},       {"19", 4},     {"19p", 3},     {"20", 1.5},
        {"23b", 100},   {"23a", 50},     {"23s", 1.18}, {"28", 7500},   {"31", 7450},
        {"32", 149000}, {"32a", 195000}, {"33", 66670}, {"34", 133330}, {"35", 220000},
        {"43", 149000}, {"44", 1.5},     {"45", 37},    {"58", 15},
    };
    for (const auto& [code, value] : parameters) {
        const db::Variant v =
            ek.Lookup("EK_TIPUS;EK_ERTEK", {db::Variant("0"), db::Variant(code)}, "EK_ERTEKNUM");
        ASSERT_FALSE(v.IsNull()) << code;
        EXPECT_DOUBLE_EQ(v.ToDouble(), value) << code;
    }
    // Each company sets its own payday, union fee and formula-9 rate.
    for (const char* own : {"21", "30", "46"})
        EXPECT_FALSE(ek.Locate("EK_TIPUS;EK_ERTEK", {db::Variant("0"), db::Variant(own)})) << own;

    // Codes the coded edits accept, with the names the pick list shows.
    const std::tuple<const char*, const char*, const char*> codes[] = {
        {"9", "20", "SZHA kedvezmény 20"},
        {"9", "21", "SZHA kedvezmény 21"},
        {"9", "22", "SZHA kedvezmény 22"},
        {"9", "17", "Védett korú köztisztviselő"},
        {"D", "23", "Távollét, bérhónapot megszakít"},
        {"3", "R", "Kedvezmény"},
        {"S", "9", "9. munkarend"},
        {"X3", "4", "Bevallásban 7-es jogcím"},
    };
    for (const auto& [type, code, name] : codes) {
        ASSERT_TRUE(ek.Locate("EK_TIPUS;EK_ERTEK", {db::Variant(type), db::Variant(code)})) << type << code;
        EXPECT_EQ(ek.FieldByName("EK_ERTEKNEV").AsString(), name);
    }
    // Every type carries its field's caption; the names fit their fields.
    std::map<std::string, std::set<std::string>> typeNames;
    for (ek.First(); !ek.Eof(); ek.Next()) {
        typeNames[ek.FieldByName("EK_TIPUS").AsString()].insert(ek.FieldByName("EK_TIPUSNEV").AsString());
        EXPECT_LE(os::Utf8Length(ek.FieldByName("EK_TIPUSNEV").AsString()), 20u);
        EXPECT_LE(os::Utf8Length(ek.FieldByName("EK_ERTEKNEV").AsString()), 40u);
    }
    const std::map<std::string, std::string> captions = {
        {"0", "Paraméterek"},    {"1", "Bérforma"},       {"2", "Alkalm. min."},   {"3", "Típusa"},
        {"4", "Számít. képl."},  {"5", "Szabadság típ."}, {"9", "SZHA kedv. kód"}, {"A", "Adatlap oszl."},
        {"B", "Adóelsz. oszl."}, {"D", "Járulék kód"},    {"X1", "Kapcsolat"},     {"X3", "Jogosultság"},
    };
    for (const auto& [type, caption] : captions)
        EXPECT_EQ(typeNames[type], std::set<std::string>{caption}) << type;
}

TEST_F(ReferenceDataTest, CalendarHasTheHolidaysAndMovedDaysOfTheYear) {
    db::Table nt;
    nt.DatabaseName = AktualisAlias;
    nt.TableName = "Naptar";
    nt.Open();
    EXPECT_EQ(nt.RecordCount(), 365);
    std::map<std::string, int> schedule1, august;
    for (nt.First(); !nt.Eof(); nt.Next()) {
        const std::string v = nt.FieldByName("NT_ERTEK1").AsString();
        ++schedule1[v];
        if (nt.FieldByName("NT_HONAP").AsInteger() == 8) ++august[v];
        for (int s = 2; s <= 9; ++s) EXPECT_EQ(nt.FieldByName("NT_ERTEK" + std::to_string(s)).AsString(), v);
    }
    EXPECT_EQ(schedule1, (std::map<std::string, int>{{"0", 104}, {"1", 250}, {"2", 11}}));
    EXPECT_EQ(august["1"], 21);
    EXPECT_EQ(august["2"], 1);
    const std::tuple<int, int, const char*, const char*> days[] = {
        {8, 10, "0", "1"}, {12, 24, "1", "0"}, {3, 15, "1", "2"}, {12, 14, "0", "1"}, {12, 23, "1", "1"},
    };
    for (const auto& [month, day, base, value] : days) {
        ASSERT_TRUE(nt.Locate("NT_DATUM", db::Variant(os::EncodeDate(2019, month, day))));
        EXPECT_EQ(nt.FieldByName("NT_ERTEK").AsString(), base) << month << "." << day;
        EXPECT_EQ(nt.FieldByName("NT_ERTEK1").AsString(), value) << month << "." << day;
    }
}

TEST_F(ReferenceDataTest, CompanyChangesSurviveAndTemplatesGetDeletedRowsBack) {
    {
        db::Table ek;
        ek.DatabaseName = AktualisAlias;
        ek.TableName = "Ertekkeszlet_001";
        ek.Open();
        ASSERT_TRUE(ek.Locate("EK_TIPUS;EK_ERTEK", {db::Variant("0"), db::Variant("32")}));
        ek.Edit();
        ek.FieldByName("EK_ERTEKNUM").SetAsFloat(161000);
        ek.Post();
        db::Table jc;
        jc.DatabaseName = AktualisAlias;
        jc.TableName = "Jogcim_001";
        jc.Open();
        ASSERT_TRUE(jc.Locate("JC_KOD", db::Variant("120")));
        jc.Edit();
        jc.FieldByName("JC_NEV").SetAsString("Negyedéves prémium");
        jc.Post();
        jc.Close();
        // Rows deleted from the templates, one of them changed first.
        jc.TableName = "Jogcim";
        jc.Open();
        ASSERT_TRUE(jc.Locate("JC_KOD", db::Variant("110")));
        jc.Delete();
        ASSERT_TRUE(jc.Locate("JC_KOD", db::Variant("121")));
        jc.Edit();
        jc.FieldByName("JC_NEV").SetAsString("Év végi jutalom");
        jc.Post();
        ek.Close();
        ek.TableName = "Ertekkeszlet";
        ek.Open();
        ASSERT_TRUE(ek.Locate("EK_TIPUS;EK_ERTEK", {db::Variant("0"), db::Variant("58")}));
        ek.Delete();
    }
    // A restart: the year folder prepared and seeded again, then the switch.
    PrepareYearFolder(AktualisAlias);
    AlapertekFeltolt();
    dm->TableCegek->Open();
    ASSERT_TRUE(CegAtallas("001"));
    dm->TableCegek->Close();

    EXPECT_EQ(Rows("Ertekkeszlet_001", {"EK_TIPUS", "EK_ERTEK"}).at("0/32").at("EK_ERTEKNUM"), "161000");
    EXPECT_EQ(Rows("Jogcim_001", {"JC_KOD"}).at("120").at("JC_NEV"), "Negyedéves prémium");
    const auto templ = Rows("Jogcim", {"JC_KOD"});
    EXPECT_EQ(templ.at("110").at("JC_NEV"), "Túlóra");
    EXPECT_EQ(templ.at("121").at("JC_NEV"), "Év végi jutalom");
    EXPECT_EQ(Rows("Ertekkeszlet", {"EK_TIPUS", "EK_ERTEK"}).at("0/58").at("EK_ERTEKNUM"), "15");
}

TEST_F(ReferenceDataTest, OccupationCodesAreTheShippedListWithNamesCutToTheField) {
    std::ifstream file(testsupport::SourceDir() + "/src/core/data/feor08.csv", std::ios::binary);
    ASSERT_TRUE(file) << "the shipped list";
    std::stringstream csv;
    csv << file.rdbuf();
    EXPECT_EQ(csv.str(), kFeor08Csv);  // compiled in unchanged

    const auto feor = Rows("FEOR", {"FE_KOD"});
    EXPECT_EQ(feor.size(), 485u);
    EXPECT_EQ(feor.at("3721").at("FE_NEV"), "Sportoló");
    EXPECT_EQ(feor.at("9112").at("FE_NEV"), "Intézményi takarító és kisegítő");
    std::string line;
    int cut = 0;
    while (std::getline(csv, line)) {
        const std::string code = line.substr(0, line.find(';'));
        const std::string name = line.substr(line.find(';') + 1);
        const std::string& stored = feor.at(code).at("FE_NEV");
        if (os::Utf8Length(name) > 60) {
            ++cut;
            EXPECT_EQ(os::Utf8Length(stored), 60u) << code;
        }
        EXPECT_EQ(name.compare(0, stored.size(), stored), 0) << code;
    }
    EXPECT_EQ(cut, 26);
}

TEST_F(ReferenceDataTest, OccupationPickListFindsByCodeAndByNameInHungarianOrder) {
    dm->TableFEOR->Open();
    TKivalasztForm form;
    form.KivalasztBeallit(8, "", "FE_KOD", 37, "FE_NEV", 300, "", 0, 0);
    form.show();
    auto current = [&] { return dm->TableFEOR->FieldByName("FE_NEV").AsString(); };
    QTest::keyClicks(form.DBGrid1, "2142");
    EXPECT_EQ(current(), "Szoftverfejlesztő");
    QTest::keyClick(form.DBGrid1, Qt::Key_Backspace);
    QTest::keyClick(form.DBGrid1, Qt::Key_Backspace);
    QTest::keyClick(form.DBGrid1, Qt::Key_Backspace);
    QTest::keyClick(form.DBGrid1, Qt::Key_Backspace);
    form.TitleClick(1);
    QTest::keyClicks(form.DBGrid1, "szo");
    EXPECT_EQ(current(), "Szociális gondozó, szakgondozó");
    QTest::keyClicks(form.DBGrid1, "f");
    EXPECT_EQ(current(), "Szoftverfejlesztő");
    form.reject();
    dm->TableFEOR->Close();
}

}  // namespace
