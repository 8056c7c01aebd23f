#include "backup/MentesZip.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "backup/DataFolderBackup.h"
#include "backup/zip/ZipSupport.h"
#include "controls/EditKinds.h"
#include "core/DataModule1.h"
#include "core/Kivalaszt.h"
#include "core/SegedUnitDb.h"
#include "core/StartValues.h"
#include "platform/os/Clock.h"
#include "platform/os/System.h"
#include "platform/ui/ControlKinds.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/QtString.h"

namespace {

const QString kCaption = QStringLiteral("Üzenetkezelő");

std::string DataFolder() { return AliasUtvonal(AktualisAlias); }
std::string BackupFolder() { return DataFolder() + "/Ment"; }

void Box(const QString& text, ui::Icon icon, int buttons = ui::Ok) {
    ui::MessageBox(kCaption, text, icon, buttons);
}

using F = TMentesZipForm;

// clang-format off
const char kMemo1[] =
    "FIGYELEM!\n"
    "Menteni csak a megfelelő formátumba lehet (pl.: TRx_éé-hh-nn_óó-pp-mm.zip). Ajánlott a mentést a felkínált \n"
    "fájlnévre elvégezni, ami mindíg az aktuális dátumot tartalmazza. Mentés elindításával a program az összes cég \n"
    "adatait lementi.";
const char kMemo2[] =
    "FIGYELEM!\n"
    "A visszatöltésnél körültekintően járjon el! Ügyeljen arra, hogy a kiválasztott kódú céget megfelelő kódra töltse \n"
    "vissza. Csak megfelelő formátumú fájlt lehet visszatölteni (pl.: TRx_éé-hh-nn_óó-pp-mm.zip). Ha a \"Cég kódja\" \n"
    "mezőt üresen hagyja, akkor a program visszatöltés elindításával az összes céget vissza fogja tölteni, ami a mentés \n"
    "pillanatában létezett. Visszatöltéskor a cégadatok nem változnak.";
const char kMemo3[] =
    "FIGYELEM!\n"
    "Teljes visszatöltéskor körültekintően járjon el!\n"
    "Csak megfelelő formátumú fájlt lehet visszatölteni (pl.: TRx_éé-hh-nn_óó-pp-mm.zip).\n"
    "Teljes visszatöltéskor az az állapot áll újra elő ami a mentés pillanatában volt.";

const ui::ControlRow<F> kPages[] = {
//   member             kind             name            caption                  cell
    {&F::PageControl1,  ui::PageControl, "PageControl1", "",                      {0, 0}},
    {&F::TabSheet1,     ui::TabPage,     "TabSheet1",    "Mentés"},
    {&F::TabSheet2,     ui::TabPage,     "TabSheet2",    "Visszatöltés"},
    {&F::TabSheet3,     ui::TabPage,     "TabSheet3",    "Teljes visszatöltés"},
};

const ui::ControlRow<F> kMentes[] = {
//   member             kind             name            caption                  cell          tag
    {&F::Memo1,         ui::Memo,        "Memo1",        kMemo1,                  {0, 0}},
    {&F::BitBtn1,       ui::Button,      "BitBtn1",      "Ment",                  {1, 0},       1},
};
const ui::ControlRow<F> kVisszatoltes[] = {
    {&F::Label1,        ui::Label,       "Label1",       "Cég kódja (F2) :",      {0, 0}},
    {&F::MaskEdit1,     MaskEdit,        "MaskEdit1",    "999;0; ",               {0, 1}},
    {&F::Label2,        ui::Label,       "Label2",       "Cég néve :",            {1, 0}},
    {&F::Label4,        ui::Label,       "Label4",       "",                      {1, 1}},
    {&F::Label3,        ui::Label,       "Label3",       "Cég rövid néve :",      {2, 0}},
    {&F::Label5,        ui::Label,       "Label5",       "",                      {2, 1}},
    {&F::Memo2,         ui::Memo,        "Memo2",        kMemo2,                  {3, 0, 1, 2}},
    {&F::BitBtn6,       ui::Button,      "BitBtn6",      "Visszatölt",            {4, 0, 1, 2}, 6},
};
const ui::ControlRow<F> kTeljes[] = {
    {&F::Memo3,         ui::Memo,        "Memo3",        kMemo3,                  {1, 0}},
    {&F::BitBtn2,       ui::Button,      "BitBtn2",      "Teljes visszatöltés",   {2, 0},       2},
};
// Above the full restore's text when the company register cannot be opened.
const ui::ControlRow<F> kSerult[] = {
    {&F::Label6,        ui::Label,       "Label6",       "",                      {0, 0}},
};

const ui::ControlRow<F> kAlso[] = {
//   member             kind             name            caption                  cell          tag  hint
    {&F::ProgressBar1,  ui::ProgressBar, "ProgressBar1", "",                      {1, 0}},
    {&F::ProgressBar2,  ui::ProgressBar, "ProgressBar2", "",                      {2, 0}},
    {&F::BitBtn5,       ui::Button,      "BitBtn5",      "Kilépés",               {3, 0},       5,   "ESC"},
};
// clang-format on

}  // namespace

