// The records of the bank, fund and ledger files as tables: a layout lists
// each field's position, width, kind, fill and alignment, and names the code
// page, the separators and the line end; one writer turns named values into
// the record's bytes with the fixed-width formatters. A value that would be
// cut or garbled is refused, never written short.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "core/helpers/SegedUnit.h"
#include "platform/db/Field.h"

enum class RecordCodePage {
    Cp852Hungarian,  // CP1250 with the eighteen Hungarian letters moved to CP852 (the fixed-width files)
    Cp1250,          // the system's single-byte code page
};

enum class FieldKind {
    Constant,  // the field's own text; blanks when it has none
    Text,      // a text value
    Digits,    // only the digits of a text value (account and tax numbers)
    Whole,     // a number rounded half away from zero, right-aligned in the fill
    Number,    // a number as the lists print it: shortest form, up to 15 significant digits, "." before a
               // fraction
    Date,      // a day number as YYYYMMDD, its last `width` digits; the empty date as the fill
};

enum class Align { Left, Right };

// A cut text loses its end: only where the file's rules cut a text to its
// field (a name or an address). Any other value that does not fit is refused.
inline constexpr bool kCut = true;

struct RecordField {
    const char* name;  // the value's name; for a constant, what it is
    int position = 0;  // 1-based; 0 in a separated record
    int width = 0;     // 0: the value at its own length (separated records)
    FieldKind kind = FieldKind::Text;
    char fill = ' ';
    Align align = Align::Left;
    const char* text = "";  // a constant's text
    bool cut = false;
    const char* ifEmpty = "";  // a separated record's field without value
};

struct RecordLayout {
    const char* name;
    int width = 0;  // the record's characters; 0 for a separated record
    RecordCodePage codePage = RecordCodePage::Cp852Hungarian;
    const char* separator = "";   // between two fields
    const char* terminator = "";  // after every field
    const char* lineEnd = "\r\n";
    std::vector<RecordField> fields;
};

struct RecordValue {
    std::string_view name;
    db::Variant value;
};

// What is wrong with a layout: a fixed-width layout's fields must follow each
// other without gap or overlap from position 1 and end at the record width;
// a separated one has no positions. Empty when the layout is sound.
std::vector<std::string> RecordLayoutProblems(const RecordLayout& layout);

// The bytes of one record, line end included. Every field but a constant
// takes the value of its name. Raises FieldFormatError naming the field for a
// value that does not fit its field or its code page; std::logic_error for an
// unsound layout, a missing value or a value the layout does not name.
std::string FormatRecord(const RecordLayout& layout, std::initializer_list<RecordValue> values);
std::string FormatRecord(const RecordLayout& layout, const std::vector<RecordValue>& values);
