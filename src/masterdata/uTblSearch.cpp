#include "masterdata/uTblSearch.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCursor>
#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSplitter>
#include <QTableView>
#include <QTimer>
#include <QWheelEvent>
#include <algorithm>
#include <cctype>

#include "controls/NumEdits.h"
#include "masterdata/TblSearchWorkbook.h"
#include "masterdata/uTblSearchAbout.h"
#include "masterdata/uTblSearchHelp.h"
#include "masterdata/uTblSearchLanguage.h"
#include "platform/db/ControlsOff.h"
#include "platform/os/DayNumber.h"
#include "platform/os/System.h"
#include "platform/ui/ControlKinds.h"
#include "platform/ui/DatasetGridModel.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Hourglass.h"

namespace {

constexpr int kMinimumWidth = 197;

using F = TfrmTblSearch;

// Above the list the type-ahead edit (Panel1), the list itself in the
// splitter; both edit and list come from the pick-list base.
// clang-format off
const ui::ControlRow<F> kWindow[] = {
//   member           kind                   name           caption  cell
    {&F::Panel1,      ui::Panel,             "Panel1",      "",      {0, 0}},
    {&F::Splitter1,   ui::Splitter,          "Splitter1",   "",      {1, 0}},
};

// The pane under the list: the lines of the filters or of the totals.
const ui::ControlRow<F> kSplitter[] = {
    {&F::ListBox3,    ui::ListBox,           "ListBox3"},
};

// The filters' and the totals' own lists stay hidden.
const ui::ControlRow<F> kBottom[] = {
    {&F::ListBox1,    ui::ListBox.Hidden(),  "ListBox1",    "",      {2, 0}},
    {&F::ListBox2,    ui::ListBox.Hidden(),  "ListBox2",    "",      {3, 0}},
    {&F::StatusBar1,  ui::Panel,             "StatusBar1",  "",      {4, 0}},
};

// Position, filter state and an empty panel.
const ui::ControlRow<F> kStatus[] = {
    {{},              ui::Label,             "StatusPanel0", "",     {0, 0}},
    {{},              ui::Label,             "StatusPanel1", "",     {0, 1}},
    {{},              ui::Label,             "StatusPanel2", "",     {0, 2}},
};
// clang-format on

// While the window exists, a wheel turn anywhere in the program is an arrow
// key for the widget with the focus: away from the user Up, towards Down.
class WheelToKeys : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Wheel) return false;
        const int dy = static_cast<QWheelEvent*>(event)->angleDelta().y();
        if (dy == 0) return false;
        QObject* target = QApplication::focusWidget() ? QApplication::focusWidget() : watched;
        const int key = dy > 0 ? Qt::Key_Up : Qt::Key_Down;
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &release);
        return true;
    }
};

std::string Join(const std::vector<std::string>& items, const char* separator) {
    std::string out;
    for (size_t i = 0; i < items.size(); ++i) out += (i ? separator : "") + items[i];
    return out;
}

bool PlainIdentifier(const std::string& name) {
    if (name.empty() || std::isdigit(static_cast<unsigned char>(name[0]))) return false;
    return std::all_of(name.begin(), name.end(),
                       [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; });
}

// The table as the statement names it: a file name's ".DB" goes, and a name
// SQL would misread is quoted.
std::string SqlTableName(std::string name) {
    if (name.size() > 3 && QString::fromStdString(name.substr(name.size() - 3)).toUpper() == ".DB")
        name.resize(name.size() - 3);
    return PlainIdentifier(name) ? name : db::SqlName(name);
}

bool ListableType(db::FieldType t) {
    using T = db::FieldType;
    switch (t) {
        case T::String:
        case T::FixedChar:
        case T::WideString:
        case T::SmallInt:
        case T::Integer:
        case T::Boolean:
        case T::Float:
        case T::Currency:
        case T::Date:
        case T::Time:
        case T::DateTime:
        case T::AutoInc:
            return true;
        default:
            return false;
    }
}

bool TotalledType(db::FieldType t) {
    using T = db::FieldType;
    return t == T::SmallInt || t == T::Integer || t == T::Float || t == T::Currency;
}

// A cell as the filter list and the menu show it.
std::string ValueText(const db::Field& f) {
    if (f.DataType() == db::FieldType::DateTime && !f.IsNull())
        return os::DateToText(f.AsDateTime()) + " " + os::TimeToText(f.AsDateTime());
    return f.AsString();
}

}  // namespace

