#include "about/credits.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace gravelock;

namespace {

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string::size_type start = 0;
    for (auto end = text.find("\r\n"); end != std::string::npos; end = text.find("\r\n", start)) {
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    lines.push_back(text.substr(start));
    return lines;
}

// What a line of the credits must be: exactly a text, or a text followed by a
// name of our own.
struct Line {
    enum Kind { Exact, Named } kind;
    std::string text;
};
Line exact(std::string text) {
    return {Line::Exact, std::move(text)};
}
Line named(std::string prefix = {}) {
    return {Line::Named, std::move(prefix)};
}

TEST(CreditsText, FollowsTheCreditsLayoutLineByLine) {
    const std::string wide(36, '=');
    const std::string wider(42, '=');
    const std::vector<Line> expected = {
        exact(wide),
        exact("Gravelock 2.0 credits"),
        exact(wide),
        exact(""),
        exact(""),
        exact("CODERS "),
        exact(""),
        named(),
        exact(""),
        named(),
        exact(""),
        named(),
        exact(""),
        named(),
        exact(""),
        exact(""),
        exact("MISC"),
        exact(""),
        named("Project leader : "),
        named("English site : "),
        named("French site : "),
        named("2D Artist : "),
        named("Generic : "),
        exact(""),
        exact("Official sites "),
        exact(""),
        exact(kMainSite),
        exact(kMirrorSite),
        named("http://"),
        exact(""),
        exact(""),
        exact(""),
        exact(wider),
        exact("For all bugs report or support, contact"),
        exact(kSupportContact),
        exact(wider),
        exact(""), // after the final line break
    };
    const std::string text = creditsText();
    const std::vector<std::string> lines = splitLines(text);
    ASSERT_EQ(lines.size(), expected.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE("line " + std::to_string(i + 1) + ": " + lines[i]);
        EXPECT_EQ(lines[i].find_first_of("\r\n"), std::string::npos);
        if (expected[i].kind == Line::Exact) {
            EXPECT_EQ(lines[i], expected[i].text);
        } else {
            EXPECT_EQ(lines[i].rfind(expected[i].text, 0), 0u);
            EXPECT_GT(lines[i].size(), expected[i].text.size()) << "a name follows";
        }
    }
}

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
        int previousTop = scroller.top();
        for (int tick = 1; tick < c.ticksToRestart; ++tick) {
            ASSERT_FALSE(scroller.tick()) << "tick " << tick;
            ASSERT_EQ(scroller.top(), previousTop - CreditsScroller::kStep);
            ASSERT_GE(scroller.top(), -c.label);
            previousTop = scroller.top();
        }
        EXPECT_TRUE(scroller.tick());
        EXPECT_EQ(scroller.top(), c.picture);
        // Every later round is the same: the travel between starts is P + H.
        int ticks = 1;
        while (!scroller.tick())
            ++ticks;
        EXPECT_EQ(ticks, c.ticksToRestart);
        EXPECT_EQ(scroller.top(), c.picture);
    }
}

TEST(CreditsScroller, NewLabelHeightKeepsThePositionAndMovesTheRestart) {
    CreditsScroller scroller(3180, 9000);
    for (int tick = 0; tick < 200; ++tick)
        scroller.tick();
    const int top = scroller.top(); // 3180 - 5400 = -2220
    scroller.setLabelHeight(2200);
    EXPECT_EQ(scroller.top(), top);
    EXPECT_TRUE(scroller.tick()); // -2247 < -2200
    EXPECT_EQ(scroller.top(), 3180);
}

} // namespace
