// Facts about the machine and the folders the program uses. The base folder
// ~/Tavrina holds the year folders and the output folders (the install
// folder is read-only).
#pragma once

#include <string>

namespace os {

// The host name; the suffix of the per-workstation work tables.
std::string ComputerName();

// $HOME (the tests point it at a temporary folder).
std::string HomeFolder();

// ~/Tavrina: base folder of the year folders and the output folders.
std::string BaseFolder();

// $XDG_CONFIG_HOME/tavrina, or ~/.config/tavrina.
std::string ConfigFolder();

// The permissions a newly written file gets: 0666 less the process's umask.
// Files made through mkstemp (0600) are set to this before they take a
// target's place.
unsigned DefaultFileMode();

// Creates the folder and its parents; false when it cannot be created.
bool ForceDirectories(const std::string& path);

}  // namespace os
