#include "datasupply/NYENYIadatszolg.h"

#include <QChildEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/StartValues.h"
#include "core/helpers/FormXml.h"
#include "core/helpers/KimenetiMappa.h"
#include "datasupply/NyenyiRekordok.h"
#include "datasupply/NyenyiXml.h"
#include "platform/db/Table.h"
#include "platform/os/ScopeGuard.h"
#include "platform/ui/DatasetGrid.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Hourglass.h"

namespace {

const QString kUzenet = QStringLiteral("Üzenet");

ListDecl NyenyiDecl() {
    ListDecl d;
    d.objectName = "NYENYIadatszolgForm";
    d.caption = QStringLiteral("Szervíz/NYENYI adatszolgáltatás");
    d.fields = {params::Munkahely(), params::Dolgozo()};
    d.tables = {&TDM1::TableMhely, &TDM1::TableJogcim, &TDM1::TableDolgozo, &TDM1::TableSzamfejt,
                &TDM1::TableCegek};
    d.lastEdit = "MaskEdit6";
    d.progressBars = 1;
    return d;
}

int OszlopSzelesseg(const db::Field& f, const QFontMetrics& fm) {
    const int cim = fm.horizontalAdvance(QString::fromStdString(f.DisplayName())) + 16;
    int ertek = 72;
    if (db::IsTextType(f.DataType()))
        ertek = fm.horizontalAdvance(QString(std::max(f.Size(), 2), u'W')) * 3 / 4;
    if (db::IsDateType(f.DataType())) ertek = fm.horizontalAdvance(QStringLiteral("0000.00.00")) + 12;
    return std::clamp(std::max(cim, ertek), 40, 260);
}

}  // namespace

TNYENYIadatszolgForm::TNYENYIadatszolgForm(QWidget* parent) : ListForm(NyenyiDecl(), parent) {
    setFixedSize(632, 453);
    auto button = [this](const char* name, const QString& caption, int tag, const QString& hint) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setProperty("Tag", tag);
        b->setToolTip(hint);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, [this, b] { BitBtnClick(b); });
        return b;
    };
    BitBtn5 = button("BitBtn5", QStringLiteral("Felvitel"), 5, QStringLiteral("Ins"));
    BitBtn6 = button("BitBtn6", QStringLiteral("Módosít"), 6, QStringLiteral("F12"));
    BitBtn11 = button("BitBtn11", QStringLiteral("Rögzítés"), 11, {});
    BitBtn7 = button("BitBtn7", QStringLiteral("Törlés"), 7, QStringLiteral("Del"));
    BitBtn3 = button("BitBtn3", QStringLiteral("Adatszolg."), 2, {});
    BitBtn9 = button("BitBtn9", QStringLiteral("Mégsem"), 9, {});
    BitBtn1->setProperty("Tag", 1);
    BitBtn2->setProperty("Tag", 10);

    // The parameters on the left, the buttons in two columns on their right.
    auto* outer = qobject_cast<QVBoxLayout*>(layout());
    auto* params = outer->itemAt(0)->layout();
    outer->removeItem(params);
    auto* panel = new QHBoxLayout;
    panel->addLayout(params, 1);
    auto* gombok = new QGridLayout;
    const QPushButton* const oszlopok[2][4] = {{BitBtn5, BitBtn6, BitBtn11, BitBtn7},
                                               {BitBtn1, BitBtn3, BitBtn9, BitBtn2}};
    for (int c = 0; c < 2; ++c)
        for (int r = 0; r < 4; ++r) gombok->addWidget(const_cast<QPushButton*>(oszlopok[c][r]), r, c);
    panel->addLayout(gombok);
    outer->insertLayout(0, panel);
    DBGrid1 = new ui::DatasetGrid(this);
    DBGrid1->setObjectName("DBGrid1");
    DBGrid1->SetEditing(false);
    outer->addWidget(DBGrid1, 1);

    // FormCreate
    DataSource1.AutoEdit = false;
    DataSource1.OnStateChange = [this](db::DataSource&) { DataSource1StateChange(); };
    DataSource1.OnUpdateData = [this](db::DataSource&) { DataSource1UpdateData(); };
    for (QPushButton* b : {BitBtn3, BitBtn6, BitBtn7, BitBtn5, BitBtn9, BitBtn11}) b->setEnabled(false);
    for (QWidget* w : findChildren<QWidget*>()) w->installEventFilter(this);
}

