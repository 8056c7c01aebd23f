// The program block: application-wide settings, the data module, then the
// main window, its data preparation and the message loop.
#pragma once

class QApplication;

// Settings every window relies on (application title, hint pause ...).
void ProgramSetup(QApplication& app);

// Runs the program; returns the exit code of the message loop.
int RunProgram(int argc, char** argv);
