#include "core/Naplo.h"

#include <QApplication>
#include <QDialog>
#include <QFileInfo>
#include <QMainWindow>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>

#include "core/DataModule1.h"
#include "core/MainWindowLink.h"
#include "core/SegedUnitDb.h"
#include "core/StartValues.h"
#include "platform/db/Engine.h"
#include "platform/os/CodePage.h"
#include "platform/os/DayNumber.h"
#include "platform/ui/Dialogs.h"

std::string AllapotSzoveg(const db::Dataset& dataset) {
    switch (dataset.State()) {
        case db::DatasetState::Inactive:
            return "dsInactive; ";
        case db::DatasetState::Browse:
            return "dsBrowse; ";
        case db::DatasetState::Edit:
            return "dsEdit; ";
        case db::DatasetState::Insert:
            return "dsInsert; ";
        case db::DatasetState::SetKey:
            return "dsSetKey; ";
        case db::DatasetState::CalcFields:
            return "dsCalcFields; ";
        case db::DatasetState::Filter:
            return "dsFilter; ";
    }
    return "";
}

std::vector<std::string> NaploBejegyzes(const std::string& when, const std::string& text,
                                        const std::string& companyCode,
                                        const std::vector<NaploAblak>& windows,
                                        const std::vector<db::Table*>& tables) {
    std::vector<std::string> lines;
    lines.push_back(when + " " + text);
    lines.push_back("   Cég");
    lines.push_back("      " + companyCode);
    lines.push_back("   Ablakok");
    for (const NaploAblak& w : windows) lines.push_back("      " + w.name + (w.active ? "-->Active" : ""));
    lines.push_back("   Táblák");
    for (db::Table* t : tables) {
        if (!t->Active()) continue;
        std::string line = "      " + t->TableName + "-->" + AllapotSzoveg(*t) + "RecNo/RecordCount (" +
                           std::to_string(t->RecNo()) + "/" + std::to_string(t->RecordCount()) + "); ";
        if (t->Filtered()) line += "Filtered (" + t->Filter() + "); ";
        lines.push_back(line);
        for (int i = 0; i < t->FieldCount(); ++i) {
            const db::Field& f = t->Fields(i);
            lines.push_back("         " + f.FieldName() + "=" + f.AsString() + "; ");
        }
    }
    lines.push_back("");
    return lines;
}

std::string NaploFajl() {
    const QString program = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    return AliasUtvonal(AktualisAlias) + "/" + (program.isEmpty() ? "tavrina" : program.toStdString()) +
           ".log";
}

namespace {

// The program's forms: the main window first, then the dialogs.
std::vector<NaploAblak> Ablakok() {
    std::vector<QWidget*> forms;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<QMainWindow*>(w) || qobject_cast<QDialog*>(w)) forms.push_back(w);
    std::stable_sort(forms.begin(), forms.end(), [](QWidget* a, QWidget* b) {
        const bool am = qobject_cast<QMainWindow*>(a) != nullptr,
                   bm = qobject_cast<QMainWindow*>(b) != nullptr;
        if (am != bm) return am;
        return a->objectName() < b->objectName();
    });
    std::vector<NaploAblak> windows;
    for (QWidget* w : forms)
        windows.push_back({w->objectName().toStdString(), w == QApplication::activeWindow()});
    return windows;
}

std::string MostSzoveg() {
    const double now = os::Now();
    return os::DateToText(now) + " " + os::TimeToText(now);
}

// A line of the log in CP1250. A character the code page lacks (a name
// typed in another script) becomes '?': the log must never fail on what
// the data holds, or the entry that was to explain an error is lost.
std::string LogLine(const std::string& utf8) {
    try {
        return os::Utf8ToCp1250(utf8);
    } catch (const os::CodePageError&) {
    }
    std::string out;
    for (size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const size_t len = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        try {
            out += os::Utf8ToCp1250(utf8.substr(i, len));
        } catch (const os::CodePageError&) {
            out += '?';
        }
        i += len;
    }
    return out;
}

}  // namespace

void Naplozas(const std::string& text) {
    const std::string path = NaploFajl();
    std::vector<db::Table*> tables;
    if (DM1) tables = DM1->Tables();
    const std::vector<std::string> lines =
        NaploBejegyzes(MostSzoveg(), text, SelectedCompanyCode().toStdString(), Ablakok(), tables);
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "ab"), &std::fclose);
    if (!file) throw std::runtime_error("A napló nem írható: " + path);
    for (const std::string& line : lines) {
        const std::string bytes = LogLine(line) + "\r\n";
        if (std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size() ||
            std::fflush(file.get()) != 0)
            throw std::runtime_error("A napló nem írható: " + path);
    }
}

std::string ProgramParameterek() {
    struct Item {
        const char* label;
        const char* name;
        std::function<std::string()> value;
    };
    auto exists = [](const std::string& alias) { return db::Engine::IsAlias(alias) ? "IGEN" : "NEM"; };
    const Item items[] = {
        {"2. BDE verzió : ", "2. BDE verzió :",
         [] { return std::to_string(db::Engine::Version().engineVersion); }},
        {"3. Alias : ", "3. Alias", [] { return AktualisAlias; }},
        {"4. Alias létezik : ", "4. Alias létezik", [&] { return std::string(exists(AktualisAlias)); }},
        {"5. Alias PATH : ", "5. Alias PATH", [] { return AliasUtvonal(AktualisAlias); }},
        {"6. Előző évi Alias : ", "6. Előző évi Alias", [] { return ElozoEviAlias; }},
        {"7. Előző évi Alias létezik : ", "7. Előző évi Alias létezik",
         [&] { return std::string(exists(ElozoEviAlias)); }},
        {"8. Előző évi Alias PATH : ", "8. Előző évi Alias PATH", [] { return AliasUtvonal(ElozoEviAlias); }},
        {"9. PrivateDir : ", "9. PrivateDir", [] { return db::Engine::PrivateDir(); }},
        {"10. NetFileDir : ", "10. NetFileDir", [] { return db::Engine::NetDir(); }},
    };
    std::string box;
    for (const Item& item : items) {
        std::string value;
        try {
            value = item.value();
        } catch (const std::exception& e) {
            value = "nem hozzáférhető";
            ui::MessageBox(QStringLiteral("Üzenetkezelő"),
                           "\"" + QString::fromUtf8(item.name) + "\" paraméter nem hozzáférhető\r" +
                               QString::fromStdString(e.what()),
                           ui::Icon::Error, ui::Ok);
        }
        box += (box.empty() ? "" : "\r\r") + std::string(item.label) + value;
    }
    return box;
}
