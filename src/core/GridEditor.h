// The grid editor of one table of the data module, shared by the annual tax
// forms (M30, M29 with its children and co-claimant sheets, K30, K32) and
// the transfer and pension fund registers: the table in a grid, changed only
// after "Módosít"/F12 or a new record, posted by "Rögzítés" under the
// member's post rule, abandoned by "Mégsem"/Esc. A member fills its Member
// settings, calls Build and overrides what is its own.
//
// Buttons carry their tag and are dispatched by BitBtnClick: 5 Felvitel
// (insert), 1 Felvitel (append), 6 Módosít (F12), 7 Törlés (Del), 9 Mégsem,
// 10 Kilépés (Esc while browsing), 11 Rögzítés. The form sees every key first.
// Editing of the grid is on only while a record is inserted or changed; the
// buttons follow the table's state (DataSource1StateChange).
#pragma once

#include <QDialog>
#include <QSize>
#include <QString>
#include <string>
#include <vector>

#include "core/DataModule1.h"

class QPushButton;
class QWidget;
class TDBText;
class TKivalasztSQLForm;
namespace ui {
class DatasetGrid;
}

class TGridEditor : public QDialog {
    Q_OBJECT
public:
    ~TGridEditor() override;

    void BitBtnClick(QPushButton* sender);
    // True when the form may close (asks first).
    bool FormCloseQuery();

    QWidget* Panel1 = nullptr;
    QWidget* Panel2 = nullptr;
    ui::DatasetGrid* DBGrid1 = nullptr;
    TDBText* DBText1 = nullptr;  // the employee code
    TDBText* DBText2 = nullptr;  // the employee's name
    QPushButton* Felvitel = nullptr;
    QPushButton* Modosit = nullptr;
    QPushButton* Torles = nullptr;
    QPushButton* Megsem = nullptr;
    QPushButton* Kilepes = nullptr;
    QPushButton* Rogzites = nullptr;
    QPushButton* Extra = nullptr;  // the member's own button

protected:
    enum class NewRecord { None, Insert, Append };
    struct Member {
        db::Table* TDM1::*table = nullptr;
        db::DataSource* TDM1::*source = nullptr;
        const char* objectName = "";  // "Ado_M30modForm"
        QString caption;              // "Adó/M30 Módosítás"
        // The employee code field(s): read-only, or writable only while inserting.
        std::vector<std::string> codeFields;
        bool codeWritableWhileInserting = false;
        std::string nameField;  // the lookup of the employee's name ("M30_szarmDGNEV")
        NewRecord newRecord = NewRecord::None;
        int newRecordTag = 0;  // 0: 5 for an insert, 1 for an append
        bool insKey = false;   // the Ins key adds too
        // Del is the editor's in every state, never a cell editor's key.
        bool delAlways = false;
        // The fields the two labels under the grid show; empty: the first
        // code field and the name.
        std::string labelCode, labelName;
        QSize size{900, 560};
        // The table is read-only for every other form: writable only while
        // this editor has it open.
        bool writableWhileOpen = false;
        // Labels under the grid (off: the bottom panel holds only buttons).
        bool labels = true;
        // The grid's columns; empty: every field in table order, the name after the code.
        std::vector<std::string> columns;
        // A column with the ellipsis of the employee pick.
        std::string pickColumn;
        // Tables opened with the form: read-only ones, and writable ones.
        std::vector<db::Table * TDM1::*> readOnlyTables;
        std::vector<db::Table * TDM1::*> writableTables;
        // The member's extra button: object name and caption.
        const char* extraName = "";
        QString extraCaption;
    };

    explicit TGridEditor(QWidget* parent = nullptr);
    // Builds the form, opens the tables and sets the buttons.
    void Build(Member member);

    db::Table& Table() const { return *(DM1->*member_.table); }
    const Member& Settings() const { return member_; }

    // "Rögzítés" in insert or edit state: the member's post rule. The
    // default posts.
    virtual void PostRecord();
    // The extra button.
    virtual void ExtraClick() {}
    // The employee chosen in the pick list stands in Dolgozo: the default
    // writes its code into the pick column.
    virtual void EmployeePicked();

    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void reject() override;

private:
    bool FormKeyDown(int key);
    void DataSource1StateChange();
    void DataSource1UpdateData();
    void DBGrid1EditButtonClick();
    void SetCodeFieldsReadOnly(bool on);
    void Cancel();
    void FormDestroy();
    bool Editing() const;
    // The records belong to employees (a code field or the employee pick).
    bool PerEmployee() const;

    Member member_;
    TKivalasztSQLForm* pick_ = nullptr;
    bool autoEdit_ = true;
    bool destroyed_ = false;
    std::vector<db::Table*> opened_;
};
