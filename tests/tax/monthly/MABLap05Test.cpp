// The spouse and the dependants through the sheet pass: which relations
// count for the month, the spouse on 1908-04, the co-claimant and five
// dependants a 1908-05 page.
#include <gtest/gtest.h>

#include "tax/monthly/MABLepesFixture.h"

namespace mabtest {
namespace {

using V = db::Variant;

class Lap05Test : public MABLepesTest {
protected:
    // Dependants of an employee: name, relation, status, entitlement, from, to.
    static void Dependants(const std::string& id, const RowTable& rows) {
        RowTable full;
        int n = 0;
        for (const auto& r : rows) {
            std::vector<V> row = {id, "81000000" + std::to_string(10 + n++)};
            row.insert(row.end(), r.begin(), r.end());
            while (row.size() < 8) row.push_back(V());
            full.push_back(row);
        }
        testsupport::AddRows("Hozzatartozo_001",
                             {"HT_DGTORZSSZAM", "HT_ADOAZ", "HT_NEV", "HT_KAPCSOLAT", "HT_ELTMIN",
                              "HT_JOGOSULTJOGC", "HT_KAPCSTOL", "HT_KAPCSIG"},
                             full);
    }
    // A 1908-04 page with a base of 100 000 and the allowances of the payroll.
    void TaxPage(const MABKulcs& fej, int elsoHazas, int csaladi) {
        Page(DM1->TableMAB04, fej,
             {{"S301B", 100000}, {"S301D", 100000}, {"S313D", elsoHazas}, {"S314D", csaladi}});
    }
};

TEST_F(Lap05Test, SpouseCoClaimantAndDependants) {
    // claimed, computed, first marriage
    Employee("00000000001", {{"DG_CSALKEDV", 500}, {"DG_CSALKEDVSZAM", 800}, {"DG_ELSOHAZASOSSZ", 33335}});
    Employee("00000000002", {{"DG_CSALKEDV", 800}, {"DG_CSALKEDVSZAM", 800}});
    Employee("00000000003", {{"DG_ELSOHAZASOSSZ", 10000}});
    Employee("00000000004", {{"DG_CSALKEDV", 500}, {"DG_CSALKEDVSZAM", 800}, {"DG_ELSOHAZASOSSZ", 10000}});
    Employee("00000000005", {{"DG_CSALKEDV", 500}});
    Dependants("00000000001", {{"Késő Hitves", "1", V(), V(), "2019.03.02"},
                               {"Első Hitves", "1", V(), V(), "2018.05.01"},
                               {"Második Hitves", "1", V(), V(), "2018.01.01"},
                               {"Egy Gyerek", "3", "1", "1", "2019.03.01"},
                               {"Kettő Gyerek", "4", "2", "2", "2010.01.01"},
                               {"Három Gyerek", "5", "3", "3"},
                               {"Négy Gyerek", "3", "1", "4", V(), "2019.03.31"},
                               {"Kilépett Gyerek", "3", "1", "1", V(), "2019.03.30"},
                               {"Más Gyerek", "3", "4", "1"},
                               {"Öt Gyerek", "3", "1", "9"},
                               {"Hat Gyerek", "3", "1", "2"}});
    Dependants("00000000002", {{"Társ Hitves", "1"}});
    Dependants("00000000003", {{"Első Hitves", "1", V(), V(), "2019.02.14"}, {"Egy Gyerek", "3", "1", "1"}});
    Dependants("00000000004", {{"Élet Társ", "2"}, {"Hitves Utóbb", "1"}});
    Dependants("00000000005", {{"Egy Gyerek", "3", "1", "1"}});
    TaxPage(Header("00000000001"), 5000, 500);
    TaxPage(Header("00000000002"), 0, 800);
    TaxPage(Header("00000000003"), 5000, 0);
    TaxPage(Header("00000000004"), 5000, 500);
    Header("00000000005");
    Pass();

    const PageCells gyerekek = {{"S350B", "Egy Gyerek"},
                                {"S350C", "1"},
                                {"S350D", "4"},
                                {"S350E", "2019.03.01"},
                                {"S351B", "Kettő Gyerek"},
                                {"S351C", "2"},
                                {"S351D", ""},
                                {"S351E", ""},
                                {"S352B", "Három Gyerek"},
                                {"S352C", "3"},
                                {"S352D", "6"},
                                {"S353B", "Négy Gyerek"},
                                {"S353D", "7"},
                                {"S354B", "Öt Gyerek"},
                                {"S354D", ""}};
    PageCells elso = gyerekek;
    elso.insert({{"S345A", "2"}, {"S346A", "8100000011"}, {"S346B", "Első Hitves"}, {"S350A", "8100000013"}});
    ExpectPages("MAB05", "00000000001",
                {elso, {{"S345A", ""}, {"S350B", "Hat Gyerek"}, {"S350D", "5"}, {"S351B", ""}}},
                "the first spouse from the 1st, six dependants");
    ExpectPages("MAB04", "00000000001",
                {{{"S338A", "8100000011"}, {"S338B", "Első Hitves"}, {"S339A", "2018.05.01"}}}, "spouse");

    ExpectPages("MAB05", "00000000002", {{{"S345A", "1"}, {"S346A", ""}, {"S346B", ""}}},
                "the whole allowance claimed");
    ExpectPages("MAB04", "00000000002", {{{"S338A", ""}}}, "no first-marriage allowance");

    ExpectPages("MAB04", "00000000003", {{{"S338B", "Első Hitves"}, {"S339A", "2019.02.14"}}},
                "first-marriage allowance alone");
    ExpectPages("MAB05", "00000000003", {{{"S345A", ""}, {"S350B", "Egy Gyerek"}, {"S350E", ""}}},
                "a page made for the dependants");

    ExpectPages("MAB04", "00000000004", {{{"S338A", ""}, {"S338B", ""}}}, "a partner");
    ExpectPages("MAB05", "00000000004", {{{"S345A", "2"}, {"S346B", "Élet Társ"}}}, "a partner");

    ExpectPages("MAB05", "00000000005", {{{"S345A", ""}, {"S350B", "Egy Gyerek"}}}, "no 1908-04 page");
}

TEST_F(Lap05Test, NothingWithoutAnAllowance) {
    Employee("00000000001", {});
    Dependants("00000000001", {{"Hitves", "1"}, {"Gyerek", "3", "1", "1"}});
    TaxPage(Header("00000000001"), 0, 0);
    Pass();
    EXPECT_TRUE(Read("MAB05", "00000000001").empty());
    ExpectPages("MAB04", "00000000001", {{{"S338A", ""}}}, "no allowance");
}

}  // namespace
}  // namespace mabtest
