// SPDX-License-Identifier: MIT
// The one chase record.
#include "chase/chase.h"

Chase TheChase;
