// The shipped 2019 rates on a company made by the register's own code: each
// figure below is worked out by hand from the 2019 law, never copied from a run.
#include <gtest/gtest.h>

#include <filesystem>

#include "TestCompany.h"
#include "platform/os/DayNumber.h"

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
    };
    // clang-format off
    const Case cases[] = {
        // 300 000 a month: 20 of 21 paid days and the holiday.
        {"00001", {{"100", 285714}, {"102", 14286}, {"300", 30000}, {"304", 4500}, {"306", 12000}, {"307", 9000},
                   {"320", 45000}, {"748", 199500}, {"749", 0}, {"750", 199500}, {"330", 58500}, {"351", 4500}}},
        // Two children: 133 330 of tax base each; 15 % of the remaining 133 340 is 20 001.
        {"00002", {{"100", 380952}, {"102", 19048}, {"300", 40000}, {"304", 6000}, {"306", 16000}, {"307", 12000},
                   {"314A", 266660}, {"320", 20001}, {"748", 305999}, {"749", 1}, {"750", 306000},
                   {"330", 78000}, {"351", 6000}}},
        // The minimum wage; the base-wage rows pay the month's days (a mid-month entry's
        // days are set on the rows by hand), so every figure is of 149 000.
        {"00003", {{"100", 141905}, {"102", 7095}, {"300", 14900}, {"304", 2235}, {"306", 5960}, {"307", 4470},
                   {"320", 22350}, {"748", 99085}, {"749", 0}, {"750", 99085}, {"330", 29055}, {"351", 2235}}},
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
        EXPECT_TRUE(shown.empty()) << c.employee << ": " << (shown.empty() ? "" : shown[0]);
    }
}

}  // namespace
