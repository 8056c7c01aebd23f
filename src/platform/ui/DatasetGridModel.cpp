#include "platform/ui/DatasetGridModel.h"

#include "platform/ui/FieldLink.h"

#include <algorithm>

namespace ui {

DatasetGridModel::DatasetGridModel(QObject* parent) : QAbstractTableModel(parent) {}

DatasetGridModel::~DatasetGridModel() { SetDataSet(nullptr); }

void DatasetGridModel::SetDataSet(db::Dataset* dataset) {
    if (LinkedDataSet()) LinkedDataSet()->DetachLink(this);
    if (dataset) dataset->AttachLink(this);
    Reload();
}

void DatasetGridModel::SetColumns(std::vector<Column> columns) {
    beginResetModel();
    columns_ = std::move(columns);
    columnEditing_.assign(columns_.size(), ColumnEditing{});
    endResetModel();
    Reload();
}

void DatasetGridModel::SetColumnBold(int column, bool bold) {
    if (column < 0 || column >= static_cast<int>(columns_.size())) return;
    columns_[column].bold = bold;
    emit headerDataChanged(Qt::Horizontal, column, column);
}

void DatasetGridModel::Reload() {
    if (reading_) return;
    beginResetModel();
    rows_.clear();
    bookmarks_.clear();
    insertRow_ = -1;
    db::Dataset* ds = LinkedDataSet();
    generation_ = ds ? ds->RecordsGeneration() : 0;
    types_.clear();
    formats_.clear();
    for (const Column& c : columns_) {
        const db::Field* f = ds && ds->Active() ? ds->FindField(c.field) : nullptr;
        types_.push_back(f ? f->DataType() : db::FieldType::String);
        formats_.push_back(f ? std::make_pair(f->DisplayFormat, f->EditFormat)
                             : std::pair<std::string, std::string>());
    }
    if (ds && ds->Active() && ds->State() == db::DatasetState::Browse) {
        reading_ = true;
        const db::Bookmark here = ds->GetBookmark();
        ds->DisableControls();
        try {
            std::vector<const db::Field*> fields;
            fields.reserve(columns_.size());
            for (const Column& c : columns_) fields.push_back(&ds->FieldByName(c.field));
            for (ds->First(); !ds->Eof(); ds->Next()) {
                std::vector<db::Variant> row;
                row.reserve(fields.size());
                for (const db::Field* f : fields) row.push_back(f->Value());
                rows_.push_back(std::move(row));
                bookmarks_.push_back(ds->GetBookmark());
            }
            if (here) ds->GotoBookmark(here);
        } catch (...) {
            ds->EnableControls();
            reading_ = false;
            endResetModel();
            throw;
        }
        ds->EnableControls();
        reading_ = false;
    }
    endResetModel();
    lastRow_ = CurrentRow();
    emit CurrentRowChanged(lastRow_);
}

int DatasetGridModel::CurrentRow() const {
    db::Dataset* ds = LinkedDataSet();
    if (insertRow_ >= 0) return insertRow_;
    if (!ds || !ds->Active() || ds->IsEmpty()) return -1;
    const db::Bookmark here = ds->GetBookmark();
    auto it = std::find(bookmarks_.begin(), bookmarks_.end(), here);
    return it == bookmarks_.end() ? -1 : static_cast<int>(it - bookmarks_.begin());
}

void DatasetGridModel::GotoRow(int row) {
    db::Dataset* ds = LinkedDataSet();
    if (!ds || row < 0 || row >= static_cast<int>(bookmarks_.size()) || !bookmarks_[row]) return;
    ds->GotoBookmark(bookmarks_[row]);
}

int DatasetGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int DatasetGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant DatasetGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
    return Text(index.column(), rows_.at(index.row()).at(index.column()), role == Qt::EditRole);
}

QString DatasetGridModel::Text(int column, const db::Variant& value, bool edit) const {
    const auto& [display, editing] = formats_.at(column);
    return QString::fromStdString(db::Field::Format(types_.at(column), value, edit ? editing : display));
}

QVariant DatasetGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= static_cast<int>(columns_.size()))
        return {};
    const Column& c = columns_[section];
    if (role == Qt::DisplayRole) {
        if (!c.title.isEmpty()) return c.title;
        db::Dataset* ds = LinkedDataSet();
        db::Field* f = ds ? ds->FindField(c.field) : nullptr;
        return QString::fromStdString(f ? f->DisplayName() : c.field);
    }
    if (role == Qt::FontRole && c.bold) {
        QFont font;
        font.setBold(true);
        return font;
    }
    return {};
}

