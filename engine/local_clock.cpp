#include "engine/local_clock.h"

namespace {

class SystemClock final : public LocalClock {
public:
    std::tm Now() const override {
        const std::time_t now = std::time(nullptr);
        std::tm local{};
        localtime_r(&now, &local);
        return local;
    }
};

const LocalClock* installedClock = nullptr;

}  // namespace

const LocalClock& SystemLocalClock() {
    static const SystemClock clock;
    return clock;
}

const LocalClock& CurrentLocalClock() {
    return installedClock != nullptr ? *installedClock : SystemLocalClock();
}

void SetLocalClock(const LocalClock* clock) { installedClock = clock; }

ScopedLocalClock::ScopedLocalClock(const LocalClock& clock) : previous_(installedClock) {
    installedClock = &clock;
}

ScopedLocalClock::~ScopedLocalClock() { installedClock = previous_; }
