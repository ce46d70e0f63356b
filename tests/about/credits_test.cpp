#include "about/credits.h"

#include <gtest/gtest.h>

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

TEST(CreditsText, FramedLinesEachEndingInCrLf) {
    const std::string text = creditsText();
    std::vector<std::string> lines;
    for (std::size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2)
        lines.push_back(text.substr(at, end - at));
    ASSERT_EQ(lines.size(), 36u);
    EXPECT_EQ(text.size(), text.rfind("\r\n") + 2); // nothing after the last line end
    EXPECT_EQ(lines[0], std::string(36, '='));
    EXPECT_EQ(lines[1], "Gravelock 2.0 credits");
    EXPECT_EQ(lines[32], std::string(42, '='));
    EXPECT_EQ(lines[35], std::string(42, '='));
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
