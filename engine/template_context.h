// The state of one preview pass: a counter per number base of the "i" tag.
#pragma once

#include <cstdint>

struct CounterState {
    std::uint32_t value = 0;  // the number the next counter tag of this base prints
    bool started = false;     // whether the counter has taken its start value
};

class TemplateContext {
public:
    virtual ~TemplateContext() = default;

    CounterState decimalCounter;
    CounterState octalCounter;
    CounterState hexCounter;
};