void DatasetGridModel::SetEditing(bool on) {
    if (on == editing_) return;
    beginResetModel();
    editing_ = on;
    endResetModel();
}

void DatasetGridModel::PostRow() {
    db::Dataset* ds = LinkedDataSet();
    if (!ds || !ds->Active()) return;
    if (ds->State() == db::DatasetState::Edit)
        ds->Post();
    else if (ds->State() == db::DatasetState::Insert)
        ds->Modified() ? ds->Post() : ds->Cancel();
}

void DatasetGridModel::SetColumnEditing(int column, ColumnEditing editing) {
    columnEditing_.at(column) = std::move(editing);
}

Qt::ItemFlags DatasetGridModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (!index.isValid() || !editing_) return f;
    const ColumnEditing& e = columnEditing_[index.column()];
    if (e.ellipsis) return f | Qt::ItemIsEditable;  // the editor is the button
    if (e.readOnly) return f;
    db::Dataset* ds = LinkedDataSet();
    const db::Field* field = ds ? ds->FindField(columns_[index.column()].field) : nullptr;
    if (field && (field->ReadOnly || field->Kind() != db::FieldKind::Data)) return f;
    return f | Qt::ItemIsEditable;
}

bool DatasetGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable)) return false;
    if (columnEditing_[index.column()].ellipsis) return false;
    db::Dataset* ds = LinkedDataSet();
    if (!ds || !ds->Active()) return false;
    if (CurrentRow() != index.row()) {
        PostRow();
        GotoRow(index.row());
    }
    if (ds->State() == db::DatasetState::Browse) ds->Edit();
    db::Field& f = ds->FieldByName(columns_[index.column()].field);
    const QString text = value.toString();
    if (text.isEmpty())
        f.Clear();
    else
        f.SetAsString(TypedFieldText(f, text.toStdString()));
    RecordChanged(&f);
    return true;
}

std::vector<db::Variant> DatasetGridModel::CurrentValues() const {
    db::Dataset* ds = LinkedDataSet();
    std::vector<db::Variant> row;
    row.reserve(columns_.size());
    for (const Column& c : columns_) {
        const db::Field* f = ds->FindField(c.field);
        row.push_back(f ? f->Value() : db::Variant());
    }
    return row;
}

void DatasetGridModel::ActiveChanged() { Reload(); }

void DatasetGridModel::DataSetChanged() {
    if (reading_) return;
    db::Dataset* ds = LinkedDataSet();
    if (ds && ds->State() == db::DatasetState::Insert) {
        if (insertRow_ < 0) {
            // A new record: a row of its own before the current one, or at the end.
            const int at = ds->Eof() || lastRow_ < 0 ? static_cast<int>(rows_.size()) : lastRow_;
            beginInsertRows(QModelIndex(), at, at);
            rows_.insert(rows_.begin() + at, CurrentValues());
            bookmarks_.insert(bookmarks_.begin() + at, db::Bookmark());
            insertRow_ = at;
            endInsertRows();
        }
        emit CurrentRowChanged(insertRow_);
        return;
    }
    // A move keeps the rows; a change of the records (sort, load, delete, an
    // insert posted or cancelled) does not.
    const int row = CurrentRow();
    const bool stale =
        insertRow_ >= 0 ||
        (ds && ds->Active() && (StoredRows() != ds->RecordCount() || ds->RecordsGeneration() != generation_));
    if (row < 0 || stale) {
        Reload();
        return;
    }
    lastRow_ = row;
    emit CurrentRowChanged(row);
}

void DatasetGridModel::RecordChanged(db::Field*) {
    // The shown texts follow the record being edited, derived fields too.
    db::Dataset* ds = LinkedDataSet();
    if (reading_ || !ds || !ds->Active() || ds->State() == db::DatasetState::Browse) return;
    const int row = CurrentRow();
    if (row < 0 || row >= static_cast<int>(rows_.size()) || columns_.empty()) return;
    // Only changed cells are told: a cell being typed into keeps its editor's text.
    std::vector<db::Variant> values = CurrentValues();
    for (int c = 0; c < static_cast<int>(values.size()); ++c) {
        if (Text(c, values[c]) == Text(c, rows_[row][c])) continue;
        rows_[row][c] = std::move(values[c]);
        emit dataChanged(index(row, c), index(row, c));
    }
}

void DatasetGridModel::UpdateData() { emit UpdatingData(); }

}  // namespace ui
