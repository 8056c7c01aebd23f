#include "core/CegKival.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include "controls/DBKinds.h"
#include "core/DataModule1.h"
#include "core/FormTables.h"
#include "core/Kivalaszt.h"
#include "core/MainWindowLink.h"
#include "core/SegedUnitDb.h"
#include "core/StartValues.h"
#include "core/TableCatalog.h"
#include "platform/ui/ControlKinds.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/QtString.h"

namespace {

db::Table& Component(const std::string& name) {
    db::Table* t = DM1->Component(name);
    if (!t) throw std::logic_error("No component " + name);
    return *t;
}

// Points an optional component at the company's table, or clears its name
// when the table cannot be used, so it never keeps the previous company's.
bool SwitchOptional(const std::string& base, const std::string& ccc, bool usable) {
    db::Table& t = Component("Table" + base);
    if (!usable) {
        t.Close();
        t.TableName.clear();
        return false;
    }
    t.TableName = CompanyTableName(base, ccc);
    t.Close();
    AddNewerTableKey(AktualisAlias, t.TableName);
    DM1->TestOpen(t);
    return true;
}

}  // namespace

bool TablaSablonbol(const std::string& baseName, const std::string& ccc) {
    db::Table& t = *DM1->Table1;
    t.Close();
    const std::string companyName = CompanyTableName(baseName, ccc);
    t.TableName = companyName;
    if (t.Exists()) return true;
    t.TableName = baseName;
    if (!t.Exists()) return false;
    try {
        // Opening proves the template is a table; the copy takes its
        // structure and indexes (a template holds no rows).
        t.Open();
        db::CopyTable(t.DatabaseName, baseName, companyName);
        t.Close();
        return true;
    } catch (const std::exception&) {
        ui::ShowMessage(QStringLiteral("Nem hozható létre a tábla! #02"));
        t.Close();
        return false;
    }
}

namespace {

// A failed switch: no component keeps a company's table, no company item is
// usable, the status line is empty. The company table stays open when the
// dialog had it open, so the user can pick another company.
void AtallasHiba(MainWindowLink* main, bool cegekOpen) {
    ui::ShowMessage(QStringLiteral("Hiba az átállás során!"));
    for (const TableComponent& c : TableComponents())
        if (c.perCompany) Component(c.component).Close();
    DM1->ClearAllCompanyTableNames();
    if (main) {
        main->DisableCompanyItems();
        main->ShowCompany({}, {}, {});
    }
    try {
        if (cegekOpen) DM1->TableCegek->Open();
    } catch (const db::DatabaseError&) {
        // The dialog then shows no company; its "OK" says so.
    }
}

}  // namespace

bool CegAtallas(const std::string& ccc) {
    MainWindowLink* main = MainWindow();
    const bool cegekOpen = DM1->TableCegek->Active();
    try {
        for (const TableComponent& c : ComponentsOf(ComponentSet::Core)) {
            db::Table& t = Component(c.component);
            t.Close();
            t.TableName = CompanyTableName(c.baseName, ccc);
            AddNewerTableKey(AktualisAlias, t.TableName);
            DM1->TestOpen(t);
        }

        CompanyTables tables;
        tables.Nyilat = SwitchOptional("Nyilat", ccc, TablaSablonbol("Nyilat", ccc));
        tables.M30 = SwitchOptional("M30", ccc, TablaSablonbol("M30", ccc));
        tables.M29 = SwitchOptional("M29", ccc, TablaSablonbol("M29", ccc));
        const bool k30 = TablaSablonbol("K30", ccc);
        const bool k30k32 = k30 && TablaSablonbol("K32", ccc);
        SwitchOptional("K30", ccc, k30k32);
        tables.K30K32 = SwitchOptional("K32", ccc, k30k32);
        tables.M292 = SwitchOptional("M292", ccc, TablaSablonbol("M292", ccc));
        tables.M294 = SwitchOptional("M294", ccc, TablaSablonbol("M294", ccc));

        // Every declaration table is tried, even after one failed.
        const std::vector<TableComponent> sheets = ComponentsOf(ComponentSet::Declaration);
        bool all = true;
        for (const TableComponent& c : sheets) all = TablaSablonbol(c.baseName, ccc) && all;
        tables.HaviAdo = all;
        for (const TableComponent& c : sheets) {
            db::Table& t = Component(c.component);
            t.Close();
            if (!all) {
                t.TableName.clear();
                continue;
            }
            t.TableName = CompanyTableName(c.baseName, ccc);
            DM1->TestOpen(t);
            AddNewerSheetFields(AktualisAlias, t.TableName);
        }

        DM1->TableCegek->Close();
        AlapertekFeltolt();
        DM1->TableCegek->Open();

        if (main) {
            main->EnableCompanyItems(tables);
            const db::Variant code(ccc);
            main->ShowCompany(Q(ccc), Q(DM1->TableCegek->Lookup("CG_KOD", code, "CG_NEV").ToString()),
                              Q(DM1->TableCegek->Lookup("CG_KOD", code, "CG_RNEV").ToString()));
        }
        return true;
    } catch (const db::DatabaseError&) {
        AtallasHiba(main, cegekOpen);
        return false;
    } catch (const db::AbortError&) {
        // A post the data module refused (it has said why): the switch is
        // half done, so it fails like any database error.
        AtallasHiba(main, cegekOpen);
        return false;
    }
}

