#include "about/credits.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace gravelock;

namespace {

struct RestartCase {
    const char* name;
    int picture;
    int label;
    int ticksToRestart; // the tick at which the label starts over
};

TEST(CreditsScroller, StartsOverOnlyOnceTheLabelIsBelowMinusItsHeight) {
    const std::vector<RestartCase> cases = {
        // 3180 + 3300 = 240 steps: tick 240 lands exactly on -H and must not restart.
        {"lands on -H", 3180, 3300, 241},      {"one twip short of -H", 3180, 3301, 241},
        {"one twip past -H", 3180, 3299, 240}, {"empty label", 3180, 0, 118},
        {"one step in all", 10, 17, 2},
    };
    for (const RestartCase& c : cases) {
        SCOPED_TRACE(c.name);
        CreditsScroller scroller(c.picture, c.label);
        for (int tick = 1; tick < c.ticksToRestart; ++tick) {
            ASSERT_FALSE(scroller.tick()) << "tick " << tick;
            ASSERT_EQ(scroller.top(), c.picture - tick * CreditsScroller::kStep);
        }
        EXPECT_TRUE(scroller.tick());
        EXPECT_EQ(scroller.top(), c.picture);
        // Every later round is the same.
        int ticks = 1;
        while (!scroller.tick())
            ++ticks;
        EXPECT_EQ(ticks, c.ticksToRestart);
    }
}

TEST(CreditsText, EveryLineEndsInCrLf) {
    const std::string text = creditsText();
    EXPECT_TRUE(text.ends_with("\r\n"));
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 36);
    for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1))
        EXPECT_EQ(text[at - 1], '\r') << at;
}

TEST(CreditsScroller, NewLabelHeightKeepsThePositionAndMovesTheRestart) {
    CreditsScroller scroller(3180, 9000);
    for (int tick = 0; tick < 200; ++tick)
        scroller.tick();
    scroller.setLabelHeight(2200);
    EXPECT_EQ(scroller.top(), 3180 - 200 * 27);
    EXPECT_TRUE(scroller.tick()); // -2247 < -2200
    EXPECT_EQ(scroller.top(), 3180);
}

} // namespace
