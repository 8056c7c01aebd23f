#include "core/KivalasztSQL.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QScreen>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "core/FormTables.h"
#include "core/helpers/SegedUnit.h"
#include "platform/ui/DatasetGridModel.h"

TKivalasztSQLForm* KivalasztSQLForm = nullptr;

namespace {

std::string JoinLines(const std::vector<std::string>& lines, const char* separator) {
    std::string out;
    for (const std::string& l : lines) out += (out.empty() ? "" : separator) + l;
    return out;
}

std::string ParamName(size_t i) { return "Szuro" + std::to_string(i + 1); }

}  // namespace

TKivalasztSQLForm::TKivalasztSQLForm(QWidget* parent)
    : PickListDialog(parent), QueryKivalaszt(std::make_unique<db::Query>()) {
    setObjectName("KivalasztSQLForm");
    setWindowTitle(QStringLiteral("Kiválasztás"));
    setWindowFlags(Qt::Dialog | Qt::WindowCloseButtonHint | Qt::WindowMaximizeButtonHint);
    QueryKivalaszt->Name = "QueryKivalaszt";

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    Panel1 = new QWidget(this);
    Panel1->setObjectName("Panel1");
    auto* top = new QVBoxLayout(Panel1);
    top->setContentsMargins(2, 2, 2, 2);
    top->addWidget(Edit1);

    Panel2 = new QWidget(this);
    Panel2->setObjectName("Panel2");
    auto* middle = new QVBoxLayout(Panel2);
    middle->setContentsMargins(2, 0, 2, 2);
    DBGrid1->horizontalHeader()->setSectionsMovable(true);
    DBGrid1->setContextMenuPolicy(Qt::CustomContextMenu);
    middle->addWidget(DBGrid1);

    Panel3 = new QWidget(this);
    Panel3->setObjectName("Panel3");
    auto* bottom = new QVBoxLayout(Panel3);
    bottom->setContentsMargins(2, 0, 2, 2);
    ListBox1 = new QListWidget(Panel3);
    ListBox1->setObjectName("ListBox1");
    ListBox1->setMaximumHeight(80);
    bottom->addWidget(ListBox1);
    Panel3->hide();

    layout->addWidget(Panel1);
    layout->addWidget(Panel2, 1);
    layout->addWidget(Panel3);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName("PopupMenu1");
    auto item = [this](const char* name, const char* caption, bool checkable,
                       void (TKivalasztSQLForm::*slot)()) {
        QAction* a = PopupMenu1->addAction(QString::fromUtf8(caption));
        a->setObjectName(name);
        a->setCheckable(checkable);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    PopupTol = item("PopupTol", "-tól (Szűrés)", false, &TKivalasztSQLForm::PopupTolClick);
    PopupIg = item("PopupIg", "-ig (Szűrés)", false, &TKivalasztSQLForm::PopupIgClick);
    PopupMenu1->addSeparator();
    PopupTorles = item("PopupTorles", "Szűrés törlése", false, &TKivalasztSQLForm::PopupTorlesClick);
    PopupMenu1->addSeparator();
    PopupSzuroFeltetelek =
        item("PopupSzuroFeltetelek", "Szűrő feltételek", true, &TKivalasztSQLForm::PopupSzuroFeltetelekClick);
    PopupMenu1->addSeparator();
    PopupTeljesTartalom =
        item("PopupTeljesTartalom", "Teljes tartalom", true, &TKivalasztSQLForm::PopupTeljesTartalomClick);
    connect(DBGrid1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { PopupMenu1->popup(DBGrid1->viewport()->mapToGlobal(pos)); });

    connect(DBGrid1->horizontalHeader(), &QHeaderView::sectionClicked, this, &TKivalasztSQLForm::TitleClick);
    connect(DBGrid1->horizontalHeader(), &QHeaderView::sectionMoved, this, [this] {
        // The grid's visual order becomes the statement's column order; the
        // header goes back to showing the model's order.
        QHeaderView* header = DBGrid1->horizontalHeader();
        std::vector<std::string> order(columns_.size());
        for (int i = 0; i < static_cast<int>(columns_.size()); ++i)
            order[header->visualIndex(i)] = columns_[i];
        {
            QSignalBlocker block(header);
            for (int v = 0; v < header->count(); ++v) header->moveSection(header->visualIndex(v), v);
        }
        columns_ = order;
        SelectLine();
        Reopen();
        TablaRaall();
    });
    connect(DBGrid1, &QTableView::clicked, this, [this](const QModelIndex& index) {
        if (!index.isValid()) return;
        model_->GotoRow(index.row());
        TablaRaall();
    });
    connect(DBGrid1, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        if (!index.isValid()) return;
        model_->GotoRow(index.row());
        Choose();
    });
    resize(Px(146), Px(343));
}

