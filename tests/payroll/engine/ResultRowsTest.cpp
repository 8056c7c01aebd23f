#include <algorithm>

#include "EngineFixture.h"
#include "payroll/engine/ResultRows.h"

using namespace payroll;
using namespace enginetest;

namespace {

class ResultRowsTest : public EngineTest {
protected:
    ResultRowsTest() {
        AddItem(PayItem("100", "1"));
        AddItem(PayItem("321", "E"));
        AddItem(PayItem("330", "C"));
    }
};

TEST_F(ResultRowsTest, PutWritesTheFirstRowOfItsCodeAndClearsZeroBases) {
    PayrollRun run(ctx);
    SzamfejtRow first = Row("100", 1), second = Row("100", 2);
    first.SF_SORSZAM = 1, first.SF_JARALAP = 5, first.SF_NAP = 21;
    second.SF_SORSZAM = 2, second.SF_JARALAP = 6;
    run.rows.Assign({second, first});

    PutResultRow(run, "100", 300000, 0, 250000, 0);
    const SzamfejtRow& r = run.rows[0];
    EXPECT_EQ(r.SF_SORSZAM, 1);
    EXPECT_EQ(r.SF_OSSZEG, 300000);
    EXPECT_FALSE(r.SF_JARALAP.has_value()) << "a base of 0 is stored as null";
    EXPECT_EQ(r.SF_ADOALAP, 250000);
    EXPECT_EQ(r.SF_NAP, 21) << "days stay as they were";
    EXPECT_EQ(r.SF_JCNEV, "Jogcím 100");
    EXPECT_EQ(r.SF_DGKHKOD, "000100");
    EXPECT_EQ(run.rows[1].SF_OSSZEG, 2) << "the second row of the code keeps its values";
    EXPECT_EQ(run.rows[1].SF_JARALAP, 6);

    // A new row: bases and the allowance stay null, booking fields from the employee.
    PutResultRow(run, "330", 58520, 0, 0, 0);
    const SzamfejtRow& n = run.rows[run.rows.FindFirst("330")];
    EXPECT_FALSE(n.SF_JARALAP || n.SF_ADOALAP || n.SF_SZHAKEDVSZAZ);
    EXPECT_EQ(n.SF_MUNKSZAM, "000010");
    EXPECT_EQ(n.SF_JCTIPUS, "C");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ResultRowsTest, AllowanceFieldsAndMissingPayItems) {
    ctx.employee.Set("DG_SZHAKEDVKOD", "06");
    PayrollRun run(ctx);
    PutResultRow(run, "330", 1000, 0, 0, 50);
    EXPECT_EQ(run.rows[0].SF_SZHAKEDVSZAZ, 50);
    EXPECT_EQ(run.rows[0].SF_SZHAKEDVKOD, "06");
    PutResultRowBases(run, "330", 2000, 0, 0);
    EXPECT_EQ(run.rows[0].SF_SZHAKEDVSZAZ, 50) << "the bases-only write keeps the allowance";
    EXPECT_EQ(run.rows[0].SF_SZHAKEDVKOD, "06");
    PutResultRow(run, "330", 2000, 0, 0, 0);
    EXPECT_FALSE(run.rows[0].SF_SZHAKEDVSZAZ.has_value());
    EXPECT_EQ(run.rows[0].SF_SZHAKEDVKOD, "");

    // A code missing from the catalogue: one message, the row keeps its code.
    PutResultRow(run, "999", 10, 0, 0, 0);
    PutResultRow(run, "999", 20, 0, 0, 0);
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Nem létezik a jogcím!"});
    const SzamfejtRow& m = run.rows[run.rows.FindFirst("999")];
    EXPECT_EQ(m.SF_OSSZEG, 20);
    EXPECT_EQ(m.SF_JCTIPUS, "");
    EXPECT_EQ(m.SF_JCNEV, "");

    // Appending never asks; two rows of one code stay in the order written.
    AppendResultRow(run, "321", 1500, 10000);
    AppendResultRow(run, "321", 500, 0);
    AppendResultRow(run, "888", 1, 0);
    EXPECT_EQ(messages.shown.size(), 1u);
    const int at = run.rows.FindFirst("321");
    EXPECT_EQ(run.rows[at].SF_OSSZEG, 1500);
    EXPECT_EQ(run.rows[at].SF_JARALAP, 10000);
    EXPECT_EQ(run.rows[at + 1].SF_OSSZEG, 500);
    DeleteResultRow(run, "321");
    EXPECT_EQ(run.rows[run.rows.FindFirst("321")].SF_OSSZEG, 500);
    DeleteResultRow(run, "777");  // none: nothing happens
}

TEST_F(ResultRowsTest, KeyOrderComparesCodesByteByByteNullFirst) {
    PayrollRun run(ctx);
    std::vector<SzamfejtRow> rows;
    for (const char* code : {"301", "300A", "102F", "300", "270", "102", "2000"})
        rows.push_back(Row(code, 0));
    SzamfejtRow numbered = Row("102", 0);
    numbered.SF_SORSZAM = 1;
    rows.insert(rows.begin(), numbered);
    run.rows.Assign(rows);
    std::vector<std::string> order;
    for (const SzamfejtRow& r : run.rows.Rows()) order.push_back(r.SF_JCKOD);
    EXPECT_EQ(order, (std::vector<std::string>{"102", "102", "102F", "2000", "270", "300", "300A", "301"}));
    EXPECT_FALSE(run.rows[0].SF_SORSZAM.has_value()) << "an unnumbered row sorts before a numbered one";
}

// A posted row takes its key's place; among equal keys a changed row keeps
// its place and a new one goes last, as a stable sort of the set would do.
TEST_F(ResultRowsTest, PostedRowTakesItsKeyPlaceEqualKeysKeepTheirOrder) {
    struct Case {
        int index;  // -1: a new row
        const char* code;
    };
    const Case cases[] = {{-1, "100"}, {-1, "050"}, {-1, "999"}, {-1, "300"}, {0, "300"}, {2, "300"},
                          {4, "300"},  {5, "050"},  {1, "999"},  {3, "100"},  {6, "300"}};
    for (const Case& c : cases) {
        PayrollRun run(ctx);
        std::vector<SzamfejtRow> rows;
        int tag = 0;
        for (const char* code : {"100", "100", "300", "300", "300", "301", "700"}) {
            rows.push_back(Row(code, 0));
            rows.back().SF_OSSZEG = ++tag;
        }
        run.rows.Assign(rows);
        SzamfejtRow posted = c.index < 0 ? Row(c.code, 0) : run.rows[c.index];
        posted.SF_JCKOD = c.code;
        posted.SF_OSSZEG = 100;
        std::vector<SzamfejtRow> expected = run.rows.Rows();
        if (c.index < 0)
            expected.push_back(posted);
        else
            expected[c.index] = posted;
        std::stable_sort(expected.begin(), expected.end(), KeyLess);
        run.rows.Post(c.index, posted);
        std::vector<std::pair<std::string, double>> got, want;
        for (const SzamfejtRow& r : run.rows.Rows()) got.emplace_back(r.SF_JCKOD, r.Osszeg());
        for (const SzamfejtRow& r : expected) want.emplace_back(r.SF_JCKOD, r.Osszeg());
        EXPECT_EQ(got, want) << "row " << c.index << " posted as " << c.code;
    }
}

TEST_F(ResultRowsTest, YearToDateTotalsCountOnlyEarlierPayments) {
    AddItem(PayItem("108", "1"));
    AddItem(PayItem("313A", "E"));
    AddItem(PayItem("700A", "8"));
    AddItem(PayItem("140", "1", "0", "I", {{"JC_SZABTIP", "1"}, {"JC_SZJAKOT", "I"}, {"JC_ELKULADO", "N"}}));
    AddItem(PayItem("150", "1", "0", "I", {{"JC_JARULKOD", "01"}, {"JC_SZABTIP", "2"}}));
    AddItem(PayItem("151", "1", "0", "I", {{"JC_JARULKOD", "00"}}));
    AddItem(PayItem("152", "1", "0", "I", {{"JC_NYJKOT", "I"}}));
    const double run = os::EncodeDate(2019, 4, 10), earlier = os::EncodeDate(2019, 4, 5),
                 later = os::EncodeDate(2019, 4, 20);
    auto row = [&](const char* code, double amount, int month, double paid) {
        SzamfejtRow r = Row(code, amount, month, paid);
        r.SF_JARALAP = amount;
        r.SF_ADOALAP = amount;
        r.SF_NAP = 2;
        return r;
    };
    SzamfejtRow absence = row("150", 0, 3, earlier), notAbsence = row("151", 0, 3, earlier);
    for (SzamfejtRow* r : {&absence, &notAbsence}) {
        r->SF_TOL = os::EncodeDate(2019, 3, 10);
        r->SF_IG = os::EncodeDate(2019, 3, 12);
    }
    SzamfejtRow otherEmployee = row("108", 7, 2, earlier);
    otherEmployee.SF_DGTORZSSZAM = "00002";
    ctx.savedRows = {
        row("108", 1000, 3, run),     // the run's own payment date: nowhere
        row("108", 100, 3, earlier),  // earlier in the month: both groups
        row("108", 10, 2, os::EncodeDate(2019, 3, 10)),
        row("108", 5000, 4, earlier),  // a later month paid before: nowhere
        row("108", 3000, 3, later),
        row("313A", 40, 3, earlier),
        row("313A", 4, 2, os::EncodeDate(2019, 3, 10)),  // an earlier month: not this month's
        row("700A", 300, 1, os::EncodeDate(2019, 2, 10)),
        row("140", 200, 3, earlier),
        row("152", 50, 2, os::EncodeDate(2019, 3, 10)),
        row("999", 1, 1, earlier),  // not in the catalogue: skipped
        absence,
        notAbsence,
        otherEmployee,
    };
    PayrollRun r(ctx);
    EvesOsszesen(r);
    const EvesOsszesenek& t = r.eves;
    EXPECT_EQ(t.Eves108Osszeg, 110);
    EXPECT_EQ(t.HaviKorabbi313A, 40);
    EXPECT_EQ(t.EvesNyugLevontAlap, 300);
    EXPECT_EQ(t.EvesSzabNap1, 2);
    EXPECT_EQ(t.EvesSzabNap2, 2);
    EXPECT_EQ(t.EvesNyugJarAlap, 50);
    EXPECT_EQ(t.EvesNyugKotOsszeg, 50);
    EXPECT_EQ(t.HaviKorabbiAdoalap, 200);
    EXPECT_EQ(t.EvesJovedelemJarAlap, 110 + 200 + 50);
    EXPECT_EQ(t.EvesJarulekmentesNapok[3], 3) << "10th to 12th with JC_JARULKOD \"01\"";
    EXPECT_EQ(t.EvesJarulekmentesNapok[2], 0);

    ctx.savedRows.clear();
    EvesOsszesen(r);
    EXPECT_EQ(r.eves.Eves108Osszeg, 0) << "recomputed from scratch";
}

}  // namespace
