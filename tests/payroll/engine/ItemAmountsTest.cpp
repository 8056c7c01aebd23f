#include "EngineFixture.h"
#include "payroll/engine/ItemAmounts.h"

using namespace payroll;
using namespace enginetest;

namespace {

class ItemAmountsTest : public EngineTest {
protected:
    ItemAmountsTest() {
        AddItem(
            PayItem("100", "1", "1", "I", {{"JC_SZJAKOT", "I"}, {"JC_ELKULADO", "N"}, {"JC_ALAP1", "I"}}));
        AddItem(PayItem("102", "1", "1"));
        AddItem(PayItem("250", "1", "0", "I", {{"JC_LETILT", "I"}, {"JC_ALAP2", "I"}}));
        AddItem(PayItem("300", "8"));
        AddItem(PayItem("400", "4"));
    }

    // The amount of a row of `code` whose pay item has the formula kind.
    double AmountOf(const std::string& kind, const SzamfejtRow& row, const PayrollRun& run,
                    const std::string& code = "150") {
        const FieldValues item = PayItem(code, "1", kind);
        return ItemAmountByFormula(run, row, item, SumItemsAndBases(run, item, code, row.SF_RJSORSZAM));
    }
};

TEST_F(ItemAmountsTest, AmountByFormulaKind) {
    struct Case {
        const char* why;
        const char* kind;
        const char* berform;
        double alapber;
        std::optional<long long> nap;
        std::optional<double> ora;
        std::optional<double> szazalek;
        std::optional<double> osszeg;
        const char* potlFix;
        double expected;
    };
    // 22 paid days (21 working, 1 paid holiday); 176 000 a month is 8 000 a day, 1 000 an hour.
    // clang-format off
    const Case cases[] = {
        {"kind 0 keeps fractions",              "0",  "1", 176000, {},  {},   {},   2.5,   "N", 2.5},
        {"kind 0 without an amount",            "0",  "1", 176000, {},  {},   {},   {},    "N", 0},
        {"kind 8 rounds away from zero",        "8",  "1", 176000, {},  {},   {},   -2.5,  "N", -3},
        {"kind 1 days, hours ignored",          "1",  "1", 176000, 11,  99.0, {},   {},    "N", 88000},
        {"kind 1 hours over the month's days",  "1",  "1", 176000, {},  8.0,  {},   {},    "N", 8000},
        {"kind 1 hours over 174 a month",       "1",  "1", 174000, {},  1.0,  {},   {},    "I", 1000},
        {"kind 1 hours, neither flag",          "1",  "1", 174000, {},  1.0,  {},   {},    "",  0},
        {"kind 1 hourly wage",                  "1",  "2", 1500,   5,   10.0, {},   {},    "N", 15000},
        {"kind 1 other wage form",              "1",  "0", 176000, 11,  {},   {},   {},    "N", 0},
        {"kind 2 days",                         "2",  "1", 176000, 2,   {},   {},   {},    "N", 16000},
        {"kind 2 7.5 hours count 8",            "2",  "1", 176000, {},  7.5,  {},   {},    "N", 8000},
        {"kind 10 6.5 hours count 6",           "10", "1", 176000, {},  6.5,  {},   {},    "N", 6000},
        {"kind 2 hourly wage, hours as typed",  "2",  "2", 1500,   {},  7.5,  {},   {},    "N", 11250},
        {"kind 3 with the daily average",       "3",  "1", 176000, 2,   {},   {},   {},    "N", 17000},
        {"kind 4 exact decimal product",        "4",  "1", 312500, {},  {},   2.3,  {},    "N", 7188},
        {"kind 4 hourly wage",                  "4",  "2", 1500,   {},  10.0, 10.0, {},    "N", 1500},
        {"kind 5 of the base-wage rows",        "5",  "1", 176000, {},  {},   10.0, {},    "N", 18400},
        {"kind 6 garnishment base",             "6",  "1", 176000, {},  {},   50.0, {},    "N", 60000},
        {"kind 6 without a percentage",         "6",  "1", 176000, {},  {},   {},   99.5,  "N", 100},
        {"kind 7 on a hand row",                "7",  "1", 176000, {},  {},   50.0, 100.0, "N", 0},
        {"kind 9 of the taxable base",          "9",  "1", 176000, {},  {},   {},   {},    "N", 16500},
        {"kind 11 of base 1",                   "11", "1", 176000, {},  {},   10.0, {},    "N", 16500},
        {"kind 12 of base 2",                   "12", "1", 176000, {},  {},   10.0, {},    "N", 2000},
        {"kind 13 gives nothing",               "13", "1", 176000, 2,   {},   10.0, 5.0,   "N", 0},
        {"a negative kind gives nothing",       "-1", "1", 176000, 2,   {},   10.0, 5.0,   "N", 0},
        {"a kind with a leading zero",          "08", "1", 176000, {},  {},   {},   7.5,   "N", 8},
    };
    // clang-format on
    parameters->Set("46", {10.0, ""});
    ctx.employee.Set("DG_NAPIATL", 500.0);
    for (const Case& c : cases) {
        ctx.employee.Set("DG_BERFORM", c.berform);
        ctx.employee.Set("DG_ALAPBER", c.alapber);
        ctx.company.Set("CG_POTLSZAMFIX", c.potlFix);
        PayrollRun run(ctx);
        SzamfejtRow base = Row("100", 165000), holiday = Row("102", 19000), garnish = Row("250", 20000),
                    contribution = Row("300", -100000);
        base.SF_ADOALAP = 165000;
        run.rows.Assign({base, holiday, garnish, contribution});
        SzamfejtRow row = Row("150", c.osszeg);
        row.SF_NAP = c.nap;
        row.SF_ORA = c.ora;
        row.SF_SZAZALEK = c.szazalek;
        EXPECT_EQ(AmountOf(c.kind, row, run), c.expected) << c.why;
    }
}

TEST_F(ItemAmountsTest, CalendarDaysOfTheEmployeesSchedule) {
    ctx.calendar.Edit().clear();
    AddMonth(ctx, 3, 20, 2, 31);
    AddMonth(ctx, 4, 19, 1, 30);
    ctx.calendar.Edit()[0].values[2] = "0";  // schedule 2 has one working day less in March
    PayrollRun run(ctx);
    EXPECT_EQ(WorkingDaysInMonth(run), 20);
    EXPECT_EQ(PaidHolidayDaysInMonth(run), 2);
    ctx.employee.Set("DG_MUNKAREND", "2");
    EXPECT_EQ(WorkingDaysInMonth(run), 19);

    // Monthly wage under CG_TAVDIJ "I": no paid holiday; hourly wage: still counted.
    ctx.company.Set("CG_TAVDIJ", "I");
    EXPECT_EQ(PaidHolidayDaysInMonth(run), 0);
    ctx.employee.Set("DG_BERFORM", "2");
    EXPECT_EQ(PaidHolidayDaysInMonth(run), 2);
}

TEST_F(ItemAmountsTest, BaseWageRows) {
    PayrollRun run(ctx);
    SzamfejtRow wage, holiday;
    AddWorkingDaysWageRow(run, wage, "100");
    AddPaidHolidayWageRow(run, holiday, "102");
    EXPECT_EQ(wage.SF_NAP, 21);
    EXPECT_EQ(wage.SF_ORA, 168);
    EXPECT_EQ(wage.SF_OSSZEG, 286364);  // 300 000 × 21 / 22
    EXPECT_EQ(wage.SF_ADOALAP, 286364);
    EXPECT_EQ(wage.SF_JARALAP, 286364);
    EXPECT_EQ(wage.SF_JCTIPUS, "1");
    EXPECT_EQ(wage.SF_MHKOD, "000001");
    EXPECT_EQ(wage.SF_DGKHKOD, "000100");
    EXPECT_EQ(wage.SF_HONAP, 3);
    EXPECT_EQ(holiday.SF_NAP, 1);
    EXPECT_EQ(holiday.SF_OSSZEG, 13636);

    // Entry or leaving in the month: the days employed at the whole month's
    // daily rate (days 1-21 are working days, 22 the holiday).
    struct Case {
        double entry, leaving;
        int days, holidays;
        double amount;
    };
    // clang-format off
    const Case cases[] = {
        {os::EncodeDate(2019, 3, 11), 0,                            11, 1, 150000},  // 300 000 × 11 / 22
        {0,                           os::EncodeDate(2019, 3, 10),  10, 0, 136364},
        {os::EncodeDate(2019, 3, 5),  os::EncodeDate(2019, 3, 22),  17, 1, 231818},
        {os::EncodeDate(2018, 3, 11), os::EncodeDate(2019, 4, 10),  21, 1, 286364},  // outside the month
        {os::EncodeDate(2019, 3, 25), os::EncodeDate(2019, 3, 5),   21, 1, 286364},  // crossed: the whole month
    };
    // clang-format on
    for (const Case& c : cases) {
        ctx.employee.Set("DG_BELEPDAT", c.entry);
        ctx.employee.Set("DG_KILEPDAT", c.leaving);
        SzamfejtRow w, h;
        AddWorkingDaysWageRow(run, w, "100");
        AddPaidHolidayWageRow(run, h, "102");
        EXPECT_EQ(w.SF_NAP, c.days) << c.entry << " " << c.leaving;
        EXPECT_EQ(w.SF_OSSZEG, c.amount) << c.entry << " " << c.leaving;
        EXPECT_EQ(h.SF_NAP, c.holidays) << c.entry << " " << c.leaving;
        EXPECT_EQ(PaidHolidayDaysEmployed(run), c.holidays);
        EXPECT_EQ(WorkingDaysInMonth(run) + PaidHolidayDaysInMonth(run), 22) << "the rate's days stay";
    }
}

TEST_F(ItemAmountsTest, ACalculationThatCannotGoOnStopsWithAnError) {
    PayrollRun run(ctx);
    SzamfejtRow days = Row("150", {}), hours = Row("150", {});
    days.SF_NAP = 2;
    hours.SF_ORA = 4.0;
    auto error = [&](const std::string& kind, const SzamfejtRow& row) -> std::string {
        try {
            AmountOf(kind, row, run);
        } catch (const CalculationError& e) {
            return e.what();
        }
        return "no error";
    };
    ctx.employee.Set("DG_NAPIKOTORA", 0.0);
    EXPECT_EQ(error("2", hours), "A(z) \"150\" jogcím nem számítható: a dolgozó napi munkaideje 0!");
    EXPECT_EQ(error("3", days), "no error") << "a monthly wage by days divides by the paid days only";
    EXPECT_EQ(error("", days), "A(z) \"150\" jogcím számítási módja (\"\") nem szám!");
    EXPECT_EQ(error("1a", days), "A(z) \"150\" jogcím számítási módja (\"1a\") nem szám!");
    EXPECT_EQ(error("9", days), "Hiányzik a(z) \"46\" kódú évi paraméter az értékkészletből!");
    ctx.month = 4;  // no calendar days at all
    for (const char* kind : {"1", "2", "3", "10"})
        EXPECT_EQ(error(kind, days),
                  "A(z) 4. hónapban a naptár szerint nincs munkanap a dolgozó munkarendjében!");
    SzamfejtRow wage;
    EXPECT_THROW(AddWorkingDaysWageRow(run, wage, "100"), CalculationError);
    EXPECT_EQ(error("4", days), "no error");
}

}  // namespace
