#include "masterdata/TorzskezJogcim.h"

#include <QGridLayout>
#include <QLabel>
#include <QTabWidget>

#include "controls/DBControls.h"
#include "controls/DBKinds.h"
#include "core/DataModule1.h"
#include "core/FormTables.h"
#include "masterdata/List_TorzsJogcim.h"
#include "platform/ui/ControlKinds.h"
#include "platform/ui/Dialogs.h"

namespace {

using F = TTorzskezJogcimForm;
using ui::Label;

// Every coded edit has the name of its code in the label "Label" + its
// object name, in the cell to its right.

// clang-format off
const ui::ControlRow<F> kHead[] = {
//   member            kind              name            caption or field   cell          tag
    {&F::JC_KOD,       DBEdit,           "JC_KOD",       "JC_KOD",          {0, 1}},
    {&F::JC_NEV,       DBEdit,           "JC_NEV",       "JC_NEV",          {1, 1},       1},
    {&F::PageControl1, ui::PageControl,  "PageControl1", "",                {2, 0, 1, 3}},
    {&F::TabSheet1,    ui::TabPage,      "TabSheet1",    "Általános"},
    {&F::TabSheet2,    ui::TabPage,      "TabSheet2",    "Kötelezettségek"},
    {&F::TabSheet3,    ui::TabPage,      "TabSheet3",    "Adózás módja"},
    {&F::TabSheet4,    ui::TabPage,      "TabSheet4",    "Riport paraméterek"},
    {&F::TabSheet5,    ui::TabPage,      "TabSheet5",    "Feladás"},
};

const ui::ControlRow<F> kAltalanos[] = {
    {&F::JC_TIPUS,     DBEdit.Coded("3"), "JC_TIPUS",        "JC_TIPUS",     {0, 1}},
    {{},               Label,             "LabelJC_TIPUS",   "",             {0, 2}},
    {&F::JC_SZAMKEP,   DBEdit.Coded("4"), "JC_SZAMKEP",      "JC_SZAMKEP",   {1, 1}},
    {{},               Label,             "LabelJC_SZAMKEP", "",             {1, 2}},
    {{},               DBCheckBox,        "JC_KIFIZ",        "JC_KIFIZ",     {2, 1}},
    {&F::JC_SZAZ,      DBEdit,            "JC_SZAZ",         "JC_SZAZ",      {3, 1}},
    {{},               DBEdit.Coded("5"), "JC_SZABTIP",      "JC_SZABTIP",   {4, 1},       2},
    {{},               Label,             "LabelJC_SZABTIP", "",             {4, 2}},
};

// The flags of the taxes and contributions; the hidden ones are kept and seeded only.
const ui::ControlRow<F> kKotelezettsegek[] = {
    {&F::JC_SZJAKOT,   DBCheckBox,          "JC_SZJAKOT",     "JC_SZJAKOT",     {0, 0}},
    {{},               DBCheckBox,          "JC_NYJKOT",      "JC_NYJKOT",      {1, 0}},
    {{},               DBCheckBox,          "JC_EBJKOT",      "JC_EBJKOT",      {2, 0}},
    {{},               DBCheckBox,          "JC_SZAKSZKOT",   "JC_SZAKSZKOT",   {3, 0}},
    {{},               DBCheckBox,          "JC_MPJDOLGKOT",  "JC_MPJDOLGKOT",  {4, 0}},
    {{},               DBCheckBox,          "JC_SZHAKOT",     "JC_SZHAKOT",     {5, 0}},
    {{},               DBCheckBox,          "JC_EVAKOT",      "JC_EVAKOT",      {6, 0}},
    {{},               DBCheckBox,          "JC_LETILT",      "JC_LETILT",      {7, 0}},
    {{},               DBCheckBox,          "JC_SZHALEV",     "JC_SZHALEV",     {8, 0}},
    {{},               DBCheckBox,          "JC_TERMJUTADO",  "JC_TERMJUTADO",  {0, 1}},
    {{},               DBCheckBox,          "JC_SZHANEMKEDV", "JC_SZHANEMKEDV", {1, 1}},
    {{},               DBCheckBox,          "JC_SZHAKEDV",    "JC_SZHAKEDV",    {2, 1}},
    {{},               DBCheckBox,          "JC_KULONADOZO",  "JC_KULONADOZO",  {3, 1}},
    {{},               DBCheckBox,          "JC_SZAKKEPZES",  "JC_SZAKKEPZES",  {4, 1}},
    {{},               DBCheckBox,          "JC_ALAP1",       "JC_ALAP1",       {5, 1}},
    {{},               DBCheckBox,          "JC_ALAP2",       "JC_ALAP2",       {6, 1}},
    {{},               DBCheckBox,          "JC_ALAP3",       "JC_ALAP3",       {7, 1}},
    {{},               DBCheckBox,          "JC_ALAP4",       "JC_ALAP4",       {8, 1}},
    {{},               DBCheckBox.Hidden(), "JC_AANOV",       "JC_AANOV",       {9, 0}},
    {{},               DBCheckBox.Hidden(), "JC_VJAR",        "JC_VJAR",        {9, 1}},
    {{},               DBCheckBox.Hidden(), "JC_MADOJKOT",    "JC_MADOJKOT",    {10, 0}},
    {{},               DBCheckBox.Hidden(), "JC_BALJKOT",     "JC_BALJKOT",     {10, 1}},
    {{},               DBCheckBox.Hidden(), "JC_EHOKIES",     "JC_EHOKIES",     {11, 0}},
    {{},               DBCheckBox.Hidden(), "JC_EHOSZAZ",     "JC_EHOSZAZ",     {11, 1}},
    {{},               DBCheckBox.Hidden(), "JC_KEDVTERM",    "JC_KEDVTERM",    {12, 0}},
    {{},               DBCheckBox,          "JC_ALAP5",       "JC_ALAP5",       {13, 1},   3},
};

const ui::ControlRow<F> kAdozasModja[] = {
    {&F::JC_RENDSZ,    DBCheckBox,        "JC_RENDSZ",       "JC_RENDSZ",    {0, 1}},
    {{},               DBCheckBox,        "JC_BERJELL",      "JC_BERJELL",   {1, 1}},
    {{},               DBCheckBox,        "JC_KERESET",      "JC_KERESET",   {2, 1}},
    {{},               DBCheckBox,        "JC_ELKULADO",     "JC_ELKULADO",  {3, 1}},
    {{},               DBEdit,            "JC_LINADO",       "JC_LINADO",    {4, 1},       4},
};

const ui::ControlRow<F> kRiportParameterek[] = {
    {&F::JC_ADATLSOR,  DBEdit,              "JC_ADATLSOR",         "JC_ADATLSOR",      {0, 1}},
    {{},               DBEdit.Coded("A"),   "JC_ADATLOSZL",        "JC_ADATLOSZL",     {1, 1}},
    {{},               Label,               "LabelJC_ADATLOSZL",   "",                 {1, 2}},
    {{},               DBEdit,              "JC_ADOELSOR",         "JC_ADOELSOR",      {2, 1}},
    {{},               DBEdit.Coded("B"),   "JC_ADOELOSZ",         "JC_ADOELOSZ",      {3, 1}},
    {{},               Label,               "LabelJC_ADOELOSZ",    "",                 {3, 2}},
    {{},               DBEdit,              "JC_ADOELKTG",         "JC_ADOELKTG",      {4, 1}},
    {{},               DBEdit,              "JC_JARULSOR",         "JC_JARULSOR",      {5, 1}},
    {{},               DBEdit.Coded("D"),   "JC_JARULKOD",         "JC_JARULKOD",      {6, 1}},
    {{},               Label,               "LabelJC_JARULKOD",    "",                 {6, 2}},
    {{},               DBEdit.Coded("E"),   "JC_ELLATATLKOD",      "JC_ELLATATLKOD",   {7, 1}},
    {{},               Label,               "LabelJC_ELLATATLKOD", "",                 {7, 2}},
    {{},               DBCheckBox,          "JC_BERKARTONRA",      "JC_BERKARTONRA",   {8, 1}},
    {{},               DBCheckBox,          "JC_BESZAMOSSZEG",     "JC_BESZAMOSSZEG",  {9, 1}},
    {{},               DBCheckBox,          "JC_BESZAMIDOSZTO",    "JC_BESZAMIDOSZTO", {10, 1}},
    {{},               DBEdit,              "JC_HAVIBEVSOR",       "JC_HAVIBEVSOR",    {11, 1}},
    {{},               DBEdit.Coded("Q"),   "JC_HAVIBEVOSZL",      "JC_HAVIBEVOSZL",   {12, 1}},
    {{},               Label,               "LabelJC_HAVIBEVOSZL", "",                 {12, 2}},
    {{},               DBEdit,              "JC_EVBEVSOR",         "JC_EVBEVSOR",      {13, 1}},
    {{},               DBEdit.Coded("R"),   "JC_EVBEVOSZL",        "JC_EVBEVOSZL",     {14, 1}},
    {{},               Label,               "LabelJC_EVBEVOSZL",   "",                 {14, 2}},
    {{},               DBEdit.Disabled(),   "JC_SORREND",          "JC_SORREND",       {15, 1}},
    {{},               DBEdit,              "JC_BANKSZAMLA",       "JC_BANKSZAMLA",    {16, 1},   5},
};

const ui::ControlRow<F> kFeladas[] = {
    {&F::JC_TARTOZIK,  DBEdit,            "JC_TARTOZIK",     "JC_TARTOZIK",  {0, 1}},
    {{},               DBEdit,            "JC_KOVETEL",      "JC_KOVETEL",   {1, 1},       6},
};
// clang-format on

}  // namespace

