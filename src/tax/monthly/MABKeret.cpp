#include "tax/monthly/MABKeret.h"

#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

#include "core/DataModule1.h"
#include "core/ListaKeret.h"
#include "core/StartValues.h"
#include "core/helpers/FormXml.h"
#include "core/helpers/KimenetiMappa.h"
#include "core/helpers/SegedUnit.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"
#include "platform/os/Text.h"
#include "platform/ui/ControlKinds.h"
#include "platform/ui/ControlTable.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Hourglass.h"
#include "platform/ui/QtString.h"
#include "tax/monthly/MABTablak.h"

namespace {

using F = TMABKeretForm;
// The rows leave room between them for a member's own.
// clang-format off
const ui::ControlRow<F> kHonap[] = {
//   member          kind        name         caption      cell     tag
    {&F::Label1,     ui::Label,  "Label1",    "Hónap :",   {0, 0}},
    {&F::MaskEdit1,  ui::Edit,   "MaskEdit1", "",          {0, 1},  1},
    {&F::Label7,     ui::Label,  "Label7",    "Jelleg :",  {10, 0}},
};
const ui::ControlRow<F> kFajl[] = {
    {&F::Label8,     ui::Label,  "Label8",    "Adatszolgáltatás könyvtára :", {20, 0}},
    {&F::Edit1,      ui::Edit,   "Edit1",     "",                             {20, 1}},
    {&F::BitBtn5,    ui::Button, "BitBtn5",   "...",                          {20, 3}},
    {&F::Label9,     ui::Label,  "Label9",    "Fájlnév :",                    {21, 0}},
    {&F::Edit4,      ui::Edit,   "Edit4",     "",                             {21, 1}},
};
const ui::ControlRow<F> kGombok[] = {
    {&F::BitBtn1,    ui::Button, "BitBtn1",   "",          {30, 1}},
    {&F::BitBtn2,    ui::Button, "BitBtn2",   "Kilépés",   {30, 2}},
};
// clang-format on

}  // namespace

std::string UtolsoFizetesiHonap() {
    db::Query q;
    q.DatabaseName = DM1->TableSzamfejt->DatabaseName;
    q.SetSQL("SELECT SF_HONAP FROM " + db::SqlName(DM1->TableSzamfejt->TableName) + " ORDER BY SF_HONAP");
    q.Open();
    if (q.Eof()) return {};
    q.Last();
    return q.FieldByName("SF_HONAP").AsString();
}

TMABKeretForm::TMABKeretForm(const MABKeretLeiras& leiras, QWidget* parent)
    : QDialog(parent), fajl_(leiras.fajl) {
    setObjectName(leiras.objectName);
    setWindowTitle(leiras.caption);
    setWindowFlags(Qt::Dialog | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    ui::ControlBuilder b;
    b.events.OnClick = [this](QWidget* w) {
        if (w == BitBtn1) {
            BitBtn1->setEnabled(false);
            Inditas();
            BitBtn1->setEnabled(true);
            NyomtatasMehet();
        }
        if (w == BitBtn2) reject();
        if (w == BitBtn5) CelkonyvtarValaszt();
    };
    b.events.OnChange = [this](QWidget* w) {
        if (w == Edit1 || w == Edit4) return;  // what the name is made of changed
        FajlnevBeallit();
        NyomtatasMehet();
    };
    b.events.OnExit = [this](QWidget* w) {
        if (w == MaskEdit1) HonapElhagyas(MaskEdit1);
    };
    b.Build(*this, this, kHonap);
    grid_ = ui::PageGrid(this);
    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName("ComboBox1");
    for (const std::string& j : MABJellegek()) ComboBox1->addItem(Q(j));
    grid_->addWidget(ComboBox1, 10, 1);
    setTabOrder(MaskEdit1, ComboBox1);
    connect(ComboBox1, &QComboBox::currentTextChanged, this, [this] {
        FajlnevBeallit();
        NyomtatasMehet();
    });
    if (fajl_) {
        b.Build(*this, this, kFajl);
        for (QLineEdit* e : {Edit1, Edit4}) {
            e->setReadOnly(true);
            e->setMinimumWidth(320);
        }
        BitBtn5->setFixedWidth(30);
    }
    b.Build(*this, this, kGombok);
    BitBtn1->setText(leiras.start);
    BitBtn2->setProperty("Cancel", true);
    MaskEdit1->setInputMask("99");
    MaskEdit1->setMaximumWidth(40);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName("ProgressBar1");
    ProgressBar1->setValue(0);
    grid_->addWidget(ProgressBar1, 31, 0, 1, 4);
    if (leiras.haladas > 1) {
        ProgressBar2 = new QProgressBar(this);
        ProgressBar2->setObjectName("ProgressBar2");
        ProgressBar2->setValue(0);
        grid_->addWidget(ProgressBar2, 32, 0, 1, 4);
    }
    for (QWidget* w : {static_cast<QWidget*>(MaskEdit1), static_cast<QWidget*>(ComboBox1)})
        w->installEventFilter(this);
    ComboBox1->setCurrentText("E");
}

std::string TMABKeretForm::Szoveg(const QLineEdit* edit) { return os::TrimUpToBlank(S(edit->text())); }

std::string TMABKeretForm::Jelleg() const { return S(ComboBox1->currentText()); }

void TMABKeretForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    HonapBetoltes();
    if (fajl_) {
        try {
            Edit1->setText(Q(AdatszolgMappa(FeldolgozasiEv, "MAB")));
        } catch (const std::exception& e) {
            Edit1->clear();
            ui::MessageBox(QStringLiteral("Üzenetkezelő"), QString::fromUtf8(e.what()), ui::Icon::Error,
                           ui::Ok);
        }
    }
    FajlnevBeallit();
    NyomtatasMehet();
}

