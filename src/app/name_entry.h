// SPDX-License-Identifier: MIT
// Name typing on the name-entry screen, and the frame call of the app that runs it just before the
// frame is composed. Drawing itself is screen/frame.cpp.
#pragma once

// Takes LastKey into the best-times row being named; the third letter ends the name and saves the table.
void typeName();

// Shows one frame: on the name-entry screen the typed key is taken first, then composeFrame draws. Like
// composeFrame, it does nothing while no GL context exists.
void presentFrame();
