#include "backup/SzervizJav.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/DataModule1.h"
#include "core/Kivalaszt.h"
#include "core/StartValues.h"
#include "core/helpers/SegedUnit.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"
#include "platform/os/DayNumber.h"
#include "platform/ui/Dialogs.h"

namespace {

// The allowance items to repair, in this order, and the marker of a repaired row.
const char* const kKedvezmenyKodok[] = {"327L", "327M", "328L", "328M"};
const char* const kJavitottKod = "999X";
// Absence and benefit items that exclude the allowance.
const char* const kTavolletKodok[] = {"200", "204", "205", "210", "230", "232"};

const char* const kSzamfejtKulcs = "SF_DGTORZSSZAM;SF_HONAP;SF_JCKOD";

bool SorKeres(db::Dataset& szamfejt, const std::string& torzsszam, int ho, const char* kod) {
    return szamfejt.Locate(kSzamfejtKulcs, {db::Variant(torzsszam), db::Variant(ho), db::Variant(kod)});
}

bool InMonth(double date, int ev, int ho) {
    if (date == 0) return false;
    const os::YMD d = os::DecodeDate(date);
    return d.year == ev && d.month == ho;
}

// Recodes the current payroll row and returns its list line.
std::string KedvezmenySorJavit(db::Table& szamfejt, db::Table& dolgozo) {
    szamfejt.Edit();
    szamfejt.FieldByName("SF_JCKOD").SetAsString(kJavitottKod);
    szamfejt.Post();
    return "Törzsszám: " + dolgozo.FieldByName("DG_TORZSSZAM").AsString() +
           " / Név: " + dolgozo.FieldByName("DG_NEV").AsString() +
           " / Hónap: " + szamfejt.FieldByName("SF_HONAP").AsString() +
           " / Hibás kedvezmény: " + szamfejt.FieldByName("SF_JCNEV").AsString() +
           " / Hibás kedvezmény összege: " + AltalanosSzam(szamfejt.FieldByName("SF_OSSZEG").AsFloat());
}

}  // namespace

bool KedvezmenyJogos(db::Dataset& szamfejt, const std::string& torzsszam, int ev, int ho, double belepDat,
                     double kilepDat) {
    const int napok = os::DaysInMonth(ev, ho);
    int elso = 1, utolso = napok, napSzam = napok;
    if (InMonth(belepDat, ev, ho)) elso = os::DecodeDate(belepDat).day;
    if (InMonth(kilepDat, ev, ho)) utolso = os::DecodeDate(kilepDat).day;
    if (utolso >= elso) napSzam = utolso - elso + 1;
    if (napSzam != napok) return false;
    for (const char* kod : kTavolletKodok)
        if (SorKeres(szamfejt, torzsszam, ho, kod)) return false;
    return true;
}

void KedvezmenyJavitas(const KedvezmenyJavitasKellekek& k) {
    db::Query& q = k.query;
    q.Close();
    q.SetSQL("SELECT DISTINCT SF_DGTORZSSZAM FROM " + db::SqlName(k.szamfejt.TableName) +
             " WHERE SF_HONAP = 1 AND SF_JCKOD IN (:k1, :k2, :k3, :k4) ORDER BY SF_DGTORZSSZAM");
    for (int i = 0; i < 4; ++i) q.ParamByName("k" + std::to_string(i + 1)).SetAsString(kKedvezmenyKodok[i]);
    q.Open();
    std::vector<std::string> torzsszamok;
    for (q.First(); !q.Eof(); q.Next()) torzsszamok.push_back(q.FieldByName("SF_DGTORZSSZAM").AsString());
    const int total = static_cast<int>(torzsszamok.size());
    int done = 0;
    for (const std::string& torzsszam : torzsszamok) {
        if (k.dolgozo.Locate("DG_TORZSSZAM", db::Variant(torzsszam)) &&
            !KedvezmenyJogos(k.szamfejt, torzsszam, k.ev, 1,
                             k.dolgozo.FieldByName("DG_BELEPDAT").AsDateTime(),
                             k.dolgozo.FieldByName("DG_KILEPDAT").AsDateTime())) {
            // Every row of the code: a month paid on two dates has two.
            for (const char* kod : kKedvezmenyKodok)
                while (SorKeres(k.szamfejt, torzsszam, 1, kod)) {
                    const std::string line = KedvezmenySorJavit(k.szamfejt, k.dolgozo);
                    if (k.sor) k.sor(line);
                }
        }
        if (k.halad) k.halad(++done, total);
    }
}

