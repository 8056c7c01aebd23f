#include "core/helpers/KimenetiMappa.h"

#include <stdexcept>

#include "platform/os/System.h"

std::string KimenetiMappa(std::initializer_list<std::string> levels) {
    std::string folder = os::BaseFolder();
    for (const std::string& level : levels) {
        folder += '/' + level;
        if (!os::ForceDirectories(folder)) throw std::runtime_error(folder + " mappa nem hozható létre.");
    }
    return folder + '/';
}

std::string AdatszolgMappa(const std::string& year, const std::string& kind) {
    return KimenetiMappa({"ADATSZLG", year, kind});
}
