// SPDX-License-Identifier: MIT
// The headless counter and the periodic timer it drives: the timer message appears in the queue once
// its period has passed on the virtual counter, whatever the counter's rate.
#include <gtest/gtest.h>

#include "platform/headless/headless.h"

namespace {

int takeTimerMessages(int expectedId)
{
    int count = 0;
    Message m;
    while (platform::peekMessage(m)) {
        if (m.id != TimerMessage)
            continue;
        EXPECT_EQ(m.wParam, static_cast<uint64_t>(expectedId)) << "the timer message carries its timer number";
        ++count;
    }
    return count;
}

} // namespace

TEST(HeadlessCounter, AdvancesBySecondsAndCounts)
{
    headless::reset();
    EXPECT_EQ(platform::counterFrequency(), 1'000'000u);
    headless::advanceSeconds(0.0166667);
    EXPECT_EQ(platform::counterValue(), 16667u) << "seconds are rounded to whole counts";
    headless::advanceCounter(3);
    EXPECT_EQ(platform::counterValue(), 16670u);
    headless::setCounterFrequency(3'579'545);
    headless::setCounter(0);
    headless::advanceSeconds(2.0);
    EXPECT_EQ(platform::counterValue(), 7'159'090u);
    headless::advanceSeconds(-1.0);
    EXPECT_EQ(platform::counterValue(), 7'159'090u) << "a monotonic counter never goes back";
}

TEST(HeadlessTimer, FiresOncePerPeriodOfTheVirtualCounter)
{
    const struct {
        const char* what;
        uint64_t frequency;
        uint64_t step; // counts added before each peek
        int steps;
        int expected; // timer messages seen in total
    } cases[] = {
        {"just short of a second", 1'000'000, 999'999, 1, 0},
        {"exactly one second", 1'000'000, 1'000'000, 1, 1},
        {"sixty ticks of 1/60 s", 1'000'000, 16'667, 60, 1},
        {"ten seconds in 60 Hz ticks", 1'000'000, 16'667, 600, 10},
        {"periods count from the last firing: 6 s in 0.3 s steps", 1'000'000, 300'000, 20, 5},
        {"a long pause gives one message", 1'000'000, 50'000'000, 1, 1},
        {"three pauses of 1.5 s", 1'000'000, 1'500'000, 3, 3},
        {"odd counter rate, 2.5 s in quarter steps", 3'579'545, 894'886, 10, 2},
        {"millisecond counter", 1000, 250, 8, 2},
    };
    for (const auto& c : cases) {
        headless::reset();
        headless::setCounterFrequency(c.frequency);
        platform::startTimer(1, 1000);
        ASSERT_TRUE(headless::timerRunning());
        int seen = 0;
        for (int i = 0; i < c.steps; ++i) {
            headless::advanceCounter(c.step);
            seen += takeTimerMessages(1);
        }
        EXPECT_EQ(seen, c.expected) << c.what;
    }
}

TEST(HeadlessTimer, NothingBeforeStartAndRestartBeginsANewPeriod)
{
    headless::reset();
    EXPECT_FALSE(headless::timerRunning());
    headless::advanceSeconds(5.0);
    EXPECT_EQ(takeTimerMessages(1), 0) << "no timer runs before startTimer";

    platform::startTimer(1, 1000);
    headless::advanceSeconds(0.8);
    EXPECT_EQ(takeTimerMessages(1), 0);
    platform::startTimer(1, 1000); // restarting resets the period
    headless::advanceSeconds(0.8);
    EXPECT_EQ(takeTimerMessages(1), 0) << "a restart must begin the period again";
    headless::advanceSeconds(0.2);
    EXPECT_EQ(takeTimerMessages(1), 1);
}

TEST(HeadlessTimer, QueuesBehindWaitingMessagesAndNeverPilesUp)
{
    headless::reset();
    platform::startTimer(1, 1000);
    platform::postMessage(TickMessage);
    headless::advanceSeconds(1.0);
    Message m;
    ASSERT_TRUE(platform::peekMessage(m));
    EXPECT_EQ(m.id, TickMessage) << "a due timer goes behind what was already queued";
    // Two more periods pass while the first timer message still waits.
    headless::advanceSeconds(1.0);
    platform::postMessage(TickMessage);
    headless::advanceSeconds(1.0);
    int timers = 0, ticks = 0;
    while (platform::peekMessage(m)) {
        timers += m.id == TimerMessage;
        ticks += m.id == TickMessage;
    }
    EXPECT_EQ(timers, 1) << "at most one timer message waits in the queue";
    EXPECT_EQ(ticks, 1);
}

TEST(HeadlessTimer, CounterSetBackRestartsThePeriod)
{
    headless::reset();
    headless::setCounter(10'000'000);
    platform::startTimer(1, 1000);
    headless::setCounter(0);
    EXPECT_EQ(takeTimerMessages(1), 0) << "going back must not wrap round into a firing";
    headless::advanceSeconds(0.9);
    EXPECT_EQ(takeTimerMessages(1), 0);
    headless::advanceSeconds(0.1);
    EXPECT_EQ(takeTimerMessages(1), 1);
}
