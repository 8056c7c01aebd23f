// Field values, field definitions and the field objects of a dataset. A field
// reads and writes the dataset's active record buffer, converting between the
// stored value and text, integer, float, date (day number) and Boolean.
#pragma once

#include <string>
#include <variant>
#include <vector>

namespace db {

class Dataset;

// A stored value: null, text, whole number, float (also dates as day
// numbers) or Boolean.
class Variant {
public:
    enum class Kind { Null, Text, Int, Float, Bool };

    Variant() = default;
    Variant(std::string s) : v_(std::move(s)) {}
    Variant(const char* s) : v_(std::string(s)) {}
    Variant(int i) : v_(static_cast<long long>(i)) {}
    Variant(long i) : v_(static_cast<long long>(i)) {}
    Variant(long long i) : v_(i) {}
    Variant(double d) : v_(d) {}
    Variant(bool b) : v_(b) {}

    Kind kind() const { return static_cast<Kind>(v_.index()); }
    bool IsNull() const { return v_.index() == 0; }
    // Null, or a text with no characters.
    bool IsBlank() const { return IsNull() || (kind() == Kind::Text && std::get<std::string>(v_).empty()); }

    // Conversions used by the fields; null gives "", 0, false. A text that is
    // no number throws DatabaseError.
    std::string ToString() const;
    long long ToInt() const;
    double ToDouble() const;
    bool ToBool() const;
    const std::string& Text() const;  // the stored text; "" unless kind() == Text

    bool operator==(const Variant& o) const;

private:
    std::variant<std::monostate, std::string, long long, double, bool> v_;
};

enum class FieldType {
    Unknown,
    String,
    SmallInt,
    Integer,
    Word,
    Boolean,
    Float,
    Currency,
    BCD,
    Date,
    Time,
    DateTime,
    Bytes,
    VarBytes,
    AutoInc,
    Blob,
    Memo,
    Graphic,
    FmtMemo,
    FixedChar,
    WideString,
    LargeInt,
    Variant,
    Guid,
};

bool IsTextType(FieldType t);     // String, FixedChar, WideString, Guid, Memo, FmtMemo
bool IsBlobType(FieldType t);     // Blob, Memo, Graphic, FmtMemo
bool IsIntegerType(FieldType t);  // SmallInt, Integer, Word, AutoInc, LargeInt
bool IsDateType(FieldType t);     // Date, Time, DateTime
const char* FieldTypeName(FieldType t);

// One field of a table's structure, as stored in the table file.
struct FieldDef {
    std::string name;
    FieldType type = FieldType::String;
    int size = 0;  // characters; meaningful for text fields only
    bool required = false;
    bool operator==(const FieldDef&) const = default;
};
using FieldDefs = std::vector<FieldDef>;

enum class FieldKind { Data, Calculated, Lookup };

class Field {
public:
    Field(Dataset* dataset, FieldDef def, FieldKind kind = FieldKind::Data);

    const std::string& FieldName() const { return def_.name; }
    FieldType DataType() const { return def_.type; }
    int Size() const { return def_.size; }
    FieldKind Kind() const { return kind_; }
    Dataset* DataSet() const { return dataset_; }
    // Position in the dataset's field list.
    int Index() const { return index_; }

    // Settings of a persistent field.
    bool Required = false;
    bool ReadOnly = false;
    bool Visible = true;
    std::string DisplayLabel;  // empty: the field name
    std::string EditMask;
    // Pictures of a number field (os::FormatFloat) for what grids show and
    // what edits edit; empty: the plain text. AsString never uses them.
    std::string DisplayFormat;
    std::string EditFormat;
    std::string DisplayName() const { return DisplayLabel.empty() ? def_.name : DisplayLabel; }

    // Lookup field: the value of `LookupResultField` of the `LookupDataSet`
    // record whose `LookupKeyFields` equal this record's `KeyFields`.
    Dataset* LookupDataSet = nullptr;
    std::string KeyFields, LookupKeyFields, LookupResultField;

    // The value as stored. A text field that was given the empty text holds
    // "" (which sorts before other texts) but reads as null.
    Variant Value() const;
    void SetValue(const Variant& v);

    bool IsNull() const;
    void Clear() { SetValue(Variant()); }

    std::string AsString() const;  // dates "YYYY.MM.DD", null ""
    // AsString, or a number by its display or edit format (null "").
    std::string DisplayText() const;
    std::string EditText() const;
    // What AsString gives for a value of a field of that type.
    static std::string Format(FieldType type, const Variant& v);
    // ... a number by the picture `format` when one is given (DisplayText, EditText).
    static std::string Format(FieldType type, const Variant& v, const std::string& format);
    long long AsInteger() const;
    double AsFloat() const;
    double AsDateTime() const;  // day number; null 0
    bool AsBoolean() const;
    // Text fields cut to Size; "" for a date or number field clears it;
    // a text that does not convert throws DatabaseError.
    void SetAsString(const std::string& s);
    void SetAsInteger(long long v);
    void SetAsFloat(double v);
    void SetAsDateTime(double v);  // 0 (the empty date) clears a date field
    void SetAsBoolean(bool v);

    // The record-buffer slot (field definition number) of a data field.
    int FieldNo() const { return fieldNo_; }

    // Converts a value to the field's type (texts parsed, numbers rounded for
    // integer fields, strings cut to Size); throws DatabaseError.
    Variant Convert(const Variant& v) const;

private:
    friend class Dataset;
    Dataset* dataset_;
    FieldDef def_;
    FieldKind kind_;
    int index_ = -1;
    int fieldNo_ = -1;
};

// Parses "YYYY.MM.DD" (also "-" or "/" as separator, optional time); false when invalid.
bool ParseDate(const std::string& text, double& day);

}  // namespace db
