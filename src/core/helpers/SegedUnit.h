// The shared helpers every calculating form and file writer calls: the one
// rounding rule of the system, exact decimal products for the steps that need
// them, date parts, the amount in words, and the fixed-width field formatters
// of the bank and fund files. No state, no tables.
#pragma once

#include <stdexcept>
#include <string>

namespace db {
class Field;
}

// --- Rounding -------------------------------------------------------------
// Overflow of a 64-bit result raises std::overflow_error.

int Elojel(long double x);
long long Csonkit(long double x);
long long KerekitFel(long double x);
// Half away from zero, decided on the value exactly as received: a product
// whose binary value lies just below .5 rounds down (use RoundProduct when a
// decimal factor must act exactly).
long long Kerekit(long double x);
long double KerekitN(int n, long double x);
// To the nearest whole number, a half to the even one (2.5 -> 2, 3.5 -> 4,
// -2.5 -> -2), decided on the value as received. For the counts the system
// reads "as whole numbers" (hours of absence pay, summed query results).
long long RoundHalfEven(long double x);

// A decimal number held exactly: units / 10^scale.
struct Decimal {
    __int128 units = 0;
    int scale = 0;
};

// The shortest decimal that reads back as x: 0.15 is 15/100 exactly, as the
// rate was typed. Raises std::range_error beyond 18 significant decimals.
Decimal ToDecimal(double x);
Decimal Multiply(const Decimal& a, const Decimal& b);
// Exact sum and difference (the finer scale of the two).
Decimal Add(const Decimal& a, const Decimal& b);
Decimal Subtract(const Decimal& a, const Decimal& b);
// The value as a long double, for a chain that goes on with a division.
long double ToLongDouble(const Decimal& d);
// Half away from zero on the exact decimal value.
long long Kerekit(const Decimal& d);
long double KerekitN(int n, const Decimal& d);

// amount × factor and amount × percent / 100 computed exactly in decimal, then
// rounded half away from zero: RoundProduct(10, 0.15) = 2 (1.5 exactly),
// RoundPercent(123457, 18.5) = 22840 (22839.545).
long long RoundProduct(double amount, double factor);
long long RoundPercent(double amount, double percent);
// amount / divisor rounded half away from zero, the divisor acting as the
// exact decimal it was typed as (RoundQuotient(1500, 0.15) = 10000,
// RoundQuotient(20, 0.15) = 133). A divisor of 0 raises std::domain_error.
long long RoundQuotient(double amount, double divisor);

// --- Dates (day numbers, 0 = the empty date) --------------------------------

// part 0 the year, 1 the month, 2 the day; 0 for the empty date or another part.
int DatumResz(int part, double date);
// The earlier / later of two dates; an empty date is ignored.
double KisebbDatum(double a, double b);
double NagyobbDatum(double a, double b);
// "YYYY.MM.DD"; the empty text for the empty date.
std::string DatumSzoveg(double date);

// True for declaration cell names: longer than one character, "S" or "L"
// followed by a digit ("S301A", "L04_SZAKKEPZESIALAP").
bool KodEllenoriz(const std::string& text);
// Social contribution tax rate of a month of the processing year, in percent.
double SzhaSzazalek(int month);
// The amount in Hungarian words, first letter capital ("Kettőezer-egy").
// Raises std::overflow_error for the smallest 32-bit integer.
std::string SzamBetuvel(int value);
// A number as the general floating-point text: no thousands separator, the
// decimal comma, only the digits it needs (up to 15 significant ones).
std::string AltalanosSzam(double value);

// Zeros on the left up to `width`; width 0 gives "1".."9" one leading zero.
// A text longer than the width, or not a whole number with width 0, is a
// caller error (std::invalid_argument).
std::string NullaKitolt(const std::string& text, int width);
std::string SzamNullaKitolt(long long value, int width);

// --- Fixed-width fields ---------------------------------------------------
// Text arrives as UTF-8. FixSzoveg returns the bytes of the file (CP1250 with
// the eighteen Hungarian letters moved to CP852) and counts the width in those
// bytes. A number that does not fit its field, or a negative number that
// would get zeros before its sign ("000-3"), raises FieldFormatError: the
// writer must stop rather than send a cut or garbled amount to a bank.

class FieldFormatError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Side 0 pads on the right, 1 on the left, any other value leaves it short.
std::string FixSzoveg(const std::string& text, unsigned width, const std::string& fill, int side);
// As FixSzoveg without the code-page conversion: UTF-8 in and out, the width
// counted in characters (one CP1250 byte each).
std::string FixKitolt(const std::string& text, unsigned width, const std::string& fill, int side);
// Kerekit(value) zero-filled (FixSzam) or blank-filled (FixOsszeg) on the left.
// Width 0 writes the digits at their own length.
std::string FixSzam(unsigned width, long double value);
std::string FixOsszeg(unsigned width, long double value);
std::string FixEgesz(int number, unsigned width);
// Year, month, day digits ("20190305"); a longer text keeps its last `width`
// characters (width 6 gives "190305").
std::string FixDatum(unsigned width, double date);
// "X" for exactly "I", otherwise one blank.
std::string FixJelolo(const std::string& text);
// The field's value as a fixed-width field chosen by the field's data type:
// text (trimmed) by FixSzoveg, or FixJelolo in width 0; small integer, integer
// and float by FixSzam (null as 0, or nothing in width 0); date by FixDatum
// (null as the fill). Any other type raises FieldFormatError naming the field.
std::string FixMezo(const db::Field& field, unsigned width, const std::string& fill, int side);

std::string CsakSzamjegy(const std::string& text);
std::string CsakSzam(const std::string& text);

// Address line split at its public-space word: part 0 before the word, 1 the
// word, 2 after it ("Kossuth Lajos utca 12." -> "Kossuth Lajos", "utca", "12.").
std::string CimBont(const std::string& line, int part);
// A value laid into an edit mask ("99999999-9-99;0;*"): its characters fill
// the "9" positions from the left with the mask's literals between them; a
// position left without a character gets the mask's blank character ("*").
// Byte-wise: for digits and dates.
std::string MaszkKitolt(const std::string& mask, const std::string& value);
// The first word of a name, and the rest after its first blank.
std::string ElsoSzo(const std::string& name);
std::string MaradekSzo(const std::string& name);
// A name split into a family-name and a given-name field at its first blank;
// a name without a blank goes whole into the family name (ElsoSzo would leave
// both fields empty and lose it).
struct NameParts {
    std::string family;
    std::string given;
};
NameParts SplitName(const std::string& name);
// Part 0 before the first blank, part 1 after it (the whole text without one).
std::string SzovegBont(const std::string& text, int part);