void TMABKeretForm::HonapBetoltes() { MaskEdit1->setText(Q(UtolsoFizetesiHonap())); }

void TMABKeretForm::FajlnevBeallit() {
    if (!fajl_) return;
    Edit4->clear();
    if (DM1->TableCegek->Active() && LocateCompany())
        Edit4->setText(Edit1->text() + Q(FajlNev(DM1->TableCegek->FieldByName("CG_KOD").AsString())));
}

void TMABKeretForm::NyomtatasMehet() {
    bool mehet = !Szoveg(MaskEdit1).empty() && Indithato();
    if (fajl_) mehet = mehet && !Szoveg(Edit1).empty() && !Szoveg(Edit4).empty();
    BitBtn1->setEnabled(mehet);
}

void TMABKeretForm::HonapElhagyas(QLineEdit* edit) {
    const std::string t = Szoveg(edit);
    if (!t.empty()) {
        const int ho = std::stoi(t);
        edit->setText(QString::number(ho));
        if (ho < 1 || ho > 12) {
            ui::ShowMessage(QStringLiteral("Ilyen hónap nem létezik!"));
            edit->setFocus();
        }
    }
    FajlnevBeallit();
    NyomtatasMehet();
}

void TMABKeretForm::CelkonyvtarValaszt() {
    try {
        const QString mappa = ui::ExistingFolder(QStringLiteral("Célkönyvtár kiválasztása"), Edit1->text());
        if (mappa.isEmpty()) return;
        Edit1->setText(mappa.endsWith('/') ? mappa : mappa + '/');
    } catch (const std::exception& e) {
        ui::MessageBox(QStringLiteral("Üzenetkezelő"), QString::fromUtf8(e.what()), ui::Icon::Error, ui::Ok);
    }
    FajlnevBeallit();
    NyomtatasMehet();
}

void TMABKeretForm::FajlIras(const std::string& fajl, const std::function<bool()>& iras) {
    bool kesz = false;
    {
        ui::Hourglass hourglass;
        ProgressBar1->setValue(int(Kerekit(ProgressBar1->maximum() / 2.0L)));
        try {
            kesz = iras();
            ProgressBar1->setValue(ProgressBar1->maximum());
        } catch (const std::exception& e) {
            ui::MessageBox(QStringLiteral("Üzenet"), Q(XmlWriteError(fajl, e.what())), ui::Icon::Error,
                           ui::Ok);
        }
    }
    if (kesz) ui::ShowMessage(QStringLiteral("Az adatszolgáltatás fájl elkészült."));
    ProgressBar1->setValue(0);
    if (ProgressBar2) ProgressBar2->setValue(0);
}

void TMABKeretForm::EnterKezeles(QWidget* w) {
    if (w == ComboBox1) {
        if (BitBtn1->isEnabled()) BitBtn1->setFocus();
    } else {
        focusNextChild();
    }
}

bool TMABKeretForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            EnterKezeles(static_cast<QWidget*>(watched));
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
