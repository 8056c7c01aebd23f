#include "backup/MentesZip.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "backup/DataFolderBackup.h"
#include "backup/zip/ZipSupport.h"
#include "controls/ControlUtils.h"
#include "core/DataModule1.h"
#include "core/Kivalaszt.h"
#include "core/SegedUnitDb.h"
#include "core/StartValues.h"
#include "platform/os/Clock.h"
#include "platform/os/System.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/QtString.h"

namespace {

const QString kCaption = QStringLiteral("Üzenetkezelő");

std::string DataFolder() { return AliasUtvonal(AktualisAlias); }
std::string BackupFolder() { return DataFolder() + "/Ment"; }

void Box(const QString& text, ui::Icon icon, int buttons = ui::Ok) {
    ui::MessageBox(kCaption, text, icon, buttons);
}

// clang-format off
const char* const kMemo1[] = {
    "FIGYELEM!",
    "Menteni csak a megfelelő formátumba lehet (pl.: TRx_éé-hh-nn_óó-pp-mm.zip). Ajánlott a mentést a felkínált ",
    "fájlnévre elvégezni, ami mindíg az aktuális dátumot tartalmazza. Mentés elindításával a program az összes cég ",
    "adatait lementi.",
};
const char* const kMemo2[] = {
    "FIGYELEM!",
    "A visszatöltésnél körültekintően járjon el! Ügyeljen arra, hogy a kiválasztott kódú céget megfelelő kódra töltse ",
    "vissza. Csak megfelelő formátumú fájlt lehet visszatölteni (pl.: TRx_éé-hh-nn_óó-pp-mm.zip). Ha a \"Cég kódja\" ",
    "mezőt üresen hagyja, akkor a program visszatöltés elindításával az összes céget vissza fogja tölteni, ami a mentés ",
    "pillanatában létezett. Visszatöltéskor a cégadatok nem változnak.",
};
const char* const kMemo3[] = {
    "FIGYELEM!",
    "Teljes visszatöltéskor körültekintően járjon el!",
    "Csak megfelelő formátumú fájlt lehet visszatölteni (pl.: TRx_éé-hh-nn_óó-pp-mm.zip).",
    "Teljes visszatöltéskor az az állapot áll újra elő ami a mentés pillanatában volt.",
};
// clang-format on

template <size_t N>
QPlainTextEdit* Memo(QWidget* parent, const char* name, const char* const (&lines)[N]) {
    auto* m = new QPlainTextEdit(parent);
    m->setObjectName(name);
    m->setReadOnly(true);
    QStringList text;
    for (const char* l : lines) text << QString::fromUtf8(l);
    m->setPlainText(text.join('\n'));
    return m;
}

QPushButton* Button(QWidget* parent, const char* name, const char* caption, int tag) {
    auto* b = new QPushButton(QString::fromUtf8(caption), parent);
    b->setObjectName(name);
    b->setProperty("Tag", tag);
    return b;
}

QLabel* Label(QWidget* parent, const char* name, const char* caption) {
    auto* l = new QLabel(QString::fromUtf8(caption), parent);
    l->setObjectName(name);
    return l;
}

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

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName("PageControl1");

    TabSheet1 = new QWidget;
    TabSheet1->setObjectName("TabSheet1");
    Memo1 = Memo(TabSheet1, "Memo1", kMemo1);
    BitBtn1 = Button(TabSheet1, "BitBtn1", "Ment", 1);
    auto* page1 = new QVBoxLayout(TabSheet1);
    page1->addWidget(Memo1);
    page1->addWidget(BitBtn1, 0, Qt::AlignRight);
    PageControl1->addTab(TabSheet1, QStringLiteral("Mentés"));

    TabSheet2 = new QWidget;
    TabSheet2->setObjectName("TabSheet2");
    Label1 = Label(TabSheet2, "Label1", "Cég kódja (F2) :");
    MaskEdit1 = new QLineEdit(TabSheet2);
    MaskEdit1->setObjectName("MaskEdit1");
    MaskEdit1->setInputMask(QtEditMask(QStringLiteral("999;0; ")));
    MaskEdit1->setMaxLength(3);
    MaskEdit1->setFixedWidth(48);
    MaskEdit1->installEventFilter(this);
    Label2 = Label(TabSheet2, "Label2", "Cég néve :");
    Label4 = Label(TabSheet2, "Label4", "");
    Label3 = Label(TabSheet2, "Label3", "Cég rövid néve :");
    Label5 = Label(TabSheet2, "Label5", "");
    Memo2 = Memo(TabSheet2, "Memo2", kMemo2);
    BitBtn6 = Button(TabSheet2, "BitBtn6", "Visszatölt", 6);
    auto* page2 = new QVBoxLayout(TabSheet2);
    auto* grid = new QGridLayout;
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(MaskEdit1, 0, 1, Qt::AlignLeft);
    grid->addWidget(Label2, 1, 0);
    grid->addWidget(Label4, 1, 1);
    grid->addWidget(Label3, 2, 0);
    grid->addWidget(Label5, 2, 1);
    grid->setColumnStretch(1, 1);
    page2->addLayout(grid);
    page2->addWidget(Memo2);
    page2->addWidget(BitBtn6, 0, Qt::AlignRight);
    PageControl1->addTab(TabSheet2, QStringLiteral("Visszatöltés"));

    TabSheet3 = new QWidget;
    TabSheet3->setObjectName("TabSheet3");
    Memo3 = Memo(TabSheet3, "Memo3", kMemo3);
    BitBtn2 = Button(TabSheet3, "BitBtn2", "Teljes visszatöltés", 2);
    auto* page3 = new QVBoxLayout(TabSheet3);
    page3->addWidget(Memo3);
    page3->addWidget(BitBtn2, 0, Qt::AlignRight);
    PageControl1->addTab(TabSheet3, QStringLiteral("Teljes visszatöltés"));

    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName("ProgressBar1");
    ProgressBar2 = new QProgressBar(this);
    ProgressBar2->setObjectName("ProgressBar2");
    for (QProgressBar* p : {ProgressBar1, ProgressBar2}) {
        p->setRange(0, 100);
        p->setValue(0);
    }
    BitBtn5 = Button(this, "BitBtn5", "Kilépés", 5);
    BitBtn5->setToolTip(QStringLiteral("ESC"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PageControl1);
    layout->addWidget(ProgressBar1);
    layout->addWidget(ProgressBar2);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(BitBtn5);
    layout->addLayout(bottom);
    resize(640, 360);

    for (QPushButton* b : {BitBtn1, BitBtn6, BitBtn2})
        connect(b, &QPushButton::clicked, this, [this, b] { BitBtnClick(b); });
    connect(BitBtn5, &QPushButton::clicked, this, &TMentesZipForm::BitBtn5Click);

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
        Label6 = Label(TabSheet3, "Label6", "");
        Label6->setWordWrap(true);
        Label6->setText(Q(e.what()) + "\n" + QStringLiteral("Csak a teljes visszatöltés végezhető el!"));
        page3->insertWidget(0, Label6);
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

bool TMentesZipForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == MaskEdit1) {
        switch (event->type()) {
            case QEvent::KeyPress: {
                const int key = static_cast<QKeyEvent*>(event)->key();
                if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_F2) {
                    MaskEdit1KeyDown(key);
                    return true;
                }
                break;
            }
            case QEvent::FocusOut:
                if (static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
                    QTimer::singleShot(0, this, [this] {
                        if (!closed_ && isVisible()) MaskEdit1Exit();
                    });
                break;
            case QEvent::MouseButtonRelease:
                MaskEdit1Click();
                break;
            default:
                break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

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
