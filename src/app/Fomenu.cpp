#include "app/Fomenu.h"

#include <QAction>
#include <QEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLinearGradient>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPen>
#include <QToolButton>
#include <QVBoxLayout>
#include <filesystem>

#include "app/FormList.h"
#include "backup/DataFolderBackup.h"
#include "controls/ControlUtils.h"
#include "core/CegKival.h"
#include "core/CegTablak.h"
#include "core/DataModule1.h"
#include "core/Naplo.h"
#include "core/SegedUnitDb.h"
#include "core/StartValues.h"
#include "core/TableLayouts.h"
#include "payroll/Szamfejt.h"
#include "platform/db/Engine.h"
#include "platform/os/System.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/QtString.h"

namespace {

// The main menu as the designer laid it out. Items whose caption depends on
// the processing year get it in FormCreate.
struct MenuTitle {
    const char* name;
    const char* caption;
    bool enabled;  // at design
    SwitchRule rule;
};

const MenuTitle kMenus[] = {
    {"MNU_Torzsk", "Törzskezelés", true, SwitchRule::Fixed},
    {"MNU_Szamf", "Számfejtés", true, SwitchRule::Fixed},
    {"MNU_LIST_Kifiz", "Kifizetési listák", true, SwitchRule::Fixed},
    {"MNU_LIST_Ossz", "Összesítő listák", true, SwitchRule::Fixed},
    {"MNU_LIST_Eseti", "Eseti listák", true, SwitchRule::Fixed},
    {"MNU_Szerviz", "Szerviz", true, SwitchRule::Fixed},
    {"MNU_Ado", "Adó", true, SwitchRule::Company},
    {"MNU_MAdo", "Havi adó", false, SwitchRule::HaviAdo},
    {"MNU_Segitseg", "Segítség", true, SwitchRule::Fixed},
};

using Handler = void (TFomenuForm::*)();

struct MenuItem {
    const char* menu;
    const char* name;  // nullptr: a separator
    const char* caption;
    const char* opens;  // the form class; nullptr when the handler does the work
    bool visible;
    bool enabled;  // at design
    SwitchRule rule;
    Handler handler = nullptr;
};

constexpr bool Shown = true, Hidden = false, On = true, Dis = false;
using R = SwitchRule;
using F = TFomenuForm;

const MenuItem kItems[] = {
    // Törzskezelés
    {"MNU_Torzsk", "MNU_Torzsk_CegKival", "Cég kiválasztása", nullptr, Shown, On, R::Fixed,
     &F::MNU_Torzsk_CegKivalClick},
    {"MNU_Torzsk", "MNU_Torzsk_CG", "Cégek karbantartása", "TTorzskezCegekForm", Shown, On, R::Fixed},
    {"MNU_Torzsk", "MNU_Torzsk_KH", "Kifizetőhely", "TTorzskezKifhelyForm", Shown, Dis, R::Company},
    {"MNU_Torzsk", "MNU_Torzsk_MH", "Munkahely", "TTorzskezMhelyForm", Shown, Dis, R::Company},
    {"MNU_Torzsk", "MNU_Torzsk_DG", "Dolgozó", nullptr, Shown, Dis, R::Company, &F::MNU_Torzsk_DGClick},
    {"MNU_Torzsk", "MNU_Torzsk_JC", "Jogcím", "TTorzskezJogcimForm", Shown, Dis, R::Company},
    {"MNU_Torzsk", "MNU_Torzsk_RJ", "Rendszeres jogcím", "TTorzskezRJogcimForm", Shown, Dis, R::Company},
    {"MNU_Torzsk", "MNU_Torzskez_HozottAdatok", "Hozott Adatok", "THozottAdatokForm", Shown, Dis, R::Company},
    {"MNU_Torzsk", "MNU_Torzsk_Kilep", "Kilépés", nullptr, Shown, On, R::Fixed, &F::MNU_Torzsk_KilepClick},
    // Számfejtés
    {"MNU_Szamf", "MNU_Szamf_Egyedi", "Egyedi", nullptr, Shown, Dis, R::Company, &F::MNU_Szamf_EgyediClick},
    {"MNU_Szamf", "MNU_Szamf_Csop", "Csoportos", nullptr, Shown, Dis, R::Company, &F::MNU_Szamf_CsopClick},
    // Kifizetési listák
    {"MNU_LIST_Kifiz", "MNU_LIST_Kifiz_Berlap", "Bérlap", "TList_BerlapForm", Shown, Dis, R::Company},
    {"MNU_LIST_Kifiz", "MNU_LIST_Kifiz_Jogcimenkent", "Listázás jogcímenként", "TList_JogcimForm", Shown, Dis,
     R::Company},
    {"MNU_LIST_Kifiz", "MNU_LIST_Kifiz_MNYP", "Magán-nyugdíjpénztári lista", "TList_MNYPForm", Hidden, Dis,
     R::Off},
    {"MNU_LIST_Kifiz", "MNU_LIST_Kifiz_Cimletjegyz", "Címletjegyzék", "TList_CimletjegyzForm", Shown, Dis,
     R::Company},
    {"MNU_LIST_Kifiz", "MNU_LIST_Kifiz_MNYPbevall", "Magán-nyugdíjpénztári tagdíjbevallás",
     "TList_MNYPbevallForm", Hidden, Dis, R::Off},
    {"MNU_LIST_Kifiz", "MNU_LIST_Kifiz_EVMNYPbevall", "EV Magán-nyugdíjpénztári tagdíjbevallás",
     "TList_EVMNYPbevallForm", Hidden, Dis, R::Off},
    {"MNU_LIST_Kifiz", "MNU_LIST_Kifiz_Kifiz", "Kifizetési lista", "TList_KifizForm", Shown, Dis, R::Company},
    {"MNU_LIST_Kifiz", "MNU_LIST_Kifiz_KifizJarul", "Kifizetési lista levonásokkal", "TList_KifizJarulForm",
     Shown, Dis, R::Company},
    // Összesítő listák
    {"MNU_LIST_Ossz", "MNU_LIST_Ossz_Jogc", "Jogcím összesítő", "TList_JogcimOsszForm", Shown, Dis,
     R::Company},
    {"MNU_LIST_Ossz", "MNU_LIST_Ossz_Jarul", "Járulék összesítő", "TList_JarulOsszForm", Shown, Dis,
     R::Company},
    {"MNU_LIST_Ossz", "MNU_LIST_Ossz_SZHAkedv", "SZHA kedvezmény", "TList_SZHAkedvForm", Shown, Dis,
     R::Company},
    {"MNU_LIST_Ossz", "MNU_LIST_Ossz_KoltsFel", "Költségfelosztás", "TList_KoltsFelosztForm", Hidden, Dis,
     R::Off},
    {"MNU_LIST_Ossz", "MNU_LIST_Ossz_BevalSeg", "", "TList_BevalSegForm", Shown, Dis, R::Company},
    {"MNU_LIST_Ossz", "MNU_LIST_Ossz_BevEll", "Bevallás ellenőrző - Utalandó tételek", "TList_BevEllForm",
     Shown, Dis, R::Company},
    {"MNU_LIST_Ossz", "MNU_LIST_Ossz_FokFel", "Főkönyvi feladás", "TList_FokfelForm", Shown, Dis, R::Company},
    {"MNU_LIST_Ossz", "MNU_LIST_Ossz_UtalTetel", "Utalandó tételek", "TList_UtalTetelForm", Hidden, Dis,
     R::Off},
    {"MNU_LIST_Ossz", "MNU_LIST_Ossz_MunkidoKedvOssz", "Munkaidő kedvezmény összesítő",
     "TList_MunkidoKedvOsszForm", Shown, Dis, R::Company},
    {"MNU_LIST_Ossz", "MNU_LIST_Ossz_Stat", "Munkaügyi adatok", "TList_StatForm", Shown, Dis, R::Company},
    // Eseti listák
    {"MNU_LIST_Eseti", "MNU_LIST_Eseti_Adatlap", "Adatlap", "TList_AdatlapForm", Shown, Dis, R::Company},
    {"MNU_LIST_Eseti", "MNU_LIST_Eseti_Berkart", "Bérkarton", "TList_BerkartonForm", Shown, Dis, R::Company},
    {"MNU_LIST_Eseti", "MNU_LIST_Eseti_Foglig", "Foglalkoztatói igazolás", "TList_FogligForm", Shown, Dis,
     R::Company},
    {"MNU_LIST_Eseti", "MNU_LIST_Eseti_Szab", "Szabadság lista", "TList_SzabForm", Shown, Dis, R::Company},
    {"MNU_LIST_Eseti", "MNU_LIST_Eseti_SzabKeretFelh", "Szabadság keret felhasználás",
     "TList_SzabKerFelhForm", Shown, Dis, R::Company},
    {"MNU_LIST_Eseti", "MNU_LIST_Eseti_NYENYI", "", "TList_NYENYIForm", Shown, Dis, R::Company},
    {"MNU_LIST_Eseti", "MNU_LIST_Eseti_Munkig", "Munkáltatói igazolás", "TList_MunkigForm", Shown, Dis,
     R::Company},
    {"MNU_LIST_Eseti", "MNU_LIST_Eseti_MunkidoKedv", "Munkaidő kedvezmény", "TList_MunkidoKedvForm", Shown,
     Dis, R::Company},
    {"MNU_LIST_Eseti", "MNU_LIST_Eseti_PenztarVal", "Adatszolgáltatás a pénztártagok pénztárválasztásáról",
     "TList_PenztarAdatszForm", Hidden, Dis, R::Off},
    {"MNU_LIST_Eseti", "MNU_LIST_Eseti_EKHO", "EKHO igazolás", "TList_EKHOigazolasForm", Shown, Dis,
     R::Company},
    {"MNU_LIST_Eseti", "MNU_LIST_Eseti_EFO", "EFO igazolás", "TList_EFOigazolasForm", Shown, Dis, R::Company},
    // Szerviz
    {"MNU_Szerviz", "MNU_Szerviz_Naptar", "Naptár", "TSzervizNaptarForm", Shown, On, R::Fixed},
    {"MNU_Szerviz", "MNU_Szerviz_EK", "Értékkészlet karbantartás", "TSzervizErtekkeszletForm", Shown, Dis,
     R::Company},
    {"MNU_Szerviz", nullptr, nullptr, nullptr, Shown, On, R::Fixed},
    {"MNU_Szerviz", "MNU_ProgParam", "Program paraméterek", nullptr, Shown, On, R::Fixed,
     &F::MNU_ProgParamClick},
    {"MNU_Szerviz", "MNU_ProgNaploz", "Program állapotának naplózása", nullptr, Shown, On, R::Fixed,
     &F::MNU_ProgNaplozClick},
    {"MNU_Szerviz", nullptr, nullptr, nullptr, Shown, On, R::Fixed},
    {"MNU_Szerviz", "MNU_Szerviz_CsalkedvNyil", "Családi kedvezmény nyilatkozat", "TList_CsalkedvNyilForm",
     Shown, Dis, R::Company},
    {"MNU_Szerviz", "MNU_Szerviz_AdoelolegElsoHazasNyil", "Első házas kedvezmény nyilatkozat",
     "TList_AdoelolegElsoHazasNyilForm", Shown, Dis, R::Company},
    {"MNU_Szerviz", "MNU_Szerviz_AdoelolegSzamNyil", "Adóelőleg számítás nyilatkozat",
     "TList_AdoelolegSzamNyilForm", Shown, Dis, R::Company},
    {"MNU_Szerviz", "MNU_Szerviz_AdoelolegKedvNyil", "Adóelőleg kedvezmény nyilatkozat",
     "TList_AdoelolegKedvNyilForm", Shown, Dis, R::Company},
    {"MNU_Szerviz", nullptr, nullptr, nullptr, Shown, On, R::Fixed},
    {"MNU_Szerviz", "MNU_Szerviz_UtTetKarb", "Utalandó tételek karbantartása", "TUtalModForm", Shown, Dis,
     R::Company},
    {"MNU_Szerviz", "MNU_Szerviz_NyugPKarb", "Nyugdíjpénztárak karbantartása", "TNyugPModForm", Hidden, Dis,
     R::Off},
    {"MNU_Szerviz", nullptr, nullptr, nullptr, Shown, On, R::Fixed},
    {"MNU_Szerviz", "MNU_Szerviz_BankiUt", "Banki utalás - OTP", "TBankiUtForm", Shown, Dis, R::Company},
    {"MNU_Szerviz", "MNU_Szerviz_BankiUtMKB", "Munkabér átutalás - MKB", "TBankiUtMKBForm", Shown, Dis,
     R::Company},
    {"MNU_Szerviz", "MNU_Szerviz_BankiUtBPB", "Munkabér utalás - BPB", "TBankiUtBPBForm", Shown, Dis,
     R::Company},
    {"MNU_Szerviz", "MNU_Szerviz_EvgyONYPadatsz", "Évgyűrűk ÖNYP adatszolgáltatás", "TEvgyONYPadatszolgForm",
     Shown, Dis, R::Company},
    {"MNU_Szerviz", "MNU_Szerviz_MNYPadatszolg", "MNYP adatszolgáltatás", "TMNYPadatszolgForm", Hidden, Dis,
     R::Off},
    {"MNU_Szerviz", "MNU_Szerviz_NYENYIadatszolg", "NYENYI adatszolgáltatás", "TNYENYIadatszolgForm", Hidden,
     Dis, R::Off},
    {"MNU_Szerviz", nullptr, nullptr, nullptr, Shown, On, R::Fixed},
    {"MNU_Szerviz", "MNU_Szerviz_Jav", "Javítás", "TSzervizJavForm", Hidden, On, R::Fixed},
    {"MNU_Szerviz", nullptr, nullptr, nullptr, Shown, On, R::Fixed},
    {"MNU_Szerviz", "MNU_Szerviz_Ment", "Mentés", nullptr, Shown, On, R::Fixed, &F::MNU_Szerviz_MentClick},
    // Adó
    {"MNU_Ado", "MNU_Ado_Nyil", "Nyilatkozat", "TList_NyilatForm", Hidden, Dis, R::Off},
    {"MNU_Ado", "MNU_Ado_M30ossz", "M30 összesítés", "TAdo_M30osszForm", Shown, Dis, R::M30},
    {"MNU_Ado", "MNU_Ado_M30mod", "M30 módosítás", "TAdo_M30modForm", Shown, Dis, R::M30},
    {"MNU_Ado", nullptr, nullptr, nullptr, Hidden, On, R::Fixed},
    {"MNU_Ado", "MNU_Ado_K30ossz", "K30,32 összesítés", "TAdo_K30osszForm", Hidden, Dis, R::K30K32},
    {"MNU_Ado", "MNU_Ado_K30mod", "K30 módosítás", "TAdo_K30modForm", Hidden, Dis, R::K30K32},
    {"MNU_Ado", "MNU_Ado_K32mod", "K32 módosítás", "TAdo_K32modForm", Hidden, Dis, R::K30K32},
    {"MNU_Ado", "MNU_Ado_LIST_M30", "M30 lista", "TList_M30Form", Shown, Dis, R::M30},
    {"MNU_Ado", "MNU_Ado_LIST_K30", "K30,32 lista", "TList_K30Form", Hidden, Dis, R::K30K32},
    {"MNU_Ado", "MNU_Ado_AdatszolgK", "Adatszolgáltatás K30,32", "TAdo_AdatszolgForm", Hidden, Dis, R::Off},
    {"MNU_Ado", nullptr, nullptr, nullptr, Hidden, On, R::Fixed},
    {"MNU_Ado", "MNU_Ado_NyilRog", "Nyilatkozat rögzítése", "TAdo_NyilatRogForm", Hidden, Dis, R::Nyilat},
    {"MNU_Ado", "MNU_Ado_Gyerm", "Gyermekek", "TAdo_M292modForm", Hidden, Dis, R::M292},
    {"MNU_Ado", "MNU_Ado_Adost", "Adóstárs", "TAdo_M294modForm", Hidden, Dis, R::M294},
    {"MNU_Ado", "MNU_Ado_M29ossz", "M29 összesítés", "TAdo_M29osszForm", Hidden, Dis, R::M29},
    {"MNU_Ado", "MNU_Ado_M29mod", "M29 módosítás", "TAdo_M29modForm", Hidden, Dis, R::M29},
    {"MNU_Ado", "MNU_Ado_LIST_M29", "M29 lista", "TList_M29Form", Hidden, Dis, R::M29},
    {"MNU_Ado", "MNU_Ado_AdatszolgM", "Adatszolgáltatás M29", "TAdo_AdatszolgForm", Hidden, Dis, R::Off},
    // Havi adó: the menu title carries the rule, its items are enabled at design
    {"MNU_MAdo", "MNU_MAdo_MABosszesites", "", "TMABosszesitesForm", Shown, On, R::Fixed},
    {"MNU_MAdo", "MNU_MAdo_MABmod", "", "TMABForm", Shown, On, R::Fixed},
    {"MNU_MAdo", "MNU_MAdo_MABOSZosszesites", "", "TMABOSZosszesitesForm", Shown, On, R::Fixed},
    {"MNU_MAdo", "MNU_MAdo_MABOSZmod", "", "TMABOSZForm", Shown, On, R::Fixed},
    {"MNU_MAdo", "MNU_MAdo_MABadatsz", "Adatszolgáltatás", "TMABadatszForm", Shown, On, R::Fixed},
    {"MNU_MAdo", "MNU_MAdo_MABEVadatsz", "EV adatszolgáltatás", "TMABEVadatszForm", Shown, On, R::Fixed},
    {"MNU_MAdo", "MNU_MAdo_MABadatszSzakkepzesi", "Szakképzési hozzájárulás", "TMABadatszSzakkepzesiForm",
     Hidden, On, R::Fixed},
    // Segítség
    {"MNU_Segitseg", "MNU_Segits_Sugo", "Súgó", nullptr, Shown, On, R::Fixed, &F::MNU_Segits_SugoClick},
};

// The pictures of the speed buttons, drawn rather than shipped.
QIcon ButtonPicture(int tag) {
    QPixmap pixmap(64, 64);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink(0x1f, 0x4e, 0x79), paper(0xf4, 0xf7, 0xfb), accent(0xd9, 0x8c, 0x1f);
    p.setPen(QPen(ink, 2.5));
    auto sheet = [&](QRectF r) {
        p.setBrush(paper);
        p.drawRect(r);
        p.setFont(QFont("DejaVu Sans", 11, QFont::Bold));
        p.drawText(r, Qt::AlignCenter, QStringLiteral("Ft"));
    };
    switch (tag) {
        case 1:  // a company: an office building
            p.setBrush(paper);
            p.drawRect(QRectF(14, 8, 36, 50));
            p.setBrush(ink);
            for (int row = 0; row < 4; ++row)
                for (int col = 0; col < 3; ++col) p.drawRect(QRectF(19 + col * 10, 13 + row * 10, 5, 5));
            p.setBrush(accent);
            p.drawRect(QRectF(28, 48, 8, 10));
            break;
        case 2:  // an employee
            p.setBrush(accent);
            p.drawEllipse(QRectF(22, 6, 20, 20));
            p.setBrush(paper);
            p.drawRoundedRect(QRectF(12, 30, 40, 28), 12, 12);
            break;
        case 3:  // one payslip
            sheet(QRectF(16, 8, 32, 48));
            break;
        case 4:  // a group of payslips
            sheet(QRectF(26, 4, 30, 42));
            sheet(QRectF(18, 12, 30, 42));
            sheet(QRectF(10, 20, 30, 42));
            break;
        case 5:  // backup: a disk
            p.setBrush(ink);
            p.drawRoundedRect(QRectF(8, 8, 48, 48), 4, 4);
            p.setBrush(paper);
            p.drawRect(QRectF(18, 10, 28, 16));
            p.setBrush(accent);
            p.drawRect(QRectF(16, 36, 32, 18));
            break;
        default:  // exit: a door and an arrow out of it
            p.setBrush(paper);
            p.drawRect(QRectF(10, 6, 28, 52));
            p.setPen(QPen(accent, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.drawLine(QPointF(26, 32), QPointF(56, 32));
            p.drawLine(QPointF(46, 22), QPointF(56, 32));
            p.drawLine(QPointF(46, 42), QPointF(56, 32));
            break;
    }
    return QIcon(pixmap);
}

const char* const kButtonHints[6] = {"Cég kiválasztás",      "Dolgozó", "Egyedi számfejtés",
                                     "Csoportos számfejtés", "Mentés",  "Kilépés"};

bool Usable(SwitchRule rule, const CompanyTables& t) {
    switch (rule) {
        case SwitchRule::Company:
            return true;
        case SwitchRule::Off:
            return false;
        case SwitchRule::Nyilat:
            return t.Nyilat;
        case SwitchRule::M30:
            return t.M30;
        case SwitchRule::M29:
            return t.M29;
        case SwitchRule::K30K32:
            return t.K30K32;
        case SwitchRule::M292:
            return t.M292;
        case SwitchRule::M294:
            return t.M294;
        case SwitchRule::HaviAdo:
            return t.HaviAdo;
        case SwitchRule::Fixed:
            break;
    }
    return false;
}

// The picture of the empty main window: a square the window scales.
QPixmap MainPicture() {
    QPixmap pixmap(600, 600);
    pixmap.fill(Qt::white);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient gradient(0, 0, 600, 600);
    gradient.setColorAt(0, QColor(0x1f, 0x4e, 0x79));
    gradient.setColorAt(1, QColor(0x5b, 0x9b, 0xd5));
    p.setBrush(gradient);
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(60, 60, 480, 480), 40, 40);
    p.setPen(Qt::white);
    QFont font("DejaVu Sans", 56, QFont::Bold);
    p.setFont(font);
    p.drawText(QRectF(60, 150, 480, 150), Qt::AlignCenter, QStringLiteral("Tavrina"));
    font.setPointSize(40);
    font.setBold(false);
    p.setFont(font);
    p.drawText(QRectF(60, 300, 480, 120), Qt::AlignCenter, Q(FeldolgozasiEv));
    return pixmap;
}

}  // namespace

QRect MaximizedGeometry(const QRect& workArea, const QRect& screen) {
    const int height = workArea.height() == screen.height() ? workArea.height() - 1 : workArea.height();
    return QRect(0, 0, workArea.width(), height);
}

TFomenuForm::TFomenuForm(QWidget* parent) : QMainWindow(parent) {
    setObjectName("FomenuForm");
    BuildMenus();
    BuildPanels();
    FormCreate();
    setMinimumSize(640, 480);  // the smallest size the window may be given
    SetMainWindow(this);
}

TFomenuForm::~TFomenuForm() {
    if (MainWindow() == this) SetMainWindow(nullptr);
}

void TFomenuForm::BuildMenus() {
    MainMenu1 = menuBar();
    MainMenu1->setObjectName("MainMenu1");
    for (const MenuTitle& m : kMenus) {
        QMenu* menu = MainMenu1->addMenu(QString::fromUtf8(m.caption));
        menu->setObjectName(m.name);
        menu->menuAction()->setObjectName(m.name);
        menus_[m.name] = menu;
        ItemState& state = items_[m.name];
        state.action = menu->menuAction();
        state.rule = m.rule;
        state.wanted = m.enabled;
        state.available = true;
        state.title = true;
        Apply(state);
    }
    for (const MenuItem& it : kItems) {
        QMenu* menu = menus_.at(it.menu);
        if (!it.name) {
            menu->addSeparator()->setVisible(it.visible);
            continue;
        }
        QAction* action = menu->addAction(QString::fromUtf8(it.caption));
        action->setObjectName(it.name);
        action->setVisible(it.visible);
        ItemState& state = items_[it.name];
        state.action = action;
        state.rule = it.rule;
        state.wanted = it.enabled;
        if (it.handler) {
            connect(action, &QAction::triggered, this,
                    [this, action, h = it.handler] { Guarded(action, [this, h] { (this->*h)(); }); });
            state.available = true;
        } else {
            connect(action, &QAction::triggered, this,
                    [this, action, form = it.opens] { Guarded(action, [this, form] { OpenForm(form); }); });
            state.available = FindForm(it.opens) != nullptr;
        }
        order_.push_back(it.name);
        Apply(state);
    }
    // Items that reach their form through FormHiv are usable once it is built.
    items_.at("MNU_Torzsk_CegKival").available = FormHivAvailable(0);
    items_.at("MNU_Torzsk_DG").available = FormHivAvailable(1);
    items_.at("MNU_Szamf_Egyedi").available = FormHivAvailable(2);
    items_.at("MNU_Szamf_Csop").available = FormHivAvailable(3);
    items_.at("MNU_Szerviz_Ment").available = FormHivAvailable(4);
    for (auto& [name, state] : items_) Apply(state);
}

void TFomenuForm::BuildPanels() {
    auto* central = new QWidget(this);
    central->setObjectName("FomenuClient");
    auto* outer = new QVBoxLayout(central);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    // Panel2 fills the window: the picture above, the speed buttons below.
    Panel2 = new QWidget(central);
    Panel2->setObjectName("Panel2");
    auto* panel2Layout = new QVBoxLayout(Panel2);
    panel2Layout->setContentsMargins(0, 0, 0, 0);
    panel2Layout->setSpacing(0);

    Panel4 = new QWidget(Panel2);
    Panel4->setObjectName("Panel4");
    Panel4->setAutoFillBackground(true);
    QPalette white = Panel4->palette();
    white.setColor(QPalette::Window, Qt::white);
    Panel4->setPalette(white);
    Image3 = new QLabel(Panel4);
    Image3->setObjectName("Image3");
    Image3->setPixmap(MainPicture());
    Image3->setScaledContents(true);
    Panel4->installEventFilter(this);

    Panel3 = new QWidget(Panel2);
    Panel3->setObjectName("Panel3");
    Panel3->setFixedHeight(132);
    QToolButton** buttons[6] = {&BitBtn1, &BitBtn2, &BitBtn3, &BitBtn4, &BitBtn5, &BitBtn6};
    for (int i = 0; i < 6; ++i) {
        auto* b = new QToolButton(Panel3);
        b->setObjectName(QStringLiteral("BitBtn%1").arg(i + 1));
        b->setProperty("Tag", i + 1);
        b->setToolTip(QString::fromUtf8(kButtonHints[i]));
        b->setIcon(ButtonPicture(i + 1));
        b->setIconSize(QSize(64, 64));
        b->setGeometry(8 + 112 * i, 8, 100, 100);
        b->setAutoRaise(true);
        connect(b, &QToolButton::clicked, this, [this, b] { Guarded(b, [this, b] { BitBtnClick(b); }); });
        // All six are enabled at design; a form not built yet keeps its button disabled.
        b->setEnabled(i == 5 || FormHivAvailable(i));
        *buttons[i] = b;
    }
    Label16 = new QLabel(QStringLiteral("Csökkentett mód"), Panel3);
    Label16->setObjectName("Label16");
    Label16->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    QFont bold = Label16->font();
    bold.setBold(true);
    Label16->setFont(bold);
    Label16->hide();
    Panel3->installEventFilter(this);

    panel2Layout->addWidget(Panel4, 1);
    panel2Layout->addWidget(Panel3);

    // Panel1: the company status line.
    Panel1 = new QWidget(central);
    Panel1->setObjectName("Panel1");
    Panel1->setAutoFillBackground(true);
    QPalette info = Panel1->palette();
    info.setColor(QPalette::Window, info.color(QPalette::ToolTipBase));
    info.setColor(QPalette::WindowText, info.color(QPalette::ToolTipText));
    Panel1->setPalette(info);
    auto* status = new QHBoxLayout(Panel1);
    status->setContentsMargins(8, 4, 8, 4);
    auto label = [this, status](const char* name, const QString& text, bool value) {
        auto* l = new QLabel(text, Panel1);
        l->setObjectName(name);
        if (value) {
            QFont f = l->font();
            f.setBold(true);
            l->setFont(f);
        }
        status->addWidget(l);
        return l;
    };
    Label1 = label("Label1", QStringLiteral("Cég kódja :"), false);
    Label2 = label("Label2", QString(), true);
    status->addSpacing(24);
    Label3 = label("Label3", QStringLiteral("Cég neve :"), false);
    Label4 = label("Label4", QString(), true);
    status->addSpacing(24);
    Label5 = label("Label5", QStringLiteral("Cég rövid neve :"), false);
    Label6 = label("Label6", QString(), true);
    status->addStretch(1);

    outer->addWidget(Panel2, 1);
    outer->addWidget(Panel1);
    setCentralWidget(central);
}

void TFomenuForm::FormCreate() {
    // The start-up values are the constants of core/StartValues.
    setWindowTitle(Q(ProgramCim) + "     " + Q(KeszitoSor) + "     " + Q(VerzioSzoveg));
    Label2->clear();
    Label4->clear();
    Label6->clear();
    const QString ev = Q(FeldolgozasiEv);
    const QString yy = ev.mid(2, 2);
    Item("MNU_LIST_Ossz_BevalSeg")->setText("Bevallás " + ev + ". segédlet");
    Item("MNU_LIST_Eseti_NYENYI")->setText("NYENYI " + ev);
    Item("MNU_MAdo_MABosszesites")->setText(yy + "08M összesítés");
    Item("MNU_MAdo_MABmod")->setText(yy + "08M módosítás");
    Item("MNU_MAdo_MABOSZosszesites")->setText(yy + "08A összesítés");
    Item("MNU_MAdo_MABOSZmod")->setText(yy + "08A módosítás");
}

QAction* TFomenuForm::Item(const QString& name) const {
    auto it = items_.find(name);
    return it == items_.end() ? nullptr : it->second.action;
}

bool TFomenuForm::ItemWanted(const QString& name) const {
    auto it = items_.find(name);
    return it != items_.end() && it->second.wanted;
}

void TFomenuForm::Apply(ItemState& item) { item.action->setEnabled(item.wanted && item.available); }

void TFomenuForm::SetWanted(const QString& name, bool enabled) {
    ItemState& item = items_.at(name);
    item.wanted = enabled;
    Apply(item);
}

bool TFomenuForm::FormHivAvailable(int number) const {
    switch (number) {
        case 0:
            return true;
        case 1:
            return FindForm("TTorzskezDolgozoForm") != nullptr;
        case 2:
        case 3:
            return true;
        case 4:
            return FindForm("TMentesZipForm") != nullptr;
        default:
            return false;
    }
}

void TFomenuForm::FormHiv(int number) {
    switch (number) {
        case 0:
            SelectCompany();
            break;
        case 1:
            OpenForm("TTorzskezDolgozoForm");
            break;
        case 2:
        case 3: {
            TSzamfejtForm form;
            form.SzamfejtBeallit(number == 2 ? 0 : 1);
            ui::ShowModal(form);
            break;
        }
        case 4:
            OpenForm("TMentesZipForm");
            break;
        default:
            break;
    }
}

void TFomenuForm::OpenForm(const char* formName) {
    const FormFactory* create = FindForm(formName);
    if (!create) return;
    std::unique_ptr<QDialog> form = (*create)();
    ui::ShowModal(*form);
}

void TFomenuForm::BitBtnClick(QToolButton* sender) {
    const int tag = sender ? sender->property("Tag").toInt() : 0;
    if (tag >= 1 && tag <= 5) {
        FormHiv(tag - 1);
    } else if (tag == 6) {
        close();
    }
}

void TFomenuForm::MNU_Torzsk_CegKivalClick() { FormHiv(0); }
void TFomenuForm::MNU_Torzsk_DGClick() { FormHiv(1); }
void TFomenuForm::MNU_Szamf_EgyediClick() { FormHiv(2); }
void TFomenuForm::MNU_Szamf_CsopClick() { FormHiv(3); }
void TFomenuForm::MNU_Szerviz_MentClick() { FormHiv(4); }
void TFomenuForm::MNU_Torzsk_KilepClick() { close(); }

QString TFomenuForm::HelpFile() {
    const QString yy = Q(FeldolgozasiEv).mid(2, 2);
    return Q(os::BaseFolder()) + "/TAVRINA" + yy + "_FELHASZNALOI_KEZIKONYV.HLP";
}

void TFomenuForm::MNU_Segits_SugoClick() {
    // The desktop's opener shows the file; the program stays usable meanwhile.
    const QString file = HelpFile();
    if (!QFileInfo(file).isFile()) {
        ui::MessageBox(QStringLiteral("Üzenet"), "A súgó állomány nem található!\r" + file, ui::Icon::Error,
                       ui::Ok);
        return;
    }
    // The viewer's own result is not used; one that cannot be started at all
    // (no opener on this desktop) is said rather than silently ignored.
    if (RunAndWait(QFileInfo(file).fileName(), QString(), QFileInfo(file).absolutePath(), 0) == -1)
        ui::MessageBox(QStringLiteral("Üzenet"), "A súgó nem nyitható meg!\r" + file, ui::Icon::Error,
                       ui::Ok);
}

void TFomenuForm::Guarded(QObject* sender, const std::function<void()>& handler) {
    try {
        handler();
    } catch (const db::AbortError&) {
        // A silent abort: nothing shown, nothing logged.
    } catch (const std::exception& e) {
        ApplicationEvents1Exception(sender, e);
    }
}

void TFomenuForm::ApplicationEvents1Exception(QObject* sender, const std::exception& error) {
    const std::string where = sender ? sender->metaObject()->className() : "";
    try {
        Naplozas(std::string(error.what()) + "-->" + where);
    } catch (...) {
        // The log cannot be written: the original error is still shown below.
    }
    ui::MessageBox(ui::ApplicationTitle(), QString::fromStdString(error.what()), ui::Icon::Error, ui::Ok);
}

void TFomenuForm::MNU_ProgNaplozClick() {
    QString note;
    if (!ui::InputQuery(QStringLiteral("Adatbekérő"), QStringLiteral("Megjegyzés: "), note)) note.clear();
    Naplozas("Felhasználó által kért naplózás. " + note.toStdString());
}

void TFomenuForm::MNU_ProgParamClick() { ui::ShowMessage(QString::fromStdString(ProgramParameterek())); }

void TFomenuForm::CsokkentettMod() {
    for (QToolButton* b : {BitBtn1, BitBtn2, BitBtn3, BitBtn4, BitBtn5, BitBtn6}) b->hide();
    for (const QString& name : order_) SetWanted(name, false);
    for (const char* name : {"MNU_Torzsk", "MNU_Szerviz", "MNU_Segitseg", "MNU_Torzsk_Kilep",
                             "MNU_Szerviz_Ment", "MNU_Segits_Sugo", "MNU_ProgParam"})
        SetWanted(name, true);
    Label16->show();
}

bool TFomenuForm::IsReduced() const { return !Label16->isHidden(); }

QString TFomenuForm::CompanyCode() const { return Label2->text(); }

void TFomenuForm::ShowCompany(const QString& code, const QString& name, const QString& shortName) {
    Label2->setText(code);
    Label4->setText(name);
    Label6->setText(shortName);
}

void TFomenuForm::EnableCompanyItems(const CompanyTables& tables) {
    for (auto& [name, item] : items_) {
        if (item.rule == SwitchRule::Fixed) continue;
        item.wanted = Usable(item.rule, tables);
        Apply(item);
    }
    for (QToolButton* b : {BitBtn2, BitBtn3, BitBtn4, BitBtn5})
        b->setEnabled(FormHivAvailable(b->property("Tag").toInt() - 1));
}

void TFomenuForm::DisableCompanyItems() {
    for (auto& [name, item] : items_) {
        if (item.rule == SwitchRule::Fixed) continue;
        item.wanted = false;
        Apply(item);
    }
    for (QToolButton* b : {BitBtn2, BitBtn3, BitBtn4, BitBtn5}) b->setEnabled(false);
}

bool TFomenuForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize && (watched == Panel3 || watched == Panel4)) FormResize();
    return QMainWindow::eventFilter(watched, event);
}