TNYENYIadatszolgForm::~TNYENYIadatszolgForm() { FormClose(); }

bool TNYENYIadatszolgForm::Szerkeszt() const {
    const db::DatasetState s = RX_TableNYENYIadatsz.State();
    return s == db::DatasetState::Edit || s == db::DatasetState::Insert;
}

void TNYENYIadatszolgForm::NyomtatasMehet() {
    ListForm::NyomtatasMehet();
    if (Szerkeszt()) BitBtn1->setEnabled(false);
}

// --- Buttons and keys ----------------------------------------------------------

void TNYENYIadatszolgForm::BitBtnClick(QPushButton* sender) {
    try {
        switch (sender ? sender->property("Tag").toInt() : 0) {
            case 1:
                NyenyiRekordokFeltolt();
                break;
            case 2:
                NyenyiXmlIras();
                break;
            case 5:
                Felvitel();
                break;
            case 6:
                Modositas();
                break;
            case 7:
                Torles();
                break;
            case 9:
                Megsem();
                break;
            case 10:
                close();
                break;
            case 11:
                Postazas();
                break;
        }
    } catch (...) {
        db::HandleApplicationException(std::current_exception());
    }
}

bool TNYENYIadatszolgForm::FormKeyDown(int key) {
    const bool browse = RX_TableNYENYIadatsz.State() == db::DatasetState::Browse;
    switch (key) {
        case Qt::Key_Escape:
            Szerkeszt() ? Megsem() : (void)close();
            return true;
        case Qt::Key_Insert:
            Felvitel();
            return true;
        case Qt::Key_Delete:
            if (!browse) return false;  // the focused control's own key
            Torles();
            return true;
        case Qt::Key_F12:
            Modositas();
            return true;
        default:
            return false;
    }
}

bool TNYENYIadatszolgForm::eventFilter(QObject* watched, QEvent* event) {
    // Cell editors come later than the form: the form sees their keys first too.
    if (event->type() == QEvent::ChildAdded)
        if (QObject* child = static_cast<QChildEvent*>(event)->child(); child && child->isWidgetType())
            child->installEventFilter(this);
    if (event->type() == QEvent::KeyPress) {
        bool handled = false;
        try {
            handled = FormKeyDown(static_cast<QKeyEvent*>(event)->key());
        } catch (...) {
            db::HandleApplicationException(std::current_exception());
            handled = true;
        }
        if (handled) return true;
    }
    return ListForm::eventFilter(watched, event);
}

void TNYENYIadatszolgForm::keyPressEvent(QKeyEvent* event) {
    if (FormKeyDown(event->key())) return;
    ListForm::keyPressEvent(event);
}

// --- Record actions --------------------------------------------------------------

void TNYENYIadatszolgForm::Felvitel() {
    if (RX_TableNYENYIadatsz.State() == db::DatasetState::Browse) RX_TableNYENYIadatsz.Insert();
}

void TNYENYIadatszolgForm::Modositas() {
    if (RX_TableNYENYIadatsz.State() == db::DatasetState::Browse && !RX_TableNYENYIadatsz.IsEmpty())
        RX_TableNYENYIadatsz.Edit();
}

void TNYENYIadatszolgForm::Torles() {
    if (RX_TableNYENYIadatsz.State() != db::DatasetState::Browse || RX_TableNYENYIadatsz.IsEmpty()) return;
    if (ui::MessageBox(kUzenet, QStringLiteral("Valóban törölni szeretné a rekordot?"), ui::Icon::Question,
                       ui::Yes | ui::No, ui::Yes) == ui::Yes)
        RX_TableNYENYIadatsz.Delete();
}

