#include "core/helpers/SegedUnit.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "platform/db/Field.h"
#include "platform/os/CodePage.h"
#include "platform/os/DayNumber.h"
#include "platform/os/Text.h"

namespace {

[[noreturn]] void Overflow() { throw std::overflow_error("Egész szám túlcsordulás"); }

__int128 Pow10(int n) {
    __int128 p = 1;
    while (n-- > 0) p *= 10;
    return p;
}

long long ToInt64(__int128 v) {
    if (v > std::numeric_limits<long long>::max() || v < std::numeric_limits<long long>::min()) Overflow();
    return static_cast<long long>(v);
}

// units / 10^drop rounded half away from zero.
__int128 DropDigits(__int128 units, int drop) {
    if (drop <= 0) return units;
    const __int128 p = Pow10(drop);
    __int128 q = units / p;
    const __int128 r = units % p;  // carries the sign of units
    if (r * 2 >= p) ++q;
    if (r * 2 <= -p) --q;
    return q;
}

// Cuts to `width` units and pads with `fill`; `units` tells how many units
// the text holds and where the n-th one starts (bytes or UTF-8 characters).
template <class Count, class Cut>
std::string CutAndPad(std::string s, unsigned width, const std::string& fill, int side, Count count,
                      Cut cut) {
    if (count(s) > width) s = cut(s, width);
    if (fill.empty()) return s;  // no caller passes one; never loop on it
    if (side == 0)
        while (count(s) < width) s += fill;
    else if (side == 1)
        while (count(s) < width) s.insert(0, fill);
    return s;
}

// The digits of a whole number in a field of `width`, filled on the left with
// `fill`; width 0 is the number at its own length.
std::string FixNumber(long long n, unsigned width, char fill) {
    const std::string digits = std::to_string(n);
    if (width == 0) return digits;
    if (digits.size() > width)
        throw FieldFormatError("A(z) " + digits + " érték nem fér el a(z) " + std::to_string(width) +
                               " karakter széles mezőben.");
    // Zeros before the sign ("00-5") would read as another number; a negative
    // number that fills its field exactly ("-7" in width 2) is fine.
    if (n < 0 && fill == '0' && digits.size() < width)
        throw FieldFormatError("Negatív érték (" + digits + ") nem írható nullákkal kitöltött mezőbe.");
    return std::string(width - digits.size(), fill) + digits;
}

}  // namespace

// --- Rounding -------------------------------------------------------------

int Elojel(long double x) { return x < 0 ? -1 : (x > 0 ? 1 : 0); }

long long Csonkit(long double x) {
    const long double t = std::trunc(x);
    // 2^63 is exact in long double; NaN fails both comparisons.
    if (!(t < 9223372036854775808.0L && t >= -9223372036854775808.0L)) Overflow();
    return static_cast<long long>(t);
}

long long KerekitFel(long double x) {
    long long r;
    if (__builtin_add_overflow(Csonkit(x), Elojel(x - std::trunc(x)), &r)) Overflow();
    return r;
}

long long Kerekit(long double x) {
    const long double frac = x - std::trunc(x);
    return std::fabs(frac) >= 0.5L ? KerekitFel(x) : Csonkit(x);
}

long long RoundHalfEven(long double x) {
    const long long whole = Csonkit(x);
    const long double frac = x - std::trunc(x);
    const long double a = std::fabs(frac);
    if (a < 0.5L || (a == 0.5L && whole % 2 == 0)) return whole;
    long long r;
    if (__builtin_add_overflow(whole, Elojel(frac), &r)) Overflow();
    return r;
}

long double KerekitN(int n, long double x) {
    long double p = 1;
    for (int i = 0; i < std::abs(n); ++i) p *= 10;
    if (n < 0) p = 1 / p;
    const long double y = x * p;
    const long double whole = std::trunc(y);
    const long double a = std::trunc(2 * (y - whole));
    return (whole + a) / p;
}

