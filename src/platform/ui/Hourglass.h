// The hourglass cursor for the length of a scope: shown when made, the
// previous cursor back when it goes, also when an exception leaves the scope.
#pragma once

namespace ui {

class Hourglass {
public:
    Hourglass();
    ~Hourglass();
    Hourglass(const Hourglass&) = delete;
    Hourglass& operator=(const Hourglass&) = delete;
};

}  // namespace ui
