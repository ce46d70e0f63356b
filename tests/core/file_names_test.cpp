#include "core/file_names.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace gravelock {
namespace {

TEST(FileNames, PatternMatchesWithoutRegardToCase) {
    const struct {
        std::u16string name;
        std::u16string pattern;
        bool matches;
    } cases[] = {
        {.name = u"Alpha.BSP", .pattern = u"*.bsp", .matches = true},
        {.name = u"ÄRGER.BSP", .pattern = u"ärger.*", .matches = true},
        {.name = u".bsp", .pattern = u"*.bsp", .matches = true},
        {.name = u"map.bsp.bsp", .pattern = u"*.bsp", .matches = true},
        {.name = u"bsp", .pattern = u"*.bsp", .matches = false},
        {.name = u"map.bsp.bak", .pattern = u"*.bsp", .matches = false},
        {.name = u"map.bspx", .pattern = u"*.bsp", .matches = false},
        {.name = u"readme.txt", .pattern = u"*.*", .matches = true},
        {.name = u"readme", .pattern = u"*.*", .matches = false},
        {.name = u"a1.bsp", .pattern = u"a?.bsp", .matches = true},
        {.name = u"a.bsp", .pattern = u"a?.bsp", .matches = false},
        {.name = u"dm_aa_bb.bsp", .pattern = u"*_*b.*", .matches = true},
        {.name = u"", .pattern = u"*", .matches = true},
        {.name = u"", .pattern = u"*.bsp", .matches = false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(matchesFilePattern(c.name, c.pattern), c.matches)
            << std::string(c.name.begin(), c.name.end());
}

// The order the lists have always shown: lower case compared by character code.
TEST(FileNames, OrderIsCaseBlindByCharacterCode) {
    const std::vector<std::u16string> expected = {
        u"10.bsp",   u"2.bsp",      u"[a].bsp",   u"_x.bsp",   u"a b.bsp", u"a-b.bsp",
        u"A.bsp",    u"a.bsp",      u"a.bsp.bsp", u"a_b.bsp",  u"ab.bsp",  u"apfel.bsp",
        u"E.bsp",    u"İ.bsp",      u"uber.bsp",  u"zeta.bsp", u"Zoo.BSP", u"~t.bsp",
        u"ß.bsp",    u"Ärger.bsp",  u"ärmel.bsp", u"é.bsp",    u"ö.bsp",   u"Öl.bsp",
        u"über.bsp", u"Ümlaut.BSP", u"ǅ.bsp",     u"Ω.bsp",    u"ω2.bsp",  u"Ж.bsp",
        u"ж2.bsp",
    };
    std::vector<std::u16string> names(expected.rbegin(), expected.rend());
    std::sort(names.begin(), names.end(), fileNameBefore);
    EXPECT_EQ(names, expected);
}

} // namespace
} // namespace gravelock