TfrmTblSearch::TfrmTblSearch(QWidget* parent)
    : PickListDialog(parent),
      Table1(std::make_unique<db::Table>()),
      Query1(std::make_unique<db::Query>()),
      wheelFilter_(std::make_unique<WheelToKeys>()) {
    setObjectName("frmTblSearch");
    setWindowFlags(Qt::Dialog | Qt::WindowCloseButtonHint | Qt::WindowMaximizeButtonHint);
    Table1->Name = "Table1";
    Table1->ReadOnly = true;
    Query1->Name = "Query1";

    QGridLayout* layout = ui::PageGrid(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    MainMenu1 = new QMenuBar(this);
    MainMenu1->setObjectName("MainMenu1");
    MNU_Kuldes = MainMenu1->addMenu(QString());
    MNU_Kuldes->setObjectName("MNU_Kuldes");
    MNU_Kuldes_Nyomtatora = MNU_Kuldes->addAction(QString());
    MNU_Kuldes_Nyomtatora->setObjectName("MNU_Kuldes_Nyomtatora");
    MNU_Kuldes_Nyomtatora->setVisible(false);
    MNU_Kuldes_Fajlba = MNU_Kuldes->addAction(QString());
    MNU_Kuldes_Fajlba->setObjectName("MNU_Kuldes_Fajlba");
    connect(MNU_Kuldes_Fajlba, &QAction::triggered, this, &TfrmTblSearch::MNU_Kuldes_FajlbaClick);
    MNU_Sugo = MainMenu1->addMenu(QString());
    MNU_Sugo->setObjectName("MNU_Sugo");
    MNU_Sugo_Sugo = MNU_Sugo->addAction(QString());
    MNU_Sugo_Sugo->setObjectName("MNU_Sugo_Sugo");
    connect(MNU_Sugo_Sugo, &QAction::triggered, this, &TfrmTblSearch::MNU_Sugo_SugoClick);
    MNU_Sugo->addSeparator();
    MNU_Sugo_Nevjegy = MNU_Sugo->addAction(QString());
    MNU_Sugo_Nevjegy->setObjectName("MNU_Sugo_Nevjegy");
    connect(MNU_Sugo_Nevjegy, &QAction::triggered, this, &TfrmTblSearch::MNU_Sugo_NevjegyClick);
    layout->setMenuBar(MainMenu1);

    ui::ControlBuilder b;
    b.Build(*this, this, kWindow);
    b.Build(*this, Splitter1, kSplitter);
    b.Build(*this, this, kBottom);
    b.Build(*this, StatusBar1, kStatus);
    layout->setRowStretch(1, 1);

    QGridLayout* top = ui::PageGrid(Panel1);
    top->setContentsMargins(0, 0, 0, 0);
    top->addWidget(Edit1, 0, 0);
    Edit1->setEnabled(true);
    Edit1->setMaxLength(255);
    Edit1->installEventFilter(this);
    connect(Edit1, &QLineEdit::returnPressed, this, [this] {
        try {
            Search(Edit1->text());
        } catch (const std::exception&) {
        }
    });

    Splitter1->insertWidget(0, DBGrid1);
    DBGrid1->setSelectionBehavior(QAbstractItemView::SelectItems);
    // Columns have the caller's pixel widths: a longer text is cut at the
    // edge, not shortened with an ellipsis that hides its end.
    DBGrid1->setTextElideMode(Qt::ElideNone);
    DBGrid1->horizontalHeader()->setSectionsMovable(true);
    DBGrid1->setContextMenuPolicy(Qt::CustomContextMenu);
    Splitter1->setStretchFactor(0, 1);
    Splitter1->setStretchFactor(1, 0);

    ui::PageGrid(StatusBar1)->setContentsMargins(2, 1, 2, 1);
    ui::PageGrid(StatusBar1)->setColumnStretch(2, 1);
    for (int i = 0; i < 3; ++i) {
        StatusPanel[i] = StatusBar1->findChild<QLabel*>(QStringLiteral("StatusPanel%1").arg(i));
        StatusPanel[i]->setFrameShape(QFrame::Panel);
        StatusPanel[i]->setFrameShadow(QFrame::Sunken);
    }
    StatusPanel[0]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    StatusPanel[0]->setMinimumWidth(90);
    StatusPanel[1]->setMinimumWidth(70);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName("PopupMenu1");
    auto item = [this](const char* name, bool checkable = false) {
        QAction* a = PopupMenu1->addAction(QString());
        a->setObjectName(name);
        a->setCheckable(checkable);
        connect(a, &QAction::triggered, this, [this, a] { PopupGridClick(a); });
        return a;
    };
    PopupGrid_Nagyobb = item("PopupGrid_Nagyobb");
    PopupGrid_NagyobbEgyenlo = item("PopupGrid_NagyobbEgyenlo");
    PopupGrid_Egyenlo = item("PopupGrid_Egyenlo");
    PopupGrid_KisebbEgyenlo = item("PopupGrid_KisebbEgyenlo");
    PopupGrid_Kisebb = item("PopupGrid_Kisebb");
    PopupGrid_NemEgyenlo = item("PopupGrid_NemEgyenlo");
    PopupGrid_EgyenloUres = item("PopupGrid_EgyenloUres");
    PopupGrid_NemEgyenloUres = item("PopupGrid_NemEgyenloUres");
    PopupMenu1->addSeparator();
    PopupGrid_SzuroFelt = item("PopupGrid_SzuroFelt", true);
    PopupGrid_Osszeg = item("PopupGrid_Osszeg", true);
    auto* radio = new QActionGroup(this);
    radio->addAction(PopupGrid_SzuroFelt);
    radio->addAction(PopupGrid_Osszeg);
    PopupGrid_SzuroFelt->setChecked(true);
    PopupMenu1->addSeparator();
    PopupGrid_SzuroFeltTorles = item("PopupGrid_SzuroFeltTorles");
    PopupMenu1->addSeparator();
    PopupGrid_OsszegSzam = item("PopupGrid_OsszegSzam");
    PopupGrid_OsszegTorles = item("PopupGrid_OsszegTorles");
    PopupMenu1->addSeparator();
    PopupGrid_TeljesSorKijelol = item("PopupGrid_TeljesSorKijelol", true);
    connect(DBGrid1, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        PopupMenu1Popup();
        PopupMenu1->popup(DBGrid1->viewport()->mapToGlobal(pos));
    });

    PopupMenu2 = new QMenu(this);
    PopupMenu2->setObjectName("PopupMenu2");
    PopupTitle_Elore = PopupMenu2->addAction(QString());
    PopupTitle_Elore->setObjectName("PopupTitle_Elore");
    connect(PopupTitle_Elore, &QAction::triggered, this, &TfrmTblSearch::PopupTitle_EloreClick);

    QHeaderView* header = DBGrid1->horizontalHeader();
    connect(header, &QHeaderView::sectionMoved, this, [this] {
        dragged_ = true;
        DBGrid1ColumnMoved();
    });
    connect(header, &QHeaderView::sectionClicked, this, [this](int column) {
        if (dragged_) {
            dragged_ = false;
            return;
        }
        TitleClick(column);
        PopupMenu2->popup(QCursor::pos());
    });
    connect(DBGrid1, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        if (!index.isValid()) return;
        model_->GotoRow(index.row());
        Choose();
    });
    connect(model_.get(), &ui::DatasetGridModel::CurrentRowChanged, this, &TfrmTblSearch::UpdatePosition);

    model_->SetDataSet(Query1.get());
    qApp->installEventFilter(wheelFilter_.get());
    resize(kMinimumWidth, 400);
    Splitter1->setSizes({400, kSplitterMinimum});
}

