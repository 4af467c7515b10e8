// Shows the wait cursor for the lifetime of the object and restores the
// previous cursor on every path out. Does nothing without a window system.
#pragma once

class CWaitCursor {
public:
    CWaitCursor();
    ~CWaitCursor();
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

private:
    bool shown_ = false;
};
