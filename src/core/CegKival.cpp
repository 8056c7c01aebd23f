#include "core/CegKival.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/DataModule1.h"
#include "core/Kivalaszt.h"
#include "core/MainWindowLink.h"
#include "core/SegedUnitDb.h"
#include "core/StartValues.h"
#include "core/TableCatalog.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/FieldLink.h"

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

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

TCegKivalForm::TCegKivalForm(QWidget* parent) : QDialog(parent) {
    setObjectName("CegKivalForm");
    setWindowTitle(QStringLiteral("Törzskezelés/Cég kiválasztása"));
    setWindowFlags(Qt::Dialog | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);

    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    Label1 = new QLabel(QStringLiteral("Cég kódja (F2) :"), this);
    Label1->setObjectName("Label1");
    DBEdit1 = new QLineEdit(this);
    DBEdit1->setObjectName("DBEdit1");
    DBEdit1->setEnabled(false);
    DBEdit1->setFixedWidth(48);
    Label2 = new QLabel(QStringLiteral("Cég néve :"), this);
    Label2->setObjectName("Label2");
    DBText1 = new QLabel(this);
    DBText1->setObjectName("DBText1");
    Label3 = new QLabel(QStringLiteral("Cég rövid néve :"), this);
    Label3->setObjectName("Label3");
    DBText2 = new QLabel(this);
    DBText2->setObjectName("DBText2");
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(DBEdit1, 0, 1, Qt::AlignLeft);
    grid->addWidget(Label2, 1, 0);
    grid->addWidget(DBText1, 1, 1);
    grid->addWidget(Label3, 2, 0);
    grid->addWidget(DBText2, 2, 1);
    grid->setColumnMinimumWidth(1, 340);
    layout->addLayout(grid);

    auto* buttons = new QHBoxLayout;
    auto nav = [this, buttons](const char* name, const char* text, int tag) {
        auto* b = new QToolButton(this);
        b->setObjectName(name);
        b->setText(QString::fromUtf8(text));
        b->setToolTip(QString::fromUtf8(text));
        b->setProperty("Tag", tag);
        b->setFocusPolicy(Qt::NoFocus);
        connect(b, &QToolButton::clicked, this, [this, b] { BitBtnClick(b); });
        buttons->addWidget(b);
        return b;
    };
    BitBtn3 = nav("BitBtn3", "Home", 3);
    BitBtn1 = nav("BitBtn1", "-", 1);
    BitBtn2 = nav("BitBtn2", "+", 2);
    BitBtn4 = nav("BitBtn4", "End", 4);
    buttons->addStretch(1);
    BitBtn6 = new QPushButton(QStringLiteral("OK"), this);
    BitBtn6->setObjectName("BitBtn6");
    BitBtn6->setDefault(true);
    BitBtn5 = new QPushButton(QStringLiteral("Kilépés"), this);
    BitBtn5->setObjectName("BitBtn5");
    BitBtn5->setToolTip(QStringLiteral("ESC"));
    buttons->addWidget(BitBtn6);
    buttons->addWidget(BitBtn5);
    layout->addLayout(buttons);
    connect(BitBtn5, &QPushButton::clicked, this, &TCegKivalForm::BitBtn5Click);
    connect(BitBtn6, &QPushButton::clicked, this, &TCegKivalForm::BitBtn6Click);
    BitBtn6->setFocus();

    db::Dataset* cegek = DM1->TableCegek;
    links_[0] = std::make_unique<ui::FieldLink>(DBEdit1, cegek, "CG_KOD");
    links_[1] = std::make_unique<ui::FieldLink>(DBText1, cegek, "CG_NEV");
    links_[2] = std::make_unique<ui::FieldLink>(DBText2, cegek, "CG_RNEV");

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
