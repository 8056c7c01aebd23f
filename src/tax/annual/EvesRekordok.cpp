#include "tax/annual/EvesRekordok.h"

#include <set>

#include "core/ListaKeret.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"

namespace {

std::set<std::string> Employees(const ListSql& sql) {
    db::Query q;
    q.DatabaseName = DM1->TableSzamfejt->DatabaseName;
    sql.Apply(q);
    q.Open();
    std::set<std::string> out;
    for (; !q.Eof(); q.Next()) out.insert(q.Fields(0).AsString());
    return out;
}

}  // namespace

void TartomanyRekordjaiTorol(db::Table& table, const std::string& codeField, const QString& dgTol,
                             const QString& dgIg, const QString& mhTol, const QString& mhIg) {
    ListSql withRows;
    withRows.Line("Select Distinct SF_DGTORZSSZAM From " + ListSql::Table(*DM1->TableSzamfejt))
        .Range("SF_DGTORZSSZAM", dgTol, dgIg);
    ListSql inRange = withRows;
    inRange.Range("SF_DGMHKOD", mhTol, mhIg);
    const std::set<std::string> hasRows = Employees(withRows), placed = Employees(inRange);

    const std::string from = dgTol.trimmed().toStdString(), to = dgIg.trimmed().toStdString();
    for (table.First(); !table.Eof();) {
        const std::string code = table.FieldByName(codeField).AsString();
        const bool kept = hasRows.count(code) && !placed.count(code);
        if (code >= from && code <= to && !kept)
            table.Delete();
        else
            table.Next();
    }
}