TfrmTblSearch::~TfrmTblSearch() {
    qApp->removeEventFilter(wheelFilter_.get());
    disconnect(model_.get(), nullptr, this, nullptr);
    model_->SetDataSet(nullptr);
    Query1->Close();
    Table1->Close();
}

QString TfrmTblSearch::Caption(const char* key) const { return TblSearchCaption(key, language_); }

void TfrmTblSearch::NyelvBeallit(QChar language) {
    language_ = language;
    setWindowTitle(Caption("Title") + " " + "v.: 3.39");
    MNU_Kuldes->setTitle(Caption("Send"));
    MNU_Kuldes_Fajlba->setText(Caption("SendToFile"));
    MNU_Kuldes_Nyomtatora->setText(Caption("SendToPrinter"));
    MNU_Sugo->setTitle(Caption("Help"));
    MNU_Sugo_Sugo->setText(Caption("Title") + " " + MNU_Sugo->title());
    MNU_Sugo_Nevjegy->setText(Caption("About"));
    PopupTitle_Elore->setText(Caption("Fwd"));
    PopupGrid_EgyenloUres->setText("= " + Caption("Null"));
    PopupGrid_NemEgyenloUres->setText("<> " + Caption("Null"));
    PopupGrid_SzuroFelt->setText(Caption("FilterCondition"));
    PopupGrid_SzuroFeltTorles->setText(Caption("FilterDelete"));
    PopupGrid_Osszeg->setText(Caption("Total"));
    PopupGrid_OsszegSzam->setText(Caption("TotalCalculation"));
    PopupGrid_OsszegTorles->setText(Caption("TotalDelete"));
    PopupGrid_TeljesSorKijelol->setText(Caption("CompleteRow"));
}

