// The insured relationship sheet through the sheet pass: the pages made for
// it, the occupation, weekly hours and exit date, the service time judged on
// the 1908-09 page of the same insured period, and the not-insured mark.
#include <gtest/gtest.h>

#include "tax/monthly/MABLepesFixture.h"

namespace mabtest {
namespace {

using V = db::Variant;

class Lap08Test : public MABLepesTest {};

const char* const kIdoszakok[][2] = {
    {"2019.03.01", "2019.03.10"}, {"2019.03.11", "2019.03.20"}, {"2019.03.21", "2019.03.31"}};

TEST_F(Lap08Test, PagesMadeAndFilled) {
    struct Case {
        const char* why;
        const char* id;
        Fields employee;
        std::vector<Fields> pages08, pages09;
        Fields page04;  // none when empty
        std::vector<PageCells> want;
    };
    const Fields base = {{"S574C", 1000}};
    const Case cases[] = {
        {"a taxed employee without insured period",
         "00000000001",
         {},
         {},
         {},
         {{"S301B", 1000}, {"S301D", 1000}},
         {{{"L08_NEMURESLAP", "I"}, {"BIZTOL", "2019.03.01"}, {"BIZIG", "2019.03.31"}}}},
        {"a base of row 307 alone", "00000000002", {}, {}, {}, {{"S307B", 1000}, {"S307D", 1000}}, {}},
        {"a page for each 1908-09 page",
         "00000000003",
         {},
         {{}},
         {base, base, base},
         {},
         {{{"BIZTOL", "2019.03.01"}}, {{"BIZTOL", "2019.03.01"}}, {{"BIZTOL", "2019.03.01"}}}},
        {"an insured period of the payroll, an occupation, 20 hours",
         "00000000004",
         {{"DG_FEOR", "2511"}, {"DG_HETIKOTORA", 20}},
         {{{"L08_BIZTOL", "2019.03.05"}, {"L08_BIZIG", "2019.03.25"}}},
         {},
         {},
         {{{"BIZTOL", "2019.03.05"},
           {"BIZIG", "2019.03.25"},
           {"S520A", "2511"},
           {"S520B", "2019.03.05"},
           {"S520C", "2019.03.25"},
           {"S523A", "20"},
           {"S523B", "2019.03.05"},
           {"S523C", "2019.03.25"},
           {"S524A", ""},
           {"S542B", "N"},
           {"S543B", ""}}}},
        {"a filled period is kept",
         "00000000005",
         {},
         {{{"BIZTOL", "2019.03.02"}, {"L08_BIZTOL", "2019.03.05"}}},
         {},
         {},
         {{{"BIZTOL", "2019.03.02"}, {"BIZIG", "2019.03.31"}}}},
        {"40 hours, category 5",
         "00000000006",
         {{"DG_HETIKOTORA", 40}, {"DG_ALKMIN", "5"}},
         {{}},
         {},
         {},
         {{{"S523A", ""}, {"S524A", "40"}, {"S524C", "2019.03.31"}}}},
        {"40 hours, category 2",
         "00000000007",
         {{"DG_HETIKOTORA", 40}, {"DG_ALKMIN", "2"}},
         {{}},
         {},
         {},
         {{{"S523A", "40"}, {"S524A", ""}}}},
        {"40 hours, category 3",
         "00000000008",
         {{"DG_HETIKOTORA", 40}, {"DG_ALKMIN", "3"}},
         {{}},
         {},
         {},
         {{{"S523A", ""}, {"S524A", ""}}}},
        {"0.4 hours",
         "00000000009",
         {{"DG_HETIKOTORA", 0.4}},
         {{}},
         {},
         {},
         {{{"S523A", ""}, {"S524A", ""}}}},
        {"code 46 keeps its rows but takes the exit date",
         "00000000010",
         {{"DG_ALKMINADATSZ", "46"},
          {"DG_FEOR", "2511"},
          {"DG_HETIKOTORA", 20},
          {"DG_KILEPDAT", "2019.03.20"}},
         {{}},
         {},
         {},
         {{{"S520A", ""}, {"S523A", ""}, {"S543B", "2019.03.20"}, {"BIZIG", "2019.03.20"}}}},
        {"a pensioner is not insured",
         "00000000011",
         {{"DG_NYUGALKMIN2", "7"}},
         {{}},
         {},
         {},
         {{{"NEMBIZTOSITOTT", "X"}, {"L08_NEMURESLAP", "I"}}}},
        {"except under code 53",
         "00000000012",
         {{"DG_NYUGALKMIN2", "7"}, {"DG_ALKMINADATSZ", "53"}, {"DG_FEOR", "2511"}},
         {{}},
         {},
         {},
         {{{"NEMBIZTOSITOTT", ""}, {"L08_NEMURESLAP", ""}, {"S542B", ""}}}},
        {"code 41 without a contribution base",
         "00000000013",
         {{"DG_ALKMINADATSZ", "41"}},
         {{}},
         {},
         {},
         {{{"NEMBIZTOSITOTT", "X"}}}},
        {"code 34 with contributions of 0 in the same period",
         "00000000014",
         {{"DG_ALKMINADATSZ", "34"}, {"DG_FEOR", "2511"}},
         {{}},
         {{{"S574C", 0}, {"S575C", 0}, {"S576C", 0}}},
         {},
         {{{"NEMBIZTOSITOTT", "X"}, {"S542B", ""}}}},
        {"code 34 with one of them empty",
         "00000000015",
         {{"DG_ALKMINADATSZ", "34"}, {"DG_FEOR", "2511"}},
         {{}},
         {{{"S574C", 0}, {"S575C", 0}}},
         {},
         {{{"NEMBIZTOSITOTT", ""}}}},
    };
    for (const Case& c : cases) Employee(c.id, c.employee);
    for (const Case& c : cases) {
        const MABKulcs fej = Header(c.id);
        for (const Fields& p : c.pages08) Page(DM1->TableMAB08, fej, p);
        for (const Fields& p : c.pages09) Page(DM1->TableMAB09, fej, p);
        if (!c.page04.empty()) Page(DM1->TableMAB04, fej, c.page04);
    }
    Pass();
    for (const Case& c : cases) ExpectPages("MAB08", c.id, c.want, c.why);
}

TEST_F(Lap08Test, ServiceTimeOfTheSameInsuredPeriod) {
    // Service days only in the second period; the pages of the payroll in
    // period order.
    Employee("00000000001", {{"DG_ALKMIN", "2"}});
    const MABKulcs fej = Header("00000000001");
    for (int i = 0; i < 3; ++i) {
        Page(DM1->TableMAB08, fej, {{"L08_BIZTOL", kIdoszakok[i][0]}, {"L08_BIZIG", kIdoszakok[i][1]}});
        Fields p09 = {{"L09_BIZTOL", kIdoszakok[i][0]}, {"L09_BIZIG", kIdoszakok[i][1]}, {"S574C", 1000}};
        if (i == 1) p09.push_back({"S568C", 50000});
        Page(DM1->TableMAB09, fej, p09);
    }
    Pass();
    ExpectPages("MAB08", "00000000001",
                {{{"BIZTOL", kIdoszakok[0][0]}, {"S542B", "N"}},
                 {{"BIZTOL", kIdoszakok[1][0]}, {"S542B", "I"}},
                 {{"BIZTOL", kIdoszakok[2][0]}, {"S542B", "N"}}},
                "three insured periods");
}

}  // namespace
}  // namespace mabtest
