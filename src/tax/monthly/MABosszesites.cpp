#include "tax/monthly/MABosszesites.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>

#include "core/DataModule1.h"
#include "core/JogcimHelyek.h"
#include "core/Kivalaszt.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"
#include "platform/os/Text.h"
#include "platform/ui/ControlKinds.h"
#include "platform/ui/ControlTable.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/QtString.h"
#include "tax/monthly/MABLapok.h"
#include "tax/monthly/MABOsszesit.h"
#include "tax/monthly/MABTablak.h"

namespace {

using F = TMABosszesitesForm;
// clang-format off
const ui::ControlRow<F> kControls[] = {
//   member          kind        name         caption                      cell    tag
    {&F::Label1,     ui::Label,  "Label1",    "Hónap :",                   {0, 0}},
    {&F::MaskEdit1,  ui::Edit,   "MaskEdit1", "",                          {0, 1}, 1},
    {&F::Label2,     ui::Label,  "Label2",    "Dolgozó (F2) :",            {1, 0}},
    {&F::MaskEdit2,  ui::Edit,   "MaskEdit2", "",                          {1, 1}, 5},
    {&F::Label3,     ui::Label,  "Label3",    "",                          {1, 2}},
    {&F::Label4,     ui::Label,  "Label4",    "-tól",                      {1, 3}},
    {&F::MaskEdit3,  ui::Edit,   "MaskEdit3", "",                          {2, 1}, 5},
    {&F::Label5,     ui::Label,  "Label5",    "",                          {2, 2}},
    {&F::Label6,     ui::Label,  "Label6",    "-ig",                       {2, 3}},
    {&F::Label7,     ui::Label,  "Label7",    "Jelleg :",                  {3, 0}},
    {&F::BitBtn1,    ui::Button, "BitBtn1",   "Jogcímek aktualizálása",    {4, 0}},
    {&F::BitBtn2,    ui::Button, "BitBtn2",   "Összesítés",                {4, 1}},
    {&F::BitBtn3,    ui::Button, "BitBtn3",   "Kilépés",                   {4, 2}},
};
// clang-format on

const char* const kFigyelem[] = {
    "Figyelem!",
    "Az összesítés adószámra történik.",
    "Azonos adószámon nyilvántartott dolgozó esetén az összesítés a kisebb törzsszámon összevontan fog "
    "megjelenni.",
};

std::string Trim(const QLineEdit* e) { return os::TrimUpToBlank(S(e->text())); }

// The first and last value of a payroll field (empty without rows).
std::pair<std::string, std::string> ElsoUtolso(const std::string& field) {
    db::Query& q = *DM1->Query1;
    q.Close();
    q.SetSQL("SELECT " + field + " FROM " + db::SqlName(DM1->TableSzamfejt->TableName) + " ORDER BY " +
             field);
    q.Open();
    std::pair<std::string, std::string> r;
    if (!q.Eof()) {
        r.first = q.FieldByName(field).AsString();
        q.Last();
        r.second = q.FieldByName(field).AsString();
    }
    q.Close();
    q.SetSQL("");
    return r;
}

}  // namespace

TMABosszesitesForm::TMABosszesitesForm(QWidget* parent) : QDialog(parent) {
    setObjectName("MABosszesitesForm");
    setWindowTitle(QStringLiteral("Havi adó/Havi adóbevallás összesítés"));
    setWindowFlags(Qt::Dialog | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);

    ui::ControlBuilder b;
    b.events.OnClick = [this](QWidget* w) {
        if (w == BitBtn1) JogcimekAktualizalasa();
        if (w == BitBtn2) OsszesitesClick();
        if (w == BitBtn3) reject();
    };
    b.events.OnChange = [this](QWidget*) { NyomtatasMehet(); };
    b.events.OnExit = [this](QWidget* w) { MezoElhagyas(static_cast<QLineEdit*>(w)); };
    b.Build(*this, this, kControls);
    MaskEdit1->setInputMask("00");
    MaskEdit2->setInputMask("00000000000");
    MaskEdit3->setInputMask("00000000000");
    MaskEdit1->setMaximumWidth(40);
    for (QLineEdit* e : {MaskEdit2, MaskEdit3}) e->setMaximumWidth(110);
    BitBtn3->setProperty("Cancel", true);
    QGridLayout* grid = ui::PageGrid(this);
    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName("ComboBox1");
    ComboBox1->setProperty("Tag", 2);
    for (const std::string& j : MABJellegek()) ComboBox1->addItem(Q(j));
    grid->addWidget(ComboBox1, 3, 1);
    setTabOrder(MaskEdit3, ComboBox1);
    connect(ComboBox1, &QComboBox::currentTextChanged, this, [this] { NyomtatasMehet(); });
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName("ProgressBar1");
    ProgressBar2 = new QProgressBar(this);
    ProgressBar2->setObjectName("ProgressBar2");
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName("ListBox1");
    grid->addWidget(ProgressBar1, 5, 0, 1, 4);
    grid->addWidget(ProgressBar2, 6, 0, 1, 4);
    grid->addWidget(ListBox1, 7, 0, 1, 4);
    for (const char* line : kFigyelem) ListBox1->addItem(QString::fromUtf8(line));
    for (QWidget* w : {static_cast<QWidget*>(MaskEdit1), static_cast<QWidget*>(MaskEdit2),
                       static_cast<QWidget*>(MaskEdit3), static_cast<QWidget*>(ComboBox1)})
        w->installEventFilter(this);
    resize(640, 480);

    // FormCreate
    KivalasztForm = new TKivalasztForm(this);
    ComboBox1->setCurrentText("E");
    MABTablakNyitasa();
}