void TNYENYIadatszolgForm::Megsem() {
    if (!Szerkeszt()) return;
    RX_TableNYENYIadatsz.Cancel();
    DBGrid1->SetEditing(false);
}

void TNYENYIadatszolgForm::Postazas() {
    if (!Szerkeszt()) return;
    DBGrid1->CommitEditor();
    // A record without an employee number sorts among records 01 and 02.
    db::Field& tsz = RX_TableNYENYIadatsz.FieldByName("Torzsszam");
    if (!tsz.IsNull() && tsz.AsString().find_first_not_of(' ') == std::string::npos) tsz.Clear();
    RX_TableNYENYIadatsz.Post();
    RX_TableNYENYIadatsz.SortByFields("Torzsszam; Rekordjel", true);
}

// --- State -------------------------------------------------------------------------

void TNYENYIadatszolgForm::DataSource1StateChange() {
    if (!RX_TableNYENYIadatsz.Active()) return;
    const db::DatasetState s = RX_TableNYENYIadatsz.State();
    if (s == db::DatasetState::Edit || s == db::DatasetState::Insert) {
        for (QPushButton* b : {BitBtn6, BitBtn7, BitBtn5, BitBtn1, BitBtn3}) b->setEnabled(false);
        BitBtn9->setEnabled(true);
        BitBtn11->setEnabled(true);
        DBGrid1->setFocus();
        DBGrid1->SetEditing(true);
    } else if (s == db::DatasetState::Browse) {
        for (QPushButton* b : {BitBtn6, BitBtn7, BitBtn5}) b->setEnabled(true);
        NyomtatasMehet();
        // Only a completed build may be sent.
        BitBtn3->setEnabled(kesz_);
        BitBtn9->setEnabled(false);
        BitBtn11->setEnabled(false);
    }
}

void TNYENYIadatszolgForm::DataSource1UpdateData() { DBGrid1->SetEditing(false); }

void TNYENYIadatszolgForm::RacsCsatol() {
    std::vector<ui::DatasetGridModel::Column> columns;
    const QFontMetrics fm(DBGrid1->font());
    for (int i = 0; i < RX_TableNYENYIadatsz.FieldCount(); ++i) {
        const db::Field& f = RX_TableNYENYIadatsz.Fields(i);
        columns.push_back({f.FieldName(), QString::fromStdString(f.DisplayName()), OszlopSzelesseg(f, fm)});
    }
    DBGrid1->SetColumns(std::move(columns));
    DBGrid1->SetDataSet(&RX_TableNYENYIadatsz);
    DataSource1.SetDataSet(&RX_TableNYENYIadatsz);
}

// --- Build and file ------------------------------------------------------------------

void TNYENYIadatszolgForm::NyenyiRekordokFeltolt() {
    kesz_ = false;
    BitBtn3->setEnabled(false);
    // No repaint and no button changes while the records are made.
    DataSource1.SetDataSet(nullptr);
    DBGrid1->SetDataSet(nullptr);
    std::exception_ptr hiba;
    {
        ui::Hourglass hourglass;
        NyenyiFolyamat folyamat;
        folyamat.kezd = [this](int n) {
            ProgressBar1->setMaximum(std::max(1, n));
            ProgressBar1->setValue(0);
        };
        folyamat.lepes = [this] { ProgressBar1->setValue(ProgressBar1->value() + 1); };
        try {
            tbKifHely_ =
                ::NyenyiRekordokFeltolt(RX_TableNYENYIadatsz,
                                        {Text("MaskEdit1").toStdString(), Text("MaskEdit2").toStdString(),
                                         Text("MaskEdit5").toStdString(), Text("MaskEdit6").toStdString()},
                                        folyamat);
            kesz_ = true;
        } catch (...) {
            hiba = std::current_exception();
        }
        RacsCsatol();
        ProgressBar1->setValue(0);
    }
    for (QPushButton* b : {BitBtn6, BitBtn7, BitBtn5}) b->setEnabled(true);
    BitBtn3->setEnabled(kesz_);
    BitBtn9->setEnabled(false);
    BitBtn11->setEnabled(false);
    if (hiba) db::HandleApplicationException(hiba);
}

