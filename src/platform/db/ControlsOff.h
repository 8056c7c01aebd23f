// Suspends a dataset's bound controls for a scope, however the scope ends:
// a bulk change repaints them once at the end instead of at every record.
#pragma once

#include "platform/db/Dataset.h"

namespace db {

class ControlsOff {
public:
    explicit ControlsOff(Dataset& ds) : ds_(ds) { ds_.DisableControls(); }
    ~ControlsOff() { ds_.EnableControls(); }
    ControlsOff(const ControlsOff&) = delete;
    ControlsOff& operator=(const ControlsOff&) = delete;

private:
    Dataset& ds_;
};

}  // namespace db
