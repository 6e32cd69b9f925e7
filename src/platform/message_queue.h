// SPDX-License-Identifier: MIT
// The game's own message queue as every backend keeps it: messages in posting order, and the periodic
// timer, whose message is made on demand when a peek finds its period over, one waiting at most.
#pragma once

#include <cstdint>
#include <deque>

#include "platform/platform.h"

struct MessageQueue {
    std::deque<Message> messages;
    bool timerOn = false;
    int timerId = 0;
    uint64_t timerPeriodMs = 0;
    uint64_t timerLastFired = 0; // in the backend's own clock: at the start or at the latest firing

    void append(uint32_t id, uint64_t wParam = 0, int64_t lParam = 0)
    {
        messages.push_back(Message{id, wParam, lParam});
    }

    bool take(Message& out)
    {
        if (messages.empty())
            return false;
        out = messages.front();
        messages.pop_front();
        return true;
    }

    void startTimer(int id, int periodMs, uint64_t now)
    {
        timerOn = true;
        timerId = id;
        timerPeriodMs = periodMs > 0 ? static_cast<uint64_t>(periodMs) : 1;
        timerLastFired = now;
    }

    // The period ended at `now`: the next one starts, and the timer message is queued unless one still
    // waits (a long pause yields one message, not a burst, as with a system timer).
    void fireTimer(uint64_t now)
    {
        timerLastFired = now;
        for (const Message& m : messages)
            if (m.id == TimerMessage)
                return;
        append(TimerMessage, static_cast<uint64_t>(timerId));
    }

    // A peek at `now`, on a clock of `ticksPerSecond`: fires the timer when its period is over. A clock
    // set back (the headless counter, by a test) restarts the period instead of wrapping into a firing.
    void checkTimer(uint64_t now, uint64_t ticksPerSecond)
    {
        if (!timerOn)
            return;
        if (now < timerLastFired)
            timerLastFired = now;
        using Wide = unsigned __int128;
        if (Wide(now - timerLastFired) * 1000u < Wide(timerPeriodMs) * ticksPerSecond)
            return;
        fireTimer(now);
    }
};
