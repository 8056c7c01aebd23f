#include "tax/annual/Ado_NyilatRog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QTabWidget>

#include "controls/DBControls.h"
#include "controls/DBKinds.h"
#include "core/DataModule1.h"
#include "core/FormTables.h"
#include "core/KivalasztSQL.h"
#include "platform/ui/ControlKinds.h"
#include "platform/ui/Dialogs.h"

namespace {

using F = TAdo_NyilatRogForm;
using ui::Label;

// Enter on a control of tag 1 to 6 moves to the next page, on tag 7 to
// Rögzítés.

// clang-format off
const ui::ControlRow<F> kHead[] = {
//   member              kind               name                field or caption                  cell           tag
    {{},                 Label,             "Label1",           "Törzsszám (F2) :",               {0, 0}},
    {&F::DBEdit1,        DBEdit,            "DBEdit1",          "NY_DGTORZSSZAM",                 {0, 1},        1},
    {&F::Label2,         Label,             "Label2",           "",                               {0, 2}},
    {&F::PageControl1,   ui::PageControl,   "PageControl1",     "",                               {1, 0, 1, 3}},
    {&F::TabSheet1,      ui::TabPage,       "TabSheet1",        "Nyilatkozat"},
    {&F::TabSheet2,      ui::TabPage,       "TabSheet2",        "Első házas"},
    {&F::TabSheet3,      ui::TabPage,       "TabSheet3",        "CSK"},
    {&F::TabSheet4,      ui::TabPage,       "TabSheet4",        "Rend 1."},
    {&F::TabSheet5,      ui::TabPage,       "TabSheet5",        "Rend. 2"},
    {&F::TabSheet6,      ui::TabPage,       "TabSheet6",        "Rend 3."},
};

const ui::ControlRow<F> kNyilatkozat[] = {
    {{},                 Label,             "Label3",           "Adóbevallást nyújt be, vagy adóját az APEH állapítja meg :", {0, 0}},
    {&F::NY_ONADOZO,     DBCheckBox,        "NY_ONADOZO",       "NY_ONADOZO",                     {0, 1}},
    {{},                 Label,             "Label4",           "Rendelkező nyilatkozatok száma :", {1, 0}},
    {&F::NY_RENYIL,      DBEdit,            "NY_RENYIL",        "NY_RENYIL",                      {1, 1},        2},
};

const ui::ControlRow<F> kElsoHazas[] = {
    {{},                 Label,             "Label5",           "Nyilatkozat első házasok kedvezményéről", {0, 0, 1, 2}},
    {{},                 Label,             "Label6",           "151. Házastárs adóaz. :",        {1, 0}},
    {&F::NY_S151HADOAZ,  DBEdit,            "NY_S151HADOAZ",    "NY_S151HADOAZ",                  {1, 1}},
    {{},                 Label,             "Label7",           "Házastárs neve :",               {2, 0}},
    {{},                 DBEdit,            "NY_S151HNEV",      "NY_S151HNEV",                    {2, 1}},
    {{},                 Label,             "Label8",           "Január :",                       {3, 0}},
    {{},                 DBFixedCombo,      "NY_S151JANUAR",    "NY_S151JANUAR",                  {3, 1}},
    {{},                 Label,             "Label9",           "Február :",                      {4, 0}},
    {{},                 DBFixedCombo,      "NY_S151FEBRUAR",   "NY_S151FEBRUAR",                 {4, 1}},
    {{},                 Label,             "Label10",          "Március :",                      {5, 0}},
    {{},                 DBFixedCombo,      "NY_S151MARCIUS",   "NY_S151MARCIUS",                 {5, 1}},
    {{},                 Label,             "Label11",          "Április :",                      {6, 0}},
    {{},                 DBFixedCombo,      "NY_S151APRILIS",   "NY_S151APRILIS",                 {6, 1}},
    {{},                 Label,             "Label12",          "Május :",                        {7, 0}},
    {{},                 DBFixedCombo,      "NY_S151MAJUS",     "NY_S151MAJUS",                   {7, 1}},
    {{},                 Label,             "Label13",          "Június :",                       {8, 0}},
    {{},                 DBFixedCombo,      "NY_S151JUNIUS",    "NY_S151JUNIUS",                  {8, 1}},
    {{},                 Label,             "Label14",          "Július :",                       {9, 0}},
    {{},                 DBFixedCombo,      "NY_S151JULIUS",    "NY_S151JULIUS",                  {9, 1}},
    {{},                 Label,             "Label15",          "Augusztus :",                    {10, 0}},
    {{},                 DBFixedCombo,      "NY_S151AUGUSZTUS", "NY_S151AUGUSZTUS",               {10, 1}},
    {{},                 Label,             "Label16",          "Szeptember :",                   {11, 0}},
    {{},                 DBFixedCombo,      "NY_S151SZEPTEMBER","NY_S151SZEPTEMBER",              {11, 1}},
    {{},                 Label,             "Label17",          "Október :",                      {12, 0}},
    {{},                 DBFixedCombo,      "NY_S151OKTOBER",   "NY_S151OKTOBER",                 {12, 1}},
    {{},                 Label,             "Label18",          "November :",                     {13, 0}},
    {{},                 DBFixedCombo,      "NY_S151NOVEMBER",  "NY_S151NOVEMBER",                {13, 1}},
    {{},                 Label,             "Label19",          "December :",                     {14, 0}},
    {{},                 DBFixedCombo,      "NY_S151DECEMBER",  "NY_S151DECEMBER",                {14, 1},       3},
};

const ui::ControlRow<F> kRend1[] = {
    {{},                 Label,             "Label20",          "A 2016. évben megszűnt MNYP-i tagsági viszony esetén,", {0, 0, 1, 2}},
    {{},                 Label,             "Label21",          "az ÖKNYP-ba átutalt összeg alapján történő rendelkezés", {1, 0, 1, 2}},
    {{},                 Label,             "Label22",          "125. Tagi kifizetés 20%-a :",    {2, 0}},
    {&F::NY_S125,        DBEdit,            "NY_S125",          "NY_S125",                        {2, 1}},
    {{},                 Label,             "Label23",          "126. Öszzevont adóalap utáni adó :", {3, 0}},
    {{},                 DBEdit,            "NY_S126",          "NY_S126",                        {3, 1}},
    {{},                 Label,             "Label24",          "127. Utalás adatai",             {4, 0, 1, 2}},
    {{},                 Label,             "Label25",          "ÖKNYP neve :",                   {5, 0}},
    {{},                 DBEdit,            "NY_S127NEV",       "NY_S127NEV",                     {5, 1}},
    {{},                 Label,             "Label26",          "Adószáma :",                     {6, 0}},
    {{},                 DBEdit,            "NY_S127ASZ",       "NY_S127ASZ",                     {6, 1}},
    {{},                 Label,             "Label27",          "Bankszla :",                     {7, 0}},
    {{},                 DBEdit,            "NY_S127BANK",      "NY_S127BANK",                    {7, 1}},
    {{},                 Label,             "Label28",          "128. Nem tagja ÖKNYP-nek :",     {8, 0}},
    {{},                 DBCheckBox,        "NY_S128",          "NY_S128",                        {8, 1},        5},
};

const ui::ControlRow<F> kRend2[] = {
    {{},                 Label,             "Label29",          "Rendelkezés az ÖKP-hoz utalandó összegről", {0, 0, 1, 2}},
    {{},                 Label,             "Label30",          "131. ÖKNYP-i befizetetés 20%-a :", {1, 0}},
    {&F::NY_S131,        DBEdit,            "NY_S131",          "NY_S131",                        {1, 1}},
    {{},                 Label,             "Label31",          "132. ÖKEP-i  befizetetés 20%-a :", {2, 0}},
    {{},                 DBEdit,            "NY_S132",          "NY_S132",                        {2, 1}},
    {{},                 Label,             "Label32",          "133. ÖKEP-i  lekötés     10%-a :", {3, 0}},
    {{},                 DBEdit,            "NY_S133",          "NY_S133",                        {3, 1}},
    {{},                 Label,             "Label33",          "134. ÖKEP-i  prevenció   10%-a :", {4, 0}},
    {{},                 DBEdit,            "NY_S134",          "NY_S134",                        {4, 1}},
    {{},                 Label,             "Label34",          "135. ÖKP-i  kedvezmény összge :", {5, 0}},
    {{},                 DBEdit,            "NY_S135",          "NY_S135",                        {5, 1}},
    {{},                 Label,             "Label35",          "136. Öszzevont adóalap utáni adó :", {6, 0}},
    {{},                 DBEdit,            "NY_S136",          "NY_S136",                        {6, 1}},
    {{},                 Label,             "Label36",          "137. Utalás adatai",             {7, 0, 1, 2}},
    {{},                 Label,             "Label37",          "ÖKP neve :",                     {8, 0}},
    {{},                 DBEdit,            "NY_S137NEV",       "NY_S137NEV",                     {8, 1}},
    {{},                 Label,             "Label38",          "Adószáma :",                     {9, 0}},
    {{},                 DBEdit,            "NY_S137ASZ",       "NY_S137ASZ",                     {9, 1}},
    {{},                 Label,             "Label39",          "Bankszla :",                     {10, 0}},
    {{},                 DBEdit,            "NY_S137BANK",      "NY_S137BANK",                    {10, 1}},
    {{},                 Label,             "Label40",          "138. Nem tagja ÖKP-nek :",       {11, 0}},
    {{},                 DBCheckBox,        "NY_S138",          "NY_S138",                        {11, 1},       6},
};

const ui::ControlRow<F> kRend3[] = {
    {{},                 Label,             "Label41",          "Rendelkezés a nyugdíjbiztosítási szerződés alapján utalandó összegről", {0, 0, 1, 2}},
    {{},                 Label,             "Label42",          "144. NYB-i befizetés 20%-a :",   {1, 0}},
    {&F::NY_S144,        DBEdit,            "NY_S144",          "NY_S144",                        {1, 1}},
    {{},                 Label,             "Label43",          "145. Öszzevont adóalap utáni adó :", {2, 0}},
    {{},                 DBEdit,            "NY_S145",          "NY_S145",                        {2, 1}},
    {{},                 Label,             "Label44",          "146. Utalás adatai:",            {3, 0, 1, 2}},
    {{},                 Label,             "Label45",          "Biztosító neve :",               {4, 0}},
    {{},                 DBEdit,            "NY_S146NEV",       "NY_S146NEV",                     {4, 1}},
    {{},                 Label,             "Label46",          "Adószáma :",                     {5, 0}},
    {{},                 DBEdit,            "NY_S146ASZ",       "NY_S146ASZ",                     {5, 1}},
    {{},                 Label,             "Label47",          "Bankszla :",                     {6, 0}},
    {{},                 DBEdit,            "NY_S146BANK",      "NY_S146BANK",                    {6, 1}},
    {{},                 Label,             "Label48",          "148. NYB-i szerződésszám :",     {7, 0}},
    {{},                 DBEdit,            "NY_S148",          "NY_S148",                        {7, 1}},
    {{},                 Label,             "Label49",          "149. Utalandó összeg (136. + 145.) :", {8, 0}},
    {{},                 DBEdit,            "NY_S149",          "NY_S149",                        {8, 1}},
    {{},                 Label,             "Label50",          "656. Adózó",                     {9, 0, 1, 2}},
    {{},                 Label,             "Label51",          "Bankszla :",                     {10, 0}},
    {{},                 DBEdit,            "NY_S656BANK",      "NY_S656BANK",                    {10, 1}},
    {{},                 Label,             "Label52",          "Számlavez. neve :",              {11, 0}},
    {{},                 DBEdit,            "NY_S656NEV",       "NY_S656NEV",                     {11, 1}},
    {{},                 Label,             "Label53",          "IRSZ :",                         {12, 0}},
    {{},                 DBEdit,            "NY_S656IRSZ",      "NY_S656IRSZ",                    {12, 1}},
    {{},                 Label,             "Label54",          "Város:",                         {13, 0}},
    {{},                 DBEdit,            "NY_S656VAROS",     "NY_S656VAROS",                   {13, 1}},
    {{},                 Label,             "Label55",          "Közterület, hsz, stb :",         {14, 0}},
    {&F::NY_S656KOZTERSTB, DBEdit,          "NY_S656KOZTERSTB", "NY_S656KOZTERSTB",               {14, 1},       7},
};
// clang-format on

// One spouse row of the family allowance: the two flags, tax id, name and
// the twelve month boxes under their numbers.
std::vector<ui::ControlDecl> SpouseRow(const char* row, int top, int lastTag,
                                       std::vector<std::string>& names) {
    static const char* const kMonths[] = {"JANUAR",     "FEBRUAR", "MARCIUS",  "APRILIS",
                                          "MAJUS",      "JUNIUS",  "JULIUS",   "AUGUSZTUS",
                                          "SZEPTEMBER", "OKTOBER", "NOVEMBER", "DECEMBER"};
    const std::string p = std::string("NY_S") + row;
    // The decls point into `names`, which the caller keeps while building.
    auto keep = [&names](std::string s) { return names.emplace_back(std::move(s)).c_str(); };
    std::vector<ui::ControlDecl> d;
    auto label = [&](const std::string& caption, ui::Cell cell) {
        d.push_back({Label, keep("Label" + p + std::to_string(cell.row) + "_" + std::to_string(cell.column)),
                     keep(caption), cell});
    };
    auto bound = [&](const ui::ControlKind& kind, const std::string& field, ui::Cell cell, int tag = 0) {
        const char* name = keep(field);
        d.push_back({kind, name, name, cell, tag});
    };
    label("Közös érvényesítés :", {top, 0});
    bound(DBCheckBox, p + "KOZOSERV", {top, 1, 1, 12});
    label("Megosztás :", {top + 1, 0});
    bound(DBCheckBox, p + "MEGOSZT", {top + 1, 1, 1, 12});
    label(std::string(row) + ". Házastárs adóaz. :", {top + 2, 0});
    bound(DBEdit, p + "HADOAZ", {top + 2, 1, 1, 12});
    label("Házastárs neve :", {top + 3, 0});
    bound(DBEdit, p + "HNEV", {top + 3, 1, 1, 12});
    for (int m = 0; m < 12; ++m) label(std::to_string(m + 1), {top + 4, 1 + m});
    label("Hónap :", {top + 5, 0});
    for (int m = 0; m < 12; ++m) bound(DBCheckBox, p + kMonths[m], {top + 5, 1 + m}, m == 11 ? lastTag : 0);
    return d;
}

}  // namespace

