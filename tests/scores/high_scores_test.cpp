// SPDX-License-Identifier: MIT
// The best-times table and its file: defaults for a missing or damaged file, the exact saved text, the
// safe rewrite that leaves the old file alone when it fails, and where a new total is placed.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "level/file_fixture.h"
#include "scores/high_scores.h"

namespace {

std::string repeat(const std::string& row, int times)
{
    std::string text;
    for (int i = 0; i < times; ++i)
        text += row;
    return text;
}

const std::string DefaultText = repeat("225 aaa ", 10);

void setRows(const std::vector<std::pair<float, std::string>>& rows)
{
    for (size_t i = 0; i < rows.size(); ++i) {
        HighScores[i].time = rows[i].first;
        HighScores[i].name = rows[i].second;
    }
}

void expectDefaultTable(const std::string& why)
{
    for (int i = 0; i < HighScoreRows; ++i) {
        EXPECT_EQ(HighScores[i].time, 225.0f) << why << ": row " << i;
        EXPECT_EQ(HighScores[i].name, "aaa") << why << ": row " << i;
    }
}

// Files in the folder other than the ones named: a failed save must leave no temporary file behind.
std::vector<std::string> strayFiles(const std::vector<std::string>& expected)
{
    std::vector<std::string> stray;
    for (const auto& entry : std::filesystem::directory_iterator(".")) {
        std::string name = entry.path().filename().string();
        if (std::find(expected.begin(), expected.end(), name) == expected.end())
            stray.push_back(name);
    }
    return stray;
}

class HighScoreFile : public ::testing::Test {
protected:
    void SetUp() override { setRows(std::vector<std::pair<float, std::string>>(10, {1.0f, "old"})); }
    void TearDown() override { setDefaultHighScores(); }
    TempFolder folder;
};

TEST_F(HighScoreFile, NoFileGivesTheDefaultTableAndSavesItsText)
{
    EXPECT_TRUE(readHighScores());
    expectDefaultTable("no file");
    ASSERT_TRUE(writeHighScores());
    EXPECT_EQ(readFile("highScore.dat"), DefaultText);
}

TEST_F(HighScoreFile, DamagedFilesGiveTheDefaultTable)
{
    const struct {
        const char* what;
        std::string text;
    } cases[] = {
        {"nine rows", repeat("10 abc ", 9)},
        {"nine rows and a time", repeat("10 abc ", 9) + "10"},
        {"an empty file", ""},
        {"a malformed time", repeat("10 abc ", 4) + "ten abc " + repeat("10 abc ", 5)},
        {"a time with an empty exponent", "1e abc " + repeat("10 abc ", 9)},
    };
    for (const auto& c : cases) {
        SetUp();
        writeFile("highScore.dat", c.text);
        EXPECT_TRUE(readHighScores()) << c.what;
        expectDefaultTable(c.what);
    }
}

TEST_F(HighScoreFile, AnOverlongNameIsCutAndTheOtherRowsKept)
{
    writeFile("highScore.dat", repeat("10 abc ", 9) + "20 " + std::string(300, 'n') + " ");
    ASSERT_TRUE(readHighScores());
    EXPECT_EQ(HighScores[0].name, "abc");
    EXPECT_EQ(HighScores[9].time, 20.0f);
    EXPECT_EQ(HighScores[9].name, std::string(255, 'n'));
}

TEST_F(HighScoreFile, ADamagedFileIsKeptAsideByTheNextSave)
{
    const std::string damaged = "12.5 abc nonsense";
    writeFile("highScore.dat.damaged", "an older damaged file");
    writeFile("highScore.dat", damaged);
    ASSERT_TRUE(readHighScores());
    expectDefaultTable("a damaged file");
    ASSERT_TRUE(writeHighScores());
    EXPECT_EQ(readFile("highScore.dat"), DefaultText);
    EXPECT_EQ(readFile("highScore.dat.damaged"), damaged) << "the damaged file replaces the older one";

    // Only the first save after reading it moves a file aside; a sound file is never moved.
    ASSERT_TRUE(writeHighScores());
    EXPECT_EQ(readFile("highScore.dat.damaged"), damaged);
    ASSERT_TRUE(readHighScores());
    ASSERT_TRUE(writeHighScores());
    EXPECT_EQ(readFile("highScore.dat.damaged"), damaged);
}

TEST_F(HighScoreFile, ASaveKilledAtAnyMomentLeavesOneWholeTableAndAtMostOneTemporaryFile)
{
    const std::string first = repeat("1 one ", 10);
    writeFile("highScore.dat", first);
    std::srand(20261208);
    for (int run = 0; run < 60; ++run) {
        pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int i = 0;; ++i) {
                setRows(
                    std::vector<std::pair<float, std::string>>(10, {i % 2 == 0 ? 2.0f : 1.0f, i % 2 ? "one" : "two"}));
                writeHighScores();
            }
        }
        ::usleep(static_cast<useconds_t>(std::rand() % 20000));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        std::string table = readFile("highScore.dat");
        ASSERT_TRUE(table == first || table == repeat("2 two ", 10)) << "run " << run << ": " << table;
        std::vector<std::string> stray = strayFiles({"highScore.dat"});
        ASSERT_LE(stray.size(), 1u) << "run " << run;
        if (!stray.empty()) {
            ASSERT_EQ(stray[0], "highScore.dat.tmp");
        }
    }
    setDefaultHighScores();
    ASSERT_TRUE(writeHighScores()) << "a save after a crash replaces the temporary file left behind";
    EXPECT_EQ(strayFiles({"highScore.dat"}), std::vector<std::string>{});
}