void TFomenuForm::FormResize() {
    Panel4->update();
    // The exit button keeps to the right edge once the panel is wide enough.
    const int width = Panel3->width();
    BitBtn6->move(width > 676 ? width - 108 : 568, BitBtn6->y());
    Label16->setGeometry(0, 0, width, Panel3->height() - 4);
    // The picture is a square as high as the panel, at most 600 pixels, centred.
    const int side = std::min(Panel4->height(), 600);
    Image3->setGeometry((Panel4->width() - side) / 2, (Panel4->height() - side) / 2, side, side);
}

namespace {

// The tables the start-up opens once under their template or global names.
void OpenTemplatesOnce() {
    for (db::Table* table :
         {DM1->TableErtekkeszlet, DM1->TableNyugP, DM1->TableKifhely, DM1->TableMhely, DM1->TableDolgozo,
          DM1->TableJogcim, DM1->TableRJogcim, DM1->TableSzamfejt, DM1->TableCegek, DM1->TableNaptar,
          DM1->TableFokFel, DM1->TableFEOR, DM1->TableUtal, DM1->TableHozzatartozo})
        DM1->TestOpen(*table);
}

const QString kReducedMode = QStringLiteral("A program csökkentett módban fog elindulni!");

}  // namespace

// A restore broken off by a killed or failed program is finished before any
// table opens, so the tables are the old set or the new one, never a mix.
void TFomenuForm::VisszatoltesBefejezese() {
    try {
        for (const std::string& name : CompleteInterruptedRestore(AliasUtvonal(AktualisAlias)))
            ui::ShowMessage(QStringLiteral("Nem törölhető: ") + QString::fromStdString(name));
    } catch (const std::exception& e) {
        ui::MessageBox(
            QStringLiteral("Üzenetkezelő"),
            QStringLiteral("Hiba történt a kicsomagoláskor!") + "\r" + QString::fromStdString(e.what()),
            ui::Icon::Error, ui::Ok);
    }
}