void TfrmTblSearch::HideAbout() { MNU_Sugo_Nevjegy->setVisible(false); }

void TfrmTblSearch::TablaMegnyit(const std::string& databaseName, const std::string& tableName) {
    Table1->Close();
    Table1->DatabaseName = databaseName;
    Table1->TableName = tableName;
    Table1->Open();
    Query1->DatabaseName = databaseName;
    sqlTable_ = SqlTableName(tableName);
}

int TfrmTblSearch::DisplayWidth(const db::Field& f) const {
    using T = db::FieldType;
    switch (f.DataType()) {
        case T::SmallInt:
            return 6;
        case T::Integer:
        case T::AutoInc:
            return 11;
        case T::Boolean:
            return 5;
        case T::Date:
            return 10;
        case T::Time:
            return 8;
        case T::DateTime:
            return 19;
        case T::Float:
        case T::Currency:
            return 10;
        default:
            return f.Size() > 0 ? f.Size() : 10;
    }
}

void TfrmTblSearch::OszlopokBeallit(const std::vector<std::string>& names, const std::vector<int>& widths,
                                    const std::vector<std::string>& titles) {
    std::vector<std::string> listed = names;
    std::vector<int> w = widths;
    if (listed.empty()) {
        for (int i = 0; i < Table1->FieldCount(); ++i) {
            listed.push_back(Table1->Fields(i).FieldName());
            w.push_back(DisplayWidth(Table1->Fields(i)) * 7 + 7);
        }
    }
    for (size_t i = 0; i < titles.size() && i < listed.size(); ++i)
        Table1->FieldByName(listed[i]).DisplayLabel = titles[i];
    TableTagBeallit(listed, w);
    fields_.clear();
    for (size_t i = 0; i < listed.size(); ++i)
        if (w[i] >= 0) fields_.push_back(Table1->FieldByName(listed[i]).FieldName());
}

void TfrmTblSearch::TableTagBeallit(const std::vector<std::string>& names, const std::vector<int>& widths) {
    tags_.assign(Table1->FieldCount(), -1);
    QFont bold = DBGrid1->horizontalHeader()->font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    for (size_t i = 0; i < names.size(); ++i) {
        const db::Field& f = Table1->FieldByName(names[i]);
        int tag = widths[i] == 1 ? DisplayWidth(f) * 7 + 7 : widths[i];
        if (tag > 0)
            tag = std::max(tag, metrics.horizontalAdvance(QString::fromStdString(f.DisplayName())) + 4);
        tags_[f.Index()] = tag;
    }
}

int TfrmTblSearch::Tag(const std::string& field) const {
    const db::Field* f = Table1->FindField(field);
    return f && f->Index() < static_cast<int>(tags_.size()) ? tags_[f->Index()] : -1;
}

void TfrmTblSearch::MezoTipusEllenoriz() {
    for (const std::string& name : fields_)
        if (!ListableType(Table1->FieldByName(name).DataType()))
            throw TblSearchError("Type of field not supported. (002)");
}

void TfrmTblSearch::KezdetiSQLosszeallit(const std::string& where) {
    lines_.clear();
    params_ = 0;
    lines_.push_back("Select " + Join(fields_, ",") + " From " + sqlTable_ + " ");
    hasWhere_ = !QString::fromStdString(where).trimmed().isEmpty();
    if (hasWhere_) lines_.push_back(where);
    std::vector<std::string> positions;
    for (size_t i = 1; i <= fields_.size(); ++i) positions.push_back(std::to_string(i));
    lines_.push_back("Order By " + Join(positions, ","));
}

