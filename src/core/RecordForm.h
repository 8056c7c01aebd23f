// The frame of the forms that keep records one at a time (the master-data
// maintenance forms, the monthly return editors): the row of record buttons
// dispatched by tag, the browsing and typing modes, the browse keys, the
// Enter/Esc/F2 keys of an input while typing, and the close and exit
// questions. What a record is, how it is typed and saved stays in the form.
//
// Browse keys (while the form browses): Page Up/Down by ten, Home, End,
// numpad + and -, Ins, F12, Del, F2 and Esc (Kilépés). While a record is typed
// an input's Enter goes to EnterKey, Esc runs Megsem and F2 InputPick; the
// Enter character never reaches an input, so no default button fires.
#pragma once

#include <QDialog>
#include <QString>

#include "platform/ui/Dialogs.h"

class QAbstractButton;
class QHBoxLayout;
class QPushButton;
class QToolButton;

class RecordForm : public QDialog {
    Q_OBJECT
public:
    // Plain values: a mode still compares with its number (0, 1, 2).
    enum RecordMode { Browse = 0, Insert = 1, Edit = 2 };
    // The "Tag" of each record button.
    enum ButtonTag {
        TagExit = 0,
        TagPrior = 1,
        TagNext = 2,
        TagFirst = 3,
        TagLast = 4,
        TagInsert = 5,
        TagModify = 6,
        TagDelete = 7,
        TagList = 8,
        TagCancel = 9,
        TagSave = 11,
    };
    // A step of the browse buttons and keys.
    enum class RecordMove { Prior, Next, First, Last, Back10, Forward10 };

    ~RecordForm() override;

    RecordMode Mode() const { return mode_; }

    // Every record button but Kilépés, by its tag.
    void BitBtnClick(QAbstractButton* sender);
    // Kilépés: asks ExitQuestion; Yes closes the form.
    void BitBtn10Click();
    // True when the form may close (asks while a record is typed).
    bool FormCloseQuery();
    // The Rögzítés test after every change of an input.
    void SzerkesztesChange();
    // Keys of browse mode; true when the key was used.
    virtual bool FormKeyDown(int key, Qt::KeyboardModifiers modifiers);
    // Keys inside an input while a record is typed; true when the key was used.
    bool SzerkesztesKeyDown(QWidget* input, int key, Qt::KeyboardModifiers modifiers);

    virtual void Felvitel() = 0;
    virtual void Modositas() = 0;
    virtual void Torles() = 0;
    virtual void Postazas() = 0;
    virtual void Megsem() = 0;
    // Listázás; none by default.
    virtual void Listazas() {}

    QToolButton* BitBtn1 = nullptr;   // previous
    QToolButton* BitBtn2 = nullptr;   // next
    QToolButton* BitBtn3 = nullptr;   // first
    QToolButton* BitBtn4 = nullptr;   // last
    QPushButton* BitBtn5 = nullptr;   // Felvitel
    QPushButton* BitBtn6 = nullptr;   // Módosít
    QPushButton* BitBtn7 = nullptr;   // Törlés
    QPushButton* BitBtn8 = nullptr;   // Listázás
    QPushButton* BitBtn9 = nullptr;   // Mégsem
    QPushButton* BitBtn10 = nullptr;  // Kilépés
    QPushButton* BitBtn11 = nullptr;  // Rögzítés

protected:
    explicit RecordForm(QWidget* parent = nullptr);

    struct ButtonRowStyle {
        bool autoDefault = true;         // Enter in the form presses the focused button
        bool stretchBeforeExit = false;  // "Kilépés" at the row's right end
        // Felvitel and Módosít, by button or key, only while their button is enabled.
        bool onlyWhenEnabled = false;
    };
    // The record buttons in one row of `parent`: first, previous, next, last,
    // Felvitel, Módosít, Törlés, Listázás, Mégsem, Rögzítés, Kilépés.
    void BuildButtons(QWidget* parent, QHBoxLayout* row, ButtonRowStyle style);

    // Yes/No question of the "Üzenet" box; true on Yes.
    static bool Ask(const QString& text, ui::Icon icon, int defaultButton = ui::NoButton);

    // One browse step on the form's records, then the form shows the record.
    virtual void MoveRecord(RecordMove move) = 0;
    virtual QString ExitQuestion() const = 0;
    virtual bool RogzitesMehetVizs() const = 0;
    // n = 0 opens the form's tables, n = 1 closes them.
    virtual void TableNyitZar(int n) = 0;
    // The browse keys are on (by default: while browsing).
    virtual bool BrowseKeys() const { return mode_ == Browse; }
    // The inputs that take part in the typing keys.
    virtual bool IsInput(const QObject* watched) const = 0;
    // Enter in an input while typing.
    virtual void EnterKey(QWidget* input) = 0;
    // F2 in browse mode, and in an input while typing.
    virtual void BrowsePick() {}
    virtual void InputPick(QWidget*) {}
    // Runs once, when the form closes, before its tables are closed.
    virtual void BeforeTablesClose() {}

    // Closing: the tables are closed once.
    void FormClose();
    // The children outlive the form's own part: they must not call back.
    void Detach();

    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    RecordMode mode_ = Browse;
    bool megsemFut_ = false;  // a cancel is running: its change events do not test Rögzítés
    bool closed_ = false;

private:
    bool onlyWhenEnabled_ = false;
};
