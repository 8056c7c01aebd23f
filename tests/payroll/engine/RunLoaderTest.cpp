#include "payroll/engine/ItemAmounts.h"
#include "payroll/engine/Pipeline.h"
#include "payroll/engine/RunLoader.h"
#include "payroll/engine/StandingItems.h"
#include "support/YearFolder.h"

using namespace payroll;
using namespace enginetest;

namespace {

class RunLoaderTest : public YearFolderTest {
protected:
    void SetUp() override {
        YearFolderTest::SetUp();
        for (const char* id : {"00001", "00002"})
            Append("Dolgozo_001", {{"DG_TORZSSZAM", id},
                                   {"DG_NEV", "Teszt Elek"},
                                   {"DG_MHKOD", "000001"},
                                   {"DG_BERFORM", "1"},
                                   {"DG_ALKMIN", "1"},
                                   {"DG_ALAPBER", 300000.0},
                                   {"DG_NAPIKOTORA", 8.0}});
        Append("MHely_001", {{"MH_KOD", "000001"}, {"MH_NEV", "Iroda"}, {"MH_KHKOD", "000100"}});
        Append("Jogcim_001", {{"JC_KOD", "100"},
                              {"JC_NEV", "Alapbér"},
                              {"JC_TIPUS", "1"},
                              {"JC_SZAMKEP", "1"},
                              {"JC_KIFIZ", "I"},
                              {"JC_SZAZ", 100.0},
                              {"JC_SZJAKOT", "I"},
                              {"JC_ELKULADO", "N"}});
        Append("Jogcim_001", {{"JC_KOD", "250"},
                              {"JC_NEV", "Jutalék"},
                              {"JC_TIPUS", "1"},
                              {"JC_SZAMKEP", "9"},
                              {"JC_KIFIZ", "I"},
                              {"JC_SZAZ", 100.0}});
        Append("RJogcim_001", {{"RJ_DGTORZSSZAM", "00002"}, {"RJ_JCKOD", "250"}, {"RJ_SORSZAM", 1}});
        Append("RJogcim_001", {{"RJ_DGTORZSSZAM", "00001"}, {"RJ_JCKOD", "250"}, {"RJ_SORSZAM", 2}});
        Append("RJogcim_001", {{"RJ_DGTORZSSZAM", "00001"}, {"RJ_JCKOD", "250"}, {"RJ_SORSZAM", 1}});
        Saved("TR19", "Szamfejt_001", 2, os::EncodeDate(2019, 3, 10), "100", 300000, 160);
        Saved("TR19", "Szamfejt_001", 2, os::EncodeDate(2019, 3, 10), "100", 1, 1, 1, "00002");
    }

