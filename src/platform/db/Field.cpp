#include "platform/db/Field.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "platform/db/Collation.h"
#include "platform/db/Dataset.h"
#include "platform/os/DayNumber.h"
#include "platform/os/NumberFormat.h"
#include "platform/os/Text.h"

namespace db {
namespace {

std::string FormatFloat(double d) {
    if (d == std::trunc(d) && std::fabs(d) < 1e15) {
        // Whole amounts are most of what a table holds: spelled as an integer
        // ("%.0f" gives the same digits, and "-0" for negative zero).
        if (d == 0 && std::signbit(d)) return "-0";
        char buf[24];
        const auto end = std::to_chars(buf, buf + sizeof buf, static_cast<long long>(d)).ptr;
        return std::string(buf, end);
    }
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.15g", d);
    return buf;
}

bool ParseFloat(const std::string& text, double& out) {
    std::string t = os::TrimWhitespace(text);
    for (char& c : t)
        if (c == ',') c = '.';
    if (t.empty()) return false;
    char* end = nullptr;
    out = std::strtod(t.c_str(), &end);
    return end && *end == '\0';
}

bool ParseInt(const std::string& text, long long& out) {
    std::string t = os::TrimWhitespace(text);
    if (t.empty()) return false;
    char* end = nullptr;
    errno = 0;
    out = std::strtoll(t.c_str(), &end, 10);
    return end && *end == '\0' && errno != ERANGE;
}

// A whole number of a float, or the error of a value no 64-bit number holds.
long long RoundToInt(double d, const std::string& text) {
    if (!(std::fabs(d) < 9.2e18)) throw DatabaseError("'" + text + "' is not a valid integer value");
    return std::llround(d);
}

}  // namespace

bool ParseDate(const std::string& text, double& day) {
    std::string t = os::TrimWhitespace(text);
    int y, m, d, hh = 0, mm = 0, ss = 0;
    char s1, s2;
    int n = std::sscanf(t.c_str(), "%4d%c%2d%c%2d %2d:%2d:%2d", &y, &s1, &m, &s2, &d, &hh, &mm, &ss);
    if (n < 5 || s1 != s2 || (s1 != '.' && s1 != '-' && s1 != '/')) return false;
    if (!os::TryEncodeDate(y, m, d, day)) return false;
    if (n >= 7) {
        if (hh > 23 || mm > 59 || ss > 59) return false;
        day += os::EncodeTime(hh, mm, ss);
    }
    return true;
}

// --- Variant ---------------------------------------------------------------

const std::string& Variant::Text() const {
    static const std::string empty;
    return kind() == Kind::Text ? std::get<std::string>(v_) : empty;
}

std::string Variant::ToString() const {
    switch (kind()) {
        case Kind::Null:
            return {};
        case Kind::Text:
            return std::get<std::string>(v_);
        case Kind::Int:
            return std::to_string(std::get<long long>(v_));
        case Kind::Float:
            return FormatFloat(std::get<double>(v_));
        case Kind::Bool:
            return std::get<bool>(v_) ? "True" : "False";
    }
    return {};
}

long long Variant::ToInt() const {
    switch (kind()) {
        case Kind::Null:
            return 0;
        case Kind::Int:
            return std::get<long long>(v_);
        case Kind::Float:
            return RoundToInt(std::get<double>(v_), ToString());
        case Kind::Bool:
            return std::get<bool>(v_) ? 1 : 0;
        case Kind::Text: {
            const std::string& s = std::get<std::string>(v_);
            if (os::TrimWhitespace(s).empty()) return 0;
            long long i;
            if (ParseInt(s, i)) return i;
            double d;
            if (ParseFloat(s, d)) return RoundToInt(d, s);
            throw DatabaseError("'" + s + "' is not a valid integer value");
        }
    }
    return 0;
}

double Variant::ToDouble() const {
    switch (kind()) {
        case Kind::Null:
            return 0;
        case Kind::Int:
            return static_cast<double>(std::get<long long>(v_));
        case Kind::Float:
            return std::get<double>(v_);
        case Kind::Bool:
            return std::get<bool>(v_) ? 1 : 0;
        case Kind::Text: {
            const std::string& s = std::get<std::string>(v_);
            if (os::TrimWhitespace(s).empty()) return 0;
            double d;
            if (ParseFloat(s, d)) return d;
            if (ParseDate(s, d)) return d;
            throw DatabaseError("'" + s + "' is not a valid floating point value");
        }
    }
    return 0;
}

bool Variant::ToBool() const {
    switch (kind()) {
        case Kind::Null:
            return false;
        case Kind::Bool:
            return std::get<bool>(v_);
        case Kind::Int:
            return std::get<long long>(v_) != 0;
        case Kind::Float:
            return std::get<double>(v_) != 0;
        case Kind::Text: {
            std::string s = FoldCase(os::TrimWhitespace(std::get<std::string>(v_)));
            if (s == "true" || s == "t" || s == "i" || s == "1" || s == "y") return true;
            if (s.empty() || s == "false" || s == "f" || s == "n" || s == "0") return false;
            throw DatabaseError("'" + std::get<std::string>(v_) + "' is not a valid boolean value");
        }
    }
    return false;
}

bool Variant::operator==(const Variant& o) const {
    if (IsNull() || o.IsNull()) return IsNull() && o.IsNull();
    if (kind() == Kind::Text || o.kind() == Kind::Text) {
        if (kind() == Kind::Text && o.kind() == Kind::Text) return Text() == o.Text();
        return ToString() == o.ToString();
    }
    return ToDouble() == o.ToDouble();
}

// --- Field types -------------------------------------------------------------

bool IsTextType(FieldType t) {
    return t == FieldType::String || t == FieldType::FixedChar || t == FieldType::WideString ||
           t == FieldType::Guid || t == FieldType::Memo || t == FieldType::FmtMemo;
}
bool IsBlobType(FieldType t) {
    return t == FieldType::Blob || t == FieldType::Memo || t == FieldType::Graphic || t == FieldType::FmtMemo;
}
bool IsIntegerType(FieldType t) {
    return t == FieldType::SmallInt || t == FieldType::Integer || t == FieldType::Word ||
           t == FieldType::AutoInc || t == FieldType::LargeInt;
}
bool IsDateType(FieldType t) {
    return t == FieldType::Date || t == FieldType::Time || t == FieldType::DateTime;
}

const char* FieldTypeName(FieldType t) {
    static const char* names[] = {"Unknown", "String",    "SmallInt",   "Integer",  "Word",    "Boolean",
                                  "Float",   "Currency",  "BCD",        "Date",     "Time",    "DateTime",
                                  "Bytes",   "VarBytes",  "AutoInc",    "Blob",     "Memo",    "Graphic",
                                  "FmtMemo", "FixedChar", "WideString", "LargeInt", "Variant", "Guid"};
    return names[static_cast<int>(t)];
}

// --- Field -------------------------------------------------------------------

Field::Field(Dataset* dataset, FieldDef def, FieldKind kind)
    : dataset_(dataset), def_(std::move(def)), kind_(kind) {
    Required = def_.required;
}

Variant Field::Value() const { return dataset_->GetFieldValue(*this); }

void Field::SetValue(const Variant& v) { dataset_->SetFieldValue(*this, Convert(v)); }

bool Field::IsNull() const { return Value().IsBlank(); }

Variant Field::Convert(const Variant& v) const {
    if (v.IsNull()) return v;
    const FieldType t = def_.type;
    if (IsTextType(t) || t == FieldType::Unknown || t == FieldType::Bytes || t == FieldType::VarBytes ||
        t == FieldType::Blob || t == FieldType::Graphic) {
        std::string s = v.ToString();
        if (def_.size > 0 &&
            (t == FieldType::String || t == FieldType::FixedChar || t == FieldType::WideString))
            s = os::Utf8Left(s, def_.size);
        return Variant(std::move(s));
    }
    if (v.kind() == Variant::Kind::Text && os::TrimWhitespace(v.Text()).empty()) return Variant();
    if (IsIntegerType(t)) return Variant(v.ToInt());
    if (t == FieldType::Boolean) return Variant(v.ToBool());
    if (IsDateType(t)) {
        double d;
        if (v.kind() == Variant::Kind::Text) {
            if (!ParseDate(v.Text(), d)) throw DatabaseError("'" + v.Text() + "' is not a valid date");
        } else {
            d = v.ToDouble();
        }
        if (!os::IsValidDayNumber(d)) throw DatabaseError("'" + v.ToString() + "' is not a valid date");
        if (t == FieldType::Date) d = std::floor(d);
        return Variant(d);
    }
    return Variant(v.ToDouble());
}

std::string Field::AsString() const { return Format(def_.type, Value()); }

std::string Field::Format(FieldType type, const Variant& v) {
    if (v.IsNull()) return {};
    switch (type) {
        case FieldType::Date:
            return os::DateToText(v.ToDouble());
        case FieldType::DateTime:
            return os::DateToText(v.ToDouble()) + " " + os::TimeToText(v.ToDouble());
        case FieldType::Time:
            return os::TimeToText(v.ToDouble());
        default:
            return v.ToString();
    }
}

std::string Field::Format(FieldType type, const Variant& v, const std::string& format) {
    const bool number = type == FieldType::Float || type == FieldType::Currency || IsIntegerType(type);
    if (format.empty() || !number || v.IsNull()) return Format(type, v);
    // A number by its picture, in the program's Hungarian separators.
    return os::FormatFloat(format, v.ToDouble(), ",", " ");
}

std::string Field::DisplayText() const { return Format(DataType(), Value(), DisplayFormat); }

std::string Field::EditText() const { return Format(DataType(), Value(), EditFormat); }

long long Field::AsInteger() const { return Value().ToInt(); }
double Field::AsFloat() const { return Value().ToDouble(); }
double Field::AsDateTime() const { return Value().ToDouble(); }
bool Field::AsBoolean() const { return Value().ToBool(); }

void Field::SetAsString(const std::string& s) { SetValue(Variant(s)); }
void Field::SetAsInteger(long long v) { SetValue(Variant(v)); }
void Field::SetAsFloat(double v) { SetValue(Variant(v)); }
void Field::SetAsDateTime(double v) { SetValue(IsDateType(def_.type) && v == 0 ? Variant() : Variant(v)); }
void Field::SetAsBoolean(bool v) { SetValue(Variant(v)); }

}  // namespace db