bool FajlnevEllenoriz(const std::string& fileName) {
    if (fileName.size() != AktualisAlias.size() + 22) {
        Box(QStringLiteral("A kiválasztott fájlnév hossza nem megfelelő! (#03)"), ui::Icon::Warning);
        return false;
    }
    return BackupNameValid(fileName, AktualisAlias);
}

TMentesZipForm::TMentesZipForm(QWidget* parent) : QDialog(parent) {
    setObjectName("MentesZipForm");
    setWindowTitle(QStringLiteral("Szerviz/Mentés"));
    setWindowFlags(Qt::Dialog | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);

    ui::ControlBuilder b;
    b.Build(*this, this, kPages);
    // The pages' three buttons share BitBtnClick, which goes by their tags.
    b.events.OnClick = [this](QWidget* w) {
        if (w == MaskEdit1)
            MaskEdit1Click();
        else
            BitBtnClick(static_cast<QPushButton*>(w));
    };
    b.events.OnKeyDown = [this](QWidget*, int& key, Qt::KeyboardModifiers) {
        if (key != Qt::Key_Return && key != Qt::Key_Enter && key != Qt::Key_F2) return;
        MaskEdit1KeyDown(key);
        key = 0;
    };
    // Checked once the focus has moved on, and not while the form closes.
    b.events.OnExit = [this](QWidget*) {
        QTimer::singleShot(0, this, [this] {
            if (!closed_ && isVisible()) MaskEdit1Exit();
        });
    };
    b.Build(*this, TabSheet1, kMentes);
    b.Build(*this, TabSheet2, kVisszatoltes);
    b.Build(*this, TabSheet3, kTeljes);
    b.events = {};
    b.Build(*this, this, kAlso);
    connect(BitBtn5, &QPushButton::clicked, this, &TMentesZipForm::BitBtn5Click);

    MaskEdit1->setMaxLength(3);
    MaskEdit1->setFixedWidth(48);
    QGridLayout* visszatoltes = ui::PageGrid(TabSheet2);
    visszatoltes->setAlignment(MaskEdit1, Qt::AlignLeft);
    visszatoltes->setColumnStretch(1, 1);
    ui::PageGrid(TabSheet1)->setAlignment(BitBtn1, Qt::AlignRight);
    visszatoltes->setAlignment(BitBtn6, Qt::AlignRight);
    ui::PageGrid(TabSheet3)->setAlignment(BitBtn2, Qt::AlignRight);
    ui::PageGrid(this)->setAlignment(BitBtn5, Qt::AlignRight);
    resize(640, 360);

    Zipper1.MultiZipInfo.BlockSize = 1457600;
    Zipper1.OnFilePercentDone = [this](TUnZipper*, int p) { ProgressBar1->setValue(p); };
    Zipper1.OnTotalPercentDone = [this](TUnZipper*, int p) { ProgressBar2->setValue(p); };
    Zipper1.OnGetNextDisk = [this](TUnZipper*, int n, std::string& name) { Zipper1GetNextDisk(n, name); };

    // FormCreate
    KivalasztForm = new TKivalasztForm(this);
    PageControl1->setCurrentIndex(0);
    try {
        DM1->TableCegek->ReadOnly = true;
        DM1->TableCegek->Open();
    } catch (const std::exception& e) {
        // A damaged company register must not keep out the full restore that
        // repairs it: the form opens on that page alone, the damage named.
        DM1->TableCegek->Close();
        DM1->TableCegek->ReadOnly = false;
        PageControl1->setTabEnabled(0, false);
        PageControl1->setTabEnabled(1, false);
        PageControl1->setCurrentIndex(2);
        b.Build(*this, TabSheet3, kSerult);
        Label6->setWordWrap(true);
        Label6->setText(Q(e.what()) + "\n" + QStringLiteral("Csak a teljes visszatöltés végezhető el!"));
    }
    Frissit();
}

