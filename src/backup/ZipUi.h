// Connects the zip component, which has no forms, to the user interface:
// its message boxes go through the dialog hook and its long loops keep the
// windows painted and the cancel buttons working.
#pragma once

// Installed once by the program block, before any archive is opened.
void InstallZipUserInterface();
