#include <gtest/gtest.h>

#include <vector>

#include "engine/platform/HostLoop.h"

// On the desktop the host loop is the program's own: every turn until one says stop, then
// the finish, once, before it returns.
TEST(HostLoop, RunsTurnsUntilOneSaysStopThenFinishesOnce) {
    std::vector<char> events;
    int turns = 0;
    RunHostLoop(
        [&] {
            events.push_back('t');
            return ++turns < 3;
        },
        [&] { events.push_back('f'); });
    EXPECT_EQ(events, (std::vector<char>{'t', 't', 't', 'f'}));
}
