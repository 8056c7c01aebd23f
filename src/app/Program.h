// The program block: application-wide settings, then the main window and the
// message loop.
#pragma once

class QApplication;

// Settings every window relies on (application title ...).
void ProgramSetup(QApplication& app);

// Runs the program; returns the exit code of the message loop.
int RunProgram(int argc, char** argv);
