// The engine's configuration: aliases (named data folders) and settings such
// as "LOCAL SHARE" under "\SYSTEM\INIT", kept in the engine's own file
// ~/.config/tavrina/engine.cfg. Every change is written atomically under a
// lock, so another process sees it at once and no update is lost.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace db {

struct EngineVersion {
    int engineVersion = 0;  // major * 100 + minor of the storage engine
    std::string text;       // its full version text
};

namespace Engine {

// The configuration file (created with its defaults when first changed).
std::string ConfigFilePath();

std::vector<std::string> AliasNames();
bool IsAlias(const std::string& alias);  // case-insensitive
// Adds a standard alias (driver "PARADOX") for the folder and saves the file;
// an existing alias of that name is replaced. Throws EngineError.
void AddStandardAlias(const std::string& alias, const std::string& path,
                      const std::string& driver = "PARADOX");
void DeleteAlias(const std::string& alias);
// The alias's parameter lines, the path line first ("PATH=/home/...").
// Throws EngineError for an unknown alias.
std::vector<std::string> AliasParams(const std::string& alias);
std::string AliasPath(const std::string& alias);

// Entries of a configuration node ("\SYSTEM\INIT") as name and value, in order.
std::vector<std::pair<std::string, std::string>> ConfigParams(const std::string& node);
// Changes an existing entry of a node; false when the node has no such entry.
bool SetConfigValue(const std::string& node, const std::string& entry, const std::string& value);

EngineVersion Version();
// How long a table locked by another process is waited for before the
// operation fails (milliseconds; 3000 by default).
void SetLockWait(int ms);
int LockWait();
std::string PrivateDir();  // scratch folder of this user
std::string NetDir();      // where workstations sharing a folder meet ("SHARE FOLDER")

// The folder of a database name: an alias's path, or the name itself when it
// is a folder path. Throws EngineError "Unknown database" otherwise.
std::string ResolveFolder(const std::string& databaseName);

}  // namespace Engine
}  // namespace db
