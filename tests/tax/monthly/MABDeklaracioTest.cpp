// One employee's declaration after the totals run, as the sqlite3 shell
// shows its rows, against a reviewed dump: every sheet the payroll rows and
// the dependants fill, completed by the sheet steps.
#include <gtest/gtest.h>

#include "support/Golden.h"
#include "tax/monthly/MABFixture.h"

namespace mabtest {
namespace {

using V = db::Variant;

class DeklaracioTest : public MABTest {};

TEST_F(DeklaracioTest, OneEmployeeAfterTheRun) {
    Employees({{"00000000001", "Minta Anna Mária", "8000000001"}});
    testsupport::AddRows(
        "Dolgozo_001",
        {"DG_TORZSSZAM", "DG_BELEPDAT", "DG_FEOR", "DG_HETIKOTORA", "DG_CSALKEDV", "DG_CSALKEDVSZAM",
         "DG_SZHAKEDVKOD", "DG_LEANYKNEV", "DG_ANYJANEV", "DG_TAJSZ"},
        {{"00000000001", "2019.03.11", "2511", 40, 10000, 20000, "07", "Minta", "Kovács Éva", "123456789"}});
    testsupport::AddRows("Hozzatartozo_001",
                         {"HT_DGTORZSSZAM", "HT_ADOAZ", "HT_NEV", "HT_KAPCSOLAT", "HT_ELTMIN",
                          "HT_JOGOSULTJOGC", "HT_KAPCSTOL"},
                         {{"00000000001", "8100000011", "Minta Péter", "1", V(), V(), "2015.06.20"},
                          {"00000000001", "8100000012", "Minta Kata", "3", "1", "1", "2019.03.01"},
                          {"00000000001", "8100000013", "Minta Bence", "3", "2", "2", "2016.02.02"}});
    PayItems({{"B01", "Alapbér", "00", 301, "B"},
              {"A30", "Adóelőleg", "00", 330, "B"},
              {"A31", "Levont adóelőleg", "00", 331, "B"},
              {"C14", "Családi kedvezmény", "00", 314, "D"},
              {"J65", "Természetbeni eb. járulék", "00", 565, "C"},
              {"J67", "Levont term. eb. járulék", "00", 567, "C"},
              {"J74", "Nyugdíjjárulék alapja", "00", 574, "C"},
              {"J77", "Nyugdíjjárulék", "00", 577, "C"},
              {"J79", "Levont nyugdíjjárulék", "00", 579, "C"},
              {"K00", "Családi járulékkedvezmény alapja", "00", 600, "C"},
              {"Z75", "SZHA kedvezmény alapja", "00", 675, "A"},
              {"Z76", "SZHA kedvezmény", "00", 675, "C"}});
    March({{"00000000001", "B01", 200000, 200000},
           {"00000000001", "A30", 30000},
           {"00000000001", "A31", 28500},
           {"00000000001", "C14", 10000},
           {"00000000001", "J65", 8000},
           {"00000000001", "J67", 8000},
           {"00000000001", "J74", 200000},
           {"00000000001", "J77", 20000},
           {"00000000001", "J79", 20000},
           {"00000000001", "K00", 1000},
           {"00000000001", "Z75", 100000},
           {"00000000001", "Z76", 9750}});
    Open();
    MABOsszesitKellekek k;
    k.honap = 3;
    k.tol = "00000000001";
    k.ig = "00000000001";
    k.jelleg = "E";
    MABOsszesit(k);

    // Each table's rows (the employee's alone), a field a line, null fields
    // left out.
    std::string dump;
    for (const char* t : {"MAB00", "MAB04", "MAB05", "MAB06", "MAB07", "MAB08", "MAB09", "MAB09a", "MAB10",
                          "MAB11", "MAB12", "MAB13"}) {
        std::string out;
        ASSERT_EQ(testsupport::RunCommand("sqlite3 -line -nullvalue '<null>' '" + EvKonyvtar() + "/" + t +
                                              "_001.DB' 'SELECT * FROM " + t + "_001'",
                                          &out),
                  0)
            << out;
        dump += "-- " + std::string(t) + "\n";
        size_t from = 0;
        while (from < out.size()) {
            const size_t end = out.find('\n', from);
            const std::string line =
                out.substr(from, end == std::string::npos ? std::string::npos : end - from);
            from = end == std::string::npos ? out.size() : end + 1;
            if (line.size() < 9 || line.compare(line.size() - 9, 9, " = <null>") != 0) dump += line + "\n";
        }
    }
    EXPECT_TRUE(testsupport::MatchesGolden("tax/monthly/golden/MABOsszesit", "one-employee", dump));
}

}  // namespace
}  // namespace mabtest
