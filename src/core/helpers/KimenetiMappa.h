// The folders the program writes its outside files into, below the base folder.
#pragma once

#include <initializer_list>
#include <string>

// Creates `levels` below os::BaseFolder() one after the other and returns the
// last with a closing "/". Throws std::runtime_error "<path> mappa nem hozható
// létre." naming the first level that cannot be made (a file in its place, no
// permission).
std::string KimenetiMappa(std::initializer_list<std::string> levels);

// The data-supply folder of one kind of file: "<base>/ADATSZLG/<year>/<kind>/".
std::string AdatszolgMappa(const std::string& year, const std::string& kind);
