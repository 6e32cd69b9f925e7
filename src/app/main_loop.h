// SPDX-License-Identifier: MIT
// The main loop: take a message without waiting and dispatch it; post a tick when the queue is empty.
#pragma once

// One pass of the loop. Returns false once the quit message was taken, with its exit code.
bool runLoopPass(int& exitCode);

// Runs passes until the quit message; returns its exit code.
int runMainLoop();