void TfrmTblSearch::SzelessegBeallit() {
    int client = 35;
    for (int tag : tags_)
        if (tag > 0) client += tag + 1;
    int w = std::max(client, kMinimumWidth);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        w = std::min(w, screen->availableGeometry().width());
    resize(w, height());
}

void TfrmTblSearch::QueryNyit() { Reopen(); }

void TfrmTblSearch::Reopen() {
    model_->SetDataSet(nullptr);
    Query1->Close();
    Query1->SetSQL(Join(lines_, "\n"));
    Query1->Open();
    OszlopBeallit();
}

void TfrmTblSearch::OszlopBeallit() {
    std::vector<ui::DatasetGridModel::Column> columns;
    for (size_t i = 0; i < fields_.size(); ++i) {
        const db::Field& f = Table1->FieldByName(fields_[i]);
        columns.push_back(
            {fields_[i], QString::fromStdString(f.DisplayName()), std::max(Tag(fields_[i]), 0), i == 0});
    }
    model_->SetColumns(std::move(columns));
    model_->SetDataSet(Query1.get());
    for (size_t i = 0; i < fields_.size(); ++i) {
        const int tag = Tag(fields_[i]);
        DBGrid1->setColumnHidden(static_cast<int>(i), tag <= 0);
        if (tag > 0) DBGrid1->setColumnWidth(static_cast<int>(i), tag);
    }
    Timer1->stop();
    Edit1->clear();
    UpdatePosition();
}

void TfrmTblSearch::UpdatePosition() {
    const int row = model_->CurrentRow();
    const int count = model_->rowCount();
    StatusPanel[0]->setText(count == 0 ? QStringLiteral("0/0")
                                       : QStringLiteral("%1 / %2").arg(row + 1).arg(count));
    FollowDataset(row);
}

QString TfrmTblSearch::StatusText(int panel) const {
    return panel >= 0 && panel < 3 ? StatusPanel[panel]->text() : QString();
}

void TfrmTblSearch::MegkeresQueryben() {
    if (!Query1->Active() || Query1->IsEmpty() || Table1->IsEmpty()) return;
    std::vector<db::Variant> values;
    for (const std::string& name : fields_) values.push_back(Table1->FieldByName(name).Value());
    Query1->Locate(Join(fields_, ";"), values);
}

bool TfrmTblSearch::MegkeresTableban() {
    if (!Query1->Active() || Query1->IsEmpty()) return false;
    std::vector<db::Variant> values;
    for (const std::string& name : fields_) values.push_back(Query1->FieldByName(name).Value());
    return Table1->Locate(Join(fields_, ";"), values);
}

// --- Type-ahead ----------------------------------------------------------------

void TfrmTblSearch::Search(const QString& text) {
    if (fields_.empty() || !Query1->Active()) return;
    Query1->Locate(fields_.front(), db::Variant(text.toStdString()), {true, true});
}

void TfrmTblSearch::TypeAhead(QChar c) {
    const QString previous = Edit1->text();
    const QString text = TypedText(previous, c);
    Edit1->setText(text);
    if (text.isEmpty()) {
        Timer1->stop();
        return;
    }
    const bool textColumn = !fields_.empty() && Query1->Active() &&
                            db::IsTextType(Query1->FieldByName(fields_.front()).DataType());
    try {
        if (fields_.empty() || !Query1->Active()) return;
        // A character no row continues with is not taken on a text column.
        if (!Query1->Locate(fields_.front(), db::Variant(text.toStdString()), {true, true}) && textColumn)
            Edit1->setText(previous);
    } catch (const db::DatabaseError&) {
        // Letters against a number column: the text stays.
        if (textColumn) Edit1->setText(previous);
    } catch (const std::exception&) {
        Edit1->setText(previous);
    }
    RestartTimer();
}

void TfrmTblSearch::showEvent(QShowEvent* event) {
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    DBGrid1->setFocus();
    PickListDialog::showEvent(event);
}

bool TfrmTblSearch::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        if (watched == Edit1) {
            Timer1->stop();
            Edit1->clear();
        } else if (watched == DBGrid1) {
            Edit1->clear();
        }
    }
    return PickListDialog::eventFilter(watched, event);
}

