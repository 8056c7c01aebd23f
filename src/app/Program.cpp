#include "app/Program.h"

#include <QApplication>
#include <QEvent>
#include <QLibraryInfo>
#include <QLocale>
#include <QScreen>
#include <QTranslator>
#include <QWidget>

#include "app/Fomenu.h"
#include "backup/ZipUi.h"
#include "core/DataModule1.h"
#include "core/StartValues.h"
#include "platform/ui/Dialogs.h"

namespace {

// Hints stay visible for ten seconds in every window of the program.
class HintPause : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ToolTip)
            if (auto* w = qobject_cast<QWidget*>(watched); w && w->toolTipDuration() < 0)
                w->setToolTipDuration(kHintHidePause);
        return false;
    }
    static constexpr int kHintHidePause = 10000;  // ms
};

}  // namespace

bool TApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const db::AbortError&) {
    } catch (const std::exception& e) {
        if (mainWindow) mainWindow->ApplicationEvents1Exception(receiver, e);
    }
    return false;
}

void ProgramSetup(QApplication& app) {
    const QString title = QString::fromStdString(AlkalmazasCim);
    app.setApplicationName(title);
    ui::SetApplicationTitle(title);
    app.installEventFilter(new HintPause(&app));
    // The toolkit's own texts (the input box's buttons, the edit menus, the
    // file and print dialogs) in Hungarian, as the rest of the program.
    auto* toolkit = new QTranslator(&app);
    if (toolkit->load(QLocale(QLocale::Hungarian, QLocale::Hungary), QStringLiteral("qtbase"),
                      QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(toolkit);
    InstallZipUserInterface();
}

int RunProgram(int argc, char** argv) {
    TApplication app(argc, argv);
    ProgramSetup(app);
    TDM1 dataModule;
    DM1 = &dataModule;
    TFomenuForm form;
    app.mainWindow = &form;
    if (QScreen* screen = QGuiApplication::primaryScreen())
        form.setGeometry(MaximizedGeometry(screen->availableGeometry(), screen->geometry()));
    form.showMaximized();
    try {
        if (form.FormShow() == StartState::Ended) return 0;
    } catch (const std::exception& e) {
        // The data could not be reached at all: say why rather than vanish.
        ui::MessageBox(QStringLiteral("Üzenet"), QString::fromStdString(e.what()), ui::Icon::Error, ui::Ok);
        return 1;
    }
    return app.exec();
}
