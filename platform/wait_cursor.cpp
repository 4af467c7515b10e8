#include "platform/wait_cursor.h"

namespace {

std::function<void(bool)>& Indicator() {
    static std::function<void(bool)> indicator;
    return indicator;
}

}  // namespace

void SetBusyIndicator(std::function<void(bool busy)> indicator) {
    Indicator() = std::move(indicator);
}

CWaitCursor::CWaitCursor() {
    if (!Indicator()) return;
    Indicator()(true);
    shown_ = true;
}

CWaitCursor::~CWaitCursor() {
    if (shown_ && Indicator()) Indicator()(false);
}
