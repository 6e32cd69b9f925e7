// SPDX-License-Identifier: MIT
// The headless records that stand in for dialogs, beeps, cues and music, and the failures a test can
// provoke in them.
#include <gtest/gtest.h>

#include "platform/headless/headless.h"

using headless::MusicRecord;

TEST(HeadlessRecords, BoxesBeepsAndCuesAreKeptInOrder)
{
    headless::reset();
    platform::messageBox("could not initialize map data", "Error", true);
    platform::messageBox("font_3.bmp", "error", false);
    platform::beep();
    platform::beep();
    platform::playWav("menu.wav");
    platform::playWav("go.wav");
    platform::playWav("menu.wav");

    const auto& boxes = headless::messageBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, "could not initialize map data");
    EXPECT_EQ(boxes[0].caption, "Error");
    EXPECT_TRUE(boxes[0].owned);
    EXPECT_EQ(boxes[1].caption, "error") << "captions keep their capitals";
    EXPECT_FALSE(boxes[1].owned);
    EXPECT_EQ(headless::beepCount(), 2);
    EXPECT_EQ(headless::cues(), (std::vector<std::string>{"menu.wav", "go.wav", "menu.wav"}));
    EXPECT_EQ(headless::pendingCount(), 0u) << "a box returns at once and queues nothing";

    headless::clearRecords();
    EXPECT_TRUE(headless::messageBoxes().empty());
    EXPECT_EQ(headless::beepCount(), 0);
    EXPECT_TRUE(headless::cues().empty());
}

TEST(HeadlessRecords, MusicOpensWithRisingIdsAndEndsWithANotice)
{
    headless::reset();
    uint32_t first = platform::openAndPlayMusic("mi_movie.mid");
    EXPECT_EQ(first, 1u) << "device ids start at 1";
    EXPECT_EQ(headless::playingMusicId(), first);

    headless::finishMusic();
    EXPECT_EQ(headless::playingMusicId(), 0u) << "a track that played out is no longer open";
    Message m;
    ASSERT_TRUE(platform::peekMessage(m)) << "the end of the track must arrive as a message";
    EXPECT_EQ(m.id, MusicNoticeMessage);
    EXPECT_EQ(m.lParam, static_cast<int64_t>(first));
    headless::finishMusic();
    EXPECT_FALSE(platform::peekMessage(m)) << "no second notice without music";

    platform::closeMusic(first); // the game closes on the notice; the id is gone, so nothing happens
    uint32_t second = platform::openAndPlayMusic("mi_movie.mid");
    EXPECT_GT(second, first) << "a new open gets a new id";
    platform::closeMusic(second + 5); // not open: ignored
    EXPECT_EQ(headless::playingMusicId(), second);
    platform::closeMusic(second);
    EXPECT_EQ(headless::playingMusicId(), 0u);
    EXPECT_FALSE(platform::peekMessage(m)) << "closing the music must not produce a notice";

    const std::vector<MusicRecord>& r = headless::musicRecords();
    const MusicRecord expected[] = {{"open", "mi_movie.mid", first},
                                    {"close", "", first},
                                    {"open", "mi_movie.mid", second},
                                    {"close", "", second + 5},
                                    {"close", "", second}};
    ASSERT_EQ(r.size(), std::size(expected));
    for (size_t i = 0; i < r.size(); ++i) {
        EXPECT_EQ(r[i].action, expected[i].action) << "record " << i;
        EXPECT_EQ(r[i].fileName, expected[i].fileName) << "record " << i;
        EXPECT_EQ(r[i].id, expected[i].id) << "record " << i;
    }
}

TEST(HeadlessRecords, FailedMusicOpenLeavesNothingOpen)
{
    headless::reset();
    headless::failMusicOpen(true);
    EXPECT_EQ(platform::openAndPlayMusic("mi_movie.mid"), 0u);
    EXPECT_EQ(headless::playingMusicId(), 0u);
    headless::finishMusic();
    EXPECT_EQ(headless::pendingCount(), 0u) << "a device that never opened never ends";
    ASSERT_EQ(headless::musicRecords().size(), 1u) << "the attempt is recorded";
    EXPECT_EQ(headless::musicRecords()[0].id, 0u);
    headless::failMusicOpen(false);
    EXPECT_GT(platform::openAndPlayMusic("mi_movie.mid"), 0u);
}

TEST(HeadlessRecords, PixelFormatFailuresAreReported)
{
    using platform::PixelFormatResult;
    for (PixelFormatResult r :
         {PixelFormatResult::NoMatch, PixelFormatResult::NeedsPalette, PixelFormatResult::SetFailed}) {
        headless::reset();
        headless::failPixelFormat(r);
        EXPECT_EQ(platform::setupPixelFormat(), r);
        EXPECT_FALSE(platform::lastErrorText().empty()) << "a failure comes with a system text";
    }
    headless::reset();
    EXPECT_EQ(platform::setupPixelFormat(), PixelFormatResult::Ok) << "reset stops the provoked failure";
}