    void SetParameter46(std::optional<double> value) {
        db::Table t;
        t.DatabaseName = "TR19";
        t.TableName = "Ertekkeszlet_001";
        t.Open();
        if (t.Locate("EK_TIPUS;EK_ERTEK", {db::Variant("0"), db::Variant("46")}))
            t.Edit();
        else
            t.Append();
        t.FieldByName("EK_TIPUS").SetAsString("0");
        t.FieldByName("EK_ERTEK").SetAsString("46");
        if (value)
            t.FieldByName("EK_ERTEKNUM").SetAsFloat(*value);
        else
            t.FieldByName("EK_ERTEKNUM").Clear();
        t.Post();
    }
};

TEST_F(RunLoaderTest, AnEmployeesContextFromTheCompanysTables) {
    RunLoader loader({"TR19", "TR18", "001", 2019});
    const RunContext ctx = loader.Load("00001", 3, os::EncodeDate(2019, 4, 10));
    EXPECT_EQ(ctx.employee.Text("DG_TORZSSZAM"), "00001");
    EXPECT_EQ(ctx.employee.Num("DG_ALAPBER"), 300000);
    EXPECT_EQ(ctx.company.Text("CG_NEV"), "Teszt Kft");
    EXPECT_EQ(ctx.workplaces.at("000001"), "000100");
    ASSERT_NE(ctx.PayItem("100"), nullptr);
    EXPECT_EQ(ctx.PayItem("100")->Text("JC_NEV"), "Alapbér");
    ASSERT_EQ(ctx.standingItems.size(), 2u) << "the employee's own items";
    EXPECT_EQ(ctx.standingItems[0].Value("RJ_SORSZAM").ToInt(), 1);
    EXPECT_EQ(ctx.standingItems[1].Value("RJ_SORSZAM").ToInt(), 2);
    ASSERT_EQ(ctx.savedRows.size(), 1u);
    EXPECT_EQ(ctx.savedRows[0].SF_OSSZEG, 300000);
    EXPECT_EQ(ctx.savedRows[0].SF_KIFIZDAT, os::EncodeDate(2019, 3, 10));
    EXPECT_FALSE(ctx.savedRows[0].SF_JARALAP.has_value()) << "an empty field stays null";
    EXPECT_FALSE(ctx.previousYearRows) << "no table for last year";

    PayrollRun run(ctx);
    // March 2019 in the year folder's calendar: 21 weekdays, 15 March a paid
    // holiday, so the monthly wage pays 20 of 21 days on row 100.
    EXPECT_EQ(WorkingDaysInMonth(run), 20);
    SzamfejtRow wage;
    AddWorkingDaysWageRow(run, wage, "100");
    EXPECT_EQ(wage.SF_OSSZEG, 285714);
    EXPECT_EQ(wage.SF_DGKHKOD, "000100");

    EXPECT_THROW(loader.Load("99999", 3, os::EncodeDate(2019, 4, 10)), CalculationError);
}

TEST_F(RunLoaderTest, YearlyParametersAreReadWhenARunNeedsThem) {
    RunLoader loader({"TR19", "TR18", "001", 2019});
    auto commission = [&]() {
        const RunContext ctx = loader.Load("00001", 3, os::EncodeDate(2019, 4, 10));
        PayrollRun run(ctx);
        SzamfejtRow wage;
        AddWorkingDaysWageRow(run, wage, "100");
        run.rows.Post(-1, wage);
        AddStandingItems(run, 0);
        return run.rows[run.rows.FindStandingItemRow("250", 1)].Osszeg();
    };
    try {
        commission();
        ADD_FAILURE() << "no error without \"46\"";
    } catch (const CalculationError& e) {
        EXPECT_STREQ(e.what(), "Hiányzik a(z) \"46\" kódú évi paraméter az értékkészletből!");
    }
    SetParameter46(std::nullopt);
    EXPECT_THROW(commission(), CalculationError) << "an empty value is no value";
    SetParameter46(0);
    EXPECT_EQ(commission(), 0) << "0 is a value";
    // Of the March wage row (285 714, 15 March being a paid holiday).
    SetParameter46(10);
    EXPECT_EQ(commission(), 28571);
    SetParameter46(20);
    EXPECT_EQ(commission(), 57143) << "the changed rate in the next run";
}

TEST_F(RunLoaderTest, RowsKeepTheFieldsTheEngineDoesNotKnow) {
    db::Table t;
    t.DatabaseName = "TR19";
    t.TableName = "Szamfejt_001";
    t.Open();
    t.First();
    SzamfejtRow row = ReadRow(t);
    t.Edit();
    t.FieldByName("SF_TNUM1").SetAsFloat(12.5);
    t.FieldByName("SF_TSTR2").SetAsString("megjegyzés");
    t.Post();
    row = ReadRow(t);
    EXPECT_EQ(row.Get("SF_TNUM1").ToDouble(), 12.5);
    row.SF_OSSZEG = 7;
    t.Append();
    row.SF_SORSZAM = 2;
    WriteRow(row, t);
    t.Post();
    const SzamfejtRow back = ReadRow(t);
    EXPECT_EQ(back.Get("SF_TSTR2").ToString(), "megjegyzés");
    EXPECT_EQ(back.SF_OSSZEG, 7);
    EXPECT_EQ(back.SF_SORSZAM, 2);
    EXPECT_EQ(back.SF_HONAP, 2);
    EXPECT_TRUE(back.Get("SF_ADOALAP").IsNull());
    // Written over a record, an emptied value empties its field.
    SzamfejtRow emptied = back;
    emptied.SF_OSSZEG.reset();
    t.Edit();
    WriteRow(emptied, t);
    t.Post();
    EXPECT_FALSE(ReadRow(t).SF_OSSZEG.has_value());
    EXPECT_EQ(ReadRow(t).SF_SORSZAM, 2);
}

}  // namespace

namespace {

TEST_F(RunLoaderTest, SavingARunReplacesItsRowsBelow800InOneTransaction) {
    const double paid = os::EncodeDate(2019, 4, 10);
    Saved("TR19", "Szamfejt_001", 3, paid, "100", 1, 0, 1);
    Saved("TR19", "Szamfejt_001", 3, paid, "320", 2, 0, 2);
    Saved("TR19", "Szamfejt_001", 3, paid, "800", 777, 0, 8001);                    // brought forward
    Saved("TR19", "Szamfejt_001", 3, os::EncodeDate(2019, 4, 20), "100", 3, 0, 1);  // another payment date
    RunLoader loader({"TR19", "TR18", "001", 2019});
    const RunContext ctx = loader.Load("00001", 3, paid);
    PayrollRun run(ctx);
    for (const char* code : {"750", "320", "300", "102", "100"}) {
        SzamfejtRow r = NewResultRow(run);
        r.SF_JCKOD = code;
        r.SF_OSSZEG = 10;
        run.rows.Post(-1, r);
    }
    SorszamKioszt(run);

    db::Table table;
    table.DatabaseName = "TR19";
    table.TableName = "Szamfejt_001";
    auto saved = [&]() {
        std::vector<std::string> out;
        for (const SzamfejtRow& r : ReadPayrollRows(folder, "Szamfejt_001", "00001"))
            if (r.SF_HONAP == 3)
                out.push_back(r.SF_JCKOD + "/" + std::to_string(r.SF_SORSZAM.value_or(0)) + "/" +
                              std::to_string(static_cast<long long>(r.Osszeg())));
        return out;
    };
    SaveRun(run, table);
    const std::vector<std::string> expected = {"100/1/10", "102/2/10",     "300/3/10", "320/4/10",
                                               "750/5/10", "800/8001/777", "100/1/3"};
    EXPECT_EQ(saved(), expected);

    // A save that fails halfway (two rows of one key) leaves the saved rows.
    SzamfejtRow twice = run.rows[0];
    run.rows.Post(-1, twice);
    run.rows.Post(0, run.rows[0]);
    EXPECT_THROW(SaveRun(run, table), db::DatabaseError);
    EXPECT_EQ(saved(), expected);
}

}  // namespace
