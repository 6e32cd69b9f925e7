// SPDX-License-Identifier: MIT
// The HTTP API under /api/v1 (players, runs, levels, sets), /healthz and /metrics: JSON in and out,
// every error {"error": "..."}, one log line per request.
#pragma once

#include <httplib.h>

#include "server/database.h"

// Most headers a request may carry, and the HTTP threads and queued connections.
constexpr size_t MaxRequestHeaders = 64;
constexpr size_t HttpThreads = 8;
constexpr size_t QueuedConnections = 64;

void addApiRoutes(httplib::Server& server, ConnectionPool& pool);
