#include "platform/ui/DialogScript.h"

#include <QDialog>
#include <cstdio>

namespace ui {

DialogScript::DialogScript() { previous_ = SetDialogHook(this); }

DialogScript::~DialogScript() { SetDialogHook(previous_); }

DialogScript& DialogScript::Answer(int button) {
    return Then([button](const DialogRequest&) {
        DialogAnswer a;
        a.button = button;
        return a;
    });
}

DialogScript& DialogScript::AnswerText(const QString& text, bool ok) {
    return Then([text, ok](const DialogRequest&) {
        DialogAnswer a;
        a.button = ok ? Ok : Cancel;
        a.text = text;
        return a;
    });
}

DialogScript& DialogScript::AnswerModal(std::function<int(QDialog&)> drive) {
    return Then([drive = std::move(drive)](const DialogRequest& r) {
        DialogAnswer a;
        if (r.form) a.modalResult = drive(*r.form);
        return a;
    });
}

DialogScript& DialogScript::Then(Responder responder) {
    queue_.push_back(std::move(responder));
    return *this;
}

DialogAnswer DialogScript::Show(const DialogRequest& request) {
    shown_.push_back(request);
    if (queue_.empty()) {
        const QString d = Describe(request);
        unexpected_.push_back(d);
        std::fprintf(stderr, "Unscripted dialog: %s\n", d.toUtf8().constData());
        throw UnscriptedDialog{d};
    }
    Responder next = std::move(queue_.front());
    queue_.pop_front();
    return next(request);
}

QString DialogScript::Describe(const DialogRequest& r) {
    static const char* kinds[] = {"message",   "input",  "modal", "open file",
                                  "save file", "folder", "print", "printer setup"};
    QString caption = r.caption;
    if (r.kind == DialogKind::Modal && r.form) caption = r.form->objectName() + " " + r.form->windowTitle();
    return QString::fromLatin1(kinds[static_cast<int>(r.kind)]) + ": " + caption + " | " + r.text;
}

}  // namespace ui
