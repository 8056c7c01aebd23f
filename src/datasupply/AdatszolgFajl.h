// What the data-supply forms share: their refusal and the writing of a file.
#pragma once

#include <QString>
#include <functional>
#include <string>

// "A műveletet nem lehet végrehajtani...": no company, or nothing collected.
void MuveletNemLehet();

// Writes the file that `build` gives, whole or not at all. A failure, in
// building or writing, shows "Hiba történt a(z) <file> fájl írása során..."
// CR and the reason in a box titled `caption` and gives false.
bool AdatszolgFajlIr(const QString& caption, const std::string& path,
                     const std::function<std::string()>& build);
