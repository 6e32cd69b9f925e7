// SPDX-License-Identifier: MIT
// Medals: a level's time against fixed multiples of its par, compared in double so a boundary such
// as 1.3 x 10 s is exactly 13 s.
#include "scores/medal.h"

#include <cmath>

#include "sim/round_clock.h"

Medal medalFor(float seconds, float par)
{
    if (!std::isfinite(par) || !(par > 0.0f) || !std::isfinite(seconds) || seconds > PlayingSeconds)
        return Medal::None;
    const double s = seconds;
    const double p = par;
    if (s <= p)
        return Medal::Author;
    if (s <= p * GoldParFactor)
        return Medal::Gold;
    if (s <= p * SilverParFactor)
        return Medal::Silver;
    if (s <= p * BronzeParFactor)
        return Medal::Bronze;
    return Medal::None;
}

const char* medalName(Medal medal)
{
    switch (medal) {
    case Medal::Author:
        return "AUTHOR";
    case Medal::Gold:
        return "GOLD";
    case Medal::Silver:
        return "SILVER";
    case Medal::Bronze:
        return "BRONZE";
    case Medal::None:
        break;
    }
    return "";
}
