// Where the time tag reads the current local date and time. The program uses
// the system clock; tests install a clock of their own.
#pragma once

#include <ctime>

class LocalClock {
public:
    virtual ~LocalClock() = default;
    virtual std::tm Now() const = 0;
};

// The system clock, converted to local time with the C library.
const LocalClock& SystemLocalClock();

// The clock the time tag reads: the system clock unless one was installed.
const LocalClock& CurrentLocalClock();

// Installs `clock` (not owned; nullptr restores the system clock).
void SetLocalClock(const LocalClock* clock);

// Installs a clock for the lifetime of this object, then restores the previous one.
class ScopedLocalClock {
public:
    explicit ScopedLocalClock(const LocalClock& clock);
    ~ScopedLocalClock();
    ScopedLocalClock(const ScopedLocalClock&) = delete;
    ScopedLocalClock& operator=(const ScopedLocalClock&) = delete;

private:
    const LocalClock* previous_;
};
