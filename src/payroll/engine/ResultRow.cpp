#include "payroll/engine/ResultRow.h"

#include <string_view>
#include <unordered_map>
#include <variant>

namespace payroll {
namespace {

using Text = std::string SzamfejtRow::*;
using Int = std::optional<long long> SzamfejtRow::*;
using Num = std::optional<double> SzamfejtRow::*;
using Date = double SzamfejtRow::*;
using Member = std::variant<Text, Int, Num, Date>;

struct RowField {
    const char* name;
    Member member;
};

// clang-format off
const RowField kFields[] = {
    {"SF_DGTORZSSZAM",  &SzamfejtRow::SF_DGTORZSSZAM},
    {"SF_HONAP",        &SzamfejtRow::SF_HONAP},
    {"SF_KIFIZDAT",     &SzamfejtRow::SF_KIFIZDAT},
    {"SF_JCKOD",        &SzamfejtRow::SF_JCKOD},
    {"SF_SORSZAM",      &SzamfejtRow::SF_SORSZAM},
    {"SF_RJSORSZAM",    &SzamfejtRow::SF_RJSORSZAM},
    {"SF_DGNEV",        &SzamfejtRow::SF_DGNEV},
    {"SF_JCNEV",        &SzamfejtRow::SF_JCNEV},
    {"SF_OSSZEG",       &SzamfejtRow::SF_OSSZEG},
    {"SF_SZHASZAZLEV",  &SzamfejtRow::SF_SZHASZAZLEV},
    {"SF_SZHAKEDVKOD",  &SzamfejtRow::SF_SZHAKEDVKOD},
    {"SF_SZHAKEDVSZAZ", &SzamfejtRow::SF_SZHAKEDVSZAZ},
    {"SF_NAP",          &SzamfejtRow::SF_NAP},
    {"SF_ORA",          &SzamfejtRow::SF_ORA},
    {"SF_TOL",          &SzamfejtRow::SF_TOL},
    {"SF_IG",           &SzamfejtRow::SF_IG},
    {"SF_SZAZALEK",     &SzamfejtRow::SF_SZAZALEK},
    {"SF_MHKOD",        &SzamfejtRow::SF_MHKOD},
    {"SF_MUNKSZAM",     &SzamfejtRow::SF_MUNKSZAM},
    {"SF_GYUJTO",       &SzamfejtRow::SF_GYUJTO},
    {"SF_ADOALAP",      &SzamfejtRow::SF_ADOALAP},
    {"SF_JARALAP",      &SzamfejtRow::SF_JARALAP},
    {"SF_SZAMLA",       &SzamfejtRow::SF_SZAMLA},
    {"SF_JCTIPUS",      &SzamfejtRow::SF_JCTIPUS},
    {"SF_DGMHKOD",      &SzamfejtRow::SF_DGMHKOD},
    {"SF_DGKHKOD",      &SzamfejtRow::SF_DGKHKOD},
    {"SF_DGMNYP",       &SzamfejtRow::SF_DGMNYP},
};
// clang-format on

const RowField* Find(const std::string& name) {
    // Asked for every field of every row a run saves.
    static const std::unordered_map<std::string_view, const RowField*> byName = [] {
        std::unordered_map<std::string_view, const RowField*> m;
        for (const RowField& f : kFields) m.emplace(f.name, &f);
        return m;
    }();
    const auto it = byName.find(name);
    return it == byName.end() ? nullptr : it->second;
}

template <class T>
int CompareOptional(const std::optional<T>& a, const std::optional<T>& b) {
    if (!a || !b) return a ? 1 : (b ? -1 : 0);
    return *a < *b ? -1 : (*b < *a ? 1 : 0);
}

int CompareDate(double a, double b) { return a < b ? -1 : (b < a ? 1 : 0); }

db::Variant KnownValue(const SzamfejtRow& row, const RowField& f) {
    return std::visit(
        [&row](auto m) -> db::Variant {
            using M = decltype(m);
            if constexpr (std::is_same_v<M, Text>) {
                return (row.*m).empty() ? db::Variant() : db::Variant(row.*m);
            } else if constexpr (std::is_same_v<M, Date>) {
                return row.*m == 0 ? db::Variant() : db::Variant(row.*m);
            } else {
                return (row.*m) ? db::Variant(*(row.*m)) : db::Variant();
            }
        },
        f.member);
}

db::Variant CarriedValue(const SzamfejtRow& row, const std::string& field) {
    if (row.carried.empty()) return {};
    auto it = row.carried.find(field);
    return it == row.carried.end() ? db::Variant() : it->second;
}

}  // namespace

db::Variant SzamfejtRow::Get(const std::string& field) const {
    const RowField* f = Find(field);
    return f ? KnownValue(*this, *f) : CarriedValue(*this, field);
}

void SzamfejtRow::Set(const std::string& field, const db::Variant& value) {
    const RowField* f = Find(field);
    if (!f) {
        carried[field] = value;
        return;
    }
    std::visit(
        [this, &value](auto m) {
            using M = decltype(m);
            if constexpr (std::is_same_v<M, Text>) {
                this->*m = value.ToString();
            } else if constexpr (std::is_same_v<M, Date>) {
                this->*m = value.ToDouble();
            } else if constexpr (std::is_same_v<M, Int>) {
                this->*m = value.IsBlank() ? std::nullopt : std::optional<long long>(value.ToInt());
            } else {
                this->*m = value.IsBlank() ? std::nullopt : std::optional<double>(value.ToDouble());
            }
        },
        f->member);
}

bool KeyLess(const SzamfejtRow& a, const SzamfejtRow& b) {
    if (int c = a.SF_DGTORZSSZAM.compare(b.SF_DGTORZSSZAM)) return c < 0;
    if (int c = CompareOptional(a.SF_HONAP, b.SF_HONAP)) return c < 0;
    if (int c = CompareDate(a.SF_KIFIZDAT, b.SF_KIFIZDAT)) return c < 0;
    if (int c = a.SF_JCKOD.compare(b.SF_JCKOD)) return c < 0;
    if (int c = CompareOptional(a.SF_SORSZAM, b.SF_SORSZAM)) return c < 0;
    return CompareOptional(a.SF_RJSORSZAM, b.SF_RJSORSZAM) < 0;
}

SzamfejtRow ReadRow(const db::Dataset& ds) {
    SzamfejtRow row;
    for (int i = 0; i < ds.FieldCount(); ++i) {
        const db::Field& f = ds.Fields(i);
        if (f.Kind() == db::FieldKind::Data) row.Set(f.FieldName(), f.Value());
    }
    return row;
}

void WriteRow(const SzamfejtRow& row, db::Dataset& ds) { RowWriter(ds).Write(row); }

RowWriter::RowWriter(db::Dataset& ds) {
    for (int i = 0; i < ds.FieldCount(); ++i) {
        db::Field& f = ds.Fields(i);
        if (f.Kind() != db::FieldKind::Data) continue;
        const RowField* known = Find(f.FieldName());
        columns_.push_back({&f, known ? static_cast<int>(known - kFields) : -1});
    }
}

void RowWriter::Write(const SzamfejtRow& row) const {
    for (const Column& c : columns_) {
        db::Variant v =
            c.known >= 0 ? KnownValue(row, kFields[c.known]) : CarriedValue(row, c.field->FieldName());
        // Most of a row's fields are empty, as is a new record's: setting
        // them again was a good part of a group save's time.
        if (v.IsNull() && c.field->Value().IsNull()) continue;
        c.field->SetValue(v);
    }
}

}  // namespace payroll
