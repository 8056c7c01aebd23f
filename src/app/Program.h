// The program block: application-wide settings, the data module, then the
// main window, its data preparation and the message loop.
#pragma once

#include <QApplication>

class TFomenuForm;

// The application: errors that escape an event handler of any window go to
// the main window's handler instead of ending the program.
class TApplication : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override;
    TFomenuForm* mainWindow = nullptr;
};

// Settings every window relies on (application title, hint pause ...).
void ProgramSetup(QApplication& app);

// Runs the program; returns the exit code of the message loop.
int RunProgram(int argc, char** argv);
