#include "app/Program.h"

#include <QApplication>

#include "app/Fomenu.h"
#include "platform/ui/Dialogs.h"

void ProgramSetup(QApplication& app) {
    app.setApplicationName(QStringLiteral("Tavrina19"));
    ui::SetApplicationTitle(QStringLiteral("Tavrina19"));
}

int RunProgram(int argc, char** argv) {
    QApplication app(argc, argv);
    ProgramSetup(app);
    TFomenuForm form;
    form.showMaximized();
    return app.exec();
}
