#include "core/WorkTable.h"

#include <stdexcept>

#include "core/DataModule1.h"
#include "core/SegedUnitDb.h"
#include "core/StartValues.h"
#include "platform/db/Table.h"
#include "platform/db/Transaction.h"

std::string WorkTable::TableName() const { return name + (suffix ? *suffix : GepNevUtotag()); }

void WorkTable::OpenInTable1(const std::string& indexFieldNames) const {
    db::Table& t = *DM1->Table1;
    t.Close();
    t.DatabaseName = AktualisAlias;
    t.TableName = TableName();
    if (!indexFieldNames.empty()) t.IndexFieldNames = indexFieldNames;
    t.Open();
    t.First();
}

bool WorkTable::Create() const {
    std::vector<std::string> names;
    std::vector<db::FieldType> types;
    std::vector<int> sizes;
    for (const WorkField& f : fields) {
        names.push_back(f.name);
        types.push_back(f.type);
        sizes.push_back(f.size);
    }
    return ParadoxTablaLetrehoz(AktualisAlias, TableName(), names, key, types, sizes);
}

void WorkTable::Write(const std::vector<db::Record>& rows) const {
    db::Table& t = *DM1->Table1;
    t.Close();
    t.DatabaseName = AktualisAlias;
    t.TableName = TableName();
    struct Cleanup {
        db::Table& t;
        ~Cleanup() {
            try {
                t.Close();
            } catch (const std::exception&) {
            }
            t.TableName.clear();
        }
    } cleanup{t};
    db::Transaction tx{&t};
    t.Open();
    for (const db::Record& rec : rows) {
        t.Append();
        for (int i = 0; i < t.FieldCount() && i < int(rec.size()); ++i)
            if (!rec[i].IsNull()) t.Fields(i).SetValue(rec[i]);
        t.Post();
    }
    tx.Commit();
}