bool JogcimKodMegfelel(const std::string& code) {
    std::string s = code;
    while (!s.empty() && s.back() == ' ') s.pop_back();
    return s.size() >= 3 && s.find(' ') == std::string::npos;
}

TTorzskezJogcimForm::TTorzskezJogcimForm(QWidget* parent) : MaintenanceForm(DM1->TableJogcim, parent) {
    setObjectName("TorzskezJogcimForm");
    setWindowTitle(QStringLiteral("Törzskezelés/Jogcím"));

    QWidget* head = TablePage();
    ui::ControlBuilder b = FormBuilder(DM1->DataSourceJogcim);
    b.Build(*this, head, kHead);
    b.Build(*this, TabSheet1, kAltalanos);
    b.Build(*this, TabSheet2, kKotelezettsegek);
    b.Build(*this, TabSheet3, kAdozasModja);
    b.Build(*this, TabSheet4, kRiportParameterek);
    b.Build(*this, TabSheet5, kFeladas);
    for (QWidget* page : {TabSheet1, TabSheet2, TabSheet3, TabSheet4, TabSheet5})
        ui::PageGrid(page)->setColumnStretch(2, 1);

    for (QWidget* w : findChildren<QWidget*>()) {
        auto* edit = qobject_cast<TDBEdit*>(w);
        auto* box = qobject_cast<TDBCheckBox*>(w);
        if (!edit && !box) continue;
        AddBuilt(w);
        if (box) connect(box, &QCheckBox::clicked, this, &TTorzskezJogcimForm::DBCheckBoxClick);
        const QString type = ui::ValueSetOf(w);
        if (edit && !type.isEmpty())
            AddValueSetCode(edit, findChild<QLabel*>("Label" + w->objectName()), type.toStdString());
    }
    connect(JC_KOD, &TDBEdit::Exited, this, &TTorzskezJogcimForm::DBEdit1Exit);

    Member m;
    m.trimmedKey = "JC_KOD";
    m.keyEdits = {JC_KOD};
    m.required = {JC_KOD, JC_NEV, JC_SZAZ, JC_TIPUS, JC_SZAMKEP};
    m.insertFocus = JC_KOD;
    m.editFocus = JC_NEV;
    m.references = {{DM1->TableSzamfejt, "SF_JCKOD"}};
    m.inUseMessage = QStringLiteral("A jogcím nem törölhető! A számfejtett állományban szerepel!");
    m.saveTag = 6;
    m.pickKind = 4;
    m.pickColumns = {{"JC_KOD", 37}, {"JC_NEV", 226}};
    m.pages = PageControl1;
    FormCreate(std::move(m));
    if (Table().IsEmpty()) DBCheckBoxBeallit();
}

