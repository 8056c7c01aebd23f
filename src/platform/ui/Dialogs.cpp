#include "platform/ui/Dialogs.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QInputDialog>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPushButton>

#include <vector>

namespace ui {
namespace {

DialogHook* g_hook = nullptr;
QString g_title;

struct ButtonInfo {
    Button button;
    const char* text;
    QMessageBox::ButtonRole role;
};

// Hungarian captions in the order the desktop shows them.
const ButtonInfo kButtons[] = {
    {Yes, "&Igen", QMessageBox::YesRole},
    {No, "&Nem", QMessageBox::NoRole},
    {Ok, "OK", QMessageBox::AcceptRole},
    {Cancel, "Mégse", QMessageBox::RejectRole},
    {Abort, "&Megszakítás", QMessageBox::RejectRole},
    {Retry, "Ú&jra", QMessageBox::AcceptRole},
    {Ignore, "&Kihagyás", QMessageBox::AcceptRole},
};

int EscapeButton(int buttons) {
    if (buttons & Cancel) return Cancel;
    if (buttons & No) return No;
    if (buttons & Abort) return Abort;
    if (buttons == Ok) return Ok;
    return NoButton;
}

int FirstButton(int buttons) {
    for (const auto& b : kButtons)
        if (buttons & b.button) return b.button;
    return Ok;
}

}  // namespace

void WidenForTitle(QMessageBox& box) {
    // The window manager shortens a title wider than the window ("Tav… 19"):
    // room for the title in a bold font, its icon and three title buttons.
    QFont bold = box.font();
    bold.setBold(true);
    const int width = QFontMetrics(bold).horizontalAdvance(box.windowTitle()) + 150;
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(),
                      0, 1, grid->columnCount());
}

namespace {

class RealDialogs final : public DialogHook {
public:
    DialogAnswer Show(const DialogRequest& r) override {
        DialogAnswer a;
        QWidget* parent = QApplication::activeWindow();
        switch (r.kind) {
            case DialogKind::Message:
                a.button = Message(r, parent);
                break;
            case DialogKind::Input: {
                bool ok = false;
                a.text = QInputDialog::getText(parent, r.caption, r.text, QLineEdit::Normal, r.value, &ok);
                a.button = ok ? Ok : Cancel;
                break;
            }
            case DialogKind::Modal:
                a.modalResult = r.form->exec();
                break;
            case DialogKind::OpenFile:
                a.text = QFileDialog::getOpenFileName(parent, r.caption, r.value, r.filter);
                break;
            case DialogKind::SaveFile:
                a.text = QFileDialog::getSaveFileName(parent, r.caption, r.value, r.filter, nullptr,
                                                      (r.fileOptions & DontConfirmOverwrite)
                                                          ? QFileDialog::DontConfirmOverwrite
                                                          : QFileDialog::Options());
                break;
            case DialogKind::Folder:
                a.text = QFileDialog::getExistingDirectory(parent, r.caption, r.value);
                break;
            case DialogKind::Print: {
                QPrintDialog dlg(r.printer, parent);
                if (r.maxPage > 0) {
                    dlg.setOption(QAbstractPrintDialog::PrintPageRange);
                    dlg.setMinMax(r.minPage, r.maxPage);
                }
                a.button = dlg.exec() == QDialog::Accepted ? Ok : Cancel;
                break;
            }
            case DialogKind::PrintSetup: {
                QPageSetupDialog dlg(r.printer, parent);
                a.button = dlg.exec() == QDialog::Accepted ? Ok : Cancel;
                break;
            }
        }
        if (r.kind == DialogKind::OpenFile || r.kind == DialogKind::SaveFile || r.kind == DialogKind::Folder)
            a.button = a.text.isEmpty() ? Cancel : Ok;
        return a;
    }

private:
    static int Message(const DialogRequest& r, QWidget* parent) {
        QMessageBox box(parent);
        box.setWindowTitle(r.caption);
        box.setText(r.text);
        switch (r.icon) {
            case Icon::None:
                box.setIcon(QMessageBox::NoIcon);
                break;
            case Icon::Information:
                box.setIcon(QMessageBox::Information);
                break;
            case Icon::Warning:
                box.setIcon(QMessageBox::Warning);
                break;
            case Icon::Error:
                box.setIcon(QMessageBox::Critical);
                break;
            case Icon::Question:
                box.setIcon(QMessageBox::Question);
                break;
        }
        std::vector<std::pair<QPushButton*, int>> made;
        for (const auto& b : kButtons) {
            if (!(r.buttons & b.button)) continue;
            QPushButton* pb = box.addButton(QString::fromUtf8(b.text), b.role);
            made.emplace_back(pb, b.button);
            if (b.button == r.defaultButton) box.setDefaultButton(pb);
            if (b.button == EscapeButton(r.buttons)) box.setEscapeButton(pb);
        }
        WidenForTitle(box);
        box.exec();
        for (const auto& [pb, id] : made)
            if (box.clickedButton() == pb) return id;
        return EscapeButton(r.buttons);
    }
};

DialogHook& Hook() {
    static RealDialogs real;
    return g_hook ? *g_hook : real;
}

}  // namespace

