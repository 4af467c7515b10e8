// Shows the user that a long operation runs, for the lifetime of the object,
// and ends the indication on every path out. The window system's side (the
// wait cursor) is installed by the user interface; without one nothing shows.
#pragma once

#include <functional>

class CWaitCursor {
public:
    CWaitCursor();
    ~CWaitCursor();
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

private:
    bool shown_ = false;
};

// Called with true when an operation begins to show that it is busy, and
// with false when it ends.
void SetBusyIndicator(std::function<void(bool busy)> indicator);
