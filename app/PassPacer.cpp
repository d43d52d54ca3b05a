#include "app/PassPacer.h"

namespace {
// Whether clock reading a comes before b, across the wrap at 2^32.
bool Before(uint32_t a, uint32_t b) {
    return static_cast<int32_t>(a - b) < 0;
}
}  // namespace

uint32_t PassPacer::WaitFrom(uint32_t now) const {
    return Before(now, nextDue) ? nextDue - now : 0;
}

uint32_t PassPacer::BehindAt(uint32_t now) const {
    return Before(now, nextDue) ? 0 : now - nextDue;
}

int PassPacer::TakeDue(uint32_t now) {
    if (Before(now, nextDue)) return 0;
    const uint32_t behind = now - nextDue;
    if (behind > kStallMs) {
        nextDue = now + passMs;
        return 1;
    }
    const uint32_t owed = behind / passMs + 1;
    if (owed > static_cast<uint32_t>(kMaxPassesPerPicture)) {
        // The rest is forgiven: the next pass is due one period after the last one run.
        nextDue = now + passMs;
        return kMaxPassesPerPicture;
    }
    nextDue += owed * passMs;
    return static_cast<int>(owed);
}