TEST_F(HighScoreFile, ASaveIntoAReadOnlyFolderReportsItsReason)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only folders; the directory case below covers the failure";
    std::filesystem::permissions(".", std::filesystem::perms::owner_write, std::filesystem::perm_options::remove);
    ::testing::internal::CaptureStderr();
    bool ok = writeHighScores();
    std::string said = ::testing::internal::GetCapturedStderr();
    std::filesystem::permissions(".", std::filesystem::perms::owner_write, std::filesystem::perm_options::add);
    EXPECT_FALSE(ok);
    EXPECT_NE(said.find("Permission denied"), std::string::npos) << said;
}

TEST_F(HighScoreFile, ReadsTenRowsInFileOrderIgnoringWhatFollows)
{
    std::string text = "83.5 BOB\n12 AL\t\t300 CY\r\n" + repeat("99.25 DD ", 6) + "1e2 " + std::string(255, 'n') +
        " trailing words 1 2 3\n";
    writeFile("highScore.dat", text);
    ASSERT_TRUE(readHighScores());
    EXPECT_EQ(HighScores[0].time, 83.5f);
    EXPECT_EQ(HighScores[0].name, "BOB");
    EXPECT_EQ(HighScores[1].time, 12.0f) << "rows stay in file order until a total is placed";
    EXPECT_EQ(HighScores[2].name, "CY");
    EXPECT_EQ(HighScores[8].time, 99.25f);
    EXPECT_EQ(HighScores[9].time, 100.0f);
    EXPECT_EQ(HighScores[9].name, std::string(255, 'n')) << "a 255-character name is kept";
}

TEST_F(HighScoreFile, SavesSixSignificantDigitsAndReadsBack)
{
    setRows({{83.5f, "ABC"},
             {123.456789f, "DEF"},
             {225.0f, "aaa"},
             {0.5f, "X"},
             {1000000.0f, "BIG"},
             {60.0f, "GHI"},
             {225.0f, "aaa"},
             {225.0f, "aaa"},
             {225.0f, "aaa"},
             {225.0f, "aaa"}});
    ASSERT_TRUE(writeHighScores());
    EXPECT_EQ(readFile("highScore.dat"),
              "83.5 ABC 123.457 DEF 225 aaa 0.5 X 1e+06 BIG 60 GHI 225 aaa 225 aaa 225 aaa 225 aaa ");

    setDefaultHighScores();
    ASSERT_TRUE(readHighScores());
    EXPECT_EQ(HighScores[0].name, "ABC");
    EXPECT_EQ(HighScores[1].time, 123.457f) << "the saved time is the six-digit one";
    EXPECT_EQ(HighScores[4].time, 1000000.0f);
}

TEST_F(HighScoreFile, NamesAreSavedAsSingleTokens)
{
    setRows({{1.0f, "two words"},
             {2.0f, ""},
             {3.0f, std::string(300, 'z')},
             {4.0f, "tab\there"},
             {5.0f, "ok"},
             {6.0f, "ok"},
             {7.0f, "ok"},
             {8.0f, "ok"},
             {9.0f, "ok"},
             {10.0f, "ok"}});
    ASSERT_TRUE(writeHighScores());
    setDefaultHighScores();
    ASSERT_TRUE(readHighScores());
    EXPECT_EQ(HighScores[0].name, "two_words");
    EXPECT_EQ(HighScores[1].name, "_");
    EXPECT_EQ(HighScores[2].name, std::string(255, 'z'));
    EXPECT_EQ(HighScores[3].name, "tab_here");
    EXPECT_EQ(HighScores[9].time, 10.0f) << "the table read back whole";
}

