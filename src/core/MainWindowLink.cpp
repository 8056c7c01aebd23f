#include "core/MainWindowLink.h"

namespace {
MainWindowLink* g_mainWindow = nullptr;
}

MainWindowLink* MainWindow() { return g_mainWindow; }

void SetMainWindow(MainWindowLink* link) { g_mainWindow = link; }

QString SelectedCompanyCode() { return g_mainWindow ? g_mainWindow->CompanyCode() : QString(); }
