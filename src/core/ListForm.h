// The base of every list's parameter form: a table of fields (months, dates,
// code ranges with their names, combos, options), their defaults, the keys,
// the checks, the start buttons' enabling and the two run skeletons (query
// lists and work-table lists).
#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "core/DataModule1.h"
#include "core/ListParams.h"
#include "core/WorkTable.h"
#include "platform/db/Dataset.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QWidget;
class TCurrencyEdit;
class TDateEdit;
class TKivalasztForm;
class TKivalasztSQLForm;

// What a list declares about its form.
struct ListDecl {
    const char* objectName;  // "List_BerlapForm"
    QString caption;         // "Kifizetési listák/Bérlap"
    std::vector<ParamField> fields;
    std::vector<ParamOption> options;
    // The master tables the list reads, opened read-only in this order
    // after the value-set table.
    std::vector<db::Table * TDM1::*> tables;
    // Enter on this edit goes to the start button (when enabled) instead of
    // the next control; empty: Enter always moves on.
    const char* lastEdit = "";
    // Extra start buttons beside BitBtn1 (object name, caption).
    std::vector<std::pair<const char*, QString>> startButtons;
    bool noStartButton1 = false;  // the form has only its own start buttons
    int progressBars = 0;         // ProgressBar1 (and ProgressBar2)
    bool listBox = false;         // ListBox1 for messages
    // Whether the pick list of the codes is this form's own (else the
    // opening form's instance is used).
    bool ownPickList = true;
};

// The base of every list's parameter form.
class ListForm : public QDialog {
    Q_OBJECT
public:
    explicit ListForm(ListDecl decl, QWidget* parent = nullptr);
    ~ListForm() override;

    // --- Components --------------------------------------------------------
    QPushButton* BitBtn1 = nullptr;  // "Lekérdezés"
    QPushButton* BitBtn2 = nullptr;  // "Kilépés"
    QProgressBar* ProgressBar1 = nullptr;
    QProgressBar* ProgressBar2 = nullptr;
    QListWidget* ListBox1 = nullptr;
    QCheckBox* CheckBoxListaDatum = nullptr;  // when the options have it

    QWidget* Control(const QString& name) const;  // by object name
    TCurrencyEdit* MonthEdit(const QString& name) const;
    TDateEdit* DateEdit(const QString& name) const;
    QLineEdit* Edit(const QString& name) const;
    QComboBox* Combo(const QString& name) const;
    QCheckBox* Check(const QString& name) const;
    QLabel* NameLabel(const QString& editName) const;  // the code's name beside the edit
    QLabel* CaptionLabel(const QString& editName) const;
    // The name shown beside a code edit.
    QString NameText(const QString& editName) const;

    // --- Values ------------------------------------------------------------
    // Trimmed text of an edit or the combo's text.
    QString Text(const QString& name) const;
    int Month(const QString& name) const;    // 0 when empty
    double Date(const QString& name) const;  // 0 when empty
    bool Checked(const QString& name) const;
    // Writes a value the way a default does.
    void SetValue(const QString& name, const db::Variant& value);

    // --- Frame handlers --------------------------------------------------
    void FormShow();
    void Frissit();
    // Enables the start buttons together when every required field is filled.
    virtual void NyomtatasMehet();
    // The buttons NyomtatasMehet enables.
    std::vector<QPushButton*> StartButtons() const { return startButtons_; }

protected:
    // What "Lekérdezés" does; a list runs one of the skeletons below.
    virtual void BitBtn1Click() {}
    // Extra start buttons (index into ListDecl::startButtons).
    virtual void StartButtonClick(int index) {}
    // After the frame's exit handling of a field; lists add their own.
    virtual void AfterExit(const ParamField& field, QWidget* control) {}

    // Query lists: disables the start buttons, runs `run` (SQL, open,
    // preview), always leaves Query1 closed without SQL and the payroll
    // table without filter; enables the buttons again only on success (an
    // error reaches the caller: the application's handler).
    void RunQueryList(const std::function<void()>& run);
    // Filtered-detail lists, inside RunQueryList once Query1 is open: the
    // payroll table's filter handler (cleared again by the skeleton).
    void SetPayrollFilter(void (TDM1::*handler)(db::Dataset&, bool&));
    // Work-table lists: disables the start buttons (and "Kilépés" with
    // `alsoExit`), runs `fill` (false: it said why, nothing is shown) and
    // then `show`; any error gives the "Üzenetkezelő" box. Table1 is always
    // closed and unnamed, and the buttons enabled again.
    void RunWorkTableList(const std::function<bool()>& fill, const std::function<void()>& show,
                          bool alsoExit = false);
    // A work-table list's fill: creates `table` anew and writes the rows
    // `rows` gathers; the progress bars are back at zero however it ends. An
    // error gives the "Üzenetkezelő" box, `error` before its text. False
    // when nothing was written (a failed creation has said why).
    bool FillWorkTable(
        const WorkTable& table, const std::function<std::vector<db::Record>()>& rows,
        const QString& error = QStringLiteral("HIBA történt a lista táblájának feltöltésekor! "));
    // The same into a table created already.
    bool WriteWorkTable(const WorkTable& table, const std::function<std::vector<db::Record>()>& rows,
                        const QString& error);
    // A fill's progress on `bar`: the start sets its range (at least 1) and
    // puts it at zero; a step moves it on by one.
    static std::function<void(int)> ProgressStart(QProgressBar* bar);
    static std::function<void()> ProgressStep(QProgressBar* bar);

    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    const ListDecl& Decl() const { return decl_; }

private:
    struct Row;
    void Build();
    void OpenTables();
    void CloseTables();
    void KeyDown(QWidget* control, int key);
    void Exit(QWidget* control);
    bool DateEditExit(TDateEdit* edit);
    void PickCode(QLineEdit* edit, const CodeLookup& code);
    const Row* RowOf(const QWidget* control) const;
    void ReloadDate(const char* dateEdit);

    ListDecl decl_;
    std::vector<std::unique_ptr<Row>> rows_;
    std::vector<QPushButton*> startButtons_;
    std::vector<std::pair<db::Table*, bool>> opened_;  // table, its ReadOnly before
    TKivalasztForm* pick_ = nullptr;
    TKivalasztSQLForm* sqlPick_ = nullptr;
    bool shown_ = false;
    bool closed_ = false;
    bool exiting_ = false;
};
