#include "core/helpers/RecordWriter.h"

#include <stdexcept>

#include "platform/os/CodePage.h"
#include "platform/os/NumberFormat.h"

namespace {

std::string Encode(const std::string& utf8, RecordCodePage codePage) {
    const std::string cp1250 = os::Utf8ToCp1250(utf8);
    return codePage == RecordCodePage::Cp852Hungarian ? os::HungarianCp1250ToCp852(cp1250) : cp1250;
}

// The bytes in the field's width: cut where the field allows it, filled on
// the side away from its alignment.
std::string Fit(const RecordField& f, std::string bytes) {
    if (f.width == 0) return bytes;
    const auto width = static_cast<size_t>(f.width);
    if (bytes.size() > width) {
        if (!f.cut)
            throw FieldFormatError("A(z) " + std::to_string(bytes.size()) +
                                   " karakteres érték nem fér el a(z) " + std::to_string(width) +
                                   " karakter széles mezőben.");
        bytes.resize(width);
    }
    const std::string fill(width - bytes.size(), f.fill);
    return f.align == Align::Left ? bytes + fill : fill + bytes;
}

std::string FormatField(const RecordLayout& layout, const RecordField& f, const db::Variant* value) {
    const bool separated = layout.width == 0;
    const bool empty = !value || value->IsBlank();
    if (separated && empty && f.kind != FieldKind::Constant) return Encode(f.ifEmpty, layout.codePage);
    switch (f.kind) {
        case FieldKind::Constant:
            return Fit(f, Encode(f.text, layout.codePage));
        case FieldKind::Text:
            return Fit(f, Encode(empty ? std::string() : value->ToString(), layout.codePage));
        case FieldKind::Digits:
            return Fit(f, CsakSzamjegy(empty ? std::string() : value->ToString()));
        case FieldKind::Whole: {
            const long double v = empty ? 0 : value->ToDouble();
            return f.fill == '0' ? FixSzam(f.width, v) : FixOsszeg(f.width, v);
        }
        case FieldKind::Number: {
            // As the lists print a number; minus zero too is "0".
            const double v = value->ToDouble();
            return Fit(f, v == 0 ? "0" : os::FormatFloat("", v));
        }
        case FieldKind::Date: {
            const double day = empty ? 0 : value->ToDouble();
            if (day == 0) return Fit(f, {});
            return Fit(f, FixDatum(f.width == 0 ? 8 : f.width, day));
        }
    }
    throw std::logic_error("Unknown field kind");
}

std::string Format(const RecordLayout& layout, const RecordValue* begin, const RecordValue* end) {
    const std::vector<std::string> problems = RecordLayoutProblems(layout);
    if (!problems.empty()) throw std::logic_error(problems.front());
    for (const RecordValue* v = begin; v != end; ++v) {
        bool named = false;
        for (const RecordField& f : layout.fields)
            named = named || (f.kind != FieldKind::Constant && v->name == f.name);
        if (!named)
            throw std::logic_error(std::string(layout.name) + " has no field " + std::string(v->name));
    }
    std::string record;
    for (size_t i = 0; i < layout.fields.size(); ++i) {
        const RecordField& f = layout.fields[i];
        const db::Variant* value = nullptr;
        if (f.kind != FieldKind::Constant) {
            for (const RecordValue* v = begin; v != end && !value; ++v)
                if (v->name == f.name) value = &v->value;
            if (!value) throw std::logic_error(std::string(layout.name) + " needs a value of " + f.name);
        }
        if (i > 0) record += layout.separator;
        try {
            record += FormatField(layout, f, value);
        } catch (const FieldFormatError& e) {
            throw FieldFormatError(std::string(e.what()) + " (" + layout.name + ", " + f.name + ")");
        } catch (const os::CodePageError& e) {
            throw FieldFormatError(std::string(e.what()) + " (" + layout.name + ", " + f.name + ")");
        }
        record += layout.terminator;
    }
    return record + layout.lineEnd;
}

}  // namespace

std::vector<std::string> RecordLayoutProblems(const RecordLayout& layout) {
    std::vector<std::string> problems;
    const std::string name = layout.name;
    if (layout.width == 0) {
        for (const RecordField& f : layout.fields)
            if (f.position != 0)
                problems.push_back(name + ": " + f.name + " has a position in a separated record");
        return problems;
    }
    int next = 1;
    for (const RecordField& f : layout.fields) {
        if (f.width <= 0) problems.push_back(name + ": " + f.name + " has no width");
        if (f.position != next)
            problems.push_back(name + ": " + f.name + " starts at " + std::to_string(f.position) +
                               ", not at " + std::to_string(next));
        next = f.position + f.width;
    }
    if (next - 1 != layout.width)
        problems.push_back(name + ": the fields end at " + std::to_string(next - 1) + ", the record is " +
                           std::to_string(layout.width) + " wide");
    return problems;
}

std::string FormatRecord(const RecordLayout& layout, std::initializer_list<RecordValue> values) {
    return Format(layout, values.begin(), values.end());
}

std::string FormatRecord(const RecordLayout& layout, const std::vector<RecordValue>& values) {
    return Format(layout, values.data(), values.data() + values.size());
}
