#include "core/helpers/RecordWriter.h"

#include <gtest/gtest.h>

#include "platform/os/DayNumber.h"

namespace {

using enum FieldKind;

// clang-format off
// A transfer file's header: fields back to back, 178 characters.
const RecordLayout kHeader{"fej", 178, RecordCodePage::Cp852Hungarian, "", "", "\r\n", {
//   name         pos  width kind      fill align        text
    {"típus",     1,   5,    Constant, ' ', Align::Left, "80201"},
    {"számla",    6,   16,   Digits},
    {"dátum",     22,  8,    Date},
    {"kód",       30,  2,    Constant, ' ', Align::Left, "01"},
    {"üres",      32,  18,   Constant},
    {"utalás",    50,  8,    Date},
    {"üres2",     58,  121,  Constant},
}};

// An item: a running number, an amount, an account, a name cut to its field.
const RecordLayout kItem{"tétel", 60, RecordCodePage::Cp852Hungarian, "", "", "\r\n", {
    {"sorszám",   1,   7,    Whole,    '0', Align::Right},
    {"összeg",    8,   14,   Whole,    '0', Align::Right},
    {"pénznem",   22,  4,    Constant, ' ', Align::Left, "HUF "},
    {"számla",    26,  24,   Digits},
    {"név",       50,  11,   Text,     ' ', Align::Left, "", kCut},
}};

// A separated line as the ledger export writes it: every field followed by ";".
const RecordLayout kLedger{"főkönyv", 0, RecordCodePage::Cp1250, "", ";", "\r\n", {
    {"számla"}, {"tartozik", 0, 0, Number}, {"követel", 0, 0, Number}, {"munkaszám"},
}};

// A comma-separated line of a fund file: an empty text as one blank.
const RecordLayout kFund{"tagdíj", 0, RecordCodePage::Cp852Hungarian, ",", "", "\r\n", {
    {.name = "adóazonosító", .ifEmpty = " "},
    {.name = "tagdíj",   .kind = Whole},
    {.name = "hozzájárulás", .kind = Whole},
}};
// clang-format on

double D(int y, int m, int d) { return os::EncodeDate(y, m, d); }

}  // namespace

TEST(RecordWriter, LayoutsAddUpToTheirRecordWidth) {
    for (const RecordLayout* layout : {&kHeader, &kItem, &kLedger, &kFund})
        EXPECT_EQ(RecordLayoutProblems(*layout), std::vector<std::string>{}) << layout->name;

    RecordLayout short177 = kHeader;
    short177.fields.back().width = 120;
    EXPECT_EQ(RecordLayoutProblems(short177),
              std::vector<std::string>{"fej: the fields end at 177, the record is 178 wide"});
    EXPECT_THROW(FormatRecord(short177, {{"számla", ""}, {"dátum", 0.0}, {"utalás", 0.0}}), std::logic_error);

    RecordLayout gap = kItem;
    gap.fields[2].position = 23;
    EXPECT_EQ(RecordLayoutProblems(gap).front(), "tétel: pénznem starts at 23, not at 22");
}

TEST(RecordWriter, FixedWidthRecordsInTheFilesCodePage) {
    const std::string header = FormatRecord(
        kHeader, {{"számla", "11773016-11111018"}, {"dátum", D(2019, 5, 8)}, {"utalás", D(2019, 5, 9)}});
    EXPECT_EQ(header,
              "80201"
              "1177301611111018"
              "20190508"
              "01" +
                  std::string(18, ' ') + "20190509" + std::string(121, ' ') + "\r\n");

    // Half away from zero; the name's accented letters as CP852 bytes, cut
    // to the field; an empty date as blanks.
    const std::string item = FormatRecord(
        kItem,
        {{"sorszám", 1}, {"összeg", 1000.5}, {"számla", "11773016-11111018"}, {"név", "Árvíztűrő Éva"}});
    EXPECT_EQ(item,
              "0000001"
              "00000000001001"
              "HUF "
              "1177301611111018        "
              "\xB5rv\xA1zt\xFBr\x8B \x90\r\n");
    EXPECT_EQ(item.size(), 62u);
    EXPECT_EQ(
        FormatRecord(kHeader, {{"számla", ""}, {"dátum", 0.0}, {"utalás", db::Variant()}}).substr(21, 8),
        "        ");
}

TEST(RecordWriter, SeparatedRecords) {
    struct Case {
        const RecordLayout* layout;
        std::vector<RecordValue> values;
        std::string bytes;
        const char* why;
    };
    const Case cases[] = {
        {&kLedger,
         {{"számla", "5311"},
          {"tartozik", 125000.0},
          {"követel", db::Variant()},
          {"munkaszám", db::Variant()}},
         "5311;125000;;;\r\n",
         "empty amount and job number as nothing"},
        {&kLedger,
         {{"számla", "Pénztár"}, {"tartozik", -87000.0}, {"követel", 12.5}, {"munkaszám", "M1"}},
         "P\xE9nzt\xE1r;-87000;12.5;M1;\r\n",
         "the system's code page, a fraction as the lists print it"},
        {&kFund,
         {{"adóazonosító", "8123456789"}, {"tagdíj", 0}, {"hozzájárulás", 3001}},
         "8123456789,0,3001\r\n",
         "numbers at their own length"},
        {&kFund,
         {{"adóazonosító", ""}, {"tagdíj", db::Variant()}, {"hozzájárulás", 1000.5}},
         " ,,1001\r\n",
         "an empty text as one blank, an integer without value as nothing"},
    };
    for (const Case& c : cases) EXPECT_EQ(FormatRecord(*c.layout, c.values), c.bytes) << c.why;
}

TEST(RecordWriter, AValueThatDoesNotFitIsRefusedNamingItsField) {
    struct Case {
        std::vector<RecordValue> values;
        const char* message;
    };
    const Case cases[] = {
        {{{"sorszám", 12345678}, {"összeg", 1}, {"számla", ""}, {"név", ""}},
         "A(z) 12345678 érték nem fér el a(z) 7 karakter széles mezőben. (tétel, sorszám)"},
        {{{"sorszám", 1}, {"összeg", -5}, {"számla", ""}, {"név", ""}},
         "Negatív érték (-5) nem írható nullákkal kitöltött mezőbe. (tétel, összeg)"},
        {{{"sorszám", 1}, {"összeg", 1}, {"számla", "11773016-11111018-000000012"}, {"név", ""}},
         "A(z) 25 karakteres érték nem fér el a(z) 24 karakter széles mezőben. (tétel, számla)"},
    };
    for (const Case& c : cases) {
        try {
            FormatRecord(kItem, c.values);
            ADD_FAILURE() << c.message;
        } catch (const FieldFormatError& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
    }
    // A letter the file's code page lacks.
    EXPECT_THROW(FormatRecord(kLedger, {{"számla", "Ω"}, {"tartozik", 1}, {"követel", 1}, {"munkaszám", ""}}),
                 FieldFormatError);
    // A value the layout lacks, or a field without its value, is the writer's mistake.
    EXPECT_THROW(FormatRecord(kFund, {{"adóazonosító", ""}, {"tagdíj", 0}}), std::logic_error);
    EXPECT_THROW(FormatRecord(kFund, {{"adóazonosító", ""}, {"tagdíj", 0}, {"hozzájárulás", 0}, {"x", 0}}),
                 std::logic_error);
}