StartState TFomenuForm::FormShow() {
    // Shared tables: several workstations may work on one data folder.
    if (!LocalShareEllenoriz()) {
        BdeKonfigBeallit("\\SYSTEM\\INIT\\;LOCAL SHARE", "TRUE");
        if (!LocalShareEllenoriz())
            ui::MessageBox(
                ui::ApplicationTitle(),
                QStringLiteral("A BDE CONFIGURATION\\SYSTEM\\INIT\\LOCAL SHARE paraméter értéke nem TRUE!") +
                    "\r\r" + QStringLiteral("Ezt az értéket manuálisan kell beállítani!"),
                ui::Icon::Warning, ui::Ok);
    }

    if (!db::Engine::IsAlias(AktualisAlias)) AliasLetrehoz(AktualisAlias, EvKonyvtar());
    if (!db::Engine::IsAlias(AktualisAlias)) {
        ui::ShowMessage(QStringLiteral("Nem létező Alias!"));
        close();
        return StartState::Ended;
    }
    // Last year's folder, when there is one, is where companies are carried over from.
    const std::string elozoEv = AdatKonyvtar() + "/" + std::to_string(std::stoi(FeldolgozasiEv) - 1);
    if (!db::Engine::IsAlias(ElozoEviAlias) && std::filesystem::is_directory(elozoEv))
        AliasLetrehoz(ElozoEviAlias, elozoEv);
    DM1->Table1->DatabaseName = AktualisAlias;
    VisszatoltesBefejezese();
    try {
        FelbeszakadtCegekTorlese();
    } catch (const std::exception& e) {
        ui::ShowMessage(QString::fromStdString(e.what()));
    }

    try {
        DM1->SetDatabaseName(AktualisAlias);
        // A new machine gets its templates and global tables made here.
        PrepareYearFolder(AktualisAlias);
        AddNewerSheetFields(AktualisAlias, "MAB04");
        AddNewerSheetFields(AktualisAlias, "MAB12");
        for (const std::string& table : TablesWithNewerKeys()) AddNewerTableKey(AktualisAlias, table);
        OpenTemplatesOnce();
        AlapertekFeltolt();
        DM1->ClearCompanyTableNames();
    } catch (const std::exception& e) {
        ui::MessageBox(QStringLiteral("Üzenet"),
                       QStringLiteral("Hiba az adatállományban!") + "\r" + kReducedMode + "\r" + e.what(),
                       ui::Icon::Error, ui::Ok);
        CsokkentettMod();
    }

    switch (FelhasznaloNevEllenoriz()) {
        case UserName::Ended:
            close();
            return StartState::Ended;
        case UserName::Failed:
            CsokkentettMod();
            break;
        case UserName::Ok:
            break;
    }
    if (IsReduced()) return StartState::Reduced;

    db::Table& cegek = *DM1->TableCegek;
    cegek.Open();
    const int companies = cegek.RecordCount();
    if (companies == 0) {
        OpenForm("TTorzskezCegekForm");
        cegek.Close();
        cegek.Open();
        if (cegek.RecordCount() == 1) {
            cegek.First();
            CegAtallas(cegek.FieldByName("CG_KOD").AsString());
        }
    } else if (companies == 1) {
        cegek.First();
        CegAtallas(cegek.FieldByName("CG_KOD").AsString());
    } else {
        TCegKivalForm form;
        ui::ShowModal(form);
    }
    cegek.Close();
    return CompanyCode().isEmpty() ? StartState::NoCompany : StartState::CompanySelected;
}

