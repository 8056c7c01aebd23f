// The main window: prepares the year's data when it is first shown, lets the
// user select a company and then dispatches the menu items and speed buttons
// to the forms of every subsystem. The menus are described as data in
// Fomenu.cpp; which form class each item opens is looked up in FormList.
#pragma once

#include <QMainWindow>
#include <QRect>
#include <QString>
#include <exception>
#include <functional>
#include <map>
#include <vector>

#include "core/MainWindowLink.h"

class QAction;

class QLabel;
class QMenu;
class QMenuBar;
class QToolButton;
class QWidget;

// How the company switch treats a menu item or a menu.
enum class SwitchRule {
    Fixed,    // never switched; only the reduced mode disables it
    Company,  // enabled by a successful switch, disabled by a failed one
    Off,      // disabled by every switch
    Nyilat,   // enabled when the company's optional table(s) can be used
    M30,
    M29,
    K30K32,
    M292,
    M294,
    HaviAdo,
};

// The maximised window: the work area from the top-left corner, one pixel
// lower when the work area is the whole screen (an auto-hidden task bar), so
// the task bar can still be reached.
QRect MaximizedGeometry(const QRect& workArea, const QRect& screen);

// How the data preparation at the first show ended.
enum class StartState {
    Ended,      // missing alias, missing or refused user name: the program ends
    Reduced,    // the data could not be prepared
    NoCompany,  // none, several or a failed switch: no company selected
    CompanySelected,
};

class TFomenuForm : public QMainWindow, public MainWindowLink {
    Q_OBJECT
public:
    explicit TFomenuForm(QWidget* parent = nullptr);
    ~TFomenuForm() override;

    // The data preparation; the program block calls it once after showing
    // the window and ends when it returns Ended.
    StartState FormShow();

    // Opens one of the five forms both a speed button and a menu item reach.
    void FormHiv(int number);
    void BitBtnClick(QToolButton* sender);
    // Switches to the reduced mode; it lasts until the program ends.
    void CsokkentettMod();
    bool IsReduced() const;

    // MainWindowLink
    QString CompanyCode() const override;
    void ShowCompany(const QString& code, const QString& name, const QString& shortName) override;
    void EnableCompanyItems(const CompanyTables& tables) override;
    void DisableCompanyItems() override;

    // A menu item or menu title by its name (nullptr when there is none).
    QAction* Item(const QString& name) const;
    // What the menu rules want for an item, before the mask of forms not yet
    // built (an item whose form is missing stays disabled).
    bool ItemWanted(const QString& name) const;

    // Menu handlers with behaviour of their own; every other item opens its form.
    void MNU_Torzsk_CegKivalClick();
    void MNU_Torzsk_DGClick();
    void MNU_Szamf_EgyediClick();
    void MNU_Szamf_CsopClick();
    void MNU_Szerviz_MentClick();
    void MNU_Torzsk_KilepClick();
    void MNU_Segits_SugoClick();
    void MNU_ProgParamClick();
    void MNU_ProgNaplozClick();

    // The application-wide handler of errors no form caught: logs the
    // message with "-->" and the sender's class, then shows it.
    void ApplicationEvents1Exception(QObject* sender, const std::exception& error);
    // Runs a menu or button handler; an error it raises goes to the handler above.
    void Guarded(QObject* sender, const std::function<void()>& handler);

    // The help file: "TAVRINA" + yy + "_FELHASZNALOI_KEZIKONYV.HLP" in the base folder.
    static QString HelpFile();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void VisszatoltesBefejezese();
    struct ItemState {
        QAction* action = nullptr;
        SwitchRule rule = SwitchRule::Fixed;
        bool wanted = false;     // what the rules ask for
        bool available = false;  // its form exists (or it needs none)
        bool title = false;      // a menu title rather than an item
    };

    void FormCreate();
    void BuildMenus();
    void BuildPanels();
    void FormResize();
    void SetWanted(const QString& name, bool enabled);
    void Apply(ItemState& item);
    bool FormHivAvailable(int number) const;
    void OpenForm(const char* formName);
    // FormHiv (0): the company selection dialog over the open company table.
    void SelectCompany();
    enum class UserName { Ok, Failed, Ended };
    // The user's name in the value-set template: asked for when blank.
    UserName FelhasznaloNevEllenoriz();

    std::map<QString, ItemState> items_;  // menu items and menu titles
    std::vector<QString> order_;          // items in menu order
    std::map<QString, QMenu*> menus_;

public:
    QMenuBar* MainMenu1 = nullptr;
    QWidget* Panel1 = nullptr;
    QWidget* Panel2 = nullptr;
    QWidget* Panel3 = nullptr;
    QWidget* Panel4 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label16 = nullptr;
    QLabel* Image3 = nullptr;
    QToolButton* BitBtn1 = nullptr;
    QToolButton* BitBtn2 = nullptr;
    QToolButton* BitBtn3 = nullptr;
    QToolButton* BitBtn4 = nullptr;
    QToolButton* BitBtn5 = nullptr;
    QToolButton* BitBtn6 = nullptr;
};