TMentesZipForm::~TMentesZipForm() { FormClose(); }

void TMentesZipForm::closeEvent(QCloseEvent* event) {
    // Not while an archive is being written or read.
    if (!BitBtn5->isEnabled()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void TMentesZipForm::FormClose() {
    if (closed_) return;
    closed_ = true;
    delete KivalasztForm;
    KivalasztForm = nullptr;
    if (DM1) {
        DM1->TableCegek->Close();
        DM1->TableCegek->ReadOnly = false;
    }
}

void TMentesZipForm::BitBtn5Click() { reject(); }

void TMentesZipForm::Frissit() {
    const QString code = MaskEdit1->text().trimmed();
    if (code.isEmpty()) {
        Label4->clear();
        Label5->clear();
        return;
    }
    db::Table& cegek = *DM1->TableCegek;
    const db::Variant key(code.toStdString());
    Label4->setText(Q(cegek.Lookup("CG_KOD", key, "CG_NEV").ToString()));
    Label5->setText(Q(cegek.Lookup("CG_KOD", key, "CG_RNEV").ToString()));
}

void TMentesZipForm::MaskEdit1Exit() {
    const QString code = MaskEdit1->text().trimmed();
    db::Table& cegek = *DM1->TableCegek;
    if (!code.isEmpty()) {
        const db::Bookmark mark = cegek.GetBookmark();
        if (!cegek.Locate("CG_KOD", db::Variant(code.toStdString()))) {
            ui::ShowMessage(QStringLiteral("Ilyen cég nem létezik!"));
            MaskEdit1->setFocus();
            MaskEdit1->clear();
        }
        cegek.GotoBookmark(mark);
    }
    Frissit();
}

void TMentesZipForm::MaskEdit1KeyDown(int key) {
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        BitBtn6->setFocus();
    } else if (key == Qt::Key_F2) {
        db::Table& cegek = *DM1->TableCegek;
        const db::Bookmark mark = cegek.GetBookmark();
        KivalasztForm->KivalasztBeallit(7, "", "CG_KOD", 25, "CG_NEV", 336, "CG_RNEV", 116, 0);
        ui::ShowModal(*KivalasztForm);
        if (KivalasztForm->ErtekAtad()) {
            MaskEdit1->setText(Q(cegek.FieldByName("CG_KOD").AsString()));
            Frissit();
        }
        cegek.GotoBookmark(mark);
    }
}

void TMentesZipForm::MaskEdit1Click() { MaskEdit1->selectAll(); }

void TMentesZipForm::SetControlsEnabled(bool enabled) {
    for (QWidget* w : std::initializer_list<QWidget*>{PageControl1, BitBtn1, BitBtn6, BitBtn5, BitBtn2})
        w->setEnabled(enabled);
}

void TMentesZipForm::BitBtnClick(QPushButton* sender) {
    switch (sender ? sender->property("Tag").toInt() : 0) {
        case 1: {
            // A backup folder that cannot be made (a read-only data folder) is
            // named with its reason if the archive is to go there; the writer
            // would only say the file's folder is missing.
            std::error_code made;
            std::filesystem::create_directories(BackupFolder(), made);
            const std::string proposed = AktualisAlias + "_" + MentesiNevKepez(os::Now());
            const std::string path =
                ui::WithDefaultExtension(ui::SaveFileName(QStringLiteral("Célkönyvtár kiválasztása"),
                                                          Q(BackupFolder() + "/" + proposed),
                                                          QStringLiteral("Könyvtár (csak konyvtar.zip)"),
                                                          ui::DontConfirmOverwrite),
                                         QStringLiteral("zip"))
                    .toStdString();
            if (path.empty()) return;
            if (!FajlnevEllenoriz(ExtractName(path)))
                Box(QStringLiteral("A kiválasztott fájlnév nem felel meg az előírásoknak! (#01)"),
                    ui::Icon::Warning);
            else if (made && std::filesystem::path(path).parent_path().lexically_normal() ==
                                 std::filesystem::path(BackupFolder()).lexically_normal())
                Box(QStringLiteral("Hiba történt a becsomagoláskor!") + "\r" + Q(BackupFolder()) +
                        QStringLiteral(": A mappa nem hozható létre! (") + Q(made.message()) + ")",
                    ui::Icon::Error);
            else
                MentesZipbe(path);
            break;
        }
        case 6: {
            const QString who =
                MaskEdit1->text().trimmed().isEmpty() ? QStringLiteral("összes") : MaskEdit1->text();
            const std::string path = ChooseArchive(QStringLiteral("Biztos benne, hogy a(z) ") + who +
                                                   QStringLiteral(" céget szeretné visszatölteni?"));
            if (!path.empty()) Visszatoltes(path, false);
            break;
        }
        case 2: {
            const std::string path = ChooseArchive(
                QStringLiteral("Biztos benne, hogy a mentésen lévő állapotot szeretné visszaállítani?"));
            if (!path.empty()) Visszatoltes(path, true);
            break;
        }
        default:
            break;
    }
}

std::string TMentesZipForm::ChooseArchive(const QString& question) {
    if (ui::MessageBox(kCaption, question, ui::Icon::Question, ui::Yes | ui::No, ui::No) != ui::Yes)
        return {};
    os::ForceDirectories(BackupFolder());
    const QString pattern = Q(AktualisAlias) + QStringLiteral("_?\?-?\?-?\?_?\?-?\?-?\?.zip");
    const std::string path = ui::OpenFileName(QStringLiteral("Visszatöltendő mentés kiválasztása"),
                                              Q(BackupFolder()), QStringLiteral("Zip File (") + pattern + ")")
                                 .toStdString();
    if (path.empty()) return {};
    if (FajlnevEllenoriz(ExtractName(path))) return path;
    Box(QStringLiteral("A kiválasztott fájlnév nem felel meg az előírásoknak! (#02)"), ui::Icon::Warning);
    return {};
}

void TMentesZipForm::MentesZipbe(const std::string& fileName) {
    SetControlsEnabled(false);
    try {
        std::vector<std::string> damaged;
        const int n = BackupDataFolder(Zipper1, DataFolder(), fileName, &damaged);
        if (n < 1) {
            Box(QStringLiteral("A becsomagolás nem fejeződött be!"), ui::Icon::Error);
        } else if (!damaged.empty()) {
            // Archived all the same, but not a sound backup: said so, table by table.
            QString text = QString::number(n) + QStringLiteral(" Fájl becsomagolva!");
            for (const std::string& name : damaged) text += QStringLiteral("\rSérült tábla: ") + Q(name);
            Box(text, ui::Icon::Warning);
        } else {
            Box(QString::number(n) + QStringLiteral(" Fájl sikeresen becsomagolva!"), ui::Icon::None);
        }
    } catch (const EUserCanceled&) {
        Box(QStringLiteral("A Felhasználó megszakította a becsomagolást!"), ui::Icon::Error);
    } catch (const std::exception& e) {
        Box(QStringLiteral("Hiba történt a becsomagoláskor!") + "\r" + Q(e.what()), ui::Icon::Error);
    }
    ProgressBar1->setValue(0);
    ProgressBar2->setValue(0);
    SetControlsEnabled(true);
}

void TMentesZipForm::Visszatoltes(const std::string& fileName, bool full) {
    SetControlsEnabled(false);
    DM1->TablaBezar();
    const std::string code = MaskEdit1->text().trimmed().toStdString();
    const RestoreScope scope = full           ? RestoreScope::Full
                               : code.empty() ? RestoreScope::AllCompanies
                                              : RestoreScope::Company;
    try {
        // Damaged tables in the archive: the user decides, and No (the
        // default) stops the restore with nothing changed.
        auto goOnWithout = [](const std::vector<std::string>& damaged) {
            QString text;
            for (const std::string& name : damaged) text += QStringLiteral("Sérült tábla: ") + Q(name) + "\r";
            text += QStringLiteral("Folytatja a visszatöltést a sérült táblák nélkül?");
            return ui::MessageBox(kCaption, text, ui::Icon::Question, ui::Yes | ui::No, ui::No) == ui::Yes;
        };
        const RestoreResult r = RestoreDataFolder(Zipper1, DataFolder(), fileName, scope, code, goOnWithout);
        for (const std::string& name : r.undeletable)
            ui::ShowMessage(QStringLiteral("Nem törölhető: ") + Q(name));
        QString skipped;
        for (const std::string& name : r.skipped)
            skipped += QStringLiteral("\rKimaradt sérült tábla: ") + Q(name);
        if (r.files < 1)
            Box(QStringLiteral("A kicsomagolás nem fejeződött be!") + skipped, ui::Icon::Error);
        else
            Box(QString::number(r.files) + QStringLiteral(" Fájl sikeresen kicsomagolva!") + skipped,
                skipped.isEmpty() ? ui::Icon::None : ui::Icon::Warning);
    } catch (const EUserCanceled&) {
        Box(QStringLiteral("A Felhasználó megszakította a kicsomagolást!"), ui::Icon::Error);
    } catch (const std::exception& e) {
        Box(QStringLiteral("Hiba történt a kicsomagoláskor!") + "\r" + Q(e.what()), ui::Icon::Error);
    }
    ProgressBar1->setValue(0);
    ProgressBar2->setValue(0);
    SetControlsEnabled(true);
    if (full) {
        Box(QStringLiteral("A program most automatikusan le fogja magát állítani!") + "\r" +
                QStringLiteral("A program leállása után indítsa újra a számítógépet!"),
            ui::Icon::Warning);
        reject();
        QCoreApplication::quit();
        return;
    }
    DM1->TableCegek->Open();
}

void TMentesZipForm::Zipper1GetNextDisk(int nextDisk, std::string& fileName) {
    const int answer =
        ui::MessageBox(kCaption, QStringLiteral("Kérem tegye be a(z) %1. lemezt!").arg(nextDisk),
                       ui::Icon::Warning, ui::Ok | ui::Cancel);
    if (answer != ui::Ok) {
        fileName.clear();
        return;
    }
    // Disk 1 holds the archive under its own name: a restore that comes back
    // to it from a later disk must not look for that disk's name.
    char ext[16];
    std::snprintf(ext, sizeof ext, ".%03d", nextDisk);
    fileName = ChangeFileExt(fileName, nextDisk > 1 ? ext : ".zip");
}
