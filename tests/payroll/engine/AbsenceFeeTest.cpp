#include <fstream>

#include "EngineFixture.h"
#include "payroll/engine/AbsenceFee.h"
#include "payroll/engine/ItemAmounts.h"
#include "payroll/engine/RunLoader.h"
#include "support/YearFolder.h"

using namespace payroll;
using namespace enginetest;

namespace {

class AbsenceFeeFilesTest : public YearFolderTest {
protected:
    void SetUp() override {
        YearFolderTest::SetUp();
        Append("Dolgozo_001", {{"DG_TORZSSZAM", "00001"},
                               {"DG_NEV", "Teszt Elek"},
                               {"DG_BERFORM", "1"},
                               {"DG_ALKMIN", "1"},
                               {"DG_ALAPBER", 300000.0},
                               {"DG_NAPIKOTORA", 8.0}});
        // Supplement 210 counts in the amount, 110 in the hours, 220 in both.
        Append("Jogcim_001", {{"JC_KOD", "210"},
                              {"JC_NEV", "Pótlék"},
                              {"JC_TIPUS", "1"},
                              {"JC_SZAMKEP", "0"},
                              {"JC_KIFIZ", "I"},
                              {"JC_SZAZ", 100.0},
                              {"JC_BESZAMOSSZEG", "I"}});
        Append("Jogcim_001", {{"JC_KOD", "110"},
                              {"JC_NEV", "Munkaidő"},
                              {"JC_TIPUS", "1"},
                              {"JC_SZAMKEP", "0"},
                              {"JC_KIFIZ", "I"},
                              {"JC_SZAZ", 100.0},
                              {"JC_BESZAMIDOSZTO", "I"}});
        Append("Jogcim_001", {{"JC_KOD", "220"},
                              {"JC_NEV", "Mindkettő"},
                              {"JC_TIPUS", "1"},
                              {"JC_SZAMKEP", "0"},
                              {"JC_KIFIZ", "I"},
                              {"JC_SZAZ", 100.0},
                              {"JC_BESZAMOSSZEG", "I"},
                              {"JC_BESZAMIDOSZTO", "I"}});
        const double paid = os::EncodeDate(2019, 3, 5);
        Saved("TR19", "Szamfejt_001", 1, paid, "210", 10000, 0);
        Saved("TR19", "Szamfejt_001", 2, paid, "110", 0, 160.5);
        Saved("TR19", "Szamfejt_001", 2, paid, "220", 2000, 0);
        Saved("TR19", "Szamfejt_001", 3, paid, "210", 99999, 0);  // the run's month: not before it
        Saved("TR19", "Szamfejt_001", 2, paid, "210", 55555, 0, 1, "00002");  // another employee
    }

