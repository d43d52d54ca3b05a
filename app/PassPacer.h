#pragma once

#include <cstdint>

// Decides when the game's passes run. A pass is due every kPassMs of the platform clock
// (1000 / 60 in integer arithmetic, so about 62.5 passes a second), whatever drawing
// costs: the loop runs the passes that are due back to back and draws only the last, so
// a machine that cannot draw every picture shows fewer of them instead of slowing the game.
//
// Bounds, all in whole passes of the clock:
//   - at most kMaxPassesPerPicture passes run between two pictures; time owed beyond that
//     is forgiven, so a machine that cannot keep up even then slows the game rather than
//     showing a frozen picture;
//   - a gap longer than kStallMs (a debugger, a suspended laptop) is a stall, never caught
//     up: one pass runs and the clock starts afresh;
//   - Restart forgives what is owed (a scene was built).
//
// Clock readings are milliseconds that wrap at 2^32; differences are taken modulo 2^32.
class PassPacer {
public:
    static constexpr uint32_t kPassMs = 1000 / 60;
    static constexpr int kMaxPassesPerPicture = 4;
    static constexpr uint32_t kStallMs = 500;

    explicit PassPacer(uint32_t passMs = kPassMs) : passMs(passMs > 0 ? passMs : 1) {}
    uint32_t GetPassMs() const { return passMs; }

    // The loop starts: the first pass is due at `now`.
    void Start(uint32_t now) { nextDue = now; }
    // Milliseconds from `now` until the next pass is due; 0 when one is due.
    uint32_t WaitFrom(uint32_t now) const;
    // The passes due at `now` (0 when it is early), with the bounds above; they count as
    // run from here on.
    int TakeDue(uint32_t now);
    // Nothing is owed: the next pass is due a period after `now`, as after a pass on time.
    void Restart(uint32_t now) { nextDue = now + passMs; }
    // How far `now` is behind the next due pass, in milliseconds (0 when it is not).
    uint32_t BehindAt(uint32_t now) const;

private:
    uint32_t passMs;
    uint32_t nextDue = 0;
};
