// Runs a step when the scope ends, however it ends (return or exception):
// the undo of a temporary change, such as a disabled button or a progress bar
// to put back. The step must not throw while an exception is on its way out.
#pragma once

#include <utility>

namespace os {

template <class F>
class ScopeGuard {
public:
    explicit ScopeGuard(F step) : step_(std::move(step)) {}
    ~ScopeGuard() { step_(); }
    ScopeGuard(const ScopeGuard&) = delete;
    ScopeGuard& operator=(const ScopeGuard&) = delete;

private:
    F step_;
};

}  // namespace os