TFomenuForm::UserName TFomenuForm::FelhasznaloNevEllenoriz() {
    db::Table& ek = *DM1->TableErtekkeszlet;
    try {
        ek.Close();
        ek.TableName = "Ertekkeszlet";
        ek.ReadOnly = false;
        ek.Open();
    } catch (const std::exception& e) {
        ui::MessageBox(QStringLiteral("Üzenet"),
                       QStringLiteral("Hiba az Ertekkeszlet-ben!") + "\r" + kReducedMode + "\r" + e.what(),
                       ui::Icon::Error, ui::Ok);
        ek.ReadOnly = true;
        ek.TableName.clear();
        return UserName::Failed;
    }
    UserName result = UserName::Ok;
    if (!ek.Locate("EK_TIPUS;EK_ERTEK", std::vector<db::Variant>{"0", "02"})) {
        ui::ShowMessage(QStringLiteral("Ertekkeszlet -ből hiányzik a felhsználó!"));
        result = UserName::Ended;
    } else if (QString::fromStdString(ek.FieldByName("EK_ERTEKCHAR").AsString()).trimmed().isEmpty()) {
        QString name;
        if (ui::InputQuery(QStringLiteral("Felhasználó"), QStringLiteral("Felhasználó neve :"), name) &&
            !name.trimmed().isEmpty()) {
            // Stored as typed, blanks and all.
            ek.Edit();
            ek.FieldByName("EK_ERTEKCHAR").SetAsString(name.toStdString());
            ek.Post();
        } else {
            result = UserName::Ended;
        }
    }
    ek.Close();
    ek.ReadOnly = true;
    ek.TableName.clear();
    return result;
}

void TFomenuForm::SelectCompany() {
    db::Table& cegek = *DM1->TableCegek;
    cegek.Open();
    {
        TCegKivalForm form;
        ui::ShowModal(form);
    }
    cegek.Close();
}