QString TNYENYIadatszolgForm::NyenyiMappaValaszt() {
    try {
        const QString mappa = QString::fromStdString(AdatszolgMappa(FeldolgozasiEv, "NYENYI"));
        // Only the folder is used: the folder dialog rather than a save dialog.
        const QString valasztott = ui::ExistingFolder(QStringLiteral("Célkönyvtár kiválasztása"), mappa);
        if (valasztott.isEmpty()) return {};
        return valasztott.endsWith('/') ? valasztott : valasztott + '/';
    } catch (const std::exception& e) {
        ui::MessageBox(QStringLiteral("Üzenetkezelő"), QString::fromUtf8(e.what()), ui::Icon::Error, ui::Ok);
        return {};
    }
}

void TNYENYIadatszolgForm::NyenyiXmlIras() {
    os::ScopeGuard elso([this] {
        if (RX_TableNYENYIadatsz.Active()) RX_TableNYENYIadatsz.First();
    });
    if (!RX_TableNYENYIadatsz.Active() || !LocateCompany()) return;
    const QString mappa = NyenyiMappaValaszt();
    if (mappa.isEmpty()) return;
    db::Table& ceg = *DM1->TableCegek;
    const QString path =
        mappa + QString::fromStdString(NyenyiFajlNev(
                    QString::fromStdString(ceg.FieldByName("CG_KOD").AsString()).trimmed().toStdString()));
    ProgressBar1->setMaximum(std::max(1, RX_TableNYENYIadatsz.RecordCount()));
    ProgressBar1->setValue(0);
    try {
        ui::Hourglass hourglass;
        NyenyiXmlIr(path.toStdString(), RX_TableNYENYIadatsz, tbKifHely_, ceg,
                    [this] { ProgressBar1->setValue(ProgressBar1->value() + 1); });
    } catch (const std::exception& e) {
        ProgressBar1->setValue(0);
        ui::MessageBox(kUzenet, QString::fromStdString(XmlWriteError(path.toStdString(), e.what())),
                       ui::Icon::Error, ui::Ok);
        return;
    }
    ProgressBar1->setValue(ProgressBar1->maximum());
    ui::ShowMessage(QStringLiteral("A művelet befejeződött!"));
    ProgressBar1->setValue(0);
}

// --- Closing -----------------------------------------------------------------------------

bool TNYENYIadatszolgForm::FormCloseQuery() {
    if (Szerkeszt()) {
        if (ui::MessageBox(kUzenet, QStringLiteral("Félbeszakítja a műveletet?"), ui::Icon::Warning,
                           ui::Yes | ui::No) != ui::Yes)
            return false;
        Megsem();
        return true;
    }
    return ui::MessageBox(kUzenet,
                          QStringLiteral("Valóban ki szeretne lépni?") + "\r" +
                              QStringLiteral("FIGYELEM: A bevitt adatok nem kerülnek eltárolásra!"),
                          ui::Icon::Question, ui::Yes | ui::No) == ui::Yes;
}

void TNYENYIadatszolgForm::reject() {
    if (zarva_ || !FormCloseQuery()) return;
    FormClose();
    ListForm::reject();
}

void TNYENYIadatszolgForm::FormClose() {
    if (zarva_) return;
    zarva_ = true;
    DataSource1.SetDataSet(nullptr);
    DBGrid1->SetDataSet(nullptr);
    if (RX_TableNYENYIadatsz.Active()) {
        if (Szerkeszt()) RX_TableNYENYIadatsz.Cancel();
        RX_TableNYENYIadatsz.ClearAllRecords();
    }
    RX_TableNYENYIadatsz.Close();
    RX_TableNYENYIadatsz.ClearFields();
}