TEST_F(HighScoreFile, AFailedSaveWhereTheFileIsADirectoryLeavesItAlone)
{
    std::filesystem::create_directory("highScore.dat");
    writeFile("highScore.dat/inside", "keep");
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(writeHighScores());
    std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("could not save the best times to highScore.dat: Is a directory"), std::string::npos)
        << "the failure and the system's reason go to standard error: " << said;
    EXPECT_TRUE(std::filesystem::is_directory("highScore.dat"));
    EXPECT_EQ(readFile("highScore.dat/inside"), "keep");
    EXPECT_EQ(strayFiles({"highScore.dat"}), std::vector<std::string>{}) << "a temporary file was left behind";
}

TEST_F(HighScoreFile, AFailedWriteLeavesTheOldFileIntact)
{
    // A file size limit makes the write itself fail, even for root; the old file must survive whole.
    const std::string old = "50 OLD " + repeat("225 aaa ", 9);
    writeFile("highScore.dat", old);
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    void (*previousHandler)(int) = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 16;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    bool saved_ok = writeHighScores();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(saved_ok) << "a write cut short must be reported";
    EXPECT_EQ(readFile("highScore.dat"), old);
    EXPECT_EQ(strayFiles({"highScore.dat"}), std::vector<std::string>{}) << "a temporary file was left behind";
}

TEST_F(HighScoreFile, ASaveReplacesTheOldFile)
{
    writeFile("highScore.dat", std::string(5000, 'x'));
    setDefaultHighScores();
    ASSERT_TRUE(writeHighScores());
    EXPECT_EQ(readFile("highScore.dat"), DefaultText) << "nothing of the longer old file may remain";
    EXPECT_EQ(strayFiles({"highScore.dat"}), std::vector<std::string>{});
}

class PlaceTotal : public ::testing::Test {
protected:
    void SetUp() override
    {
        setDefaultHighScores();
        HighScores[HighScoreRows] = HighScoreEntry{0.0f, "row10"};
    }
    void TearDown() override { setDefaultHighScores(); }
};

TEST_F(PlaceTotal, ABetterTotalTakesTheTopRow)
{
    EXPECT_EQ(placeTotal(100.5f), 0);
    EXPECT_EQ(HighScores[0].time, 100.5f);
    EXPECT_EQ(HighScores[0].name, "_") << "the name-entry cursor";
    for (int i = 1; i < HighScoreRows; ++i)
        EXPECT_EQ(HighScores[i].time, 225.0f) << "row " << i;
}

TEST_F(PlaceTotal, AWorseTotalFallsOff)
{
    EXPECT_EQ(placeTotal(300.0f), -1);
    expectDefaultTable("after a total that did not make the table");
    EXPECT_EQ(HighScores[HighScoreRows].time, 300.0f);
}

TEST_F(PlaceTotal, EqualTimesGoToTheLastEqualRow)
{
    // A skipped one-level game totals 225, like every default row: row 9 gets the cursor.
    EXPECT_EQ(placeTotal(225.0f), 9);
    EXPECT_EQ(HighScores[9].name, "_");
    EXPECT_EQ(HighScores[8].name, "aaa");

    setRows(
        {{10, "A"}, {20, "B"}, {20, "C"}, {30, "D"}, {40, "E"}, {50, "F"}, {60, "G"}, {70, "H"}, {80, "I"}, {90, "J"}});
    EXPECT_EQ(placeTotal(20.0f), 3) << "the new total sorts after the equal rows it joins";
    EXPECT_EQ(HighScores[1].name, "B");
    EXPECT_EQ(HighScores[2].name, "C");
    EXPECT_EQ(HighScores[4].name, "D");
    EXPECT_EQ(HighScores[HighScoreRows].name, "J") << "the old tenth row fell off";

    setRows(
        {{10, "A"}, {20, "B"}, {30, "C"}, {40, "D"}, {50, "E"}, {60, "F"}, {70, "G"}, {80, "H"}, {90, "I"}, {90, "J"}});
    EXPECT_EQ(placeTotal(90.0f), 9) << "a total equal to the tenth row takes that older row";
    EXPECT_EQ(HighScores[8].name, "I");
}

TEST_F(PlaceTotal, SortsATableReadOutOfOrder)
{
    setRows({{200, "A"},
             {100, "B"},
             {150, "C"},
             {225, "aaa"},
             {225, "aaa"},
             {225, "aaa"},
             {225, "aaa"},
             {225, "aaa"},
             {225, "aaa"},
             {225, "aaa"}});
    EXPECT_EQ(placeTotal(120.0f), 1);
    EXPECT_EQ(HighScores[0].name, "B");
    EXPECT_EQ(HighScores[2].name, "C");
    EXPECT_EQ(HighScores[3].name, "A");
}

TEST_F(PlaceTotal, ATotalThatIsNoNumberIsNotPlaced)
{
    EXPECT_EQ(placeTotal(std::nanf("")), -1);
    EXPECT_EQ(placeTotal(INFINITY), -1);
    expectDefaultTable("after a total that is no number");
}

} // namespace
