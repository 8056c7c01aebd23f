// The simplified employment sheet through the sheet pass: a page without
// rows still totals row 716, as zeros.
#include <gtest/gtest.h>

#include "tax/monthly/MABLepesFixture.h"

namespace mabtest {
namespace {

class Lap13Test : public MABLepesTest {};

TEST_F(Lap13Test, APageWithoutRowsTotalsZero) {
    Employee("00000000001", {{"DG_FEOR", "9111"}});
    Page(DM1->TableMAB13, Header("00000000001"));
    Pass();
    ExpectPages("MAB13", "00000000001",
                {{{"S716E", "0"}, {"S716F", "0"}, {"S700G", ""}, {"ALKMIN3", "000000"}, {"ALKMIN4", "000"}}},
                "no rows");
}

}  // namespace
}  // namespace mabtest