TAdo_NyilatRogForm::TAdo_NyilatRogForm(QWidget* parent) : MaintenanceForm(DM1->TableNyilat, parent) {
    setObjectName("Ado_NyilatRogForm");
    setWindowTitle(QStringLiteral("Törzskezelés/Nyilatkozat rögzítése"));

    QWidget* head = TablePage();
    ui::ControlBuilder b = FormBuilder(DM1->DataSourceNyilat);
    b.Build(*this, head, kHead);
    b.Build(*this, TabSheet1, kNyilatkozat);
    b.Build(*this, TabSheet2, kElsoHazas);
    {
        std::vector<std::string> names;
        names.reserve(200);  // the decls keep pointers into it
        std::vector<ui::ControlDecl> csk = {
            {Label, "Label56", "Nyilatkozat a családi kedvezmény megosztásáról", {0, 0, 1, 13}}};
        for (const auto& part : {SpouseRow("155", 1, 0, names), SpouseRow("156", 7, 4, names)})
            csk.insert(csk.end(), part.begin(), part.end());
        b.Build(TabSheet3, csk);
    }
    b.Build(*this, TabSheet4, kRend1);
    b.Build(*this, TabSheet5, kRend2);
    b.Build(*this, TabSheet6, kRend3);
    NY_S155HADOAZ = findChild<TDBEdit*>("NY_S155HADOAZ");
    for (QWidget* page : {TabSheet1, TabSheet2, TabSheet4, TabSheet5, TabSheet6})
        ui::PageGrid(page)->setColumnStretch(2, 1);
    ui::PageGrid(TabSheet3)->setColumnStretch(13, 1);
    for (QWidget* page : {TabSheet1, TabSheet2, TabSheet3, TabSheet4, TabSheet5, TabSheet6})
        ui::PageGrid(page)->setRowStretch(ui::PageGrid(page)->rowCount(), 1);

    // Whole-number fields take at most eight characters, the count of
    // disposition declarations one.
    for (TDBEdit* e : findChildren<TDBEdit*>())
        if (LayoutField(DM1->DataSourceNyilat, e->DataField().toStdString()).type == db::FieldType::Integer)
            e->setMaxLength(8);
    NY_RENYIL->setMaxLength(1);

    AdoptBuilt();
    for (TDBComboBox* c : findChildren<TDBComboBox*>()) {
        AddBuilt(c);
        connect(c, &QComboBox::currentIndexChanged, this, &TAdo_NyilatRogForm::SzerkesztesChange);
    }
    for (TDBCheckBox* c : findChildren<TDBCheckBox*>())
        connect(c, &QCheckBox::clicked, this, &TAdo_NyilatRogForm::SzerkesztesChange);
    AddRecordCode(DBEdit1, Label2, 5, DM1->TableDolgozo, "DG_TORZSSZAM", 73, "DG_NEV", 336,
                  QStringLiteral("Ilyen törzsszam nem létezik!"), false, "DG_MHKOD", 43);

    KivalasztSQLForm = new TKivalasztSQLForm(this);
    Member m;
    m.exitQuestion = QStringLiteral("Valóban kilép a rögzítésből?");
    m.keyEdits = {DBEdit1};
    m.insertFocus = DBEdit1;
    m.editFocus = NY_ONADOZO;
    m.saveTag = 7;
    m.listButton = false;
    m.pages = PageControl1;
    FormCreate(std::move(m));
    // After the base's existence check of the same leaving.
    connect(DBEdit1, &TDBEdit::Exited, this, &TAdo_NyilatRogForm::DBEditExit);
}

