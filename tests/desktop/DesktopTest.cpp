// The real main window under a real X server and window manager, driven
// through its own menu actions as a user drives it: every form it opens must
// become the active window, raise no error and close again. The offscreen
// platform activates windows at once; a window manager does it later, which
// is where forms that wait for focus events go wrong. Run by with-desktop.sh;
// TAVRINA_FORM_SHOTS=<folder> saves a picture of the screen with each form.
#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <functional>
#include <iostream>

#include "app/Fomenu.h"
#include "app/Program.h"
#include "core/DataModule1.h"
#include "core/Naplo.h"
#include "core/PickList.h"
#include "core/SegedUnitDb.h"
#include "core/StartValues.h"
#include "payroll/Szamfejt.h"
#include "platform/os/Clock.h"
#include "platform/os/DayNumber.h"
#include "support/CompanyFixture.h"
#include "support/TestCompany.h"

namespace {

using enginetest::WriteRows;

// Items that open no form of their own: the end, the help file (a message),
// the parameters box and the log note.
bool OpensAForm(const QString& item) {
    return item != "MNU_Torzsk_Kilep" && item != "MNU_Segits_Sugo" && item != "MNU_ProgParam" &&
           item != "MNU_ProgNaploz";
}

QString ShotFolder() {
    const char* folder = std::getenv("TAVRINA_FORM_SHOTS");
    return folder && *folder ? QString::fromLocal8Bit(folder) : QString();
}

// A picture of the whole screen, title bars and all, when asked for.
void Shot(const QString& name) {
    const QString folder = ShotFolder();
    if (folder.isEmpty()) return;
    QDir().mkpath(folder);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        screen->grabWindow(0).save(folder + "/" + name + ".png");
}

// Drives the modal windows that come up while a menu action runs: it waits
// for the form to become the active window, lets `inside` work in it, answers
// every message box with its first positive button, then closes the form with
// Esc (its own "Kilépés" path), more forcefully if that does not close it.
class Robot : public QObject {
public:
    struct Result {
        QString form;          // object name of the form that opened
        bool active = false;   // it became the active window
        bool closed = false;   // it closed again
        QStringList messages;  // every message box, "icon: text"
        QStringList errors;    // message boxes with the error icon
    };

    Robot(QString name, std::function<void(QDialog&)> inside = {})
        : name_(std::move(name)), inside_(std::move(inside)) {
        timer_.setInterval(20);
        connect(&timer_, &QTimer::timeout, this, [this] { Tick(); });
        timer_.start();
        clock_.start();
    }

    Result result;
    // The form opened and is gone again.
    bool FormClosed() const { return !result.form.isEmpty() && (!form_ || !form_->isVisible()); }

private:
    void Tick() {
        if (busy_) return;  // a step that opened a nested loop is still running
        busy_ = true;
        Step();
        busy_ = false;
    }

    void Step() {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            Answer(*box);
            return;
        }
        if (!form_) {
            if (auto* dialog = qobject_cast<QDialog*>(modal); dialog && result.form.isEmpty()) {
                form_ = dialog;
                result.form = dialog->objectName();
                since_ = clock_.elapsed();
            }
            return;
        }
        const qint64 waited = clock_.elapsed() - since_;
        if (!result.active) {
            if (QApplication::activeWindow() == form_) {
                result.active = true;
                QTest::qWait(150);  // painted, for the picture
                Shot(name_);
                if (inside_) {
                    // A step that opens a modal window runs from a fresh call, so
                    // this tick returns and the robot keeps answering.
                    QTimer::singleShot(0, form_, [this] {
                        if (form_) inside_(*form_);
                        insideDone_ = true;
                    });
                } else {
                    insideDone_ = true;
                }
                since_ = clock_.elapsed();
            } else if (waited > 5000) {
                Close(false);
            }
            return;
        }
        if (!insideDone_) return;
        if (!escSent_) {
            escSent_ = true;
            since_ = clock_.elapsed();
            // Posted: the question it may ask is answered by a later tick.
            QTimer::singleShot(0, form_, [this] { QTest::keyClick(form_, Qt::Key_Escape); });
        } else if (waited > 3000) {
            Close(true);
        }
    }

    void Answer(QMessageBox& box) {
        QString icon;
        switch (box.icon()) {
            case QMessageBox::Critical:
                icon = "error";
                break;
            case QMessageBox::Warning:
                icon = "warning";
                break;
            case QMessageBox::Question:
                icon = "question";
                break;
            default:
                icon = "information";
                break;
        }
        const QString seen = icon + ": " + box.text();
        result.messages << seen;
        if (box.icon() == QMessageBox::Critical) result.errors << seen;
        QTest::qWait(100);
        Shot(name_ + "-message" + QString::number(result.messages.size()));
        QAbstractButton* press = nullptr;
        for (QAbstractButton* b : box.buttons()) {
            const auto role = box.buttonRole(b);
            if (!press && (role == QMessageBox::YesRole || role == QMessageBox::AcceptRole)) press = b;
        }
        if (press)
            press->click();
        else
            box.reject();
    }