TMABosszesitesForm::~TMABosszesitesForm() { FormClose(); }

void TMABosszesitesForm::FormClose() {
    if (closed_) return;
    closed_ = true;
    delete KivalasztForm;
    KivalasztForm = nullptr;
    if (DM1) MABTablakZarasa();
}

void TMABosszesitesForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TMABosszesitesForm::FormShow() {
    const auto [elso, utolso] = ElsoUtolso("SF_DGTORZSSZAM");
    MaskEdit2->setText(Q(elso));
    MaskEdit3->setText(Q(utolso));
    MaskEdit1->setText(Q(ElsoUtolso("SF_HONAP").second));
    Frissit();
    NyomtatasMehet();
    db::Table& jogcim = *DM1->TableJogcim;
    if (jogcim.Locate("JC_KOD", db::Variant("341A")) && !jogcim.FieldByName("JC_HAVIBEVSOR").IsNull())
        JogcimekAktualizalasa();
}

void TMABosszesitesForm::Frissit() {
    const auto name = [](const QLineEdit* e) {
        const std::string t = Trim(e);
        if (t.empty()) return QString();
        return Q(DM1->TableDolgozo->Lookup("DG_TORZSSZAM", db::Variant(t), "DG_NEV").ToString());
    };
    Label3->setText(name(MaskEdit2));
    Label5->setText(name(MaskEdit3));
}

void TMABosszesitesForm::NyomtatasMehet() {
    BitBtn2->setEnabled(!Trim(MaskEdit1).empty() && !Trim(MaskEdit2).empty() && !Trim(MaskEdit3).empty());
}

void TMABosszesitesForm::MezoElhagyas(QLineEdit* edit) {
    if (edit == MaskEdit1) {
        const std::string t = Trim(MaskEdit1);
        if (!t.empty()) {
            const int ho = std::stoi(t);
            MaskEdit1->setText(QString::number(ho));
            if (ho < 1 || ho > 12) {
                ui::ShowMessage(QStringLiteral("Ilyen hónap nem létezik!"));
                MaskEdit1->setFocus();
            }
        }
    } else if (edit == MaskEdit2 || edit == MaskEdit3) {
        const std::string t = Trim(edit);
        if (!t.empty() && !DM1->TableDolgozo->Locate("DG_TORZSSZAM", db::Variant(t))) {
            ui::ShowMessage(QStringLiteral("Ilyen törzsszám nem létezik!"));
            edit->setFocus();
            edit->clear();
        }
    }
    Frissit();
    NyomtatasMehet();
}

void TMABosszesitesForm::Valaszt(QLineEdit* edit) {
    KivalasztForm->KivalasztBeallit(5, "", "DG_TORZSSZAM", 73, "DG_NEV", 336, "DG_MHKOD", 0, 0);
    if (ui::ShowModal(*KivalasztForm) == QDialog::Accepted && KivalasztForm->ErtekAtad()) {
        edit->setText(Q(DM1->TableDolgozo->FieldByName("DG_TORZSSZAM").AsString()));
        Frissit();
    }
}

bool TMABosszesitesForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (watched == ComboBox1) {
            if (BitBtn2->isEnabled()) BitBtn2->setFocus();
        } else {
            focusNextChild();
        }
        return true;
    }
    if (key == Qt::Key_F2 && (watched == MaskEdit2 || watched == MaskEdit3)) {
        Valaszt(static_cast<QLineEdit*>(watched));
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TMABosszesitesForm::JogcimekAktualizalasa() {
    JogcimHelyMasolas how;
    how.columns = {"JC_HAVIBEVSOR", "JC_HAVIBEVOSZL"};
    const auto cella = [](db::Dataset& year) {
        return "S" + year.FieldByName("JC_HAVIBEVSOR").AsString() +
               year.FieldByName("JC_HAVIBEVOSZL").AsString();
    };
    how.cellCheck = [cella](db::Dataset& year) { return FeltoltokodLetezik(cella(year)); };
    how.refusedText = [cella](db::Dataset& year) {
        return Q("A(z) " + year.FieldByName("JC_KOD").AsString() + " számú jogcímhez nem rendelhető a(z) " +
                 cella(year) + " számú feltöltőkód.");
    };
    how.button = BitBtn1;
    JogcimHelyekMasolasa(how);
}

void TMABosszesitesForm::OsszesitesClick() {
    BitBtn2->setEnabled(false);
    BitBtn1->setEnabled(false);
    ListBox1->clear();
    MABOsszesitKellekek k;
    k.honap = std::stoi(Trim(MaskEdit1));
    k.tol = Trim(MaskEdit2);
    k.ig = Trim(MaskEdit3);
    k.jelleg = S(ComboBox1->currentText());
    k.uzenet = [this](const std::string& line) {
        ListBox1->addItem(Q(line));
        ListBox1->repaint();
    };
    k.halad = [this](int bar, int pos, int max) {
        QProgressBar* p = bar == 1 ? ProgressBar1 : ProgressBar2;
        if (max >= 0) p->setMaximum(std::max(max, 1));
        p->setValue(std::min(pos, p->maximum()));
    };
    try {
        MABOsszesit(k);
        ui::MessageBox(QStringLiteral("Üzenetkezelő"), QStringLiteral("Az összesítés befejeződött!"),
                       ui::Icon::Information, ui::Ok);
    } catch (const std::exception& e) {
        ui::MessageBox(QStringLiteral("Üzenetkezelő"),
                       QStringLiteral("HIBA történt az összesítéskor! \r") + QString::fromUtf8(e.what()),
                       ui::Icon::Error, ui::Ok);
    }
    BitBtn2->setEnabled(true);
    BitBtn1->setEnabled(true);
    NyomtatasMehet();
}