void TAdo_NyilatRogForm::TableNyitZar(int n) {
    db::Table& dolgozo = *DM1->TableDolgozo;
    if (n == 0) {
        dolgozo.ReadOnly = true;
        dolgozo.Open();
        Table().Open();
    } else {
        Table().Close();
        dolgozo.Close();
        dolgozo.ReadOnly = false;
    }
}

void TAdo_NyilatRogForm::Frissit() {
    MaintenanceForm::Frissit();
    if (Mode() == Browse && Table().Active() && Table().IsEmpty()) DBCheckBoxBeallit();
}

void TAdo_NyilatRogForm::LabelTorol() { Label2->clear(); }

void TAdo_NyilatRogForm::Felvitel() {
    MaintenanceForm::Felvitel();
    LabelTorol();
}

void TAdo_NyilatRogForm::DBCheckBoxBeallit() {
    if (Mode() == Insert) {
        db::Table& t = Table();
        t.FieldByName("NY_ONADOZO").SetAsString("I");
        std::vector<std::string> no = {"NY_S155KOZOSERV", "NY_S155MEGOSZT", "NY_S156KOZOSERV",
                                       "NY_S156MEGOSZT",  "NY_S128",        "NY_S138",
                                       "NY_S620",         "NY_S103"};
        for (const char* row : {"NY_S155", "NY_S156"})
            for (const char* month : {"JANUAR", "FEBRUAR", "MARCIUS", "APRILIS", "MAJUS", "JUNIUS", "JULIUS",
                                      "AUGUSZTUS", "SZEPTEMBER", "OKTOBER", "NOVEMBER", "DECEMBER"})
                no.push_back(std::string(row) + month);
        for (const std::string& f : no) t.FieldByName(f).SetAsString("N");
    } else if (Mode() == Browse) {
        for (TDBCheckBox* c : findChildren<TDBCheckBox*>()) c->setCheckState(Qt::Unchecked);
    }
}