namespace {

using Form = TCegKivalForm;

// clang-format off
const ui::ControlRow<Form> kFields[] = {
//   member           kind                  name       caption or field      cell
    {&Form::Label1,   ui::Label,            "Label1",  "Cég kódja (F2) :",   {0, 0}},
    {&Form::DBEdit1,  DBEdit.Disabled(),    "DBEdit1", "CG_KOD",             {0, 1}},
    {&Form::Label2,   ui::Label,            "Label2",  "Cég néve :",         {1, 0}},
    {&Form::DBText1,  DBText,               "DBText1", "CG_NEV",             {1, 1}},
    {&Form::Label3,   ui::Label,            "Label3",  "Cég rövid néve :",   {2, 0}},
    {&Form::DBText2,  DBText,               "DBText2", "CG_RNEV",            {2, 1}},
};

// Moving through the companies, dispatched by tag.
const ui::ControlRow<Form> kNavigation[] = {
//   member           kind              name       caption  cell    tag  hint
    {&Form::BitBtn3,  ui::GlyphButton,  "BitBtn3", "Home",  {0, 0}, 3,   "Home"},
    {&Form::BitBtn1,  ui::GlyphButton,  "BitBtn1", "-",     {0, 1}, 1,   "-"},
    {&Form::BitBtn2,  ui::GlyphButton,  "BitBtn2", "+",     {0, 2}, 2,   "+"},
    {&Form::BitBtn4,  ui::GlyphButton,  "BitBtn4", "End",   {0, 3}, 4,   "End"},
};

const ui::ControlRow<Form> kButtons[] = {
//   member           kind         name       caption    cell    tag  hint
    {&Form::BitBtn6,  ui::Button,  "BitBtn6", "OK",      {0, 5}},
    {&Form::BitBtn5,  ui::Button,  "BitBtn5", "Kilépés", {0, 6}, 0,   "ESC"},
};
// clang-format on

}  // namespace

TCegKivalForm::TCegKivalForm(QWidget* parent) : QDialog(parent) {
    setObjectName("CegKivalForm");
    setWindowTitle(QStringLiteral("Törzskezelés/Cég kiválasztása"));
    setWindowFlags(Qt::Dialog | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);

    ui::ControlBuilder b = FormBuilder(DM1->DataSourceCegek);
    b.Build(*this, this, kFields);
    auto* bar = new QWidget(this);
    ui::PageGrid(bar)->setContentsMargins(0, 0, 0, 0);
    ui::PageGrid(bar)->setColumnStretch(4, 1);
    ui::PageGrid(this)->addWidget(bar, 3, 0, 1, 2);
    ui::PageGrid(this)->setColumnMinimumWidth(1, 340);
    b.events.OnClick = [this](QWidget* w) { BitBtnClick(static_cast<QToolButton*>(w)); };
    b.Build(*this, bar, kNavigation);
    b.events = {};
    b.Build(*this, bar, kButtons);
    connect(BitBtn5, &QPushButton::clicked, this, &TCegKivalForm::BitBtn5Click);
    connect(BitBtn6, &QPushButton::clicked, this, &TCegKivalForm::BitBtn6Click);
    BitBtn6->setDefault(true);
    BitBtn6->setFocus();

    // The pick list lives as long as the dialog.
    KivalasztForm = new TKivalasztForm(this);
}

TCegKivalForm::~TCegKivalForm() {
    delete KivalasztForm;
    KivalasztForm = nullptr;
}

void TCegKivalForm::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Escape:
            BitBtn5Click();
            return;
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Home:
        case Qt::Key_End:
        case Qt::Key_Plus:
        case Qt::Key_Minus:
        case Qt::Key_F2:
            FormKeyDown(event->key(), event->modifiers());
            return;
        default:
            QDialog::keyPressEvent(event);
    }
}

void TCegKivalForm::FormKeyDown(int key, Qt::KeyboardModifiers modifiers) {
    db::Dataset& cegek = *DM1->TableCegek;
    const bool keypad = modifiers & Qt::KeypadModifier;
    switch (key) {
        case Qt::Key_PageUp:
            cegek.MoveBy(-10);
            break;
        case Qt::Key_PageDown:
            cegek.MoveBy(10);
            break;
        case Qt::Key_End:
            cegek.Last();
            break;
        case Qt::Key_Home:
            cegek.First();
            break;
        case Qt::Key_Plus:
            if (keypad) cegek.Next();
            break;
        case Qt::Key_Minus:
            if (keypad) cegek.Prior();
            break;
        case Qt::Key_F2:
            KivalasztForm->KivalasztBeallit(7, "", "CG_KOD", 25, "CG_NEV", 336, "CG_RNEV", 116, 1);
            ui::ShowModal(*KivalasztForm);
            break;
        default:
            break;
    }
}

void TCegKivalForm::BitBtnClick(QToolButton* sender) {
    db::Dataset& cegek = *DM1->TableCegek;
    switch (sender ? sender->property("Tag").toInt() : 0) {
        case 1:
            cegek.Prior();
            break;
        case 2:
            cegek.Next();
            break;
        case 3:
            cegek.First();
            break;
        case 4:
            cegek.Last();
            break;
        default:
            break;
    }
}

void TCegKivalForm::BitBtn5Click() { reject(); }

void TCegKivalForm::BitBtn6Click() {
    const QString code = DBEdit1->text().trimmed();
    if (code.isEmpty()) {
        ui::ShowMessage(QStringLiteral("Nincsen cég kiválasztva!"));
        return;
    }
    if (CegAtallas(code.toStdString())) accept();
}