TKivalasztSQLForm::~TKivalasztSQLForm() {
    model_->SetDataSet(nullptr);  // before the query goes
    if (KivalasztSQLForm == this) KivalasztSQLForm = nullptr;
}

void TKivalasztSQLForm::KivalasztSQLBeallit(
    db::Table& table, const std::vector<db::Field*>& fields, const std::vector<int>& widths,
    const std::string& condition, int positionFlag,
    std::vector<std::pair<std::string, db::Variant>> conditionValues) {
    table_ = &table;
    conditionValues_ = std::move(conditionValues);
    bookmark_ = table.GetBookmark();
    model_->SetDataSet(nullptr);
    QueryKivalaszt->Close();
    QueryKivalaszt->DatabaseName = table.DatabaseName;

    columns_.clear();
    widths_.clear();
    int formWidth = 0;
    for (size_t i = 0; i < fields.size(); ++i) {
        const int width = i < widths.size() ? widths[i] : 0;
        columns_.push_back(fields[i]->FieldName());
        widths_.emplace_back(fields[i]->FieldName(), width == 0 ? -1 : width);
        formWidth += width + 1;
    }
    filters_.clear();
    lines_.clear();
    lines_.push_back("");
    hasCondition_ = !QString::fromStdString(condition).trimmed().isEmpty();
    if (hasCondition_) lines_.push_back(condition);
    std::vector<std::string> order;
    for (size_t i = 1; i <= fields.size(); ++i) order.push_back(std::to_string(i));
    lines_.push_back("Order By " + JoinLines(order, ", "));
    SelectLine();
    Reopen();

    if (positionFlag == 1 && !table.IsEmpty()) {
        std::vector<db::Variant> values;
        for (db::Field* f : fields) values.push_back(f->Value());
        if (!QueryKivalaszt->Locate(JoinLines(columns_, "; "), values)) QueryKivalaszt->First();
    }

    const QRect work = QGuiApplication::primaryScreen()
                           ? QGuiApplication::primaryScreen()->availableGeometry()
                           : QRect(0, 0, 1024, 768);
    resize(std::min(Px(std::max(formWidth + 42, 146)), work.width()), height());
    FitRows(std::min(Px(400), work.height() * 4 / 5));
    TablaRaall();
}

void TKivalasztSQLForm::SelectLine() {
    lines_[0] = "Select " + JoinLines(columns_, ", ") + " From " + db::SqlName(table_->TableName);
}

void TKivalasztSQLForm::Reopen() {
    QueryKivalaszt->Close();
    QueryKivalaszt->SetSQL(JoinLines(lines_, "\n"));
    for (const auto& [name, value] : conditionValues_) {
        db::Param& p = QueryKivalaszt->ParamByName(name);
        if (value.kind() == db::Variant::Kind::Int)
            p.SetAsInteger(value.ToInt());
        else
            p.SetAsString(value.ToString());
    }
    for (size_t i = 0; i < filters_.size(); ++i) {
        db::Param& p = QueryKivalaszt->ParamByName(ParamName(i));
        const Filter& f = filters_[i];
        if (db::IsDateType(f.type)) {
            p.SetAsDate(f.value.ToDouble());
        } else if (db::IsIntegerType(f.type)) {
            p.SetAsInteger(f.value.ToInt());
        } else if (f.value.kind() == db::Variant::Kind::Float || f.value.kind() == db::Variant::Kind::Int) {
            p.SetAsFloat(f.value.ToDouble());
        } else {
            p.SetAsString(f.value.ToString());
        }
    }
    QueryKivalaszt->Open();
    OszlopFejlecek();
    model_->SetDataSet(QueryKivalaszt.get());
    FollowDataset(model_->CurrentRow());
}

void TKivalasztSQLForm::OszlopFejlecek() {
    std::vector<ui::DatasetGridModel::Column> columns;
    for (size_t i = 0; i < columns_.size(); ++i) {
        columns.push_back(
            {columns_[i], QString::fromStdString(LayoutTitle(*table_, columns_[i])), 64, i == 0});
    }
    model_->SetColumns(std::move(columns));
    for (size_t i = 0; i < columns_.size(); ++i) {
        auto it = std::find_if(widths_.begin(), widths_.end(),
                               [&](const auto& w) { return w.first == columns_[i]; });
        const int width = it == widths_.end() ? 64 : it->second;
        DBGrid1->setColumnHidden(static_cast<int>(i), width < 0);
        if (width >= 0) DBGrid1->setColumnWidth(static_cast<int>(i), Px(width));
    }
}

