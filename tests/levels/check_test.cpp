// SPDX-License-Identifier: MIT
// roliquo-level check: broken map files written to a temporary folder must be reported with the right
// line and reason, sound ones accepted, and every shipped level must pass.
#include <gtest/gtest.h>

#include "level_tool_runner.h"

namespace {

const char* const SoundBody = "fogcolor= 0x8090a0\n"
                              "marblecolor= 0xff2020\n"
                              "holecount= 2\n"
                              ".data\n"
                              "0 -3000 60 150\n"
                              "-300 1500 90 -40\n"
                              ".end\n";

struct Expected {
    int line;            // 0: a finding about the whole file
    const char* kind;    // "error" or "warning"
    const char* excerpt; // part of the message
};

struct BrokenMap {
    const char* what;
    const char* text;
    int status;
    std::vector<Expected> findings;
};

bool reports(const std::string& output, const std::string& path, const Expected& e)
{
    std::string prefix = path + (e.line > 0 ? ":" + std::to_string(e.line) : std::string()) + ": " + e.kind + ": ";
    for (const std::string& line : splitLines(output))
        if (line.compare(0, prefix.size(), prefix) == 0 && line.find(e.excerpt) != std::string::npos)
            return true;
    return false;
}

// Runs check on one file and expects its exit status and every finding; `what` names the case.
ToolRun checkFile(const std::string& path, const char* what, int status, const std::vector<Expected>& findings)
{
    ToolRun run = runLevelTool({"check", path});
    EXPECT_EQ(run.status, status) << "exit status for " << what << "; output:\n" << run.output;
    for (const Expected& e : findings)
        EXPECT_TRUE(reports(run.output, path, e)) << "for " << what << " expected line " << e.line << " " << e.kind
                                                  << " containing \"" << e.excerpt << "\"; output:\n"
                                                  << run.output;
    return run;
}

TEST(LevelCheck, ReportsEachProblemWithItsLine)
{
    const std::vector<BrokenMap> cases = {
        {"an unknown token",
         "fogcolor= 0x8090a0\ncolour= 5\nholecount= 0\n.data\n.end\n",
         1,
         {{2, "error", "unknown token \"colour=\""},
          {2, "error", "unknown token \"5\""},
          {0, "error", "the game's loader says: map.map contains a unknown token colour="}}},
        {"a key glued to its value",
         "fogcolor=0x8090a0\nholecount= 0\n.data\n.end\n",
         1,
         {{1, "error", "unknown token \"fogcolor=0x8090a0\" (a key and its value must be separated by whitespace)"}}},
        {"a key with nothing after it",
         "fogcolor= 0x8090a0\nholecount= 0\n.data\n.end\nmarblecolor=\n",
         1,
         {{5, "error", "marblecolor= has no value: the file ends after the key"}}},
        {"a key followed by another key",
         "fogcolor=\nmarblecolor= 0xff2020\nholecount= 0\n.data\n.end\n",
         1,
         {{1, "error", "fogcolor= has no value: the next item is \"marblecolor=\""}}},
        {"too few hole values",
         "holecount= 2\n.data\n0 -3000 60 150\n-300 1500 90\n.end\n",
         1,
         {{5, "error", "too few hole values: holecount= 2 needs 8, the .data section at line 2 gives 7"}}},
        {"a missing .end",
         "holecount= 1\n.data\n0 -3000 60 150\n",
         1,
         {{2, "error", "missing .end after the hole values"}, {0, "error", "the game's loader says: expected .end"}}},
        {"more hole values than the count",
         "holecount= 1\n.data\n0 -3000 60 150\n\n100 0 60 150\n.end\n",
         1,
         {{5, "error", "4 hole values more than holecount= 1 declares"}}},
        {".data before holecount=",
         ".data\n0 -3000 60 150\n.end\nholecount= 0\n.data\n.end\n",
         1,
         {{1, "error", ".data comes before any holecount="}}},
        {"holecount= without .data",
         "fogcolor= 0x8090a0\nholecount= 2\n",
         1,
         {{2, "error", "holecount= is not followed by its .data section"}}},
        {"a negative hole count", "holecount= -3\n.data\n.end\n", 1, {{1, "error", "holecount= value -3 is negative"}}},
        {"an octal colour with a digit 8",
         "fogcolor= 08\nholecount= 0\n.data\n.end\n",
         1,
         {{1, "error", "fogcolor= value \"08\" has a leading 0, which makes it octal, and a digit 8 or 9"}}},
        {"a hole value that is not a number",
         "holecount= 1\n.data\n0 -3000 6O 150\n.end\n",
         1,
         {{3, "error", "hole value \"6O\" is not a number"}}},
        {"a hole without a radius",
         "holecount= 2\n.data\n0 -3000 60 150\n\n200 0 0 90\n.end\n",
         1,
         {{5, "error", "hole 2 (x 200, y 0, radius 0, depth 90) has a radius that is not positive"}}},
        {"the start point inside a hole",
         "holecount= 2\n.data\n0 -3000 60 150\n20 -5790 60 150\n.end\n",
         1,
         {{4, "error", "the start point (0, -5800) is inside hole 2"}}},
        {"missing texture images",
         "texturefile= nosuch\nholecount= 0\n.data\n.end\n",
         1,
         {{1, "error",
           "texture images nosuch_0.bmp, nosuch_1.bmp, nosuch_2.bmp, nosuch_3.bmp, nosuch_4.bmp, "
           "nosuch_5.bmp, nosuch_6.bmp and nosuch_7.bmp are missing"},
          {0, "error", "the game's loader says: nosuch_0.bmp"}}},
        {"an empty file", "\n\n", 1, {{0, "error", "the file is empty"}}},
        // Near is allowed (nothing catches the marble there), so the file is still sound.
        {"the start point near a hole",
         "holecount= 1\n.data\n150 -5650 40 60\n.end\n",
         0,
         {{3, "warning", "the start point (0, -5800) is near hole 1"}}},
        // The game reads a huge depth as the largest float, and depth x radius overflows: no surface.
        {"a surface that is not finite",
         "holecount= 2\n.data\n0 3000 60 150\n0 0 300 -3e38\n.end\n",
         1,
         {{4, "error", "hole 2 (x 0, y 0, radius 300, depth -3.00000001e+38) makes the surface height infinite"}}},
        {"a dip the waiting marble rolls into",
         "holecount= 1\n.data\n0 -5560 60 150\n.end\n",
         1,
         {{3, "error",
           "left alone after the start signal, the marble rolls into hole 1 (x 0, y -5560, radius 60, "
           "depth 150) after 1.38 s"}}},
        {"a hole far off the board",
         "holecount= 2\n.data\n0 3000 60 150\n\n1e30 0 50 100\n.end\n",
         0,
         {{5, "warning", "hole 2 (x 1.00000002e+30, y 0, radius 50, depth 100) does not reach the board"}}},
        {"a repeated holecount=",
         "holecount= 1\n.data\n0 3000 60 150\n.end\nholecount= 0\n.data\n.end\n",
         0,
         {{5, "warning", "holecount= again: its .data section replaces the 1 hole given at line 2"}}},
        {"numbers with a leading 0",
         "fogcolor= 0123456\nholecount= 01\n.data\n0 3000 60 150\n.end\n",
         0,
         {{1, "warning", "fogcolor= value 0123456 has a leading 0, so the game reads it as octal: 0xa72e"},
          {2, "warning", "holecount= value 01 has a leading 0, so the game reads it as octal: 1"}}},
        // The game keeps a hole this thin (its radius becomes the smallest normal float): so does check.
        {"a radius below the float range",
         "holecount= 1\n.data\n0 3000 1e-50 150\n.end\n",
         0,
         {{3, "warning",
           "hole value 1e-50 is at or below the smallest normal float: the game reads it as "
           "1.17549435e-38"}}},
        {"a sound file without texture", SoundBody, 0, {{0, "warning", "no texturefile="}}},
    };
    for (const BrokenMap& c : cases) {
        TempFolder folder;
        std::string path = folder.file("map.map");
        writeTextFile(path, c.text);
        ToolRun run = checkFile(path, c.what, c.status, c.findings);
        bool sound = run.output.find(path + ": sound") != std::string::npos;
        EXPECT_EQ(sound, c.status == 0) << "verdict line for " << c.what << "; output:\n" << run.output;
    }
}

TEST(LevelCheck, FailsWhenAnyOfSeveralFilesIsBroken)
{
    TempFolder folder;
    writeTextFile(folder.file("good.map"), SoundBody);
    writeTextFile(folder.file("bad.map"), "holecount= 1\n.data\n0 0 60\n.end\n");
    ToolRun run = runLevelTool({"check", folder.file("good.map"), folder.file("bad.map")});
    EXPECT_EQ(run.status, 1) << run.output;
    EXPECT_NE(run.output.find(folder.file("good.map") + ": sound, 2 holes"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find(folder.file("bad.map") + ":4: error: too few hole values"), std::string::npos)
        << run.output;
}

TEST(LevelCheck, ChecksAMapListAndEveryMapItNames)
{
    struct ListCase {
        const char* what;
        const char* name; // the list's file name: by name, or recognised by its content
        const char* text;
        int status;
        std::vector<Expected> findings;
    };
    const std::vector<ListCase> cases = {
        {"a sound list", "maplist.dat", "2\none.map\ntwo.map", 0, {}},
        {"a sound list under another name", "levels.txt", "2\none.map two.map\n", 0, {}},
        {"too few names",
         "maplist.dat",
         "3\none.map\ntwo.map\n",
         1,
         {{1, "error", "the count says 3 levels, the file names 2 levels"},
          {0, "error", "the game says: could not initialize map data"}}},
        {"too many names",
         "maplist.dat",
         "1\none.map\n\ntwo.map\n",
         1,
         {{1, "error", "the count says 1 level, the file names 2 levels"},
          {4, "error", "\"two.map\" is more than the count"}}},
        {"a count of 0", "maplist.dat", "0\n", 1, {{1, "error", "the level count 0 is below 1"}}},
        {"a name that is no file", "maplist.dat", "2\none.map\nthree.map", 1, {{3, "error", "level 2: "}}},
        {"a broken map", "maplist.dat", "2\none.map\nbroken.map", 1, {}},
    };
    for (const ListCase& c : cases) {
        TempFolder folder;
        writeTextFile(folder.file("one.map"), SoundBody);
        writeTextFile(folder.file("two.map"), SoundBody);
        writeTextFile(folder.file("broken.map"), "holecount= 1\n.data\n0 0 60\n.end\n");
        std::string path = folder.file(c.name);
        writeTextFile(path, c.text);
        ToolRun run = checkFile(path, c.what, c.status, c.findings);
        if (c.status == 0) {
            EXPECT_NE(run.output.find(folder.file("one.map") + ": sound, 2 holes"), std::string::npos)
                << "each map is checked too; output:\n"
                << run.output;
            EXPECT_NE(run.output.find(path + ": sound, 2 levels"), std::string::npos) << run.output;
        }
        if (std::string(c.what) == "a broken map") {
            EXPECT_NE(run.output.find(folder.file("broken.map") + ":4: error: too few hole values"), std::string::npos)
                << run.output;
        }
    }
}

TEST(LevelCheck, CountsInWords)
{
    TempFolder folder;
    std::string path = folder.file("one.map");
    writeTextFile(path, "holecount= 1\n.data\n0 3000 60 150\n.end\n");
    ToolRun run = runLevelTool({"check", path});
    EXPECT_NE(run.output.find(path + ": sound, 1 hole\n"), std::string::npos) << run.output;
}

TEST(LevelCheck, FindsTexturesInTheMapsFolderOrTheDataFolderGiven)
{
    TempFolder folder;
    std::string path = folder.file("grassy.map");
    writeTextFile(path, std::string("texturefile= grass\n") + SoundBody);
    ToolRun alone = runLevelTool({"check", path});
    EXPECT_EQ(alone.status, 1) << "grass images are not beside the map; output:\n" << alone.output;
    EXPECT_NE(alone.output.find(path + ":1: error: texture images grass_0.bmp"), std::string::npos) << alone.output;

    ToolRun withData = runLevelTool({"check", "--data", ROLIQUO_DATA_DIR, path});
    EXPECT_EQ(withData.status, 0) << "the data pack has the grass images; output:\n" << withData.output;
}

TEST(LevelCheck, EveryShippedSetAndLevelIsSound)
{
    std::vector<ShippedSet> sets = shippedSets();
    ASSERT_GE(sets.size(), 2u) << "the data pack should ship a second level set";
    ASSERT_GE(sets[0].maps.size(), 8u) << "maplist.dat in the data pack should list the first set";
    ToolRun run = runLevelTool({"check", dataPackPath("")});
    EXPECT_EQ(run.status, 0) << run.output << run.errors;
    for (const ShippedSet& set : sets) {
        if (!set.folder.empty()) {
            const std::string folder = dataPackPath(set.folder.substr(0, set.folder.size() - 1));
            EXPECT_NE(run.output.find(folder + ": sound set"), std::string::npos) << folder << ":\n" << run.output;
        }
        for (const std::string& name : set.maps) {
            const std::string path = dataPackPath(set.folder + name);
            EXPECT_NE(run.output.find(path + ": sound"), std::string::npos) << path << ":\n" << run.output;
            // A shipped level gives its own texture, fog and marble colour, and its start point is clear. Its
            // par route may leave no room for error: the solver's routes skim the dips.
            for (const std::string& line : splitLines(run.output)) {
                if (line.rfind(path + ": warning", 0) == 0) {
                    EXPECT_NE(line.find("runs of the par route"), std::string::npos) << path << ":\n" << run.output;
                }
            }
        }
    }
}

} // namespace