// --- Popup commands --------------------------------------------------------------

void TfrmTblSearch::PopupMenu1Popup() {
    QString value;
    bool empty = true;
    if (!fields_.empty() && Query1->Active() && !Query1->IsEmpty()) {
        const db::Field& f = Query1->FieldByName(fields_.front());
        value = QString::fromStdString(ValueText(f));
        empty = f.IsNull();
    }
    const std::pair<QAction*, const char*> comparisons[] = {
        {PopupGrid_Nagyobb, "> "},        {PopupGrid_NagyobbEgyenlo, ">= "}, {PopupGrid_Egyenlo, "= "},
        {PopupGrid_KisebbEgyenlo, "<= "}, {PopupGrid_Kisebb, "< "},          {PopupGrid_NemEgyenlo, "<> "},
    };
    for (auto [action, op] : comparisons) {
        action->setText(op + value);
        action->setEnabled(!empty);
    }
}

void TfrmTblSearch::PopupGridClick(QAction* item) {
    const QString name = item->objectName();
    const std::vector<std::string> lines = lines_;
    const int params = params_;
    try {
        if (name == "PopupGrid_Nagyobb")
            AddFilter(">", true);
        else if (name == "PopupGrid_NagyobbEgyenlo")
            AddFilter(">=", true);
        else if (name == "PopupGrid_Egyenlo")
            AddFilter("=", true);
        else if (name == "PopupGrid_KisebbEgyenlo")
            AddFilter("<=", true);
        else if (name == "PopupGrid_Kisebb")
            AddFilter("<", true);
        else if (name == "PopupGrid_NemEgyenlo")
            AddFilter("<>", true);
        else if (name == "PopupGrid_EgyenloUres")
            AddFilter(" Is Null", false);
        else if (name == "PopupGrid_NemEgyenloUres")
            AddFilter(" Is Not Null", false);
        else if (name == "PopupGrid_SzuroFeltTorles")
            DeleteFilters();
        else if (name == "PopupGrid_OsszegSzam")
            CalculateTotals();
        else if (name == "PopupGrid_OsszegTorles")
            ListBox2->clear();
        else if (name == "PopupGrid_TeljesSorKijelol")
            DBGrid1->setSelectionBehavior(PopupGrid_TeljesSorKijelol->isChecked()
                                              ? QAbstractItemView::SelectRows
                                              : QAbstractItemView::SelectItems);
        ShowBottomList();
    } catch (...) {
        // A rejected filter leaves the list as it was before it, not closed.
        const std::exception_ptr error = std::current_exception();
        if (lines_ != lines) {
            lines_ = lines;
            params_ = params;
            try {
                Reopen();
            } catch (...) {
            }
        }
        db::HandleApplicationException(error);
    }
}

void TfrmTblSearch::AddFilter(const std::string& op, bool withParam) {
    if (fields_.empty() || !Query1->Active()) return;
    const db::Field& first = Query1->FieldByName(fields_.front());
    const db::Variant value = first.Value();
    const db::FieldType type = first.DataType();
    const std::string label = Table1->FieldByName(fields_.front()).DisplayName();
    std::string listLine;
    if (withParam) {
        listLine = label + " " + op + " " + ValueText(first);
    } else {
        listLine = label + (op == " Is Null" ? " = " : " <> ") + Caption("Null").toStdString();
    }
    std::string condition = (lines_.size() == 2 ? "Where " : "And ") + fields_.front() + op;
    const std::string param = "Param" + std::to_string(params_);
    if (withParam) condition += ":" + param;

    ui::Hourglass hourglass;
    model_->SetDataSet(nullptr);
    Query1->Close();
    lines_.insert(lines_.end() - 1, condition);
    Query1->SetSQL(Join(lines_, "\n"));
    if (withParam) {
        db::Param& p = Query1->ParamByName(param);
        ++params_;
        if (type == db::FieldType::Date)
            p.SetAsDate(value.ToDouble());
        else if (db::IsDateType(type))
            p.SetAsDateTime(value.ToDouble());
        else if (db::IsIntegerType(type))
            p.SetAsInteger(value.ToInt());
        else if (type == db::FieldType::Float || type == db::FieldType::Currency ||
                 type == db::FieldType::BCD)
            p.SetAsFloat(value.ToDouble());
        else if (type == db::FieldType::Boolean)
            p.SetAsBoolean(value.ToBool());
        else
            p.SetAsString(value.ToString());
    }
    Query1->Open();
    OszlopBeallit();
    StatusPanel[1]->setText(Caption("Filtered"));
    ListBox1->addItem(QString::fromStdString(listLine));
    ListBox1->setCurrentRow(ListBox1->count() - 1);
}

