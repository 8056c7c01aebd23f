#include "core/CegTablak.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "core/SegedUnitDb.h"
#include "core/StartValues.h"
#include "core/TableCatalog.h"
#include "core/TableLayouts.h"
#include "platform/db/Table.h"
#include "platform/os/AtomicFile.h"

namespace fs = std::filesystem;

namespace {

constexpr char kJelElotag[] = "UjCeg_";
constexpr char kJelVeg[] = ".jel";

std::string JelFajl(const std::string& code) {
    return (fs::path(AliasUtvonal(AktualisAlias)) / (kJelElotag + code + kJelVeg)).string();
}

std::vector<std::string> KozpontiTablak() {
    std::vector<std::string> names;
    for (const TableComponent& c : TableComponents())
        if (c.set == ComponentSet::Core) names.push_back(c.baseName);
    return names;
}

}  // namespace

void CegTablakLetrehozasa(const std::string& code) {
    std::vector<std::string> made;
    auto undo = [&] {
        for (const std::string& t : made) {
            try {
                db::DeleteTable(AktualisAlias, t);
            } catch (const std::exception&) {
                // The start-up removes what is left once the mark is there.
            }
        }
    };
    for (const std::string& base : KozpontiTablak()) {
        const std::string target = CompanyTableName(base, code);
        const TableLayout* layout = FindTableLayout(base);
        const bool history = !layout->hasTemplate;
        try {
            if (db::TableExists(AktualisAlias, target))
                throw std::runtime_error("A tábla már létezik: " + target + ".DB");
            if (history) {
                std::string key;
                for (const std::string& k : layout->key) key += (key.empty() ? "" : ";") + k;
                db::CreateTable(AktualisAlias, target, layout->FieldDefs(), layout->primaryIndex ? key : "");
            } else {
                db::CopyTable(AktualisAlias, base, target);
            }
        } catch (const std::exception& e) {
            undo();
            throw CegTablaHiba(e.what(), target + ".DB", history);
        }
        made.push_back(target);
    }
}

bool CegTablakVannak(const std::string& folder) {
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        const fs::path name = entry.path().filename();
        const std::string stem = name.stem().string();
        if (name.extension() != ".DB" || stem.size() < 5 || stem[stem.size() - 4] != '_') continue;
        if (std::all_of(stem.end() - 3, stem.end(), [](unsigned char c) { return std::isdigit(c); }))
            return true;
    }
    return false;
}

void CegTablakTorlese(const std::string& code) {
    for (const TableComponent& c : TableComponents()) {
        if (!c.perCompany) continue;
        const std::string t = CompanyTableName(c.baseName, code);
        if (db::TableExists(AktualisAlias, t)) db::DeleteTable(AktualisAlias, t);
    }
}

void CegLetrehozasJelIr(const std::string& code) {
    os::AtomicFileWriter w(JelFajl(code));
    w.Write(code);
    w.Commit();
}

void CegLetrehozasJelTorol(const std::string& code) {
    std::error_code ec;
    fs::remove(JelFajl(code), ec);
}

std::vector<std::string> FelbeszakadtCegekTorlese() {
    std::vector<std::string> codes;
    const fs::path folder = AliasUtvonal(AktualisAlias);
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind(kJelElotag, 0) != 0 || name.size() <= sizeof kJelElotag - 1 + sizeof kJelVeg - 1 ||
            name.substr(name.size() - (sizeof kJelVeg - 1)) != kJelVeg)
            continue;
        codes.push_back(
            name.substr(sizeof kJelElotag - 1, name.size() - (sizeof kJelElotag - 1) - (sizeof kJelVeg - 1)));
    }
    for (const std::string& code : codes) {
        CegTablakTorlese(code);
        db::Table cegek;
        cegek.DatabaseName = AktualisAlias;
        cegek.TableName = "Cegek";
        if (cegek.Exists()) {
            cegek.Open();
            if (cegek.Locate("CG_KOD", code)) cegek.Delete();
            cegek.Close();
        }
        CegLetrehozasJelTorol(code);
    }
    return codes;
}
