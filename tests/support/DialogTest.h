// A DialogScript that fails the running test when a dialog came unscripted
// or a scripted answer was never used.
#pragma once

#include <gtest/gtest.h>

#include "platform/ui/DialogScript.h"

namespace testsupport {

class ScriptedDialogs : public ui::DialogScript {
public:
    ~ScriptedDialogs() override {
        for (const QString& d : Unexpected()) ADD_FAILURE() << "Unscripted dialog: " << d.toStdString();
        if (Pending() > 0) ADD_FAILURE() << Pending() << " scripted dialog answer(s) never used";
    }
    // Text of the n-th dialog shown.
    std::string Text(size_t n) const { return n < Shown().size() ? Shown()[n].text.toStdString() : ""; }
    std::string Caption(size_t n) const { return n < Shown().size() ? Shown()[n].caption.toStdString() : ""; }
};

}  // namespace testsupport
