// What the core's units need of the main window, which lives above them in
// src/app: the main window installs itself here when it is created.
#pragma once

#include <QString>

class MainWindowLink {
public:
    virtual ~MainWindowLink() = default;
    // The selected company's code as the status panel shows it (Label2);
    // empty while no company is selected.
    virtual QString CompanyCode() const = 0;
};

// The installed main window, or nullptr (tests, start-up).
MainWindowLink* MainWindow();
void SetMainWindow(MainWindowLink* link);

// The selected company's code; empty without a main window.
QString SelectedCompanyCode();
