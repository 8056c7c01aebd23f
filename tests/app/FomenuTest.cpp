#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>
#include <cstdlib>
#include <filesystem>

#include "app/Fomenu.h"
#include "app/FormList.h"
#include "support/DialogTest.h"
#include "support/TestSupport.h"

// Readable QStrings in failure messages.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

// Names of the menu items (not titles) whose rules want them enabled.
QStringList WantedItems(const TFomenuForm& form) {
    QStringList names;
    for (QAction* a : form.MainMenu1->findChildren<QAction*>()) {
        if (a->objectName().isEmpty() || a->menu()) continue;
        if (form.ItemWanted(a->objectName())) names << a->objectName();
    }
    names.sort();
    return names;
}

}  // namespace

TEST(Fomenu, CaptionAndYearBoundMenuTexts) {
    TFomenuForm form;
    EXPECT_EQ(form.windowTitle(), "Tavrina 2019     Selvo Studio     v.: 19.087");
    EXPECT_TRUE(form.Label2->text().isEmpty());
    const std::pair<const char*, const char*> cases[] = {
        {"MNU_LIST_Ossz_BevalSeg", "Bevallás 2019. segédlet"},
        {"MNU_LIST_Eseti_NYENYI", "NYENYI 2019"},
        {"MNU_MAdo_MABosszesites", "1908M összesítés"},
        {"MNU_MAdo_MABmod", "1908M módosítás"},
        {"MNU_MAdo_MABOSZosszesites", "1908A összesítés"},
        {"MNU_MAdo_MABOSZmod", "1908A módosítás"},
        {"MNU_Segits_Sugo", "Súgó"},
        {"MNU_Szerviz_BankiUt", "Banki utalás - OTP"},
    };
    for (auto [name, caption] : cases) {
        ASSERT_NE(form.Item(name), nullptr) << name;
        EXPECT_EQ(form.Item(name)->text(), QString::fromUtf8(caption)) << name;
    }
    // The menus in the designer's order.
    QStringList titles;
    for (QAction* a : form.MainMenu1->actions()) titles << a->text();
    EXPECT_EQ(titles, QStringList({"Törzskezelés", "Számfejtés", "Kifizetési listák", "Összesítő listák",
                                   "Eseti listák", "Szerviz", "Adó", "Havi adó", "Segítség"}));
}

TEST(Fomenu, HiddenItemsStayHidden) {
    TFomenuForm form;
    QStringList hidden;
    for (QAction* a : form.MainMenu1->findChildren<QAction*>())
        if (!a->objectName().isEmpty() && !a->isVisible()) hidden << a->objectName();
    hidden.sort();
    QStringList expected = {
        "MNU_Ado_Adost",
        "MNU_Ado_AdatszolgK",
        "MNU_Ado_AdatszolgM",
        "MNU_Ado_Gyerm",
        "MNU_Ado_K30mod",
        "MNU_Ado_K30ossz",
        "MNU_Ado_K32mod",
        "MNU_Ado_LIST_K30",
        "MNU_Ado_LIST_M29",
        "MNU_Ado_M29mod",
        "MNU_Ado_M29ossz",
        "MNU_Ado_Nyil",
        "MNU_Ado_NyilRog",
        "MNU_LIST_Eseti_PenztarVal",
        "MNU_LIST_Kifiz_EVMNYPbevall",
        "MNU_LIST_Kifiz_MNYP",
        "MNU_LIST_Kifiz_MNYPbevall",
        "MNU_LIST_Ossz_KoltsFel",
        "MNU_LIST_Ossz_UtalTetel",
        "MNU_MAdo_MABadatszSzakkepzesi",
        "MNU_Szerviz_Jav",
        "MNU_Szerviz_MNYPadatszolg",
        "MNU_Szerviz_NYENYIadatszolg",
        "MNU_Szerviz_NyugPKarb",
    };
    expected.sort();
    EXPECT_EQ(hidden, expected);
}