    // The form did not do what a user would see it do: it is closed anyway.
    void Close(bool force) {
        if (!form_) return;
        QTimer::singleShot(0, form_, [this, force] {
            if (force)
                form_->QDialog::done(QDialog::Rejected);  // past the form's own questions
            else
                form_->close();
        });
        since_ = clock_.elapsed();
    }

    QString name_;
    std::function<void(QDialog&)> inside_;
    QTimer timer_;
    QElapsedTimer clock_;
    QPointer<QDialog> form_;
    qint64 since_ = 0;
    bool busy_ = false, insideDone_ = false, escSent_ = false;
};

// The program's own start on a machine with a company, a workplace and an
// employee, the clock in February 2019.
class Desktop : public testing::Test {
protected:
    void SetUp() override {
        AliasLetrehoz(AktualisAlias, EvKonyvtar());
        PrepareYearFolder(AktualisAlias);
        {
            db::Table names;
            names.DatabaseName = AktualisAlias;
            names.TableName = "Ertekkeszlet";
            names.Open();
            ASSERT_TRUE(names.Locate("EK_TIPUS;EK_ERTEK", std::vector<db::Variant>{"0", "02"}));
            names.Edit();
            names.FieldByName("EK_ERTEKCHAR").SetAsString("Minta Iroda");
            names.Post();
        }
        testsupport::MakeCompany("001", "Próba Kft", "Próba");
        WriteRows(AktualisAlias, "MHely_001",
                  {{"MH_KOD", "MH_NEV", "MH_KHKOD"}, {"000001", "Iroda", "000100"}});
        // clang-format off
        WriteRows(AktualisAlias, "Dolgozo_001", {
            {"DG_TORZSSZAM", "DG_NEV",    "DG_MHKOD", "DG_BELEPDAT", "DG_BERFORM", "DG_ALKMIN", "DG_ALAPBER", "DG_NAPIKOTORA", "DG_NYUGJAR", "DG_EGBIZJARTERM", "DG_EGBIZJARPENZ", "DG_MPJDOLG", "DG_SZHA", "DG_SZABKER", "DG_BETEGSZABKER"},
            {"00001",        "Havi Anna", "000001",   "2015.01.01",  "1",          "1",         "300000",     "8",             "I",          "I",               "I",               "I",          "I",       "20",         "15"},
        });
        // clang-format on
        DM1 = &dm;
        window = std::make_unique<TFomenuForm>();
        static_cast<TApplication*>(QCoreApplication::instance())->mainWindow = window.get();
        window->setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
        window->showMaximized();
        ASSERT_EQ(window->FormShow(), StartState::CompanySelected);
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    void TearDown() override {
        static_cast<TApplication*>(QCoreApplication::instance())->mainWindow = nullptr;
        window.reset();
        DM1 = nullptr;
    }

    // Errors that reached the application's handler: the log lines it wrote.
    static QStringList HandlerErrors() {
        QStringList lines;
        const std::string log = testsupport::ReadBytes(NaploFajl());
        for (const QString& line : QString::fromLatin1(log).split('\n'))
            if (line.contains("-->")) lines << line.trimmed();
        return lines;
    }

    // Runs the menu item's action, its form driven by a robot.
    Robot::Result Run(QAction* item, std::function<void(QDialog&)> inside = {}) {
        Robot robot(item->objectName(), std::move(inside));
        item->trigger();
        robot.result.closed = robot.FormClosed();
        return robot.result;
    }

    testsupport::TempHome home;
    os::FixedClock clock{os::EncodeDate(2019, 2, 15) + os::EncodeTime(10, 0, 0)};
    TDM1 dm;
    std::unique_ptr<TFomenuForm> window;
};

TEST_F(Desktop, EveryMenuFormOpensActiveAndClosesWithoutAnError) {
    std::vector<QAction*> items;
    for (QAction* a : window->MainMenu1->findChildren<QAction*>())
        if (!a->objectName().isEmpty() && !a->menu() && a->isVisible() && a->isEnabled() &&
            OpensAForm(a->objectName()))
            items.push_back(a);
    ASSERT_GT(items.size(), 40u);
    for (QAction* item : items) {
        SCOPED_TRACE(item->objectName().toStdString());
        const Robot::Result r = Run(item);
        EXPECT_FALSE(r.form.isEmpty()) << "no form opened";
        EXPECT_TRUE(r.active) << r.form.toStdString() << " never became the active window";
        EXPECT_TRUE(r.closed) << r.form.toStdString() << " did not close";
        EXPECT_TRUE(r.errors.isEmpty()) << r.errors.join("\n").toStdString();
        EXPECT_TRUE(window->isVisible());
    }
    EXPECT_TRUE(HandlerErrors().isEmpty()) << HandlerErrors().join("\n").toStdString();
}

// F2 in the payroll form's employee edit, a choice in the real pick list,
// and the month runs: no Enter, whenever the window manager hands the focus
// back to the form.
TEST_F(Desktop, PayrollPickRunsTheChosenEmployeesMonth) {
    bool running = false;
    QString employee;
    const Robot::Result r = Run(window->Item("MNU_Szamf_Egyedi"), [&](QDialog& d) {
        auto& form = dynamic_cast<TSzamfejtForm&>(d);
        QTimer::singleShot(300, [] {
            // The pick list is up: the employee's row is chosen with Enter.
            if (auto* pick = qobject_cast<PickListDialog*>(QApplication::activeModalWidget())) {
                Shot("MNU_Szamf_Egyedi-F2");
                QTest::keyClick(pick->DBGrid1, Qt::Key_Return);
            }
        });
        form.MaskEdit4->setFocus();
        QTest::keyClick(form.MaskEdit4, Qt::Key_F2);
        QElapsedTimer waited;
        waited.start();
        while (!form.SzamfejtesFolyamatban && waited.elapsed() < 3000) QTest::qWait(20);
        running = form.SzamfejtesFolyamatban;
        employee = form.MaskEdit4->text().trimmed();
    });
    EXPECT_EQ(r.form, "SzamfejtForm");
    EXPECT_TRUE(r.active);
    EXPECT_TRUE(running) << "the pick did not start the run";
    EXPECT_EQ(employee, "00001");
    EXPECT_TRUE(r.closed);
    EXPECT_TRUE(r.errors.isEmpty()) << r.errors.join("\n").toStdString();
    EXPECT_TRUE(HandlerErrors().isEmpty()) << HandlerErrors().join("\n").toStdString();
}

// The names the Tab key visits from the page control's tabs until it comes
// back to them, on the page control's current page. The tabs stand for their
// page control.
QStringList TabWalk(QTabWidget& pages) {
    QStringList names;
    pages.setFocus(Qt::TabFocusReason);
    QTest::qWait(50);
    for (int i = 0; i < 12; ++i) {
        QWidget* focus = QApplication::focusWidget();
        if (!focus) break;
        names << (focus->parentWidget() == &pages ? pages.objectName() : focus->objectName());
        if (i > 0 && names.back() == names.front()) break;
        QTest::keyClick(focus, Qt::Key_Tab);
        QTest::qWait(50);
    }
    return names;
}

// The backup form from its menu item: on each page Tab goes through the
// page's controls in their tables' order, then to the closing button and
// back to the tabs; Esc closes the form.
TEST_F(Desktop, BackupFormTabsInOrderOnEachPage) {
    std::vector<QStringList> walks;
    const Robot::Result r = Run(window->Item("MNU_Szerviz_Ment"), [&](QDialog& d) {
        auto* pages = d.findChild<QTabWidget*>("PageControl1");
        if (!pages) return;
        for (int page = 0; page < pages->count(); ++page) {
            pages->setCurrentIndex(page);
            walks.push_back(TabWalk(*pages));
        }
    });
    EXPECT_EQ(r.form, "MentesZipForm");
    EXPECT_TRUE(r.active);
    const std::vector<QStringList> expected = {
        {"PageControl1", "Memo1", "BitBtn1", "BitBtn5", "PageControl1"},
        {"PageControl1", "MaskEdit1", "Memo2", "BitBtn6", "BitBtn5", "PageControl1"},
        {"PageControl1", "Memo3", "BitBtn2", "BitBtn5", "PageControl1"},
    };
    EXPECT_EQ(walks, expected);
    EXPECT_TRUE(r.closed);
    EXPECT_TRUE(r.messages.isEmpty()) << r.messages.join("\n").toStdString();
    EXPECT_TRUE(HandlerErrors().isEmpty()) << HandlerErrors().join("\n").toStdString();
}

}  // namespace

int main(int argc, char** argv) {
    // with-desktop.sh starts the X server and the window manager.
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display) {
        std::cout << "SKIPPED: no X display (run through tests/desktop/with-desktop.sh)" << std::endl;
        return 77;
    }
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    TApplication app(argc, argv);
    ProgramSetup(app);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