    Money Correction(int month, Messages* shown = nullptr) {
        RunLoader loader({"TR19", "TR18", "001", 2019});
        RunContext ctx = loader.Load("00001", month, os::EncodeDate(2019, 4, 10));
        if (shown)
            ctx.message = [shown](MessageKind k, const std::string& t) { shown->shown.emplace_back(k, t); };
        PayrollRun run(ctx);
        return AbsenceFeeCorrection(run);
    }
};

TEST_F(AbsenceFeeFilesTest, SixMonthsBeforeTheRunAcrossTheYears) {
    MakePreviousYear();
    const double paid = os::EncodeDate(2018, 10, 5);
    for (int month : {8, 9, 12}) Saved("TR18", "Szamfejt_123", month, paid, "210", 1000.0 * month, 0);
    Saved("TR18", "Szamfejt_123", 10, paid, "110", 0, 160);
    // Hours 160.5 this year read as 160 (a half to the even number); amounts 12 000;
    // last year months 9 and 12: 21 000 over 160 hours.
    Messages shown;
    EXPECT_EQ(static_cast<double>(Correction(3, &shown).Value()), (12000.0 + 21000) / (160 + 160));
    EXPECT_TRUE(shown.shown.empty());
    EXPECT_EQ(static_cast<double>(Correction(7).Value()), (12000.0 + 99999) / 160)
        << "months 1 to 6, this year only";
    EXPECT_EQ(static_cast<double>(Correction(1).Value()), 29000.0 / 160)
        << "months 7 to 12 of last year only";
}

TEST_F(AbsenceFeeFilesTest, WithoutLastYearsTableThisYearAlone) {
    Messages shown;
    EXPECT_EQ(static_cast<double>(Correction(3, &shown).Value()), 12000.0 / 160);
    EXPECT_EQ(static_cast<double>(Correction(1, &shown).Value()), 0) << "no hours: no supplement";
    EXPECT_TRUE(shown.shown.empty());

    // A previous code that is not three digits names no file of ours.
    MakePreviousYear();
    Saved("TR18", "Szamfejt_123", 12, os::EncodeDate(2018, 12, 5), "110", 0, 100);
    for (const char* code : {"12", "1234", "../", ""}) {
        FieldValues company{{"CG_NYITMOD", "E"}, {"CG_ELOZOEVIKOD", code}};
        EXPECT_EQ(PreviousYearPayrollTable(company), "") << code;
    }
    EXPECT_EQ(PreviousYearPayrollTable(FieldValues{{"CG_NYITMOD", "M"}, {"CG_ELOZOEVIKOD", "123"}}), "");
    EXPECT_EQ(PreviousYearPayrollTable(FieldValues{{"CG_NYITMOD", "E"}, {"CG_ELOZOEVIKOD", "123"}}),
              "Szamfejt_123");
    db::Engine::DeleteAlias("TR18");
    EXPECT_EQ(static_cast<double>(Correction(3, &shown).Value()), 12000.0 / 160) << "no alias for last year";
    EXPECT_TRUE(shown.shown.empty());
}

TEST_F(AbsenceFeeFilesTest, ALastYearFileThatIsNoTableIsReportedAndGivesNoSupplement) {
    std::ofstream(previousFolder + "/Szamfejt_123.DB") << "this is not a table";
    Messages shown;
    EXPECT_EQ(static_cast<double>(Correction(3, &shown).Value()), 0);
    ASSERT_EQ(shown.shown.size(), 1u);
    EXPECT_EQ(shown.shown[0].first, MessageKind::Error);
    const std::string prefix = "HIBA történt a távolléti díj korrekció megállapításakor! \r";
    EXPECT_EQ(shown.shown[0].second.substr(0, prefix.size()), prefix);
    EXPECT_GT(shown.shown[0].second.size(), prefix.size()) << "followed by the error's text";
}

class AbsenceFeeTest : public EngineTest {};

TEST_F(AbsenceFeeTest, AFixedSupplementReadsNoRows) {
    ctx.employee.Set("DG_TAVDIJKORR", 150.0);
    int reads = 0;
    ctx.previousYearRows = [&reads]() -> std::optional<std::vector<SzamfejtRow>> {
        ++reads;
        return std::nullopt;
    };
    ctx.month = 2;
    PayrollRun run(ctx);
    EXPECT_EQ(static_cast<double>(AbsenceFeeCorrection(run).Value()), 150);
    EXPECT_EQ(reads, 0);
    // Kind 2 by hours on an hourly wage of 1 000: (150 + 1 000) × 2 hours.
    ctx.employee.Set("DG_BERFORM", "2");
    ctx.employee.Set("DG_ALAPBER", 1000.0);
    SzamfejtRow row = Row("150", {});
    row.SF_ORA = 2.0;
    const FieldValues item = PayItem("150", "1", "2");
    EXPECT_EQ(ItemAmountByFormula(run, row, item, {}), 2300);
}

TEST_F(AbsenceFeeTest, LeaveAndSickLeaveFrames) {
    AddItem(PayItem("140", "1", "0", "I", {{"JC_SZABTIP", "1"}}));
    AddItem(PayItem("150", "1", "0", "I", {{"JC_SZABTIP", "2"}}));
    ctx.employee.Set("DG_SZABKER", 20.0);
    ctx.employee.Set("DG_BETEGSZABKER", 15.0);
    struct Case {
        int leaveSoFar, leaveNow, sickSoFar, sickNow;
        std::vector<std::string> expected;
    };
    const std::string leave = "A00001 törzsszámú dolgozónak szabadságkeret túllépese van:\r";
    const std::string sick = "A00001 törzsszámú dolgozónak betegszabadságkeret túllépese van:\r";
    const Case cases[] = {
        {15, 6, 0, 0, {leave + "20 megengedett / 21 felhsznált"}},
        {15, 5, 15, 0, {}},  // exactly the frames
        {20, 1, 10, 6, {leave + "20 megengedett / 21 felhsznált", sick + "15 megengedett / 16 felhsznált"}},
    };
    for (const Case& c : cases) {
        messages.shown.clear();
        PayrollRun run(ctx);
        run.eves.EvesSzabNap1 = c.leaveSoFar;
        run.eves.EvesSzabNap2 = c.sickSoFar;
        SzamfejtRow l = Row("140", 0), s = Row("150", 0);
        l.SF_NAP = c.leaveNow;
        s.SF_NAP = c.sickNow;
        run.rows.Assign({l, s});
        CheckLeaveLimits(run);
        EXPECT_EQ(messages.Texts(), c.expected);
    }
}

}  // namespace
