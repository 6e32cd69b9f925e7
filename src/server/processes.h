// SPDX-License-Identifier: MIT
// The server's processes: the HTTP process and the verification workers it starts and keeps going (the
// simulation is one state per process, so workers are processes, not threads), and their clean end on
// SIGTERM.
#pragma once

#include "server/pack_catalog.h"
#include "server/server_options.h"

// `roliquo-server`: migrations, the pack registered, lapsed leases reclaimed, the workers started, then
// HTTP until SIGTERM or SIGINT. Returns the exit status.
int runServer(const ServerOptions& options, const PackCatalog& catalog);

// `roliquo-server worker`: one worker in this process, or --workers N as processes of their own.
// Returns the exit status.
int runWorkers(const ServerOptions& options, const PackCatalog& catalog);
