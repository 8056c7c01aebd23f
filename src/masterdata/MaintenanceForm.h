// The one make of every master-table maintenance form: one record of one
// table shown in data-bound edits, stepping through the records, adding,
// changing and deleting one, and listing the table. A member (payment places,
// workplaces, value sets, pay items, employees ...) builds its page, fills
// its Member settings and calls FormCreate; it overrides only what differs.
//
// The modes, buttons and keys are the record frame's (core/RecordForm.h).
// In browse mode the form sees every key first; while a record is typed
// those keys are off and the edits' own keys work: Enter follows the edit's
// tag (0: next control in tab order, 1: Rögzítés when it is enabled, others:
// EnterTag), F2 opens the pick list of a coded edit.
//
// Coded edits (AddValueSetCode, AddRecordCode) hold a code of the value-set
// table or of another master table: a click (where allowed) or F2 opens its
// pick list, leaving it with an unknown code shows the member's message and
// empties it, and Frissit shows the code's name in the label beside it.
#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/RecordForm.h"
#include "platform/db/Table.h"

class QGridLayout;
class QLabel;
class QTabWidget;
class TDBEdit;
class TKivalasztSQLForm;

class MaintenanceForm : public RecordForm {
    Q_OBJECT
public:
    ~MaintenanceForm() override;

    // --- Operations every member has ------------------------------------------------
    // Buttons for typing a record (Insert, Edit) and for browsing (Browse).
    void GombLetilt();
    void GombEngedelyez();
    void Felvitel() override;
    void Modositas() override;
    void Torles() override;
    void Megsem() override;
    void Postazas() override;
    // Opens the member's list form; the tables are closed while it is shown.
    void Listazas() override;
    // n = 0 opens the member's tables, n = 1 closes them. A member that
    // overrides it calls FormClose in its own destructor: a form freed
    // without being closed reaches only the base's tables from the base's
    // destructor.
    void TableNyitZar(int n) override;
    // The names beside the coded edits.
    virtual void Frissit();

protected:
    // What a member tells the pattern.
    struct Member {
        db::Table* table = nullptr;
        QString exitQuestion = QStringLiteral("Valóban kilép a törzskezelésből?");
        // The saving questions of a new and of a changed record.
        QString insertQuestion = QStringLiteral("Valóban hozzá szeretné adni a rekordot?");
        QString editQuestion = QStringLiteral("Valóban módosítani szeretné a rekordot?");
        // The key field written back trimmed before the post (empty: as typed).
        std::string trimmedKey;
        // Edits disabled while a record is changed (the key).
        std::vector<TDBEdit*> keyEdits;
        // Edits that must be non-blank for Rögzítés (RogzitesMehetVizs).
        std::vector<TDBEdit*> required;
        // Focused by Felvitel and by Modositas.
        QWidget* insertFocus = nullptr;
        QWidget* editFocus = nullptr;
        // Tables whose rows name this table's key: a delete is refused while
        // one does. Each is opened read-only for the look and closed again.
        struct Reference {
            db::Table* table;
            std::string field;
        };
        std::vector<Reference> references;
        QString inUseMessage = QStringLiteral("A rekord nem torolhető, használatban van!");
        // Enter in an edit of this tag moves to Rögzítés (when it is enabled).
        int saveTag = 1;
        // F2 in browse mode: the pick list of the own table (kind 0: none).
        struct PickColumn {
            std::string field;
            int width;
        };
        int pickKind = 0;
        std::vector<PickColumn> pickColumns;
        // The member creates the pick-list dialog for its lifetime.
        bool pickList = true;
        // Mégsem is the form's cancel button beside Kilépés.
        bool megsemCancels = false;
        // The Listázás button is shown (its list form may not exist yet).
        bool listButton = true;
        // The member's tabs: their pages are disabled while browsing, and
        // entering or leaving a record's typing shows the first.
        QTabWidget* pages = nullptr;
    };

    // `table`: the data-module table the member maintains.
    explicit MaintenanceForm(db::Table* table, QWidget* parent = nullptr);

    // The member's place above the buttons, where it puts the pages it
    // builds from its page tables.
    QGridLayout* Page() const { return page_; }
    // An edit holding a code of the value-set type.
    void AddValueSetCode(TDBEdit* edit, QLabel* name, const std::string& type);
    // An edit holding the key of another master table, picked from the list
    // of `kind`, its name from `nameField`; `missing` is shown for an unknown
    // code (empty: an unknown code is left as it is, its name empty).
    void AddRecordCode(TDBEdit* edit, QLabel* name, int kind, db::Table* table, const std::string& codeField,
                       int codeWidth, const std::string& nameField, int nameWidth, const QString& missing,
                       bool clickOpens, const std::string& thirdField = {}, int thirdWidth = 0);
    // An edit holding the key of another master table, picked from the SQL
    // pick list over that table (created for the form's lifetime). An empty
    // `missing` leaves an unknown code unchecked: only its name stays empty.
    void AddSqlRecordCode(TDBEdit* edit, QLabel* name, db::Table* table, const std::string& codeField,
                          int codeWidth, const std::string& nameField, int nameWidth, const QString& missing);

