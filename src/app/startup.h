// Start-up inside window creation: pixel format, GL context, map list, best times, font, fixed GL state.
#pragma once

bool startup();