void TTorzskezJogcimForm::TableNyitZar(int n) {
    if (n == 0) {
        DM1->TableErtekkeszlet->Open();
        Table().Open();
        DM1->TableRJogcim->Open();
    } else {
        DM1->TableRJogcim->Close();
        Table().Close();
        DM1->TableDolgozo->Close();  // the standing items' lookups opened it
        DM1->TableErtekkeszlet->Close();
    }
}

void TTorzskezJogcimForm::LabelTorol() {
    for (QLabel* l : findChildren<QLabel*>())
        if (l->objectName().startsWith("LabelJC_")) l->clear();
}

void TTorzskezJogcimForm::DBCheckBoxBeallit() {
    for (TDBCheckBox* box : findChildren<TDBCheckBox*>()) {
        if (Mode() == Insert) {
            if (db::Field* f = box->Field()) f->SetAsString(box->ValueUnchecked);
        } else {
            box->setChecked(false);
        }
    }
}

void TTorzskezJogcimForm::DBCheckBoxClick() {
    if (Mode() == Edit) SzerkesztesChange();
}

void TTorzskezJogcimForm::NewRecordDefaults() {
    LabelTorol();
    Frissit();
    DBCheckBoxBeallit();
    JarulekKodAlapertek();
}

void TTorzskezJogcimForm::BeforePost() { JarulekKodAlapertek(); }

void TTorzskezJogcimForm::JarulekKodAlapertek() {
    db::Field& f = Table().FieldByName("JC_JARULKOD");
    if (QString::fromStdString(f.AsString()).trimmed().isEmpty()) f.SetAsString("00");
}

void TTorzskezJogcimForm::DBEdit1Exit() {
    if (Mode() == Browse) return;
    db::Field& code = Table().FieldByName("JC_KOD");
    if (code.IsNull() || JogcimKodMegfelel(code.AsString())) return;
    ui::ShowMessage(QStringLiteral("A beírt érték nem lehet kisebb mint 100!"));
    JC_KOD->setFocus();
    code.Clear();
}

void TTorzskezJogcimForm::EnterTag(int tag) {
    QWidget* const first[] = {JC_TIPUS, JC_SZJAKOT, JC_RENDSZ, JC_ADATLSOR, JC_TARTOZIK};
    if (tag < 1 || tag > 5) return;
    PageControl1->setCurrentIndex(tag - 1);
    first[tag - 1]->setFocus();
}

void TTorzskezJogcimForm::DeleteRecord() {
    // The standing items of the code and the code go together or not at all.
    DeleteWithRows(*DM1->TableRJogcim, "RJ_JCKOD", "JC_KOD");
}

std::unique_ptr<QDialog> TTorzskezJogcimForm::CreateListForm() {
    return std::make_unique<TList_TorzsJogcimForm>(this);
}