    // A widget over the whole page, for a member that builds its page from
    // page tables (in its grid).
    QWidget* TablePage();
    // An edit or check box the member built from its page tables: it takes
    // part in the keys, changes and exits, in the tab order its table gave it.
    void AddBuilt(QWidget* control);
    // AddBuilt for every data-bound edit and check box of the form, in the
    // order they were built; an edit of a value-set kind (Coded) becomes a
    // coded edit whose name shows in the label "Label" + its object name.
    void AdoptBuilt();

    // Runs once the page is built: the pick-list dialog, the tables, Browse,
    // the button states. The table comes from the constructor.
    void FormCreate(Member member);
    // Closing (FormClose) frees the pick list before the tables close.
    void BeforeTablesClose() override;

    // True when every required edit holds more than blanks.
    bool RogzitesMehetVizs() const override;
    // Defaults of a new record, after the append.
    virtual void NewRecordDefaults() {}
    // After Yes to the saving question and the edits' texts went into the
    // record, before the key is trimmed and the record posted.
    virtual void BeforePost() {}
    // A new record was posted; the form goes back to browsing afterwards.
    virtual void AfterInsertPost() {}
    // A changed record was posted; the form goes back to browsing afterwards.
    virtual void AfterEditPost() {}
    // Enter in an edit whose tag is neither 0 nor the save tag.
    virtual void EnterTag(int) {}
    // The form's own buttons: enabled or not as the form browses or types.
    virtual void ModeButtons(bool /*browsing*/) {}
    // F2 in browse mode; the default opens the own table's pick list.
    void BrowsePick() override;
    // True when the record may not be deleted; the default looks at the
    // member's references.
    virtual bool InUse();
    // Deletes the current record after Yes to the delete question.
    virtual void DeleteRecord();
    // Deletes the current record and, in the same transaction, every row of
    // `rows` whose `field` holds the record's `keyField`: all or nothing. A
    // failure goes to the application's error handler.
    void DeleteWithRows(db::Table& rows, const std::string& field, const std::string& keyField);
    // The list form of Listázás; nullptr while there is none.
    virtual std::unique_ptr<QDialog> CreateListForm() { return nullptr; }
    // Shows the list form `create` makes modally while the member's tables
    // are closed, and opens them again however it ends.
    void ShowWithTablesClosed(const std::function<std::unique_ptr<QDialog>()>& create);
    virtual bool HasListForm() const { return false; }

    const Member& Settings() const { return member_; }
    db::Table& Table() const { return *member_.table; }

    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void MoveRecord(RecordMove move) override;
    QString ExitQuestion() const override { return member_.exitQuestion; }
    bool BrowseKeys() const override { return keyPreview_; }
    bool IsInput(const QObject* watched) const override;
    void EnterKey(QWidget* edit) override;
    void InputPick(QWidget* edit) override;

private:
    struct CodedEdit {
        TDBEdit* edit;
        QLabel* name;
        int kind;                  // 0: the SQL pick list over `table`
        std::string valueSetType;  // kind 1
        db::Table* table;
        std::string codeField, nameField;
        int codeWidth, nameWidth;
        QString missing;
        bool clickOpens;
        std::string thirdField = {};  // a third column of the pick list
        int thirdWidth = 0;
    };
    const CodedEdit* Coded(const QObject* edit) const;
    // The pick list of a coded edit (click or F2 while typing).
    void DBEditClick(const CodedEdit& coded);
    // The exit check of a coded edit.
    void DBEditExit(const CodedEdit& coded);
    // The name of the code; none when the code has no record.
    std::optional<QString> CodeName(const CodedEdit& coded, const QString& code) const;
    void SetRecordButtons();
    std::vector<TDBEdit*> AllEdits() const;
    void ShowPages(bool enabled);

    Member member_;
    QGridLayout* page_ = nullptr;
    std::vector<QWidget*> built_;  // AddBuilt's, in their tables' order
    std::vector<CodedEdit> coded_;
    bool keyPreview_ = true;
    bool created_ = false;
    TKivalasztSQLForm* sqlPick_ = nullptr;
};
