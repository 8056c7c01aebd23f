// The one door through which every message box, question, input box, modal
// form, file dialog and printer dialog opens. The program shows the real Qt
// dialog; a test installs a DialogScript that answers in order and records
// what was asked, so handlers that open nested modal windows run headless.
#pragma once

#include <QString>
#include <functional>

class QDialog;
class QMessageBox;
class QPrinter;

namespace ui {

// Message box buttons; `buttons` arguments combine them with |.
enum Button : int {
    NoButton = 0,
    Ok = 1,
    Cancel = 2,
    Yes = 4,
    No = 8,
    Abort = 16,
    Retry = 32,
    Ignore = 64,
};

enum class Icon { None, Information, Warning, Error, Question };

// Options of the file dialogs, combined with |.
enum FileOption : int {
    NoFileOptions = 0,
    DontConfirmOverwrite = 1,  // save: replace an existing file without asking
};

enum class DialogKind { Message, Input, Modal, OpenFile, SaveFile, Folder, Print, PrintSetup };

struct DialogRequest {
    DialogKind kind = DialogKind::Message;
    QString caption;
    QString text;  // message, input prompt
    Icon icon = Icon::None;
    int buttons = Ok;              // Message: the buttons offered
    int defaultButton = NoButton;  // Message: the button Enter presses
    QString value;                 // Input: the preset text; file dialogs: the start folder or file
    QString filter;                // file dialogs
    QDialog* form = nullptr;       // Modal
    QPrinter* printer = nullptr;   // Print, PrintSetup
    int fileOptions = 0;           // file dialogs: FileOption flags
    int minPage = 0, maxPage = 0;  // Print: the pages a range may name; 0, 0: the dialog's own limits
};

struct DialogAnswer {
    int button = NoButton;  // Message: the button pressed; Input/file/print: Ok or Cancel
    QString text;           // Input: the text typed; file dialogs: the path chosen
    int modalResult = 0;    // Modal: the form's result code
};

class DialogHook {
public:
    virtual ~DialogHook() = default;
    virtual DialogAnswer Show(const DialogRequest& request) = 0;
};

// Installs a hook (nullptr: the real dialogs). Returns the previous one.
DialogHook* SetDialogHook(DialogHook* hook);

// Application title: the caption of plain messages (ShowMessage).
void SetApplicationTitle(const QString& title);
QString ApplicationTitle();

// A message box; returns the button pressed (Esc gives Cancel, or No when
// there is no Cancel). defaultButton NoButton means the first one offered.
int MessageBox(const QString& caption, const QString& text, Icon icon, int buttons,
               int defaultButton = NoButton);

// Makes a message box wide enough for its whole title in the title bar.
void WidenForTitle(QMessageBox& box);

// A plain message with the application title and an OK button.
void ShowMessage(const QString& text);

// An input box; true when confirmed, `value` then holds the text typed.
bool InputQuery(const QString& caption, const QString& prompt, QString& value);

// Shows a form modally and returns its result code (QDialog::exec()).
int ShowModal(QDialog& form);

// File and folder dialogs; the empty text when cancelled.
QString OpenFileName(const QString& caption, const QString& start, const QString& filter);
QString SaveFileName(const QString& caption, const QString& start, const QString& filter,
                     int options = NoFileOptions);
QString ExistingFolder(const QString& caption, const QString& start);

// A save dialog's default extension: `path` with "." + `extension` added when
// its file name has none (a name with another extension stays as typed).
QString WithDefaultExtension(const QString& path, const QString& extension);

// The print dialog and the printer setup dialog; true when confirmed. With
// maxPage > 0 the page range the user may type is limited to minPage..maxPage.
bool PrintDialog(QPrinter& printer, int minPage = 0, int maxPage = 0);
bool PrinterSetup(QPrinter& printer);

}  // namespace ui
