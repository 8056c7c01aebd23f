#include <gtest/gtest.h>

#include <cmath>

#include "core/helpers/SegedUnit.h"
#include "platform/db/ListDataset.h"
#include "platform/os/DayNumber.h"
#include "support/TestSupport.h"

using testsupport::Bytes;

TEST(Kerekit, HalfAwayFromZeroOnTheValueAsReceived) {
    struct Case {
        long double x;
        long long expected;
    };
    const Case cases[] = {
        {2.5L, 3},
        {-2.5L, -3},
        {2.4999L, 2},
        {-2.4999L, -2},
        {-1234.5L, -1235},
        {7, 7},
        {0.5L, 1},
        {-0.5L, -1},
        {0.4999999L, 0},
        {0, 0},
        {9007199254740993.0L, 9007199254740993LL},
        // The binary value of 10 × 0.15 lies below 1.5: no decimal correction.
        {10 * static_cast<long double>(0.15), 1},
    };
    for (const Case& c : cases) EXPECT_EQ(Kerekit(c.x), c.expected) << static_cast<double>(c.x);
    EXPECT_THROW(Kerekit(1e19L), std::overflow_error);
    EXPECT_THROW(Kerekit(NAN), std::overflow_error);
    EXPECT_EQ(KerekitFel(2.1L), 3);
    EXPECT_EQ(KerekitFel(-2.1L), -3);
    EXPECT_EQ(KerekitFel(-2), -2);
    EXPECT_EQ(Csonkit(-2.9L), -2);
    EXPECT_EQ(Elojel(-0.1L), -1);
}

TEST(Kerekit, DecimalsAndTheBinaryValue) {
    struct Case {
        int n;
        long double x;
        double expected;
    };
    const Case cases[] = {
        {2, 0.125L, 0.13},   {2, -0.125L, -0.13},  {1, 0.24L, 0.2},
        {3, 1.0005L, 1.001}, {2, 1.005, 1.00},  // the double 1.005 lies below its decimal value
        {0, 2.5L, 3},        {0, -1234.5L, -1235}, {2, 22839.545L, 22839.55},
    };
    for (const Case& c : cases)
        EXPECT_EQ(static_cast<double>(KerekitN(c.n, c.x)), c.expected)
            << c.n << " " << static_cast<double>(c.x);
}

TEST(Kerekit, ExactDecimalProducts) {
    EXPECT_EQ(RoundProduct(10, 0.15), 2);    // 1.5 exactly
    EXPECT_EQ(RoundProduct(50, 0.17), 9);    // 8.5
    EXPECT_EQ(RoundProduct(50, 6.67), 334);  // 333.5
    EXPECT_EQ(RoundProduct(-10, 0.15), -2);
    EXPECT_EQ(RoundPercent(123457, 18.5), 22840);  // 22839.545
    EXPECT_EQ(RoundPercent(1, 50), 1);             // 0.5
    EXPECT_EQ(RoundPercent(1e15, 19.5), 195000000000000LL);
    EXPECT_EQ(RoundQuotient(20, 0.15), 133);  // 133.33...
    EXPECT_EQ(RoundQuotient(25, 10), 3);      // 2.5
    EXPECT_EQ(RoundQuotient(-25, 10), -3);
    EXPECT_EQ(RoundQuotient(3, -0.2), -15);
    EXPECT_EQ(RoundQuotient(1, 0.08), 13);  // 12.5
    EXPECT_THROW(RoundQuotient(1, 0), std::domain_error);
    EXPECT_EQ(static_cast<double>(KerekitN(2, Multiply(ToDecimal(123457), ToDecimal(0.185)))), 22839.55);
    EXPECT_EQ(static_cast<double>(KerekitN(1, ToDecimal(1.005))), 1.0);
    EXPECT_EQ(static_cast<double>(KerekitN(2, ToDecimal(1.005))), 1.01);      // the decimal tie
    EXPECT_EQ(static_cast<double>(KerekitN(-1, ToDecimal(12345))), 12350.0);  // to tens
    EXPECT_EQ(static_cast<double>(KerekitN(-2, ToDecimal(-1250))), -1300.0);
    EXPECT_EQ(ToDecimal(1.5e20).scale, 0);
    EXPECT_THROW(ToDecimal(1e-30), std::range_error);
    EXPECT_THROW(Kerekit(ToDecimal(1e19)), std::overflow_error);
    EXPECT_THROW(Multiply(ToDecimal(9e19), ToDecimal(9e19)), std::overflow_error);
}

