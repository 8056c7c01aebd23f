// The data-bound edit and check box the maintenance forms are built of. Both
// follow one field through a data source and write into it only while the
// dataset is in insert or edit state: with the data module's sources (which
// never start an edit themselves) typing in browse mode changes nothing.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <string>

#include "controls/DBDateEdits.h"

// A single-line edit of a text or number field. The field's edit mask (its
// stored form, "999999;1;_") becomes the edit's input mask; without a mask
// the field's size limits the text. The text goes into the field when the
// edit is left or the dataset posts.
class TDBEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TDBEdit(QWidget* parent = nullptr);
    ~TDBEdit() override;

    db::DataSource* DataSource() const { return link_.DataSource(); }
    void SetDataSource(db::DataSource* source);
    QString DataField() const { return QString::fromStdString(link_.FieldName()); }
    void SetDataField(const QString& name);
    db::Field* Field() const { return link_.Field(); }
    // True while the dataset is in insert or edit state and the field may change.
    bool Editing() const { return link_.Editing(); }
    // The text a reader of the field sees: blank positions of a mask count
    // as nothing, so "12" typed into six positions reads "12".
    QString Text() const { return text(); }
    // Writes the text into the field now when it was changed.
    void UpdateRecord() { link_.UpdateRecord(); }
    // Reloads the field, dropping what was typed.
    void Reset();

signals:
    // The edit was left, after its text went into the field.
    void Exited();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    // Entering selects the whole text, so typing replaces it from the start.
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void DataChange();
    void EditingChange();
    void UpdateData();

    TFieldDataLink link_;
    bool loading_ = false;
};

// A check box of a text field holding ValueChecked ("I") or ValueUnchecked
// ("N"). Any other value (an empty field) shows the grey, undecided state;
// a click on it checks the box, and a grey box writes an empty field.
// Clicking it outside insert or edit state changes nothing.
class TDBCheckBox : public QCheckBox {
    Q_OBJECT
public:
    explicit TDBCheckBox(QWidget* parent = nullptr);
    ~TDBCheckBox() override;

    db::DataSource* DataSource() const { return link_.DataSource(); }
    void SetDataSource(db::DataSource* source);
    QString DataField() const { return QString::fromStdString(link_.FieldName()); }
    void SetDataField(const QString& name);
    db::Field* Field() const { return link_.Field(); }
    bool Editing() const { return link_.Editing(); }

    std::string ValueChecked = "I";
    std::string ValueUnchecked = "N";

    // Neither checked nor unchecked: the field holds neither value.
    bool Grey() const { return checkState() == Qt::PartiallyChecked; }

protected:
    void nextCheckState() override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void DataChange();

    TFieldDataLink link_;
};

// A drop-down list of fixed items bound to a text field: the field holds the
// chosen item's text; a value that is no item shows no item. Choosing
// outside insert or edit state changes nothing.
class TDBComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit TDBComboBox(QWidget* parent = nullptr);
    ~TDBComboBox() override;

    db::DataSource* DataSource() const { return link_.DataSource(); }
    void SetDataSource(db::DataSource* source);
    QString DataField() const { return QString::fromStdString(link_.FieldName()); }
    void SetDataField(const QString& name);
    db::Field* Field() const { return link_.Field(); }
    bool Editing() const { return link_.Editing(); }

protected:
    void focusOutEvent(QFocusEvent* event) override;

private:
    void DataChange();
    void Chosen(int index);

    TFieldDataLink link_;
    bool loading_ = false;
};
