#include "core/StandardData.h"

#include <gtest/gtest.h>

#include <map>

#include "core/TableLayouts.h"
#include "platform/db/ListDataset.h"
#include "platform/os/DayNumber.h"

namespace {

// An in-memory table shaped like the template of `layout`.
std::unique_ptr<db::ListDataset> MemoryTable(const char* layout) {
    auto ds = std::make_unique<db::ListDataset>();
    const TableLayout* t = FindTableLayout(layout);
    ds->SetFieldDefs(t->FieldDefs());
    AddPersistentFields(*ds, *t);
    ds->Open();
    return ds;
}

void AddPayItem(db::Dataset& ds, const std::map<std::string, std::string>& values) {
    ds.Append();
    for (const auto& [field, value] : values) ds.FieldByName(field).SetAsString(value);
    ds.Post();
}

std::string Field(db::Dataset& ds, const std::string& code, const char* field) {
    EXPECT_TRUE(ds.Locate("JC_KOD", db::Variant(code))) << code;
    return ds.FieldByName(field).AsString();
}

// Every field of every row, to show that a second run changes nothing.
std::vector<std::string> Snapshot(db::Dataset& ds) {
    std::vector<std::string> all;
    for (ds.First(); !ds.Eof(); ds.Next())
        for (int i = 0; i < ds.FieldCount(); ++i)
            all.push_back(ds.Fields(i).IsNull() ? "<null>" : ds.Fields(i).AsString());
    return all;
}

TEST(StandardData, EmptyPayItemTableGetsTheNineCodesOnce) {
    auto jogcim = MemoryTable("Jogcim");
    const auto appended = EnsureStandardPayItems(*jogcim);
    EXPECT_EQ(appended, (std::vector<std::string>{"090A", "090B", "333A", "333B", "409A", "409B", "400C",
                                                  "107S", "119A"}));
    EXPECT_EQ(jogcim->RecordCount(), 9);
    // Appended under the old names, then corrected at once.
    EXPECT_EQ(Field(*jogcim, "333A", "JC_NEV"), "Fenntartói járulék 21%");
    EXPECT_EQ(Field(*jogcim, "409A", "JC_NEV"), "Tagsági járulék 15%");
    EXPECT_EQ(Field(*jogcim, "090B", "JC_NEV"), "Stóla díj");
    EXPECT_EQ(Field(*jogcim, "107S", "JC_SZABTIP"), "1");
    EXPECT_EQ(Field(*jogcim, "119A", "JC_HAVIBEVSOR"), "304");
    EXPECT_EQ(Field(*jogcim, "119A", "JC_TARTOZIK"), "Caft t");
    EXPECT_EQ(Field(*jogcim, "107S", "JC_KOVETEL"), "Jöv elszsz");
    EXPECT_EQ(Field(*jogcim, "333A", "JC_SZAZ"), "21");
    EXPECT_EQ(Field(*jogcim, "333A", "JC_TIPUS"), "0");
    EXPECT_EQ(Field(*jogcim, "119A", "JC_SZAKKEPZES"), "I");
    EXPECT_EQ(Field(*jogcim, "090A", "JC_LETILT"), "I");
    EXPECT_EQ(Field(*jogcim, "090A", "JC_JARULKOD"), "00");
    EXPECT_EQ(Field(*jogcim, "090A", "JC_VJAR"), "N");
    EXPECT_TRUE(jogcim->Locate("JC_KOD", db::Variant("090A")));
    EXPECT_TRUE(jogcim->FieldByName("JC_HAVIBEVSOR").IsNull());
    EXPECT_TRUE(jogcim->FieldByName("JC_SORREND").IsNull());

    const auto before = Snapshot(*jogcim);
    EXPECT_TRUE(EnsureStandardPayItems(*jogcim).empty());
    EXPECT_EQ(Snapshot(*jogcim), before);
}

TEST(StandardData, CorrectionsTouchOnlyTheOldValues) {
    auto jogcim = MemoryTable("Jogcim");
    const std::map<std::string, std::string> base = {
        {"JC_TIPUS", "1"}, {"JC_SZAMKEP", "01"}, {"JC_KIFIZ", "I"}, {"JC_SZAZ", "100"}};
    auto item = [&](std::map<std::string, std::string> v) {
        v.insert(base.begin(), base.end());
        AddPayItem(*jogcim, v);
    };
    item({{"JC_KOD", "333A"}, {"JC_NEV", "Saját név"}, {"JC_SZAZ", "22"}});
    item({{"JC_KOD", "333B"}, {"JC_NEV", "Gyülekezeti MSA"}});
    item({{"JC_KOD", "107S"}, {"JC_NEV", "Nyugdíj szabadság bére"}, {"JC_SZABTIP", "2"}});
    item({{"JC_KOD", "119A"}, {"JC_NEV", "Cafeteria ktg. terít."}, {"JC_HAVIBEVSOR", "301"}});
    item({{"JC_KOD", "340B"}, {"JC_NEV", "EKHO 19,5% fogl."}});
    EnsureStandardPayItems(*jogcim);
    EXPECT_EQ(Field(*jogcim, "333A", "JC_NEV"), "Saját név");
    EXPECT_EQ(Field(*jogcim, "333A", "JC_SZAZ"), "22");
    EXPECT_EQ(Field(*jogcim, "333B", "JC_NEV"), "Gyülekezeti MSA 2%");
    EXPECT_EQ(Field(*jogcim, "107S", "JC_SZABTIP"), "1");
    EXPECT_EQ(Field(*jogcim, "119A", "JC_HAVIBEVSOR"), "301");
    EXPECT_EQ(Field(*jogcim, "340B", "JC_NEV"), "EKHO fogl.");
    EXPECT_EQ(jogcim->RecordCount(), 5 + 5);  // the five codes that were missing
}

TEST(StandardData, ValueSetRowIsAppendedOnlyWhenMissing) {
    auto ek = MemoryTable("Ertekkeszlet");
    EnsureStandardValueSet(*ek);
    EnsureStandardValueSet(*ek);
    ASSERT_EQ(ek->RecordCount(), 1);
    ek->First();
    EXPECT_EQ(ek->FieldByName("EK_TIPUSNEV").AsString(), "SZHA kedv. kód");
    EXPECT_EQ(ek->FieldByName("EK_ERTEKNEV").AsString(), "Védett korú köztisztviselő");
    EXPECT_TRUE(ek->FieldByName("EK_ERTEKNUM").IsNull());

    auto own = MemoryTable("Ertekkeszlet");
    own->Append();
    own->FieldByName("EK_TIPUS").SetAsString("9");
    own->FieldByName("EK_ERTEK").SetAsString("17");
    own->FieldByName("EK_ERTEKNEV").SetAsString("Saját");
    own->Post();
    EnsureStandardValueSet(*own);
    EXPECT_EQ(own->RecordCount(), 1);
    EXPECT_EQ(own->FieldByName("EK_ERTEKNEV").AsString(), "Saját");
}

TEST(StandardData, CalendarYearHasEveryDayWithItsWeekdayValue) {
    auto naptar = MemoryTable("Naptar");
    AppendCalendarYear(*naptar, 2020);
    EXPECT_EQ(naptar->RecordCount(), 366);
    struct Day {
        const char* date;
        int month, day;
        const char* value;
        const char* name;
    };
    const Day days[] = {
        {"2020.01.01", 1, 1, "1", "Sze"}, {"2020.02.29", 2, 29, "0", "Szo"}, {"2020.03.01", 3, 1, "0", "V"},
        {"2020.03.02", 3, 2, "1", "H"},   {"2020.12.31", 12, 31, "1", "Cs"},
    };
    for (const Day& d : days) {
        double date = 0;
        ASSERT_TRUE(os::TextToDate(d.date, date));
        ASSERT_TRUE(naptar->Locate("NT_DATUM", db::Variant(date))) << d.date;
        EXPECT_EQ(naptar->FieldByName("NT_HONAP").AsInteger(), d.month) << d.date;
        EXPECT_EQ(naptar->FieldByName("NT_NAP").AsInteger(), d.day) << d.date;
        EXPECT_EQ(naptar->FieldByName("NT_ERTEK").AsString(), d.value) << d.date;
        EXPECT_EQ(naptar->FieldByName("NT_MEGN").AsString(), d.name) << d.date;
        for (int s = 1; s <= 9; ++s)
            EXPECT_EQ(naptar->FieldByName("NT_ERTEK" + std::to_string(s)).AsString(), d.value) << d.date;
    }
}

}  // namespace
