// The social contribution tax allowance sheets through the sheet pass: the
// allowance rows of 1908-11, the rates of the month on 1908-12, the rows
// moved from July, the employee's identification, and the rework of rows
// 385-386 of 1908-06 after an allowance page took their base.
#include <gtest/gtest.h>

#include "tax/monthly/MABLepesFixture.h"

namespace mabtest {
namespace {

using V = db::Variant;

class Lap11Test : public MABLepesTest {};

TEST_F(Lap11Test, Cases) {
    struct Case {
        const char* why;
        const char* id;
        int honap;
        Fields employee;
        Fields page06, page11, page12;  // no page when empty
        std::vector<PageCells> want06, want11, want12;
    };
    const Case cases[] = {
        {"the allowance rows of 1908-11 on the base of 1908-06",
         "00000000001",
         3,
         {},
         {{"S385C", 2500}, {"S386C", 300}, {"S385A", 700}},
         {{"S640A", 1000}, {"S640C", 1}, {"S641A", 1000}, {"S641C", 1}},
         {},
         {{{"S385C", "700"}, {"S386C", ""}}},
         {{{"S638A", "2500"},
           {"S638C", "300"},
           {"S643A", "1000"},
           {"S643C", "100"},
           {"S644C", "200"},
           {"S642A", ""},
           {"S642C", ""},
           {"S645A", "500"},
           {"S645C", "135"},
           {"ALKMIN1", "0"},
           {"BIZTOL", "2019.03.01"}}},
         {}},
        {"all three allowances zero leave the rows",
         "00000000002",
         3,
         {},
         {{"S385C", 2500}},
         {{"S640A", 1000}, {"S640C", 0}},
         {},
         {{{"S385C", "2500"}}},
         {{{"S638A", ""}, {"S643A", ""}, {"S643C", ""}, {"S640A", "1000"}}},
         {}},
        {"a wage compared with the base",
         "00000000003",
         3,
         {{"DG_BERFORM", "2"}, {"DG_ALAPBER", 5}, {"DG_BELEPDAT", "2019.03.04"}},
         {{"S385C", 500}, {"S386C", 60}, {"S386A", 40}, {"S386D", 20}},
         {{"S662A", 100}, {"S664A", 50}},
         {},
         {{{"S385C", ""}, {"S386C", "60"}}},
         {{{"S660A", "2019.03.04"},
           {"S660C", "2019.03.31"},
           {"S661A", "500"},
           {"S661C", "60"},
           {"S659C", "870"},
           {"S663A", "770"},
           {"S665C", "10"},
           {"ERTMEGORZADOKEDV", "X"}}},
         {}},
        {"an allowance without a limit",
         "00000000004",
         3,
         {},
         {},
         {{"S662A", 100}, {"S662C", 30}, {"S663C", 10}},
         {},
         {},
         {{{"S663C", "-10"}, {"S664C", "40"}, {"S665C", "-40"}, {"S661A", ""}}},
         {}},
        {"June's rates",
         "00000000005",
         6,
         {{"DG_SZHAKEDVKOD", "07"}},
         {},
         {},
         {{"S675A", 1000}, {"S675C", 10}, {"S676A", 1000}, {"S676C", 10}},
         {},
         {},
         {{{"ADOKEDVJOGC", "07"},
           {"S670A", "2019.06.01"},
           {"S670C", "2019.06.30"},
           {"S678A", "1000"},
           {"S678C", "98"},
           {"S679A", "1000"},
           {"S679C", "125"},
           {"S680A", "-2000"},
           {"S680C", "-243"}}}},
        {"July's rates",
         "00000000006",
         7,
         {{"DG_SZHAKEDVKOD", "07"}},
         {},
         {},
         {{"S675A", 1000}, {"S675C", 10}, {"S676A", 1000}, {"S676C", 10}},
         {},
         {},
         {{{"S678C", "88"}, {"S679C", "105"}}}},
        {"July's rows of code 09",
         "00000000007",
         7,
         {{"DG_SZHAKEDVKOD", "09"}},
         {{"S385C", 3000}, {"S386C", 400}},
         {},
         {{"S674A", 500}, {"S674C", 0}, {"S675A", 1000}, {"S675C", 10}, {"S671C", 7}},
         {},  // the base taken, nothing is left on the page
         {},
         {{{"S690A", "2019.07.01"}, {"S690C", "2019.07.31"}, {"S691A", "3000"}, {"S691C", "400"},
           {"S692A", "500"},        {"S692C", "0"},          {"S693A", "1000"}, {"S693C", "10"},
           {"S694A", "500"},        {"S694C", "0"},          {"S695A", "1000"}, {"S695C", "78"},
           {"S696A", "1500"},       {"S696C", "263"},        {"S670A", ""},     {"S670C", ""},
           {"S673A", ""},           {"S673C", ""},           {"S674A", ""},     {"S674C", ""},
           {"S675A", ""},           {"S675C", ""},           {"S677A", ""},     {"S677C", ""},
           {"S678A", ""},           {"S678C", ""},           {"S680A", ""},     {"S680C", ""},
           {"S671C", "7"}}}},
        {"June's rows of code 09 stay",
         "00000000008",
         6,
         {{"DG_SZHAKEDVKOD", "09"}},
         {},
         {},
         {{"S675A", 1000}, {"S675C", 10}},
         {},
         {},
         {{{"S678C", "98"}, {"S690A", ""}, {"S695A", ""}}}},
        {"the identification of a mother of four",
         "00000000009",
         3,
         {{"DG_SZHAKEDVKOD", "21"},
          {"DG_NEV", "Kiss Anna Mária"},
          {"DG_LEANYKNEV", "Nagy"},
          {"DG_ANYJANEV", "Tóth Éva"},
          {"DG_TAJSZ", "123456789"},
          {"DG_SZULHELY", "Pécs"},
          {"DG_SZULDAT", "1980.02.03"},
          {"DG_SZHAKEDVKEZD", "2019.01.01"}},
         {},
         {},
         {{"S674A", 500}, {"S674C", 50}},
         {},
         {},
         {{{"L12_SOKGYEREK", "X"},
           {"L12_DOLGADOAZ", "8100000009"},
           {"L12_DOLGTBAZON", "123456789"},
           {"L12_DOLGNEV", "Kiss"},
           {"L12_DOLGUTONEV", "Anna Mária"},
           {"L12_DOLGSZULNEV", "Nagy"},
           {"L12_DOLGSZULUTONEV", ""},
           {"L12_DOLGANYJASZULNEV", "Tóth"},
           {"L12_DOLGANYJASZULUTONEV", "Éva"},
           {"L12_DOLGSZULHELY", "Pécs"},
           {"L12_DOLGSZULDAT", "1980.02.03"},
           {"L12_KEDVMIN", "20"},
           {"S677A", "500"},
           {"S677C", "0"}}}},
    };
    for (const Case& c : cases) Employee(c.id, c.employee);
    for (const Case& c : cases) {
        const MABKulcs fej = Header(c.id, c.honap);
        if (!c.page06.empty()) Page(DM1->TableMAB06, fej, c.page06);
        if (!c.page11.empty()) Page(DM1->TableMAB11, fej, c.page11);
        if (!c.page12.empty()) Page(DM1->TableMAB12, fej, c.page12);
    }
    for (int honap : {3, 6, 7}) Pass(honap);
    for (const Case& c : cases) {
        ExpectPages("MAB06", c.id, c.want06, c.why);
        ExpectPages("MAB11", c.id, c.want11, c.why);
        ExpectPages("MAB12", c.id, c.want12, c.why);
    }
}

}  // namespace
}  // namespace mabtest
