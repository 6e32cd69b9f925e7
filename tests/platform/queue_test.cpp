// SPDX-License-Identifier: MIT
// The headless queue: system events, posted messages and key presses come out in arrival order, and
// window creation delivers its create message synchronously.
#include <gtest/gtest.h>

#include <vector>

#include "platform/headless/headless.h"

namespace {

std::vector<Message> drain()
{
    std::vector<Message> out;
    Message m;
    while (platform::peekMessage(m))
        out.push_back(m);
    return out;
}

std::vector<Message> Delivered; // what the window procedure below was handed directly

int64_t recordingProc(uint32_t id, uint64_t wParam, int64_t lParam)
{
    Delivered.push_back(Message{id, wParam, lParam});
    if (id == CreateMessage)
        platform::postMessage(StartLevelMessage); // posting from inside creation
    return 0;
}

class HeadlessQueue : public ::testing::Test {
protected:
    void SetUp() override
    {
        headless::reset();
        Delivered.clear();
    }
};

} // namespace

TEST_F(HeadlessQueue, MixedSourcesComeOutInArrivalOrder)
{
    headless::pushKey(VkLeft);               // a key the system queued
    platform::postMessage(TickMessage);      // the loop's tick behind it
    headless::pushMessage(KillFocusMessage); // an event arriving after the post
    platform::postKeyPress(VkEnter);         // a menu line reusing a key
    platform::postMessage(StartLevelMessage, 7, -3);
    platform::postQuit(0);

    const struct {
        uint32_t id;
        uint64_t wParam;
        int64_t lParam;
    } expected[] = {
        {KeyDownMessage, VkLeft, 0},  {TickMessage, 0, 0},        {KillFocusMessage, 0, 0},
        {KeyDownMessage, VkEnter, 0}, {StartLevelMessage, 7, -3}, {QuitMessage, 0, 0},
    };
    ASSERT_EQ(headless::pendingCount(), std::size(expected));
    std::vector<Message> got = drain();
    ASSERT_EQ(got.size(), std::size(expected));
    for (size_t i = 0; i < got.size(); ++i) {
        EXPECT_EQ(got[i].id, expected[i].id) << "message " << i << " out of order";
        EXPECT_EQ(got[i].wParam, expected[i].wParam) << "message " << i << " lost its wParam";
        EXPECT_EQ(got[i].lParam, expected[i].lParam) << "message " << i << " lost its lParam";
    }
    Message m;
    EXPECT_FALSE(platform::peekMessage(m)) << "an empty queue must report nothing pending";
}

TEST_F(HeadlessQueue, QuitCarriesTheExitCode)
{
    for (int code : {0, 1, 255, -1}) {
        platform::postQuit(code);
        Message m;
        ASSERT_TRUE(platform::peekMessage(m));
        EXPECT_EQ(m.id, QuitMessage);
        EXPECT_EQ(static_cast<int>(static_cast<int64_t>(m.wParam)), code) << "exit code changed on the way";
    }
}

TEST_F(HeadlessQueue, CreateWindowDeliversCreateBeforeReturningAndShowQueuesPaint)
{
    ASSERT_TRUE(platform::createWindow(recordingProc));
    ASSERT_EQ(Delivered.size(), 1u) << "create must reach the procedure synchronously, exactly once";
    EXPECT_EQ(Delivered[0].id, CreateMessage);
    EXPECT_TRUE(headless::windowCreated());
    EXPECT_FALSE(headless::windowShown()) << "the window stays hidden until showWindow";

    platform::showWindow();
    EXPECT_TRUE(headless::windowShown());
    std::vector<Message> got = drain();
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0].id, StartLevelMessage) << "what creation posted comes first";
    EXPECT_EQ(got[1].id, PaintMessage) << "showing the window queues one paint";
    EXPECT_EQ(Delivered.size(), 1u) << "peekMessage hands messages back, it does not dispatch them";
}

TEST_F(HeadlessQueue, FailedWindowCreationSendsNothing)
{
    headless::failWindowCreation(true);
    EXPECT_FALSE(platform::createWindow(recordingProc));
    EXPECT_TRUE(Delivered.empty()) << "a window that was not made must not receive create";
    EXPECT_FALSE(headless::windowCreated());
    EXPECT_FALSE(platform::lastErrorText().empty());
    headless::failWindowCreation(false);
    EXPECT_TRUE(platform::createWindow(recordingProc));
}

TEST_F(HeadlessQueue, ResetForgetsQueueKeysWindowAndCounter)
{
    ASSERT_TRUE(platform::createWindow(recordingProc));
    headless::setKeyDown(VkUp, true);
    headless::setCounterFrequency(1000);
    headless::advanceCounter(5);
    platform::startTimer(1, 1000);
    headless::reset();
    EXPECT_EQ(headless::pendingCount(), 0u);
    EXPECT_FALSE(platform::isKeyDown(VkUp));
    EXPECT_FALSE(headless::windowCreated());
    EXPECT_FALSE(headless::timerRunning());
    EXPECT_EQ(platform::counterValue(), 0u);
    EXPECT_EQ(platform::counterFrequency(), 1'000'000u);
}