TEST(Kerekit, HalfToEvenAndExactSums) {
    struct Case {
        long double x;
        long long expected;
    };
    const Case cases[] = {
        {2.5L, 2}, {3.5L, 4}, {-2.5L, -2}, {-3.5L, -4},  {0.5L, 0}, {1.5L, 2},
        {7.5L, 8}, {6.5L, 6}, {2.51L, 3},  {-2.49L, -2}, {4, 4},    {0, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(RoundHalfEven(c.x), c.expected) << static_cast<double>(c.x);
    EXPECT_THROW(RoundHalfEven(1e19L), std::overflow_error);
    EXPECT_THROW(RoundHalfEven(NAN), std::overflow_error);

    // 0.1 + 0.2 + 0.2 is 0.5 exactly, which the binary sum misses.
    const Decimal sum = Add(Add(ToDecimal(0.1), ToDecimal(0.2)), ToDecimal(0.2));
    EXPECT_EQ(Kerekit(sum), 1);
    EXPECT_EQ(Kerekit(Subtract(ToDecimal(0.1), ToDecimal(0.6))), -1);  // -0.5
    EXPECT_EQ(static_cast<double>(ToLongDouble(Subtract(ToDecimal(300000), ToDecimal(0.25)))), 299999.75);
    EXPECT_THROW(Add(Decimal{static_cast<__int128>(1) << 120, 0}, Decimal{1, 18}), std::overflow_error);
}

TEST(SegedDates, PartsOrderAndText) {
    const double d = os::EncodeDate(2019, 3, 5);
    const double e = os::EncodeDate(2019, 5, 1);
    EXPECT_EQ(DatumResz(0, d), 2019);
    EXPECT_EQ(DatumResz(1, d), 3);
    EXPECT_EQ(DatumResz(2, d), 5);
    EXPECT_EQ(DatumResz(3, d), 0);
    EXPECT_EQ(DatumResz(0, 0), 0);
    EXPECT_EQ(KisebbDatum(0, e), e);
    EXPECT_EQ(KisebbDatum(d, e), d);
    EXPECT_EQ(NagyobbDatum(d, e), e);
    EXPECT_EQ(NagyobbDatum(e, 0), e);
    EXPECT_EQ(NagyobbDatum(0, 0), 0);
    EXPECT_EQ(KisebbDatum(d, d), d);
    EXPECT_EQ(DatumSzoveg(d), "2019.03.05");
    EXPECT_EQ(DatumSzoveg(0), "");
    EXPECT_EQ(SzhaSzazalek(6), 19.5);
    EXPECT_EQ(SzhaSzazalek(7), 17.5);
    EXPECT_EQ(SzhaSzazalek(12), 17.5);
    for (const char* yes : {"S1", "S301A", "L04_SZAKKEPZESIALAP"}) EXPECT_TRUE(KodEllenoriz(yes)) << yes;
    for (const char* no : {"S", "SX1", "s1", ""}) EXPECT_FALSE(KodEllenoriz(no)) << no;
}

TEST(SzamBetuvel, EveryExample) {
    struct Case {
        int v;
        const char* text;
    };
    const Case cases[] = {
        {0, "Nulla"},
        {1, "Egy"},
        {2, "Kettő"},
        {3, "Három"},
        {5, "Öt"},
        {10, "Tíz"},
        {11, "Tizenegy"},
        {21, "Huszonegy"},
        {100, "Száz"},
        {101, "Százegy"},
        {110, "Száztíz"},
        {200, "Kettőszáz"},
        {1000, "Ezer"},
        {1001, "Ezeregy"},
        {1500, "Ezerötszáz"},
        {1999, "Ezerkilencszázkilencvenkilenc"},
        {2000, "Kettőezer"},
        {2001, "Kettőezer-egy"},
        {12345, "Tizenkettőezer-háromszáznegyvenöt"},
        {100000, "Százezer"},
        {100500, "Százezer-ötszáz"},
        {123456, "Százhuszonháromezer-négyszázötvenhat"},
        {1000001, "Egymillió-egy"},
        {1000500, "Egymillió-ötszáz"},
        {1500000, "Egymillió-ötszázezer"},
        {2000005, "Kettőmillió-öt"},
        {123456789, "Százhuszonhárommillió-négyszázötvenhatezer-hétszáznyolcvankilenc"},
        {1000000000, "Egymilliárd"},
        {-1234, "Mínusz ezerkettőszázharmincnégy"},
        {-5, "Mínusz öt"},
        {2147483647, "Kettőmilliárd-száznegyvenhétmillió-négyszáznyolcvanháromezer-hatszáznegyvenhét"},
    };
    for (const Case& c : cases) EXPECT_EQ(SzamBetuvel(c.v), c.text) << c.v;
    EXPECT_THROW(SzamBetuvel(std::numeric_limits<int>::min()), std::overflow_error);
}

TEST(NullaKitolt, WidthAndTwoDigitMonths) {
    EXPECT_EQ(NullaKitolt("5", 0), "05");
    EXPECT_EQ(NullaKitolt("12", 0), "12");
    EXPECT_EQ(NullaKitolt("0", 0), "0");
    EXPECT_EQ(NullaKitolt("-3", 0), "-3");
    EXPECT_EQ(NullaKitolt("7", 3), "007");
    EXPECT_EQ(SzamNullaKitolt(9, 0), "09");
    EXPECT_THROW(NullaKitolt("1234", 3), std::invalid_argument);
    EXPECT_THROW(NullaKitolt("x", 0), std::invalid_argument);
}

TEST(FixFields, TextIsCodePage852CutAndPadded) {
    EXPECT_EQ(Bytes(FixSzoveg("Árvíztűrő", 12, " ", 0)),
              (std::vector<int>{181, 114, 118, 161, 122, 116, 251, 114, 139, 32, 32, 32}));
    EXPECT_EQ(Bytes(FixSzoveg("Árvíztűrő", 3, " ", 0)), (std::vector<int>{181, 114, 118}));
    EXPECT_EQ(FixSzoveg("7", 3, "0", 1), "007");
    EXPECT_EQ(FixSzoveg("ab", 5, " ", 2), "ab");
    EXPECT_EQ(FixSzoveg("ab", 5, "", 0), "ab");
    EXPECT_EQ(FixSzoveg("", 4, " ", 0), "    ");
    // Other CP1250 letters pass as CP1250 bytes; a letter CP1250 lacks is an error.
    EXPECT_EQ(Bytes(FixSzoveg("ä", 1, " ", 0)), (std::vector<int>{228}));
    EXPECT_THROW(FixSzoveg("€x✓", 4, " ", 0), std::runtime_error);
    EXPECT_EQ(FixKitolt("3", 2, "0", 1), "03");
    EXPECT_EQ(FixKitolt("Ő", 2, " ", 0), "Ő ");  // one character, not two bytes
    EXPECT_EQ(FixKitolt("Árvíz", 3, " ", 0), "Árv");
}

TEST(FixFields, NumbersAndDates) {
    EXPECT_EQ(FixSzam(4, 2.5), "0003");
    EXPECT_EQ(FixSzam(4, 1234.4), "1234");
    EXPECT_EQ(FixSzam(0, -5), "-5");  // own length
    // A negative number that fills its field needs no zeros before its sign:
    // the member-fee file writes each value at its own length.
    EXPECT_EQ(FixSzam(2, -7), "-7");
    EXPECT_EQ(FixEgesz(-12, 3), "-12");
    EXPECT_EQ(FixOsszeg(4, -5), "  -5");
    EXPECT_EQ(FixOsszeg(4, 12.5), "  13");
    EXPECT_EQ(FixEgesz(7, 4), "0007");
    EXPECT_EQ(FixEgesz(1, 3), "001");
    const double d = os::EncodeDate(2019, 12, 1);
    EXPECT_EQ(FixDatum(8, d), "20191201");
    EXPECT_EQ(FixDatum(6, d), "191201");
    EXPECT_EQ(FixDatum(4, d), "1201");
    EXPECT_EQ(FixDatum(10, os::EncodeDate(2019, 3, 5)), "20190305");
    EXPECT_EQ(FixJelolo("I"), "X");
    for (const char* t : {"i", "N", ""}) EXPECT_EQ(FixJelolo(t), " ");
    EXPECT_EQ(CsakSzamjegy("12-34 5"), "12345");
    EXPECT_EQ(CsakSzam("abc"), "");
}

TEST(FixFields, ANumberThatWouldCorruptTheFileStopsIt) {
    // A cut amount or "000-3" in a bank record would be read as another number.
    EXPECT_THROW(FixSzam(2, 12345), FieldFormatError);
    EXPECT_THROW(FixSzam(5, -2.5), FieldFormatError);
    EXPECT_THROW(FixEgesz(12345, 3), FieldFormatError);
    EXPECT_THROW(FixEgesz(-1, 3), FieldFormatError);
    EXPECT_THROW(FixOsszeg(2, 123), FieldFormatError);
    try {
        FixSzam(2, 12345);
    } catch (const FieldFormatError& e) {
        EXPECT_STREQ(e.what(), "A(z) 12345 érték nem fér el a(z) 2 karakter széles mezőben.");
    }
}

TEST(TextSplitting, AddressesAndNames) {
    struct Case {
        const char* line;
        const char* p0;
        const char* p1;
        const char* p2;
    };
    const Case cases[] = {
        {"Kossuth Lajos utca 12.", "Kossuth Lajos", "utca", "12."},
        {"Fő u. 5", "Fő", "u.", "5"},
        {"Petőfi tér 3", "Petőfi", "tér", "3"},
        {"Bartók Béla ÚT 9", "Bartók Béla", "Út", "9"},  // only a-z are upper-cased
        {"Nagy körút 1", "Nagy", "körút", "1"},
        {"Akácfa", "", "", ""},
        {"utca 5", "", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CimBont(c.line, 0), c.p0) << c.line;
        EXPECT_EQ(CimBont(c.line, 1), c.p1) << c.line;
        EXPECT_EQ(CimBont(c.line, 2), c.p2) << c.line;
    }
    EXPECT_EQ(CimBont("Kossuth Lajos utca 12.", 3), "");
    EXPECT_EQ(CimBont("", 0), "");
    EXPECT_EQ(ElsoSzo(" Kiss Anna Mária "), "Kiss");
    EXPECT_EQ(MaradekSzo("Kiss Anna Mária"), "Anna Mária");
    EXPECT_EQ(MaradekSzo("Kiss  Anna"), " Anna");
    EXPECT_EQ(ElsoSzo("Kiss"), "");
    EXPECT_EQ(MaradekSzo("Kiss"), "");
    EXPECT_EQ(SzovegBont("Kiss", 0), "");
    EXPECT_EQ(SzovegBont("Kiss", 1), "Kiss");
    EXPECT_EQ(SzovegBont("Kiss Anna Mária", 1), "Anna Mária");
}

TEST(SegedUnit, SplitNameKeepsAOneWordNameAsFamilyName) {
    struct Case {
        const char* name;
        const char* family;
        const char* given;
    };
    const Case cases[] = {
        {" Kiss Anna Mária ", "Kiss", "Anna Mária"},
        {"Kiss", "Kiss", ""},
        {"  Kovács  ", "Kovács", ""},
        {"Kiss  Anna", "Kiss", " Anna"},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        const NameParts p = SplitName(c.name);
        EXPECT_EQ(p.family, c.family) << c.name;
        EXPECT_EQ(p.given, c.given) << c.name;
    }
}

TEST(FixFields, FixMezoByFieldType) {
    db::ListDataset ds;
    ds.SetFieldDefs({{"T", db::FieldType::String, 20},
                     {"I", db::FieldType::Integer},
                     {"F", db::FieldType::Float},
                     {"D", db::FieldType::Date},
                     {"B", db::FieldType::Boolean}});
    ds.Open();
    ds.Append();
    ds.Post();  // every field null
    EXPECT_EQ(FixMezo(ds.FieldByName("T"), 4, " ", 0), "    ");
    EXPECT_EQ(FixMezo(ds.FieldByName("T"), 0, " ", 0), " ");
    EXPECT_EQ(FixMezo(ds.FieldByName("I"), 3, " ", 0), "000");
    EXPECT_EQ(FixMezo(ds.FieldByName("I"), 0, " ", 0), "");  // own length: nothing
    EXPECT_EQ(FixMezo(ds.FieldByName("D"), 8, " ", 0), "        ");
    ds.Edit();
    ds.FieldByName("T").SetAsString("  Őri ");
    ds.FieldByName("I").SetAsInteger(-7);
    ds.FieldByName("F").SetAsFloat(2.5);
    ds.FieldByName("D").SetAsDateTime(os::EncodeDate(2019, 12, 1));
    ds.Post();
    EXPECT_EQ(Bytes(FixMezo(ds.FieldByName("T"), 5, " ", 1)), (std::vector<int>{32, 32, 138, 114, 105}));
    EXPECT_EQ(FixMezo(ds.FieldByName("I"), 0, " ", 0), "-7");
    EXPECT_EQ(FixMezo(ds.FieldByName("I"), 2, " ", 0), "-7");  // at its own length
    EXPECT_THROW(FixMezo(ds.FieldByName("I"), 3, " ", 0), FieldFormatError);
    EXPECT_EQ(FixMezo(ds.FieldByName("F"), 4, " ", 0), "0003");
    EXPECT_EQ(FixMezo(ds.FieldByName("D"), 8, " ", 0), "20191201");
    // An unknown type stops the writer instead of shortening its record.
    try {
        FixMezo(ds.FieldByName("B"), 1, " ", 0);
        ADD_FAILURE() << "no error";
    } catch (const FieldFormatError& e) {
        EXPECT_STREQ(e.what(), "Nem található a mező típusa: B");
    }
}
