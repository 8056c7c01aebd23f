#include "masterdata/uTblSearchHelp.h"

#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "masterdata/uTblSearchLanguage.h"

namespace {

// One entry per memo line; the blanks at some line ends belong to the text.
// clang-format off
constexpr const char* kHelpLines[] = {
    "I. GYORSMENÜ (jobb egérgomb)",
    "",
    "1. -tól (Szűrés)",
    "Csak azon adatok kerülnek megjelenítésre amelyek az éppen aktuális sor első cellájának értékétől ",
    "nagyobbak.",
    "",
    "2. -ig (Szűrés)",
    "Csak azon adatok kerülnek megjelenítésre amelyek az éppen aktuális sor első cellájának értékétől kisebbek.",
    "",
    "3. Szűrés törlése",
    "Az eddig kiadott Szűrő feltételeket töröli.",
    "",
    "4. Szűrő feltételek",
    "Az eddig kiadott Szűrő feltételeket láthatjuk az ablak alsó részében.",
    "",
    "5. Teljes tartalom",
    "Az aktuális sor összes cellaértékét megtekinthetjük görgetés nélkül.",
    "",
    "II. BILLENTYŰZET",
    "",
    "1. ENTER",
    "Az éppen aktuális sor kiválasztása és az ablak bezárása.",
    "",
    "2. ESC",
    "Kiválasztás nélkül az ablak bezárása.",
    "",
    "3. Karakterbillentyűk leütésekor az első (kivastagított nevű) oszlop cellái közül rááll az első, részben egyezőre ",
    "(nem számít, hogy kis vagy nagy betű). A begépelt karaktersorozatot a menü alatt lévő cellában láthatjuk. A ",
    "begépelt karaktersorozat 10 másodpec elteltével törlődik amennyiben nem ütünk le több karakterbillentyűt.",
    "",
    "III. EGÉR",
    "",
    "1. Az oszlopneveket bal egérgomb folyamatos nyomvatartásával a megfelelő helyre vonszolhatjuk, amivel ",
    "kialakíthatja az éppen megfelelő rendezési sorrendet.",
};
// clang-format on

}  // namespace

TfrmTblSearchHelp::TfrmTblSearchHelp(QChar language, QWidget* parent) : QDialog(parent) {
    setObjectName("frmTblSearchHelp");
    setWindowTitle(TblSearchCaption("Help", language));
    auto* layout = new QVBoxLayout(this);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName("Memo1");
    Memo1->setReadOnly(true);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    QStringList lines;
    for (const char* line : kHelpLines) lines << QString::fromUtf8(line);
    Memo1->setPlainText(lines.join('\n'));
    layout->addWidget(Memo1);
    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setObjectName("Button1");
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(Button1, 0, Qt::AlignHCenter);
    setFixedSize(640, 420);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}
