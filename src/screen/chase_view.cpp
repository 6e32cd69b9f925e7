// SPDX-License-Identifier: MIT
// The chase on the playing frame: the translucent ghost disc, the gap figure under the clock (green
// ahead, red behind), the ghost choice's word, and the summary of a finished level.
#include "screen/chase_view.h"

#include <utility>

#include "level/board.h"
#include "render/marble_renderer.h"
#include "screen/font.h"
#include "screen/game_state.h"
#include "sim/round_clock.h"
#include "sim/sim_state.h"

ChaseView TheChaseView;

namespace {

constexpr float GhostAlpha = 0.45f;
constexpr float SmallScale = 0.3939394f; // 13/33, as the statistics
constexpr float SummaryScale = 0.6f;

float roundTimeNow()
{
    return PlayingSeconds - RoundClock;
}

// "+0.52" or "-0.52": the sign always shown.
std::string signedSeconds(float seconds)
{
    std::string text = formatNumber(seconds, 2);
    return text.front() == '-' ? text : "+" + text;
}

void aheadOrBehindColor(float delta)
{
    if (delta <= 0.0f)
        TheFont.setColor(0.0f, 1.0f, 0.0f, 1.0f);
    else
        TheFont.setColor(1.0f, 0.0f, 0.0f, 1.0f);
}

void drawCentred(const std::string& text, float y)
{
    TheFont.setPosition(320.0f - 0.5f * TheFont.measureText(text.c_str()), y);
    TheFont.drawText(text.c_str());
}

void drawGap()
{
    if (TheChaseView.ghost.empty() || LevelFinished || RoundClock > PlayingSeconds || RoundClock < 0.0f)
        return;
    float gap = 0.0f;
    if (!ghostGap(TheChaseView.ghost, roundTimeNow(), TheMarble.position.y, gap))
        return;
    TheFont.setScale(SmallScale);
    aheadOrBehindColor(gap);
    TheFont.setPosition(290.0f, 40.0f);
    TheFont.drawText(signedSeconds(gap).c_str());
}

void drawFinishSummary()
{
    const FinishSummary& finish = TheChaseView.lastFinish;
    if (!LevelFinished || finish.level != LevelNumber || LevelNumber < 1)
        return;
    TheFont.setScale(SummaryScale);
    TheFont.setColor(1.0f, 1.0f, 1.0f, 1.0f);
    drawCentred("TIME " + formatNumber(finish.seconds, 2), 270.0f);
    float y = 295.0f;
    if (finish.hadRecord) {
        aheadOrBehindColor(finish.recordDelta);
        drawCentred((finish.recordDelta < 0.0f ? "NEW RECORD " : "RECORD ") + signedSeconds(finish.recordDelta),
                    y);
    } else {
        TheFont.setColor(0.0f, 1.0f, 0.0f, 1.0f);
        drawCentred("FIRST RECORD", y);
    }
    y += 25.0f;
    if (finish.hasPar) {
        aheadOrBehindColor(finish.parDelta);
        drawCentred("PAR " + signedSeconds(finish.parDelta), y);
        y += 25.0f;
    }
    if (finish.medal != Medal::None) {
        TheFont.setColor(1.0f, 0.85f, 0.2f, 1.0f);
        drawCentred(medalName(finish.medal), y);
    }
}

} // namespace

void showGhost(bool shown, GhostTrack track)
{
    TheChaseView.shown = shown;
    TheChaseView.ghost = std::move(track);
}

void showGhostNotice(const char* word, float seconds)
{
    TheChaseView.notice = word;
    TheChaseView.noticeSeconds = seconds;
}

void showFinish(const FinishSummary& summary)
{
    TheChaseView.lastFinish = summary;
}

void drawGhost()
{
    Vec3 position;
    if (!TheChaseView.ghost.positionAt(roundTimeNow(), position))
        return;
    drawGhostMarble(position, TheChaseView.ghost.color, GhostAlpha, TheCamera.transform, TheBoard);
}

void drawChaseOverlay()
{
    if (TheChaseView.shown) {
        drawGap();
        drawFinishSummary();
    }
    if (TheChaseView.noticeSeconds > 0.0f) {
        TheFont.setScale(SmallScale);
        TheFont.setColor(1.0f, 1.0f, 1.0f, 1.0f);
        drawCentred(TheChaseView.notice, 60.0f);
        if (!Paused)
            TheChaseView.noticeSeconds -= FrameSeconds;
    }
}