void TKivalasztSQLForm::showEvent(QShowEvent* event) {
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect work = screen->availableGeometry();
        move(static_cast<int>(Kerekit(work.width() / 2.0 - width() / 2.0)),
             static_cast<int>(Kerekit(work.height() / 2.0 - height() / 2.0)));
    }
    ResetOnShow();
    Panel3->hide();
    PopupSzuroFeltetelek->setChecked(false);
    PopupTeljesTartalom->setChecked(false);
    DBGrid1->setToolTip(QString());
    ListBox1->clear();
    QDialog::showEvent(event);
}

void TKivalasztSQLForm::TablaRaall() {
    if (!table_ || !table_->Active()) return;
    db::Query& q = *QueryKivalaszt;
    if (q.Active() && !q.IsEmpty()) {
        std::vector<db::Variant> key;
        for (const std::string& name : db::Dataset::SplitFieldNames(table_->KeyFieldNames())) {
            db::Field* f = q.FindField(name);
            key.push_back(f ? f->Value() : db::Variant());
        }
        if (!key.empty()) table_->FindKey(key);
    }
    QStringList lines;
    for (int i = 0; i < table_->FieldCount(); ++i) {
        const db::Field& f = table_->Fields(i);
        lines << QString::fromStdString(LayoutTitle(*table_, f.FieldName()) + ": " + f.AsString());
    }
    DBGrid1->setToolTip(PopupTeljesTartalom->isChecked() ? lines.join('\n') : QString());
}

void TKivalasztSQLForm::AddFilter(const char* op, const char* suffix) {
    if (!table_ || columns_.empty()) return;
    const std::string& field = columns_.front();
    const db::Field& f = table_->FieldByName(field);
    db::Variant value = f.Value();
    if (value.IsNull()) value = db::Variant(std::string());
    const std::string name = ParamName(filters_.size());
    const std::string line =
        (lines_.size() == 2 ? "Where " : "And ") + db::SqlName(field) + " " + op + " :" + name;
    lines_.insert(lines_.end() - 1, line);
    filters_.push_back({field, f.DataType(), value});
    ListBox1->addItem(
        QString::fromStdString(LayoutTitle(*table_, field) + ".........." + f.AsString() + suffix));
    Reopen();
    TablaRaall();
}

void TKivalasztSQLForm::PopupTolClick() { AddFilter(">=", " -tól"); }
void TKivalasztSQLForm::PopupIgClick() { AddFilter("<=", " -ig"); }

void TKivalasztSQLForm::PopupTorlesClick() {
    if (!table_) return;
    const size_t first = hasCondition_ ? 2 : 1;
    lines_.erase(lines_.begin() + first, lines_.end() - 1);
    filters_.clear();
    ListBox1->clear();
    Reopen();
    TablaRaall();
}

// The check items have toggled their mark when these run.
void TKivalasztSQLForm::PopupSzuroFeltetelekClick() { Panel3->setVisible(PopupSzuroFeltetelek->isChecked()); }

void TKivalasztSQLForm::PopupTeljesTartalomClick() { TablaRaall(); }

void TKivalasztSQLForm::TitleClick(int column) { MoveColumnFirst(column); }

void TKivalasztSQLForm::MoveColumnFirst(int column) {
    if (column <= 0 || column >= static_cast<int>(columns_.size())) return;
    std::rotate(columns_.begin(), columns_.begin() + column, columns_.begin() + column + 1);
    SelectLine();
    Reopen();
    TablaRaall();
}

void TKivalasztSQLForm::Search(const QString& text) {
    db::Query& q = *QueryKivalaszt;
    if (text.isEmpty()) {
        q.First();
    } else if (!columns_.empty()) {
        q.Locate(columns_.front(), db::Variant(text.toStdString()), {true, true});
    }
}

void TKivalasztSQLForm::done(int result) {
    Timer1->stop();
    if (!chosen_ && table_ && bookmark_ && table_->BookmarkValid(bookmark_)) table_->GotoBookmark(bookmark_);
    bookmark_.reset();
    model_->SetDataSet(nullptr);
    QueryKivalaszt->Close();
    QueryKivalaszt->SetSQL("");
    QDialog::done(result);
}
