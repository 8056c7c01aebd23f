// What the core's units need of the main window, which lives above them in
// src/app: the main window installs itself here when it is created.
#pragma once

#include <QString>

// Which optional tables of the selected company can be used (they exist or
// could be created from their template); each governs some menu items.
struct CompanyTables {
    bool Nyilat = false;
    bool M30 = false;
    bool M29 = false;
    bool K30K32 = false;  // both K30 and K32
    bool M292 = false;
    bool M294 = false;
    bool HaviAdo = false;  // all nineteen monthly declaration tables
};

class MainWindowLink {
public:
    virtual ~MainWindowLink() = default;
    // The selected company's code as the status panel shows it (Label2);
    // empty while no company is selected.
    virtual QString CompanyCode() const = 0;
    // The status panel: code (Label2), name (Label4), short name (Label6).
    // Empty texts clear it.
    virtual void ShowCompany(const QString& code, const QString& name, const QString& shortName) = 0;
    // After a successful company switch: the items that need a company, the
    // tax menus by `tables`, and speed buttons 2 to 5.
    virtual void EnableCompanyItems(const CompanyTables& tables) = 0;
    // After a failed switch: every company item, both tax menus with all
    // their items, and speed buttons 2 to 5 disabled.
    virtual void DisableCompanyItems() = 0;
};

// The installed main window, or nullptr (tests, start-up).
MainWindowLink* MainWindow();
void SetMainWindow(MainWindowLink* link);

// The selected company's code; empty without a main window.
QString SelectedCompanyCode();