Decimal ToDecimal(double x) {
    if (!std::isfinite(x)) throw std::range_error("Nem véges szám nem alakítható tizedes törtté.");
    // Shortest round-trip form "d.ddde±x": the digits as typed, and the exponent.
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::scientific);
    const std::string s(buf, res.ptr);
    const size_t e = s.find('e');
    __int128 units = 0;
    int digits = 0;
    bool negative = false;
    for (size_t i = 0; i < e; ++i) {
        if (s[i] == '-') negative = true;
        if (s[i] >= '0' && s[i] <= '9') {
            units = units * 10 + (s[i] - '0');
            ++digits;
        }
    }
    int scale = digits - 1 - std::atoi(s.c_str() + e + 1);
    if (scale > 18 || scale < -19) throw std::range_error("A szám (" + s + ") nem ábrázolható pontosan.");
    if (scale < 0) {
        units *= Pow10(-scale);
        scale = 0;
    }
    return {negative ? -units : units, scale};
}

Decimal Multiply(const Decimal& a, const Decimal& b) {
    Decimal r{0, a.scale + b.scale};
    if (__builtin_mul_overflow(a.units, b.units, &r.units)) Overflow();
    return r;
}

Decimal Add(const Decimal& a, const Decimal& b) {
    Decimal x = a, y = b;
    while (x.scale < y.scale) {
        if (__builtin_mul_overflow(x.units, 10, &x.units)) Overflow();
        ++x.scale;
    }
    while (y.scale < x.scale) {
        if (__builtin_mul_overflow(y.units, 10, &y.units)) Overflow();
        ++y.scale;
    }
    Decimal r{0, x.scale};
    if (__builtin_add_overflow(x.units, y.units, &r.units)) Overflow();
    return r;
}

Decimal Subtract(const Decimal& a, const Decimal& b) { return Add(a, Decimal{-b.units, b.scale}); }

long double ToLongDouble(const Decimal& d) {
    return static_cast<long double>(d.units) / static_cast<long double>(Pow10(d.scale));
}

long long Kerekit(const Decimal& d) { return ToInt64(DropDigits(d.units, d.scale)); }

long double KerekitN(int n, const Decimal& d) {
    if (n >= d.scale) return static_cast<long double>(d.units) / static_cast<long double>(Pow10(d.scale));
    const long double kept = static_cast<long double>(DropDigits(d.units, d.scale - n));
    // n below 0 rounds to tens, hundreds...: scale back up.
    return n >= 0 ? kept / static_cast<long double>(Pow10(n)) : kept * static_cast<long double>(Pow10(-n));
}

long long RoundProduct(double amount, double factor) {
    return Kerekit(Multiply(ToDecimal(amount), ToDecimal(factor)));
}

long long RoundPercent(double amount, double percent) {
    Decimal d = Multiply(ToDecimal(amount), ToDecimal(percent));
    d.scale += 2;
    return Kerekit(d);
}

long long RoundQuotient(double amount, double divisor) {
    const Decimal a = ToDecimal(amount), b = ToDecimal(divisor);
    if (b.units == 0) throw std::domain_error("Osztás nullával");
    // (a.units / 10^a.scale) / (b.units / 10^b.scale), as one fraction.
    __int128 num, den;
    if (__builtin_mul_overflow(a.units, Pow10(b.scale), &num) ||
        __builtin_mul_overflow(b.units, Pow10(a.scale), &den))
        Overflow();
    if (den < 0) num = -num, den = -den;
    __int128 q = num / den;
    const __int128 r = num % den;  // carries the sign of num
    if (r * 2 >= den) ++q;
    if (r * 2 <= -den) --q;
    return ToInt64(q);
}

// --- Dates ----------------------------------------------------------------

int DatumResz(int part, double date) {
    if (date == 0 || part < 0 || part > 2) return 0;
    const os::YMD d = os::DecodeDate(date);
    return part == 0 ? d.year : (part == 1 ? d.month : d.day);
}

double KisebbDatum(double a, double b) {
    if (a == 0) return b;
    if (b == 0) return a;
    return a < b ? a : b;
}

double NagyobbDatum(double a, double b) {
    if (a == 0) return b;
    if (b == 0) return a;
    return a > b ? a : b;
}

std::string DatumSzoveg(double date) { return os::DateToText(date); }

bool KodEllenoriz(const std::string& text) {
    return text.size() > 1 && (text[0] == 'S' || text[0] == 'L') && text[1] >= '0' && text[1] <= '9';
}

double SzhaSzazalek(int month) { return month < 7 ? 19.5 : 17.5; }

