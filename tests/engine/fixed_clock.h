// A clock for tests that always tells the same local time.
#pragma once

#include <ctime>

#include "engine/local_clock.h"

// The broken-down time of a calendar date, with weekday and day of the year
// filled in (computed in UTC, so the machine's time zone plays no part).
inline std::tm LocalTimeOf(int year, int month, int day, int hour, int minute, int second) {
    std::tm time{};
    time.tm_year = year - 1900;
    time.tm_mon = month - 1;
    time.tm_mday = day;
    time.tm_hour = hour;
    time.tm_min = minute;
    time.tm_sec = second;
    const std::time_t stamp = timegm(&time);
    gmtime_r(&stamp, &time);
    return time;
}

class FixedClock final : public LocalClock {
public:
    explicit FixedClock(const std::tm& time) : time_(time) {}
    std::tm Now() const override { return time_; }
    void Set(const std::tm& time) { time_ = time; }

private:
    std::tm time_;
};

// Wednesday 9 March 2005, 14:05:09: the moment of the worked examples.
inline std::tm ExampleMoment() { return LocalTimeOf(2005, 3, 9, 14, 5, 9); }
