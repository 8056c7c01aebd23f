#include "core/SegedUnitDb.h"

#include <QString>

#include "platform/db/Collation.h"
#include "platform/db/Engine.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"
#include "platform/os/System.h"
#include "platform/os/Text.h"
#include "platform/ui/Dialogs.h"

namespace {

void ErrorBox(const std::string& text) {
    ui::MessageBox(QStringLiteral("Hiba"), QString::fromStdString(text), ui::Icon::Error, ui::Ok);
}

}  // namespace

bool ParadoxTablaLetrehoz(const std::string& alias, const std::string& tableName,
                          const std::vector<std::string>& fieldNames, const std::string& indexFields,
                          const std::vector<db::FieldType>& fieldTypes, const std::vector<int>& fieldSizes) {
    try {
        db::FieldDefs defs;
        for (size_t i = 0; i < fieldNames.size(); ++i) {
            if (i >= fieldTypes.size() || i >= fieldSizes.size())
                throw std::out_of_range("List index out of bounds (" + std::to_string(i) + ")");
            defs.push_back(
                {fieldNames[i], fieldTypes[i], fieldTypes[i] == db::FieldType::String ? fieldSizes[i] : 0});
        }
        db::CreateTable(alias, tableName, defs,
                        os::TrimWhitespace(indexFields).empty() ? std::string() : indexFields);
        return true;
    } catch (const std::exception& e) {
        ErrorBox(std::string("HIBA történt a tábla létrehozásakor! ") + "\r" + e.what());
        return false;
    }
}

void AliasLetrehoz(const std::string& alias, const std::string& folder) {
    try {
        if (db::Engine::IsAlias(alias)) return;
        db::Engine::AddStandardAlias(alias, folder, "PARADOX");
        if (!db::Engine::IsAlias(alias))
            ui::MessageBox(QStringLiteral("Figyelmeztetés"),
                           QStringLiteral("Az \"Alias\" létrehozása nem sikerült!"), ui::Icon::Warning,
                           ui::Ok);
    } catch (const std::exception& e) {
        ErrorBox(std::string("HIBA történt az \"Alias\" létrehozásakor! ") + "\r" + e.what());
    }
}

bool LocalShareEllenoriz() {
    for (const auto& [name, value] : db::Engine::ConfigParams("\\SYSTEM\\INIT"))
        if (name == "LOCAL SHARE") return os::UpperAscii(os::TrimWhitespace(value)) == "TRUE";
    return false;
}

void BdeKonfigBeallit(const std::string& pathAndEntry, const std::string& value) {
    try {
        const size_t semi = pathAndEntry.find(';');
        if (semi == std::string::npos)
            throw db::DatabaseError(
                "Invalid parameter passed to function. There must be a semi-colon delimited sting passed.");
        const std::string path = pathAndEntry.substr(0, semi);
        const std::string entry = pathAndEntry.substr(semi + 1);
        if (!db::Engine::SetConfigValue(path, entry, value))
            throw db::DatabaseError(pathAndEntry + " entry was not found in configuration file");
    } catch (const std::exception& e) {
        ErrorBox(e.what());
    }
}

void MezoHozzaad(const std::string& alias, const std::string& tableName, const std::string& fieldName,
                 const std::string& sqlType) {
    try {
        db::Query q;
        q.DatabaseName = alias;
        const std::string table = db::SqlName(tableName);
        q.SetSQL("SELECT * FROM " + table + " WHERE 1 = 0");
        q.Open();
        if (!q.FindField(fieldName)) {
            q.Close();
            q.SetSQL("ALTER TABLE " + table + "\nADD " + db::SqlName(fieldName) + " " + sqlType);
            q.ExecSQL();
        }
        q.Close();
    } catch (const std::exception& e) {
        ErrorBox(e.what());
    }
}

void RekordMasol(db::Dataset& source, db::Dataset& target) {
    std::vector<db::Variant> values;
    for (int i = 0; i < source.FieldCount(); ++i) values.push_back(source.Fields(i).Value());
    for (size_t i = 0; i < values.size(); ++i) target.Fields(static_cast<int>(i)).SetValue(values[i]);
}

std::string AliasUtvonal(const std::string& alias) { return db::Engine::AliasPath(alias); }

std::string GepNevUtotag() {
    const std::string name = os::ComputerName();
    return name.empty() ? std::string() : "_" + name;
}