namespace {

const char* const kEgyes[] = {"", "egy", "kettő", "három", "négy", "öt", "hat", "hét", "nyolc", "kilenc"};
const char* const kTizes[] = {"",      "tíz",    "húsz",   "harminc",  "negyven",
                              "ötven", "hatvan", "hetven", "nyolcvan", "kilencven"};
const char* const kTizesElotag[] = {"",      "tizen",  "huszon", "harminc",  "negyven",
                                    "ötven", "hatvan", "hetven", "nyolcvan", "kilencven"};

// Tens and units of 0..99.
std::string KetJegy(int q) {
    const int t = q / 10, u = q % 10;
    if (t == 0) return kEgyes[u];
    return u == 0 ? kTizes[t] : std::string(kTizesElotag[t]) + kEgyes[u];
}

std::string HaromJegy(int q) {
    std::string s;
    if (q >= 100) s = q / 100 == 1 ? "száz" : std::string(kEgyes[q / 100]) + "száz";
    return s + KetJegy(q % 100);
}

// Upper case of the first letter; the words begin with a-z, ö or the m of mínusz.
std::string CapitaliseFirst(std::string s) {
    if (s.empty()) return s;
    if (s[0] >= 'a' && s[0] <= 'z')
        s[0] = static_cast<char>(s[0] - 'a' + 'A');
    else if (s.size() > 1 && static_cast<unsigned char>(s[0]) == 0xC3)
        s[1] = static_cast<char>(s[1] - 0x20);
    return s;
}

}  // namespace

std::string AltalanosSzam(double value) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.15g", value);
    std::string s = buf;
    for (char& c : s)
        if (c == '.') c = ',';
    return s;
}

std::string SzamBetuvel(int value) {
    std::string s;
    long long n = value;
    if (value < 0) {
        if (value == std::numeric_limits<int>::min()) Overflow();
        s = "mínusz ";
        n = -n;
    }
    const long long N = n;
    if (N <= 2) return CapitaliseFirst(s + (N == 0 ? "nulla" : N == 1 ? "egy" : "kettő"));
    long long r = N;
    long long q = r / 1000000000;
    r -= q * 1000000000;
    if (q > 0) s += std::string(kEgyes[q]) + (r == 0 ? "milliárd" : "milliárd-");
    q = r / 1000000;
    r -= q * 1000000;
    if (q > 0) s += HaromJegy(static_cast<int>(q)) + (r == 0 ? "millió" : "millió-");
    q = r / 1000;
    r -= q * 1000;
    if (q > 0) s += (q == 1 ? std::string() : HaromJegy(static_cast<int>(q))) + "ezer";
    if (r > 0 && (N >= 100000 || q >= 2) && s.back() != '-') s += "-";
    s += HaromJegy(static_cast<int>(r));
    return CapitaliseFirst(s);
}

std::string NullaKitolt(const std::string& text, int width) {
    if (width > 0) {
        if (text.size() > static_cast<size_t>(width))
            throw std::invalid_argument("NullaKitolt: a(z) \"" + text + "\" hosszabb " +
                                        std::to_string(width) + " karakternél");
        return std::string(width - text.size(), '0') + text;
    }
    long long v = 0;
    const auto res = std::from_chars(text.data(), text.data() + text.size(), v);
    if (res.ec != std::errc() || res.ptr != text.data() + text.size() || text.empty())
        throw std::invalid_argument("NullaKitolt: a(z) \"" + text + "\" nem egész szám");
    return v >= 1 && v <= 9 ? "0" + text : text;
}

std::string SzamNullaKitolt(long long value, int width) { return NullaKitolt(std::to_string(value), width); }

// --- Fixed-width fields ---------------------------------------------------

std::string FixKitolt(const std::string& text, unsigned width, const std::string& fill, int side) {
    return CutAndPad(
        text, width, fill, side, [](const std::string& s) { return os::Utf8Length(s); },
        [](const std::string& s, size_t n) { return os::Utf8Left(s, n); });
}

std::string FixSzoveg(const std::string& text, unsigned width, const std::string& fill, int side) {
    const std::string bytes = os::HungarianCp1250ToCp852(os::Utf8ToCp1250(text));
    return CutAndPad(
        bytes, width, os::Utf8ToCp1250(fill), side, [](const std::string& s) { return s.size(); },
        [](const std::string& s, size_t n) { return s.substr(0, n); });
}

std::string FixSzam(unsigned width, long double value) { return FixNumber(Kerekit(value), width, '0'); }

std::string FixOsszeg(unsigned width, long double value) { return FixNumber(Kerekit(value), width, ' '); }