DialogHook* SetDialogHook(DialogHook* hook) {
    DialogHook* previous = g_hook;
    g_hook = hook;
    return previous;
}

void SetApplicationTitle(const QString& title) { g_title = title; }

QString ApplicationTitle() { return g_title.isEmpty() ? QApplication::applicationName() : g_title; }

int MessageBox(const QString& caption, const QString& text, Icon icon, int buttons, int defaultButton) {
    DialogRequest r;
    r.kind = DialogKind::Message;
    r.caption = caption;
    r.text = text;
    r.icon = icon;
    r.buttons = buttons;
    r.defaultButton = defaultButton == NoButton ? FirstButton(buttons) : defaultButton;
    return Hook().Show(r).button;
}

void ShowMessage(const QString& text) { MessageBox(ApplicationTitle(), text, Icon::None, Ok); }

bool InputQuery(const QString& caption, const QString& prompt, QString& value) {
    DialogRequest r;
    r.kind = DialogKind::Input;
    r.caption = caption;
    r.text = prompt;
    r.value = value;
    const DialogAnswer a = Hook().Show(r);
    if (a.button != Ok) return false;
    value = a.text;
    return true;
}

int ShowModal(QDialog& form) {
    DialogRequest r;
    r.kind = DialogKind::Modal;
    r.caption = form.windowTitle();
    r.form = &form;
    return Hook().Show(r).modalResult;
}

static QString FileDialog(DialogKind kind, const QString& caption, const QString& start,
                          const QString& filter, int options = NoFileOptions) {
    DialogRequest r;
    r.kind = kind;
    r.fileOptions = options;
    r.caption = caption;
    r.value = start;
    r.filter = filter;
    const DialogAnswer a = Hook().Show(r);
    return a.button == Ok ? a.text : QString();
}

QString OpenFileName(const QString& caption, const QString& start, const QString& filter) {
    return FileDialog(DialogKind::OpenFile, caption, start, filter);
}

QString SaveFileName(const QString& caption, const QString& start, const QString& filter, int options) {
    return FileDialog(DialogKind::SaveFile, caption, start, filter, options);
}

QString ExistingFolder(const QString& caption, const QString& start) {
    return FileDialog(DialogKind::Folder, caption, start, QString());
}

QString WithDefaultExtension(const QString& path, const QString& extension) {
    if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty()) return path;
    return path + '.' + extension;
}

static bool PrinterDialog(DialogKind kind, QPrinter& printer, int minPage = 0, int maxPage = 0) {
    DialogRequest r;
    r.kind = kind;
    r.printer = &printer;
    r.minPage = minPage;
    r.maxPage = maxPage;
    return Hook().Show(r).button == Ok;
}

bool PrintDialog(QPrinter& printer, int minPage, int maxPage) {
    return PrinterDialog(DialogKind::Print, printer, minPage, maxPage);
}
bool PrinterSetup(QPrinter& printer) { return PrinterDialog(DialogKind::PrintSetup, printer); }

}  // namespace ui
