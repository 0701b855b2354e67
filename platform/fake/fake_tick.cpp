// Fake counter and tick: the test owns time.
#include "platform/fake/fake_platform.h"

uint32_t ReadMillisecondCounter() { return fake::g.counter; }

TickTimer ArmTickTimer(uint32_t periodMs, TickCallback callback, uintptr_t context) {
    fake::g.armedPeriod = periodMs;
    fake::g.tickCallback = callback;
    fake::g.tickContext = context;
    fake::g.armCount++;
    fake::g.armedTimer = static_cast<TickTimer>(fake::g.armCount);
    return fake::g.armedTimer;
}

void DisarmTickTimer(TickTimer timer) {
    if (timer == kNoTickTimer) return;
    fake::g.disarmCount++;
    if (timer == fake::g.armedTimer) {
        fake::g.armedTimer = kNoTickTimer;
    }
}

void StopTickSource() { fake::g.armedTimer = kNoTickTimer; }

namespace fake {

bool FireTick() {
    if (g.armedTimer == kNoTickTimer || g.tickCallback == nullptr) return false;
    g.tickCallback(g.tickContext);
    return true;
}

}  // namespace fake
