// The in-memory dataset: sorting order, loading, locating, deleting and its
// error texts, as the forms and the payroll run rely on them.
#include <gtest/gtest.h>

#include <climits>
#include <optional>

#include "controls/MemDataSet.h"
#include "platform/db/Table.h"
#include "support/AppErrors.h"
#include "support/TestSupport.h"

namespace {

using db::FieldType;
using db::Variant;
using Opt = std::optional<std::string>;
const Opt kNull;       // never assigned
const Opt kEmpty{""};  // assigned the empty text

// A set with NEV (text, from `names`; kNull leaves it unassigned) and SOR =
// insertion number 1, 2, ...
void Build(TMemoryData& m, const std::vector<Opt>& names) {
    m.AddField({"NEV", FieldType::String, 20});
    m.AddField({"SOR", FieldType::Integer});
    m.AddField({"OSSZEG", FieldType::Float});
    m.Open();
    int n = 0;
    for (const Opt& name : names) {
        m.Append();
        if (name) m.FieldByName("NEV").SetAsString(*name);
        m.FieldByName("SOR").SetAsInteger(++n);
        m.Post();
    }
}

std::vector<int> Order(TMemoryData& m) {
    std::vector<int> out;
    for (m.First(); !m.Eof(); m.Next()) out.push_back(static_cast<int>(m.FieldByName("SOR").AsInteger()));
    return out;
}

TEST(TMemoryData, SortByFieldsOrder) {
    struct Case {
        const char* why;
        std::vector<Opt> names;
        bool caseInsensitive, descending;
        std::vector<int> expected;
    };
    const Case cases[] = {
        {"nulls first", {Opt{"B"}, kNull, Opt{"A"}, kNull}, false, false, {2, 4, 3, 1}},
        {"nulls last descending", {Opt{"B"}, kNull, Opt{"A"}, kNull}, false, true, {1, 3, 4, 2}},
        {"equal keys keep insertion order", {Opt{"X"}, Opt{"X"}, Opt{"X"}}, false, false, {1, 2, 3}},
        {"equal keys reversed descending", {Opt{"X"}, Opt{"X"}, Opt{"X"}}, false, true, {3, 2, 1}},
        {"empty text after null, before any text", {Opt{"a"}, kEmpty, kNull}, false, false, {3, 2, 1}},
        {"Hungarian order: Á with A, c before cs",
         {Opt{"Csaba"}, Opt{"Cukor"}, Opt{"Ábel"}, Opt{"Zoltán"}},
         false,
         false,
         {3, 2, 1, 4}},
        {"case-insensitive ties keep insertion order",
         {Opt{"b"}, Opt{"B"}, Opt{"a"}},
         true,
         false,
         {3, 1, 2}},
    };
    for (const Case& c : cases) {
        TMemoryData m;
        Build(m, c.names);
        m.SortByFields("NEV", c.caseInsensitive, c.descending);
        EXPECT_EQ(Order(m), c.expected) << c.why;
    }
}

TEST(TMemoryData, SortKeepsTheCurrentRecordAndReportsBadFields) {
    TMemoryData m;
    Build(m, {Opt{"C"}, Opt{"A"}, Opt{"B"}});
    m.Locate("SOR", Variant(3));
    m.SortByFields("NEV ; SOR");
    EXPECT_EQ(m.FieldByName("SOR").AsInteger(), 3);
    EXPECT_EQ(m.RecNo(), 2);
    EXPECT_EQ(m.KeyFieldNames(), "NEV;SOR");

    TMemoryData b;
    b.AddField({"NEV", FieldType::String, 20});
    b.AddField({"KEP", FieldType::Blob});
    b.Open();
    try {
        b.SortByFields("NEV;KEP");
        FAIL();
    } catch (const db::DatabaseError& e) {
        EXPECT_STREQ(e.what(), "Type mismatch for field 'KEP', expecting: String actual: Blob");
    }
    EXPECT_EQ(b.KeyFieldNames(), "");  // a failed sort drops the list
    EXPECT_THROW(b.SortByFields("NINCS"), db::DatabaseError);
}

TEST(TMemoryData, PayrollWorkingSetSortedOnSixFields) {
    TMemoryData m;
    m.AddField({"SF_DGTORZSSZAM", FieldType::String, 6});
    m.AddField({"SF_HONAP", FieldType::SmallInt});
    m.AddField({"SF_KIFIZDAT", FieldType::Date});
    m.AddField({"SF_JCKOD", FieldType::String, 4});
    m.AddField({"SF_SORSZAM", FieldType::Integer});
    m.AddField({"SF_RJSORSZAM", FieldType::Integer});
    m.Open();
    m.AfterPost = [](db::Dataset& d) {
        static_cast<TMemoryData&>(d).SortByFields(
            "SF_DGTORZSSZAM;SF_HONAP;SF_KIFIZDAT;SF_JCKOD;SF_SORSZAM;SF_RJSORSZAM");
    };
    for (const char* code : {"750", "102", "300", "102F"}) {
        m.Append();
        m.FieldByName("SF_DGTORZSSZAM").SetAsString("000001");
        m.FieldByName("SF_HONAP").SetAsInteger(3);
        m.FieldByName("SF_JCKOD").SetAsString(code);
        m.FieldByName("SF_SORSZAM").SetAsInteger(1);
        m.Post();
        EXPECT_EQ(m.FieldByName("SF_JCKOD").AsString(), code);  // the posted row stays current
    }
    std::vector<std::string> codes;
    for (m.First(); !m.Eof(); m.Next()) codes.push_back(m.FieldByName("SF_JCKOD").AsString());
    EXPECT_EQ(codes, (std::vector<std::string>{"102", "102F", "300", "750"}));
}

TEST(TMemoryData, LoadRecordsFrom) {
    TMemoryData src;
    Build(src, {Opt{"a"}, Opt{"b"}, Opt{"c"}, Opt{"d"}, Opt{"e"}, Opt{"f"}, Opt{"g"}, Opt{"h"}});
    src.SetRecNo(5);
    TMemoryData m;
    EXPECT_EQ(m.LoadRecordsFrom(src, 3, false), 3);
    EXPECT_EQ(Order(m), (std::vector<int>{5, 6, 7}));
    EXPECT_EQ(m.LoadRecordsFrom(m, 0, true), 0);

    // The callers' way: copy the layout, open, load all with the structure kept.
    TMemoryData all;
    src.Close();
    src.Open();  // empty now; give it rows again with a filter hiding some
    for (int i = 1; i <= 6; ++i) {
        src.Append();
        src.FieldByName("SOR").SetAsInteger(i);
        src.Post();
    }
    src.SetFilter("SOR <> 2 and SOR <> 5");
    src.SetFiltered(true);
    src.Last();
    all.CopyFieldLayout(src);
    all.Open();
    EXPECT_EQ(all.LoadRecordsFrom(src, 0, true), 4);
    EXPECT_EQ(Order(all), (std::vector<int>{1, 3, 4, 6}));
    all.First();
    EXPECT_EQ(all.RecNo(), 1);
    // LoadRecordsFrom leaves a closed source closed.
    TMemoryData more;
    more.CopyFieldLayout(all);
    all.Close();
    more.Open();
    EXPECT_EQ(more.LoadRecordsFrom(all, 0, true), 0);
    EXPECT_FALSE(all.Active());
}

TEST(TMemoryData, LocateRecordCountDeleteIdentifiers) {
    TMemoryData m;
    Build(m, {});
    EXPECT_FALSE(m.Locate("NEV", Variant("x")));  // empty set
    m.Close();
    m.Open();
    for (int i = 0; i < 4; ++i) {
        m.Append();
        m.FieldByName("NEV").SetAsString(i % 2 ? "B" : "A");
        m.FieldByName("SOR").SetAsInteger(i + 1);
        m.Post();
    }
    m.SetRecNo(3);  // an "A" with an earlier "A" before it
    EXPECT_TRUE(m.Locate("NEV", Variant("A")));
    EXPECT_EQ(m.RecNo(), 3);
    EXPECT_FALSE(m.Locate("NEV; SOR", {Variant("B"), Variant(3)}));
    EXPECT_EQ(m.RecNo(), 3);

    m.SetFilter("NEV = 'A'");
    m.SetFiltered(true);
    EXPECT_EQ(m.RecordCount(), 4);  // the filter is not applied
    m.SetFiltered(false);
    m.SetFilter("");

    // An error in the filter handler goes to the application's handler and
    // the record passes unless the handler had already rejected it.
    std::vector<std::string> reported;
    testsupport::CollectApplicationErrors(reported);
    m.SetOnFilterRecord([](db::Dataset& d, bool& accept) {
        if (d.FieldByName("SOR").AsInteger() == 2) throw std::runtime_error("hiba");
        if (d.FieldByName("SOR").AsInteger() == 4) {
            accept = false;
            throw std::runtime_error("hiba");
        }
    });
    m.SetFiltered(true);
    std::vector<int> visible;
    for (m.First(); !m.Eof(); m.Next()) visible.push_back(static_cast<int>(m.FieldByName("SOR").AsInteger()));
    EXPECT_EQ(visible, (std::vector<int>{1, 2, 3}));
    EXPECT_FALSE(reported.empty());
    db::SetApplicationExceptionHandler(nullptr);
    m.SetFiltered(false);

    m.Last();
    m.Delete();
    EXPECT_EQ(m.RecNo(), 3);
    while (!m.IsEmpty()) m.Delete();
    m.Append();
    m.Post();
    EXPECT_EQ(*m.GetBookmark(), static_cast<long long>(INT_MIN) + 1);  // the first identifier again
}

TEST(TMemoryData, DeleteUnderAFilterStepsBack) {
    struct Case {
        const char* why;
        const char* filter;  // "" = none
        int deleteSor;
        int expected;  // SOR of the record current afterwards
    };
    const Case cases[] = {
        {"no filter: the next record slides in", "", 2, 3},
        {"no filter, the last record: the previous one", "", 6, 5},
        {"filter: the record sliding in passes", "SOR <> 4", 2, 3},
        {"filter hides the one sliding in: back to a previous visible", "SOR <> 5", 4, 3},
        {"filter hides the last: back", "SOR <> 6", 5, 4},
        {"nothing visible before: the first visible after", "SOR <> 2 and SOR <> 3", 1, 4},
    };
    for (const Case& c : cases) {
        TMemoryData m;
        Build(m, {Opt{"a"}, Opt{"b"}, Opt{"c"}, Opt{"d"}, Opt{"e"}, Opt{"f"}});
        m.SetFilter(c.filter);
        m.SetFiltered(true);
        ASSERT_TRUE(m.Locate("SOR", Variant(c.deleteSor))) << c.why;
        m.Delete();
        EXPECT_EQ(m.FieldByName("SOR").AsInteger(), c.expected) << c.why;
    }
}

TEST(TMemoryData, LocateScrollEventsRecNoAndNoDataFound) {
    TMemoryData m;
    Build(m, {Opt{"a"}, Opt{"b"}, Opt{"c"}, Opt{"d"}});
    int before = 0, after = 0;
    m.BeforeScroll = [&](db::Dataset&) { ++before; };
    m.AfterScroll = [&](db::Dataset&) { ++after; };
    EXPECT_TRUE(m.Locate("SOR", Variant(1)));  // already current: no move, both events
    EXPECT_EQ(before, 1);
    EXPECT_EQ(after, 1);
    EXPECT_FALSE(m.Locate("SOR", Variant(9)));  // no match: before-scroll only
    EXPECT_EQ(before, 2);
    EXPECT_EQ(after, 1);
    EXPECT_EQ(m.RecNo(), 1);
    m.BeforeScroll = nullptr;
    m.AfterScroll = nullptr;

    // Record numbers are positions in the list, filtered or not.
    m.SetFilter("SOR <> 2");
    m.SetFiltered(true);
    m.SetRecNo(3);
    EXPECT_EQ(m.FieldByName("SOR").AsInteger(), 3);
    EXPECT_EQ(m.RecNo(), 3);
    m.SetRecNo(2);  // hidden: the next visible one
    EXPECT_EQ(m.FieldByName("SOR").AsInteger(), 3);
    m.SetRecNo(7);  // ignored
    EXPECT_EQ(m.RecNo(), 3);

    // A bookmark to a hidden record keeps the current one; with no current
    // record to keep the set says so.
    m.SetFiltered(false);
    m.SetRecNo(2);
    const db::Bookmark hidden = m.GetBookmark();
    m.SetFiltered(true);
    m.Last();
    m.GotoBookmark(hidden);
    EXPECT_EQ(m.FieldByName("SOR").AsInteger(), 4);
    m.SetFilter("SOR = 2 and NEV = 'x'");
    try {
        m.GotoBookmark(hidden);
        FAIL();
    } catch (const db::DatabaseError& e) {
        EXPECT_STREQ(e.what(), "No data found");
    }

    // A posted record the filter hides does not stay current.
    m.SetFilter("NEV <> 'z'");
    m.First();
    m.Edit();
    m.FieldByName("NEV").SetAsString("z");
    m.Post();
    EXPECT_EQ(m.FieldByName("SOR").AsInteger(), 2);
}

TEST(TMemoryData, FieldDefinitionsMadeAtRunTime) {
    // The declaration forms' way: definitions, then Open makes the fields.
    TMemoryData m;
    m.SetFieldDefs({{"ADOSZAM", FieldType::String, 8},
                    {"HO", FieldType::Integer},
                    {"OSSZEG", FieldType::Float},
                    {"DATUM", FieldType::Date}});
    m.Open();
    ASSERT_EQ(m.FieldCount(), 4);
    m.Append();
    m.Fields(0).SetAsString("123456789012");  // cut at the field's size
    m.Fields(1).SetAsInteger(3);
    m.FieldByName("DATUM").SetAsString("2019.03.31");
    m.Post();
    EXPECT_EQ(m.Fields(0).AsString(), "12345678");
    EXPECT_TRUE(m.Locate("ADOSZAM; HO", {Variant("12345678"), Variant(3)}));
    EXPECT_FALSE(m.Locate("ADOSZAM; HO", {Variant("1234567"), Variant(3)}));  // exact
    m.Close();
    m.Open();  // the definitions stay, the records go
    EXPECT_EQ(m.FieldCount(), 4);
    EXPECT_EQ(m.RecordCount(), 0);
}

TEST(TMemoryData, EmptyTextReadsNullAndErrors) {
    TMemoryData m;
    Build(m, {kEmpty});
    EXPECT_TRUE(m.FieldByName("NEV").IsNull());
    EXPECT_EQ(m.FieldByName("NEV").AsString(), "");
    try {
        m.CopyFieldLayout(m);
        FAIL();
    } catch (const db::DatabaseError& e) {
        EXPECT_STREQ(e.what(), "Cannot perform this operation on an open dataset");
    }
    try {
        m.FieldByName("NEV").SetAsString("x");
        FAIL();
    } catch (const db::DatabaseError& e) {
        EXPECT_STREQ(e.what(), "Dataset not in edit or insert mode");
    }
    TMemoryData other;
    Build(other, {Opt{"x"}});
    EXPECT_THROW(CopyRecordFields(other, m, true), db::DatabaseError);
    m.Append();
    CopyRecordFields(other, m, false);
    EXPECT_EQ(m.FieldByName("NEV").AsString(), "x");
    m.Cancel();
    m.ClearAllRecords();
    EXPECT_TRUE(m.Active());
    EXPECT_EQ(m.RecordCount(), 0);
    m.Close();
    m.ClearAllRecords();  // closed: nothing

    TMemoryData bad;
    bad.AddField({"X", FieldType::Unknown});
    try {
        bad.Open();
        FAIL();
    } catch (const db::DatabaseError& e) {
        EXPECT_STREQ(e.what(), "Field 'X' is of an unknown type");
    }
}

TEST(TMemoryData, AutoIncrementAndBlobStream) {
    TMemoryData m;
    m.AddField({"ID", FieldType::AutoInc});
    m.AddField({"ADAT", FieldType::Blob});
    m.Open();
    for (int i = 0; i < 3; ++i) {
        m.Append();
        m.Post();
    }
    EXPECT_EQ(m.FieldByName("ID").AsInteger(), 3);
    m.Edit();
    {
        TMemBlobStream w(m.FieldByName("ADAT"), TMemBlobStream::Write);
        w.WriteBytes("abc\0d", 5);
    }
    m.Post();
    TMemBlobStream r(m.FieldByName("ADAT"), TMemBlobStream::Read);
    char buf[8] = {};
    EXPECT_EQ(r.ReadBytes(buf, sizeof buf), 5u);
    EXPECT_EQ(std::string(buf, 5), std::string("abc\0d", 5));
    EXPECT_THROW(TMemBlobStream(m.FieldByName("ADAT"), TMemBlobStream::Write), db::DatabaseError);
    m.Close();
    m.Open();
    m.Append();
    m.Post();
    EXPECT_EQ(m.FieldByName("ID").AsInteger(), 1);  // the counter restarts with the set
}

TEST(TMemoryData, CopyFieldLayoutOfAClosedTable) {
    testsupport::TempHome home;
    db::CreateTable(home.Path(), "Szamfejt_001",
                    {{"SF_DGTORZSSZAM", FieldType::String, 6}, {"SF_KIFIZDAT", FieldType::Date}},
                    "SF_DGTORZSSZAM");
    db::Table t;
    t.DatabaseName = home.Path();
    t.TableName = "Szamfejt_001";
    TMemoryData m;
    m.CopyFieldLayout(t);
    ASSERT_EQ(m.FieldCount(), 2);
    EXPECT_EQ(m.Fields(1).DataType(), FieldType::Date);
    EXPECT_EQ(m.Fields(0).Size(), 6);
}

}  // namespace