void TfrmTblSearch::DeleteFilters() {
    ui::Hourglass hourglass;
    std::vector<std::string> kept{lines_.front()};
    if (hasWhere_) kept.push_back(lines_[1]);
    kept.push_back(lines_.back());
    lines_ = kept;
    params_ = 0;
    Reopen();
    StatusPanel[1]->clear();
    ListBox1->clear();
}

void TfrmTblSearch::CalculateTotals() {
    std::vector<std::pair<std::string, double>> totals;  // field, sum
    for (const std::string& name : fields_)
        if (TotalledType(Table1->FieldByName(name).DataType())) totals.emplace_back(name, 0.0);
    {
        ui::Hourglass hourglass;
        const db::Bookmark here = Query1->GetBookmark();
        db::ControlsOff off(*Query1);
        std::vector<db::Field*> fields;
        for (auto& t : totals) fields.push_back(&Query1->FieldByName(t.first));
        for (Query1->First(); !Query1->Eof(); Query1->Next())
            for (size_t i = 0; i < totals.size(); ++i) totals[i].second += fields[i]->AsFloat();
        if (here) Query1->GotoBookmark(here);
    }
    const double now = os::Now();
    ListBox2->addItem(QString::fromStdString(os::DateToText(now) + " " + os::TimeToText(now)));
    const int dateLine = ListBox2->count() - 1;
    ListBox2->addItem(Caption("FilterCondition"));
    for (int i = 0; i < ListBox1->count(); ++i) ListBox2->addItem(ListBox1->item(i)->text());
    ListBox2->addItem(Caption("Total"));
    int current = dateLine;
    for (const auto& [name, sum] : totals) {
        if (name == fields_.front()) current = ListBox2->count();
        ListBox2->addItem(QString::fromStdString(Table1->FieldByName(name).DisplayName()) + " " +
                          Caption("CellsTotal") + ": " + FormatFloat("#,##0.00", sum, u',', u' '));
    }
    ListBox2->addItem(QString());
    ListBox2->setCurrentRow(current);
}

void TfrmTblSearch::ShowBottomList() {
    const QListWidget* source = PopupGrid_SzuroFelt->isChecked() ? ListBox1 : ListBox2;
    ListBox3->clear();
    for (int i = 0; i < source->count(); ++i) ListBox3->addItem(source->item(i)->text());
    ListBox3->setCurrentRow(source->currentRow());
    QList<int> sizes = Splitter1->sizes();
    if (sizes.size() == 2 && sizes[1] == 0) {
        const int total = sizes[0] + sizes[1];
        Splitter1->setSizes({std::max(total - kSplitterMinimum, 0), kSplitterMinimum});
    }
}

// --- Column order --------------------------------------------------------------

void TfrmTblSearch::RebuildSelect(const std::vector<std::string>& order) {
    ui::Hourglass hourglass;
    fields_ = order;
    lines_.front() = "Select " + Join(fields_, ",") + " From " + sqlTable_ + " ";
    Reopen();
}

void TfrmTblSearch::DBGrid1ColumnMoved() {
    // The grid's visual order becomes the statement's column order; the
    // header goes back to showing the model's order.
    QHeaderView* header = DBGrid1->horizontalHeader();
    std::vector<std::string> order(fields_.size());
    for (int i = 0; i < static_cast<int>(fields_.size()); ++i) order[header->visualIndex(i)] = fields_[i];
    {
        QSignalBlocker block(header);
        for (int v = 0; v < header->count(); ++v) header->moveSection(header->visualIndex(v), v);
    }
    RebuildSelect(order);
}

void TfrmTblSearch::TitleClick(int column) {
    titleColumn_ = column;
    PopupTitle_Elore->setEnabled(column > 0);
}

