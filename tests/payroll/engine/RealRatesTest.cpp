// The shipped 2019 rates on a company made by the register's own code: each
// figure below is worked out by hand from the 2019 law, never copied from a run.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/os/DayNumber.h"
#include "support/TestCompany.h"

using namespace payroll;
using namespace enginetest;

namespace {

// The shipped 2019 pay items and yearly parameters on three employees of a
// new company, against figures worked out by hand from the 2019 rates:
// pension 10 %, health 4 % in kind and 3 % in cash, labour market 1.5 %,
// income tax 15 %, SZHA 19.5 % until June, vocational contribution 1.5 %.
// March 2019 has 20 working days and the 15 March holiday.
class RealRatesTest : public testsupport::HomeTest {
protected:
    void SetUp() override {
        const std::string folder = home.Path() + "/Tavrina/2019";
        std::filesystem::create_directories(folder);
        db::Engine::AddStandardAlias("TR19", folder);
        PrepareYearFolder("TR19");
        testsupport::MakeCompany("001", "Próba Kft", "Próba");
        WriteRows("TR19", "MHely_001", {{"MH_KOD", "MH_NEV", "MH_KHKOD"}, {"000001", "Iroda", "000100"}});
        // clang-format off
        WriteRows("TR19", "Dolgozo_001", {
            {"DG_TORZSSZAM", "DG_NEV",          "DG_MHKOD", "DG_BELEPDAT", "DG_BERFORM", "DG_ALKMIN", "DG_ALAPBER", "DG_NAPIKOTORA", "DG_NYUGJAR", "DG_EGBIZJARTERM", "DG_EGBIZJARPENZ", "DG_MPJDOLG", "DG_SZHA", "DG_CSALKEDV", "DG_SZABKER", "DG_BETEGSZABKER"},
            {"00001",        "Havi Anna",       "000001",   "2015.01.01",  "1",          "1",         "300000",     "8",             "I",          "I",               "I",               "I",          "I",       "",            "20",         "15"},
            {"00002",        "Kétgyermekes Béla","000001",  "2015.01.01",  "1",          "1",         "400000",     "8",             "I",          "I",               "I",               "I",          "I",       "266660",      "20",         "15"},
            {"00003",        "Belépő Cecília",  "000001",   "2019.03.18",  "1",          "1",         "149000",     "8",             "I",          "I",               "I",               "I",          "I",       "",            "20",         "15"},
        });
        // clang-format on
    }
};

TEST_F(RealRatesTest, ShippedCatalogueAndParametersOnThreeEmployees) {
    struct Case {
        const char* employee;
        std::vector<std::pair<const char*, double>> rows;
        std::vector<const char*> absent;
    };
    // P, the days the monthly wage pays: 20 working days and the holiday, 21.
    // clang-format off
    const Case cases[] = {
        // 300 000 a month.
        {"00001", {{"100", 285714},   // 300 000 × 20 / 21 = 285 714.29
                   {"102", 14286},    // 300 000 × 1 / 21 = 14 285.71
                   {"270", 300000},
                   {"700A", 30000}, {"300", 30000},  // 10 %
                   {"304", 4500},                    // 1.5 %
                   {"706A", 12000}, {"306", 12000},  // 4 %
                   {"707A", 9000}, {"307", 9000},    // 3 %
                   {"309", 45000}, {"320", 45000},   // 15 %
                   {"748", 199500},   // 300 000 − 30 000 − 4 500 − 12 000 − 9 000 − 45 000
                   {"749", 0}, {"750", 199500},
                   {"330", 58500},    // 19.5 %
                   {"351", 4500}},    // 1.5 %
         {"314A"}},
        // 400 000 a month and two children: the 2019 allowance of two
        // dependants is 133 330 of tax base each (value-set row "34"), 266 660.
        {"00002", {{"100", 380952},   // 400 000 × 20 / 21 = 380 952.38
                   {"102", 19048},    // 400 000 / 21 = 19 047.62
                   {"270", 400000},
                   {"300", 40000}, {"304", 6000}, {"306", 16000}, {"307", 12000},
                   {"309", 60000},    // 15 % before the allowance
                   {"314A", 266660},
                   {"320", 20001},    // 15 % × (400 000 − 266 660) = 20 001
                   {"748", 305999},   // 400 000 − 40 000 − 6 000 − 16 000 − 12 000 − 20 001
                   {"749", 1}, {"750", 306000},
                   {"330", 78000}, {"351", 6000}},
         {}},
        // The minimum wage, 149 000, from 18 March: the days of 18-22 and
        // 25-29 March, 10 of the 21; the holiday before the entry is not paid.
        {"00003", {{"100", 70952},    // 149 000 × 10 / 21 = 70 952.38
                   {"270", 70952},
                   {"300", 7095},     // 10 % = 7 095.2
                   {"304", 1064},     // 1.5 % = 1 064.28
                   {"306", 2838},     // 4 % = 2 838.08
                   {"307", 2129},     // 3 % = 2 128.56
                   {"320", 10643},    // 15 % = 10 642.8
                   {"748", 47183},    // 70 952 − 7 095 − 1 064 − 2 838 − 2 129 − 10 643
                   {"749", 2}, {"750", 47185},  // to 5 forints: a remainder of 3 goes up
                   {"330", 13836},    // 19.5 % = 13 835.64
                   {"351", 1064}},    // 1.5 % = 1 064.28
         {"102"}},
    };
    // clang-format on
    RunLoader loader({"TR19", "TR18", "001", 2019});
    for (const Case& c : cases) {
        RunContext ctx = loader.Load(c.employee, 3, os::EncodeDate(2019, 4, 10));
        std::vector<std::string> shown;
        ctx.message = [&shown](MessageKind, const std::string& text) { shown.push_back(text); };
        PayrollRun run(ctx);
        Szamf(run);
        for (auto [code, amount] : c.rows) {
            const int at = run.rows.FindFirst(code);
            ASSERT_GE(at, 0) << c.employee << " " << code;
            EXPECT_EQ(run.rows[at].SF_OSSZEG, amount) << c.employee << " " << code;
        }
        for (const char* code : c.absent) EXPECT_LT(run.rows.FindFirst(code), 0) << c.employee << " " << code;
        EXPECT_TRUE(shown.empty()) << c.employee << ": " << (shown.empty() ? "" : shown[0]);
    }
}

}  // namespace