std::string FixEgesz(int number, unsigned width) { return FixNumber(number, width, '0'); }

std::string FixDatum(unsigned width, double date) {
    const os::YMD d = os::DecodeDate(date);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%d%02d%02d", d.year, d.month, d.day);
    const std::string s = buf;
    return s.size() > width ? s.substr(s.size() - width) : s;
}

std::string FixJelolo(const std::string& text) { return text == "I" ? "X" : " "; }

std::string FixMezo(const db::Field& field, unsigned width, const std::string& fill, int side) {
    switch (field.DataType()) {
        case db::FieldType::String:
        case db::FieldType::FixedChar:
        case db::FieldType::WideString: {
            const std::string text = field.IsNull() ? std::string() : os::TrimUpToBlank(field.AsString());
            return width > 0 ? FixSzoveg(text, width, fill, side) : FixJelolo(text);
        }
        case db::FieldType::SmallInt:
        case db::FieldType::Integer:
        case db::FieldType::Float:
            if (field.IsNull()) return width == 0 ? std::string() : FixSzam(width, 0);
            return FixSzam(width, field.DataType() == db::FieldType::Float
                                      ? field.AsFloat()
                                      : static_cast<long double>(field.AsInteger()));
        case db::FieldType::Date:
            return field.IsNull() ? FixSzoveg("", width, fill, side) : FixDatum(width, field.AsDateTime());
        default:
            throw FieldFormatError("Nem található a mező típusa: " + field.FieldName());
    }
}

std::string CsakSzamjegy(const std::string& text) {
    std::string out;
    for (char c : text)
        if (c >= '0' && c <= '9') out += c;
    return out;
}

std::string CsakSzam(const std::string& text) { return CsakSzamjegy(text); }

std::string CimBont(const std::string& line, int part) {
    static const char* const kWords[] = {
        " utca ",   "u.",       " út ",     " Út ",     " ut ",     " tér ",    " tÉr ",
        "tere ",    " útja ",   " Útja ",   " körút ",  " kÖrút ",  " körÚt ",  " kÖrÚt ",
        " köz ",    " kÖz ",    " sétány ", " sÉtány ", " sétÁny ", " sÉtÁny ", " fasor ",
        " lépcső ", " lÉpcső ", " lépcsŐ ", " lÉpcsŐ ",
    };
    if (line.empty() || part < 0 || part > 2) return "";
    const std::string upper = os::UpperAscii(line);
    std::string result;
    for (const char* w : kWords) {
        const std::string word = w;
        const size_t p = upper.find(os::UpperAscii(word));
        if (p == std::string::npos) continue;
        const std::string piece = part == 0   ? line.substr(0, p)
                                  : part == 1 ? word
                                              : line.substr(p + word.size());
        result = os::TrimUpToBlank(piece);
        if (!result.empty()) break;
    }
    return result;
}

std::string ElsoSzo(const std::string& name) {
    const std::string t = os::TrimUpToBlank(name);
    const size_t p = t.find(' ');
    return p == std::string::npos ? "" : os::TrimUpToBlank(t.substr(0, p + 1));
}

std::string MaradekSzo(const std::string& name) {
    const std::string t = os::TrimUpToBlank(name);
    const size_t p = t.find(' ');
    return p == std::string::npos ? "" : t.substr(p + 1);
}

std::string MaszkKitolt(const std::string& mask, const std::string& value) {
    const size_t end = mask.find(';');
    const std::string picture = mask.substr(0, end);
    const size_t blankAt = mask.rfind(';');
    const char blank = end != std::string::npos && blankAt + 1 < mask.size() ? mask[blankAt + 1] : ' ';
    std::string out;
    size_t i = 0;
    for (char m : picture) out += m == '9' ? (i < value.size() ? value[i++] : blank) : m;
    return out;
}

NameParts SplitName(const std::string& name) {
    const std::string t = os::TrimUpToBlank(name);
    if (t.find(' ') == std::string::npos) return {t, ""};
    return {ElsoSzo(t), MaradekSzo(t)};
}

std::string SzovegBont(const std::string& text, int part) {
    const size_t p = text.find(' ');
    if (part == 0) return p == std::string::npos ? "" : os::TrimUpToBlank(text.substr(0, p));
    return p == std::string::npos ? os::TrimUpToBlank(text) : os::TrimUpToBlank(text.substr(p + 1));
}
