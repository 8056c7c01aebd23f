// A DialogHook for tests: answers dialogs in the order scripted and records
// every request. A dialog nobody scripted is recorded in Unexpected() and
// raises UnscriptedDialog, which is no std::exception, so the program's own
// error handlers do not swallow it and the test fails at once, never hangs.
#pragma once

#include <deque>
#include <functional>
#include <vector>

#include "platform/ui/Dialogs.h"

namespace ui {

struct UnscriptedDialog {
    QString description;
};

class DialogScript : public DialogHook {
public:
    using Responder = std::function<DialogAnswer(const DialogRequest&)>;

    DialogScript();            // installs itself
    ~DialogScript() override;  // puts the previous hook back

    // The next message box is answered with `button`.
    DialogScript& Answer(int button);
    // The next input box or file dialog gets `text` (Cancel when !ok).
    DialogScript& AnswerText(const QString& text, bool ok = true);
    // The next modal form is driven by `drive`, which returns its result code.
    DialogScript& AnswerModal(std::function<int(QDialog&)> drive);
    // Any answer computed from the request.
    DialogScript& Then(Responder responder);

    DialogAnswer Show(const DialogRequest& request) override;

    const std::vector<DialogRequest>& Shown() const { return shown_; }
    const std::vector<QString>& Unexpected() const { return unexpected_; }
    size_t Pending() const { return queue_.size(); }

    // "caption | text" of a request, for messages.
    static QString Describe(const DialogRequest& request);

private:
    std::deque<Responder> queue_;
    std::vector<DialogRequest> shown_;
    std::vector<QString> unexpected_;
    DialogHook* previous_ = nullptr;
};

}  // namespace ui