TSzervizJavForm::TSzervizJavForm(QWidget* parent) : QDialog(parent) {
    setObjectName("SzervizJavForm");
    setWindowTitle(QStringLiteral("Szerviz/Javítás"));
    setWindowFlags(Qt::Dialog | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);

    BitBtn1 = new QPushButton(QStringLiteral("Javítás"), this);
    BitBtn1->setObjectName("BitBtn1");
    BitBtn1->setProperty("Tag", 1);
    BitBtn2 = new QPushButton(QStringLiteral("Kilépés"), this);
    BitBtn2->setObjectName("BitBtn2");
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName("ProgressBar1");
    ProgressBar1->setValue(0);
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName("ListBox1");

    auto* layout = new QVBoxLayout(this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    layout->addLayout(buttons);
    layout->addWidget(ProgressBar1);
    layout->addWidget(ListBox1, 1);
    resize(760, 420);
    connect(BitBtn1, &QPushButton::clicked, this, &TSzervizJavForm::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TSzervizJavForm::BitBtn2Click);

    // FormCreate
    KivalasztForm = new TKivalasztForm(this);
    try {
        for (db::Table* t : {DM1->TableMhely, DM1->TableJogcim, DM1->TableDolgozo}) {
            t->ReadOnly = true;
            t->Open();
        }
        DM1->TableSzamfejt->Open();
    } catch (...) {
        // No destructor runs for a form that fails to open: the tables it
        // opened or made read-only are given back here.
        FormClose();
        throw;
    }
}

TSzervizJavForm::~TSzervizJavForm() { FormClose(); }

void TSzervizJavForm::FormClose() {
    if (closed_) return;
    closed_ = true;
    delete KivalasztForm;
    KivalasztForm = nullptr;
    if (!DM1) return;
    DM1->TableSzamfejt->Close();
    for (db::Table* t : {DM1->TableDolgozo, DM1->TableJogcim, DM1->TableMhely}) {
        t->Close();
        t->ReadOnly = false;
    }
}

void TSzervizJavForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TSzervizJavForm::FormShow() {
    db::Query& q = *DM1->Query1;
    auto firstAndLast = [&q](const std::string& field, std::string& first, std::string& last) {
        q.Close();
        q.SetSQL("SELECT " + field + " FROM " + db::SqlName(DM1->TableSzamfejt->TableName) + " ORDER BY " +
                 field);
        q.Open();
        q.First();
        first = q.Eof() ? "" : q.FieldByName(field).AsString();
        q.Last();
        last = q.Eof() && q.Bof() ? "" : q.FieldByName(field).AsString();
        q.Close();
        q.SetSQL("");
    };
    firstAndLast("SF_DGMHKOD", mhTol_, mhIg_);
    firstAndLast("SF_DGTORZSSZAM", dgTol_, dgIg_);
    NyomtatasMehet();
}

void TSzervizJavForm::NyomtatasMehet() {
    auto blank = [](const std::string& s) { return s.find_first_not_of(' ') == std::string::npos; };
    BitBtn1->setEnabled(!blank(mhTol_) && !blank(mhIg_) && !blank(dgTol_) && !blank(dgIg_));
}

void TSzervizJavForm::BitBtn1Click() {
    ProgressBar1->setValue(0);
    BitBtn1->setEnabled(false);
    BitBtn1->setText(QStringLiteral("Várjon"));
    ListBox1->clear();
    auto restore = [this] {
        DM1->Query1->Close();
        DM1->Query1->SetSQL("");
        BitBtn1->setText(QStringLiteral("Javítás"));
        BitBtn1->setEnabled(true);
        ProgressBar1->setValue(0);
    };
    try {
        KedvezmenyJavitas(
            {.szamfejt = *DM1->TableSzamfejt,
             .dolgozo = *DM1->TableDolgozo,
             .query = *DM1->Query1,
             .ev = std::stoi(FeldolgozasiEv),
             .sor = [this](const std::string& line) { ListBox1->addItem(QString::fromStdString(line)); },
             .halad =
                 [this](int done, int total) {
                     ProgressBar1->setMaximum(total);
                     ProgressBar1->setValue(done);
                 }});
        const QString done = QStringLiteral("A javítás sikeresen befejeződött!");
        ui::ShowMessage(done);
        ListBox1->addItem(done);
    } catch (const std::exception& e) {
        restore();
        ui::MessageBox(QStringLiteral("Üzenetkezelő"),
                       QStringLiteral("Hiba történt a javításkor! \r") + QString::fromStdString(e.what()),
                       ui::Icon::Error, ui::Ok);
        return;
    }
    restore();
}

void TSzervizJavForm::BitBtn2Click() { reject(); }
