// The date edit bound to a date field of a dataset: it shows the field's date,
// puts the dataset into edit mode when typed into, writes the date back when
// left or when the dataset posts (keeping the field's time of day), clears the
// field when emptied, and reloads it on Esc.
#pragma once

#include <string>

#include "controls/ComboEdits.h"
#include "platform/db/Dataset.h"

// A control's link to one field through a data source: it follows the
// source's dataset and tells the control when the data, the editing state or
// the moment to write back comes.
class TFieldDataLink : public db::DataLink {
public:
    ~TFieldDataLink() override;
    void SetDataSource(db::DataSource* source);
    db::DataSource* DataSource() const { return source_; }
    void SetFieldName(const std::string& name);
    const std::string& FieldName() const { return fieldName_; }
    // The bound field; nullptr while the dataset is closed or has no such field.
    db::Field* Field() const;
    bool ReadOnly = false;
    bool Editing() const { return editing_; }
    bool CanModify() const;
    // Puts the dataset into edit mode when it may be; true when editing.
    bool Edit();
    // The control changed the value; UpdateRecord will write it.
    void Modified() { modified_ = true; }
    // Reloads the field into the control.
    void Reset();
    // Writes the control's value into the field when it was changed.
    void UpdateRecord();

    std::function<void()> OnDataChange, OnEditingChange, OnUpdateData;

private:
    void ActiveChanged() override;
    void StateChanged() override { UpdateEditing(); }
    void DataSetChanged() override { RecordChanged(nullptr); }
    void RecordChanged(db::Field* field) override;
    void UpdateData() override;
    void DataSourceFreed() override;
    void UpdateEditing();

    db::DataSource* source_ = nullptr;
    std::string fieldName_;
    bool editing_ = false, modified_ = false, updating_ = false;
};

class TDBDateEdit : public TCustomDateEdit {
    Q_OBJECT
public:
    explicit TDBDateEdit(QWidget* parent = nullptr);

    db::DataSource* DataSource() const { return link_.DataSource(); }
    void SetDataSource(db::DataSource* source);
    QString DataField() const { return QString::fromStdString(link_.FieldName()); }
    void SetDataField(const QString& name);
    db::Field* Field() const { return link_.Field(); }
    // The link's read-only flag (the edit's own flag follows the editing state).
    bool ReadOnly() const override { return link_.ReadOnly; }
    void SetReadOnly(bool readOnly);

    void SetDateAndSelect(double date) override;
    void RebuildMask() override;
    // Reloads the field and selects the text.
    void Reset();

protected:
    bool EditCanModify() override { return link_.Edit(); }
    void TakePopupValue(const QVariant& value) override;
    void KeyDown(int& key, Qt::KeyboardModifiers mods) override;
    void KeyPress(QChar& c) override;
    void Change() override;
    bool DoExit() override;
    void keyPressEvent(QKeyEvent*) override;

private:
    void DataChange();
    void EditingChange();
    void UpdateData();
    bool AcceptDate();

    TFieldDataLink link_;
};