bool TAdo_NyilatRogForm::RogzitesMehetVizs() const {
    return !DBEdit1->Text().trimmed().isEmpty() && !NY_ONADOZO->Grey();
}

void TAdo_NyilatRogForm::DBEditExit() {
    // Changing disables the number while it may hold the focus: that leaving
    // comes before the record is put into edit state.
    if (Mode() == Browse || !DBEdit1->Editing()) return;
    const std::string code = DBEdit1->Text().trimmed().toStdString();
    if (code.empty()) return;
    db::Table& dolgozo = *DM1->TableDolgozo;
    if (!dolgozo.Locate("DG_TORZSSZAM", code)) return;
    auto text = [&dolgozo](const char* field) {
        return QString::fromStdString(dolgozo.FieldByName(field).AsString()).trimmed();
    };
    QStringList parts;
    for (const char* f : {"DG_KOZTER", "DG_KOZTERJEL", "DG_HAZSZ", "DG_EPULET", "DG_EMELET", "DG_AJTO"})
        parts << text(f);
    db::Table& t = Table();
    t.FieldByName("NY_S656IRSZ").SetAsString(dolgozo.FieldByName("DG_IRSZ").AsString());
    t.FieldByName("NY_S656VAROS").SetAsString(dolgozo.FieldByName("DG_VAROS").AsString());
    // Cut to the field; the blanks of missing parts do not end the text.
    const int size = t.FieldByName("NY_S656KOZTERSTB").Size();
    t.FieldByName("NY_S656KOZTERSTB").SetAsString(parts.join(' ').left(size).trimmed().toStdString());
    Frissit();
}

void TAdo_NyilatRogForm::BeforePost() {
    if (Mode() == Insert) Table().FieldByName("NY_DGNEV").SetAsString(Label2->text().toStdString());
}

void TAdo_NyilatRogForm::EnterTag(int tag) {
    struct Lap {
        QWidget* page;
        QWidget* first;
    };
    const Lap next[] = {{TabSheet1, NY_ONADOZO}, {TabSheet2, NY_S151HADOAZ}, {TabSheet3, NY_S155HADOAZ},
                        {TabSheet4, NY_S125},    {TabSheet5, NY_S131},       {TabSheet6, NY_S144}};
    if (tag < 1 || tag > 6) return;
    PageControl1->setCurrentWidget(next[tag - 1].page);
    next[tag - 1].first->setFocus();
}

void TAdo_NyilatRogForm::BrowsePick() {
    db::Table& t = Table();
    KivalasztSQLForm->KivalasztSQLBeallit(t, {&t.FieldByName("NY_DGTORZSSZAM"), &t.FieldByName("NY_DGNEV")},
                                          {73, 336}, "", 1);
    ui::ShowModal(*KivalasztSQLForm);
    Frissit();
}