TEST(Fomenu, ReducedModeLeavesOnlyTheServiceItems) {
    TFomenuForm form;
    form.show();
    EXPECT_FALSE(form.IsReduced());
    form.CsokkentettMod();
    EXPECT_TRUE(form.IsReduced());
    EXPECT_TRUE(form.Label16->isVisible());
    EXPECT_EQ(form.Label16->text(), "Csökkentett mód");
    for (QToolButton* b :
         {form.BitBtn1, form.BitBtn2, form.BitBtn3, form.BitBtn4, form.BitBtn5, form.BitBtn6})
        EXPECT_FALSE(b->isVisible()) << b->objectName().toStdString();
    EXPECT_EQ(WantedItems(form),
              QStringList({"MNU_ProgParam", "MNU_Segits_Sugo", "MNU_Szerviz_Ment", "MNU_Torzsk_Kilep"}));
    // Items that need no form of their own are usable at once.
    EXPECT_TRUE(form.Item("MNU_Torzsk_Kilep")->isEnabled());
    EXPECT_TRUE(form.Item("MNU_Segits_Sugo")->isEnabled());
    EXPECT_FALSE(form.Item("MNU_Szerviz_Naptar")->isEnabled());
    EXPECT_FALSE(form.Item("MNU_Torzsk_CegKival")->isEnabled());
    form.close();
}

TEST(Fomenu, CompanySwitchEnablesItemsByTheirRule) {
    TFomenuForm form;
    EXPECT_FALSE(form.ItemWanted("MNU_Torzsk_KH"));
    EXPECT_FALSE(form.ItemWanted("MNU_MAdo"));
    EXPECT_TRUE(form.ItemWanted("MNU_Ado"));

    CompanyTables tables;
    tables.M30 = true;
    tables.Nyilat = true;
    form.EnableCompanyItems(tables);
    const std::pair<const char*, bool> afterSuccess[] = {
        {"MNU_Torzsk_KH", true},
        {"MNU_Szerviz_EK", true},
        {"MNU_LIST_Kifiz_KifizJarul", true},
        {"MNU_LIST_Kifiz_MNYP", false},
        {"MNU_Szerviz_NyugPKarb", false},
        {"MNU_Ado", true},
        {"MNU_Ado_Nyil", false},
        {"MNU_Ado_NyilRog", true},
        {"MNU_Ado_M30ossz", true},
        {"MNU_Ado_LIST_M30", true},
        {"MNU_Ado_M29ossz", false},
        {"MNU_Ado_K30ossz", false},
        {"MNU_Ado_AdatszolgM", false},
        {"MNU_MAdo", false},
        {"MNU_Szerviz_Naptar", true},
        {"MNU_MAdo_MABmod", true},
    };
    for (auto [name, wanted] : afterSuccess) EXPECT_EQ(form.ItemWanted(name), wanted) << name;

    tables.HaviAdo = tables.K30K32 = true;
    tables.M30 = false;
    form.EnableCompanyItems(tables);
    EXPECT_TRUE(form.ItemWanted("MNU_MAdo"));
    EXPECT_TRUE(form.ItemWanted("MNU_Ado_K32mod"));
    EXPECT_FALSE(form.ItemWanted("MNU_Ado_M30mod"));

    form.DisableCompanyItems();
    for (const char* name : {"MNU_Torzsk_KH", "MNU_Ado", "MNU_Ado_K32mod", "MNU_Ado_NyilRog", "MNU_MAdo",
                             "MNU_Szamf_Egyedi", "MNU_LIST_Eseti_EFO"})
        EXPECT_FALSE(form.ItemWanted(name)) << name;
    for (QToolButton* b : {form.BitBtn2, form.BitBtn3, form.BitBtn4, form.BitBtn5})
        EXPECT_FALSE(b->isEnabled());
    // Items that need no company are left alone.
    EXPECT_TRUE(form.ItemWanted("MNU_Torzsk_CG"));
    EXPECT_TRUE(form.ItemWanted("MNU_MAdo_MABmod"));
}

TEST(Fomenu, ItemWhoseFormIsNotBuiltStaysDisabled) {
    TFomenuForm form;
    form.EnableCompanyItems(CompanyTables{});
    // The first of these shown items whose form is not built yet.
    const std::pair<const char*, const char*> items[] = {
        {"MNU_Szerviz_UtTetKarb", "TUtalModForm"},
        {"MNU_LIST_Eseti_Adatlap", "TList_AdatlapForm"},
        {"MNU_Szerviz_AdoelolegKedvNyil", "TList_AdoelolegKedvNyilForm"}};
    const char* item = nullptr;
    for (const auto& [name, formName] : items)
        if (!item && !FindForm(formName)) item = name;
    if (!item) GTEST_SKIP() << "every listed item's form is built";
    EXPECT_TRUE(form.ItemWanted(item));
    EXPECT_FALSE(form.Item(item)->isEnabled());
    // A built one is usable.
    EXPECT_TRUE(form.Item("MNU_LIST_Kifiz_Berlap")->isEnabled());
}

