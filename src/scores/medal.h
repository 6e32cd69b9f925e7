// SPDX-License-Identifier: MIT
// Medals against a level's par: author at or under par, then gold, silver and bronze at fixed multiples
// of it. A level without a par, or a level not finished, earns none.
#pragma once

enum class Medal {
    None,
    Bronze,
    Silver,
    Gold,
    Author,
};

// The multiples of par each medal allows (see README, "Records, medals and ghosts").
constexpr double GoldParFactor = 1.3;
constexpr double SilverParFactor = 1.6;
constexpr double BronzeParFactor = 2.2;

// par <= 0 or not finite means no par; seconds above the 45 s of a round means not finished.
Medal medalFor(float seconds, float par);

// "AUTHOR", "GOLD", "SILVER", "BRONZE"; "" for none.
const char* medalName(Medal medal);
