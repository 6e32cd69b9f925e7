// SPDX-License-Identifier: MIT
// The map list: the count, exactly that many names, nothing after them but whitespace, and a level list
// that changes only when the whole file was good.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/game_reset.h"
#include "level/file_fixture.h"
#include "level/map_list.h"
#include "sim/sim_state.h"

namespace {

class MapList : public ::testing::Test {
protected:
    void SetUp() override { resetGame(); }
    void TearDown() override { resetGame(); }
    TempFolder folder;
};

TEST_F(MapList, ReadsTheCountTheNamesAndSetsEveryTimeUnfinished)
{
    writeFile("maplist.dat", "3\nlevel1.map\nlevel2.map\nlevel3.map");
    ASSERT_TRUE(loadMapList());
    EXPECT_EQ(LevelCount, 3);
    EXPECT_EQ(MapNames, (std::vector<std::string>{"level1.map", "level2.map", "level3.map"}));
    EXPECT_EQ(LevelTimes, (std::vector<float>{225.0f, 225.0f, 225.0f}));
}

TEST_F(MapList, TextCases)
{
    const struct {
        const char* what;
        std::string text;
        bool ok;
        std::vector<std::string> names;
    } cases[] = {
        {"a final line break",
         "3\nlevel1.map\nlevel2.map\nlevel3.map\n",
         true,
         {"level1.map", "level2.map", "level3.map"}},
        {"spaces and tabs everywhere", " 2\t a.map \r\n\tb.map \n\n", true, {"a.map", "b.map"}},
        {"one level on one line", "1 only.map", true, {"only.map"}},
        {"a hexadecimal count", "0x2 a b", true, {"a", "b"}},
        {"paths and long names", "2 maps/x.map " + std::string(300, 'n'), true, {"maps/x.map", std::string(300, 'n')}},
        {"a count of 0", "0", false, {}},
        {"a count of 0 with a name", "0 a.map", false, {}},
        {"a negative count", "-1 a.map", false, {}},
        {"fewer names than the count", "3 a.map b.map", false, {}},
        {"more names than the count", "3 a b c d", false, {}},
        {"a count only", "3", false, {}},
        {"no count", "a.map", false, {}},
        {"empty", "", false, {}},
        {"only whitespace", "\n \n", false, {}},
        {"a huge count in a short file", "2000000000 a.map", false, {}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> names{"kept"};
        bool ok = parseMapList(c.text, names);
        EXPECT_EQ(ok, c.ok) << c.what;
        if (c.ok)
            EXPECT_EQ(names, c.names) << c.what;
        else
            EXPECT_EQ(names, std::vector<std::string>{"kept"}) << c.what << ": a failed read changed the names";
    }
}

TEST_F(MapList, AMissingFileFails)
{
    setLevelList({"kept"});
    EXPECT_FALSE(loadMapList());
    EXPECT_EQ(MapNames, std::vector<std::string>{"kept"}) << "a failed read changed the level list";
    std::filesystem::create_directory("maplist.dat");
    EXPECT_FALSE(loadMapList()) << "a directory named maplist.dat is no list";
}

} // namespace
