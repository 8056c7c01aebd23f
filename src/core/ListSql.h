// The SQL of the lists: a statement built line by line with bound values,
// Query1 reset and closed around a fill, chained queries, and the lookups a
// layout reads from the master tables.
#pragma once

#include <QString>
#include <string>
#include <vector>

#include "core/DataModule1.h"
#include "platform/db/Field.h"

// Builds a list's statement line by line. Every value is a bound parameter,
// table and field names are quoted identifiers; the first condition begins
// with "Where", the others with "And".
class ListSql {
public:
    ListSql& Line(const std::string& text);
    // "From <table>" of a data-module table (its current name, quoted).
    static std::string Table(const db::Table& table);
    // field >= from And field <= to, compared as texts (codes are trimmed).
    ListSql& Range(const std::string& field, const QString& from, const QString& to);
    // field >= from And field <= to, compared as integers (months).
    ListSql& Range(const std::string& field, int from, int to);
    // field >= from And field <= to, compared as dates (day numbers).
    ListSql& DateRange(const std::string& field, double from, double to);
    // An optional text range (job numbers, collectors): both bounds given
    // select within them; one bound alone also takes the rows without a
    // value; neither adds no condition.
    ListSql& OptionalRange(const std::string& field, const QString& from, const QString& to);
    ListSql& Equal(const std::string& field, const QString& value);
    ListSql& Equal(const std::string& field, int value);
    ListSql& EqualDate(const std::string& field, double value);
    // A condition of the caller's own; values go through Bind().
    ListSql& Condition(const std::string& text);
    // A parameter of the caller's own (":name" in a Line or Condition).
    ListSql& Bind(const std::string& name, const db::Variant& value, db::FieldType type);

    std::string Text() const;
    // Closes the query, sets its SQL and binds the parameters.
    void Apply(db::Query& query) const;

private:
    std::string NewParam(const db::Variant& value, db::FieldType type);
    std::string Prefix();
    struct Bound {
        std::string name;
        db::Variant value;
        db::FieldType type;
    };
    std::vector<std::string> lines_;
    std::vector<Bound> params_;
    bool where_ = false;
};

// Closes Query1 and clears its SQL; points it at the payroll table's database.
void Query1Reset();
// Query1 afresh on `sql`, open on its first row: what a query list shows.
void Query1Open(const ListSql& sql);
// A fill's Query1, reset at the start and closed without SQL however the
// fill ends.
class Query1Fill {
public:
    Query1Fill() { Query1Reset(); }
    ~Query1Fill();
    Query1Fill(const Query1Fill&) = delete;
    Query1Fill& operator=(const Query1Fill&) = delete;
};

// Chained queries: re-opens `inner` for the current row of `outer`. Every
// field of the outer row whose name begins with "p" ("pDOLGOZO") gives its
// value to the inner query's parameter of the same name (":pDOLGOZO").
void ReopenChained(db::Query& inner, db::Dataset& outer);

// The text of `resultField` of the record whose `keyField` is `key`; the
// empty text when there is none (never a previous record's value).
QString LookupText(db::Dataset& table, const std::string& keyField, const std::string& key,
                   const std::string& resultField);
// The name (EK_ERTEKNEV) of `code` in the value set of type `type`; empty
// when the set has no such row.
QString ErtekNev(const std::string& type, const std::string& code);
// The data year: the text of the value-set row of type "0", value "04".
QString AdatEv();
// The date line to fill in by hand: "......................... 2019. ............hó ......nap".
QString DatumSor(const QString& ev);