TEST(Fomenu, MaintenanceFormsFollowTheMenuRules) {
    TFomenuForm form;
    form.EnableCompanyItems(CompanyTables{});
    for (const char* name : {"MNU_Torzsk_KH", "MNU_Torzsk_MH", "MNU_Szerviz_EK", "MNU_Szerviz_Naptar"})
        EXPECT_TRUE(form.Item(name)->isEnabled()) << name;
    form.DisableCompanyItems();
    for (const char* name : {"MNU_Torzsk_KH", "MNU_Torzsk_MH", "MNU_Szerviz_EK"})
        EXPECT_FALSE(form.Item(name)->isEnabled()) << name;
    EXPECT_TRUE(form.Item("MNU_Szerviz_Naptar")->isEnabled());  // one calendar for every company
}

TEST(Fomenu, StatusPanelShowsTheCompany) {
    TFomenuForm form;
    form.ShowCompany("001", "Minta Kft", "Minta");
    EXPECT_EQ(form.Label2->text(), "001");
    EXPECT_EQ(form.Label4->text(), "Minta Kft");
    EXPECT_EQ(form.Label6->text(), "Minta");
    EXPECT_EQ(SelectedCompanyCode(), "001");
    form.ShowCompany({}, {}, {});
    EXPECT_EQ(SelectedCompanyCode(), "");
}

TEST(Fomenu, ResizeKeepsExitButtonRightAndPictureSquare) {
    TFomenuForm form;
    form.resize(1000, 700);
    form.show();
    const int width = form.Panel3->width();
    ASSERT_GT(width, 676);
    EXPECT_EQ(form.BitBtn6->x(), width - 108);
    EXPECT_EQ(form.Image3->width(), form.Image3->height());
    EXPECT_EQ(form.Image3->height(), std::min(form.Panel4->height(), 600));
    EXPECT_EQ(form.Image3->x(), (form.Panel4->width() - form.Image3->width()) / 2);
    form.resize(660, 700);
    QApplication::processEvents();
    if (form.Panel3->width() <= 676) {
        EXPECT_EQ(form.BitBtn6->x(), 568);
    }
    form.close();
}

TEST(Fomenu, ExitButtonClosesTheWindow) {
    TFomenuForm form;
    form.show();
    form.BitBtn6->click();
    EXPECT_FALSE(form.isVisible());
}

TEST(Fomenu, MissingHelpFileGivesAMessage) {
    testsupport::TempHome home;
    testsupport::ScriptedDialogs dialogs;
    dialogs.Answer(ui::Ok);
    TFomenuForm form;
    EXPECT_TRUE(TFomenuForm::HelpFile().endsWith("/Tavrina/TAVRINA19_FELHASZNALOI_KEZIKONYV.HLP"));
    form.Item("MNU_Segits_Sugo")->trigger();
    ASSERT_EQ(dialogs.Shown().size(), 1u);
    EXPECT_EQ(dialogs.Text(0).rfind("A súgó állomány nem található!", 0), 0u);

    // The file is there but no opener can be started.
    testsupport::WriteBytes(TFomenuForm::HelpFile().toStdString(), "help");
    const std::string path = std::getenv("PATH") ? std::getenv("PATH") : "";
    setenv("PATH", (home.Path() + "/nowhere").c_str(), 1);
    dialogs.Answer(ui::Ok);
    form.Item("MNU_Segits_Sugo")->trigger();
    setenv("PATH", path.c_str(), 1);
    ASSERT_EQ(dialogs.Shown().size(), 2u);
    EXPECT_EQ(dialogs.Text(1).rfind("A súgó nem nyitható meg!\r", 0), 0u);
}

TEST(Fomenu, MaximizedWindowLeavesAnAutoHiddenTaskBarReachable) {
    EXPECT_EQ(MaximizedGeometry(QRect(0, 0, 1024, 768), QRect(0, 0, 1024, 768)), QRect(0, 0, 1024, 767));
    EXPECT_EQ(MaximizedGeometry(QRect(0, 0, 1024, 738), QRect(0, 0, 1024, 768)), QRect(0, 0, 1024, 738));
}