void TfrmTblSearch::PopupTitle_EloreClick() {
    if (titleColumn_ <= 0 || titleColumn_ >= static_cast<int>(fields_.size())) return;
    std::vector<std::string> order = fields_;
    std::rotate(order.begin(), order.begin() + titleColumn_, order.begin() + titleColumn_ + 1);
    RebuildSelect(order);
}

// --- Menus ---------------------------------------------------------------------

void TfrmTblSearch::ErrorBox(const char* code, const QString& error) {
    ui::MessageBox(ui::ApplicationTitle(), Caption("ErrorUniversal") + " (" + code + ") :\r" + error,
                   ui::Icon::Error, ui::Ok);
}

void TfrmTblSearch::MNU_Sugo_SugoClick() {
    try {
        TfrmTblSearchHelp help(language_, this);
        ui::ShowModal(help);
    } catch (const std::exception& e) {
        ErrorBox("004", QString::fromStdString(e.what()));
    }
}

void TfrmTblSearch::MNU_Sugo_NevjegyClick() {
    try {
        TfrmTblSearchAbout about(language_, this);
        ui::ShowModal(about);
    } catch (const std::exception& e) {
        ErrorBox("005", QString::fromStdString(e.what()));
    }
}

// --- Export --------------------------------------------------------------------

QString DialogFilter(const QString& pairs) {
    const QStringList parts = pairs.split('|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& description = parts[i];
        const QString& pattern = parts[i + 1];
        filters << (description.contains("(" + pattern + ")", Qt::CaseInsensitive)
                        ? description
                        : description + " (" + pattern + ")");
    }
    return filters.join(";;");
}

QString WorkbookFileName(const QString& chosen) {
    const QFileInfo info(chosen);
    const QString name = info.fileName();
    const qsizetype dot = name.lastIndexOf('.');
    const QString base = dot > 0 ? name.left(dot) : name;
    const QString folder = chosen.left(chosen.size() - name.size());
    return folder + base + ".xlsx";
}

void TfrmTblSearch::MNU_Kuldes_FajlbaClick() {
    const double now = os::Now();
    int h = 0, n = 0, s = 0, ms = 0;
    os::DecodeTime(now, h, n, s, ms);
    const os::YMD d = os::DecodeDate(now);
    const QString stamp = QString::asprintf("%04d-%02d-%02d_%02d-%02d-%02d", d.year, d.month, d.day, h, n, s);
    const QString start =
        QString::fromStdString(os::BaseFolder()) + "/" + Caption("XLSfileName") + "_" + stamp;
    const QString chosen = ui::SaveFileName(Caption("SaveDlgTitle"), start, DialogFilter(Caption("XLSfiles")),
                                            ui::DontConfirmOverwrite);
    if (chosen.isEmpty()) return;
    const QString path = WorkbookFileName(chosen);
    QString error;
    {
        ui::Hourglass hourglass;
        try {
            WorkbookContent content;
            content.created = now;
            content.filterCaption = Caption("FilterCondition").toStdString();
            content.totalsCaption = Caption("Total").toStdString();
            std::vector<db::Field*> fields;
            for (const std::string& name : fields_) {
                const db::Field& f = Table1->FieldByName(name);
                const std::string title = f.DisplayName();
                content.columns.push_back(
                    {title, f.DataType(),
                     std::max(QString::fromStdString(title).size() * 1.3, double(DisplayWidth(f)))});
                fields.push_back(&Query1->FieldByName(name));
            }
            {
                db::ControlsOff off(*Query1);
                for (Query1->First(); !Query1->Eof(); Query1->Next()) {
                    std::vector<db::Variant> row;
                    row.reserve(fields.size());
                    for (const db::Field* f : fields) row.push_back(f->Value());
                    content.rows.push_back(std::move(row));
                }
            }
            for (int i = 0; i < ListBox1->count(); ++i)
                content.filterLines.push_back(ListBox1->item(i)->text().toStdString());
            for (int i = 0; i < ListBox2->count(); ++i)
                content.totalLines.push_back(ListBox2->item(i)->text().toStdString());
            WriteWorkbook(path.toStdString(), content);
        } catch (const std::exception& e) {
            error = QString::fromStdString(e.what());
        }
        if (Query1->Active()) Query1->First();
    }
    if (!error.isNull()) {
        ErrorBox("006", error);
        return;
    }
    ui::MessageBox(ui::ApplicationTitle(), Caption("SendCompleted"), ui::Icon::Information, ui::Ok);
}
