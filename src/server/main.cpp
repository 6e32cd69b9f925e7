// SPDX-License-Identifier: MIT
// roliquo-server: the leaderboard that books a run only after re-simulating its replay.
#include <cstdio>
#include <string>

#include "server/pack_catalog.h"
#include "server/processes.h"
#include "server/server_options.h"

int main(int argc, char** argv)
{
    ServerOptions options;
    std::string error;
    if (!parseServerOptions(argc, argv, options, error)) {
        std::fprintf(stderr, "roliquo-server: %s\n%s", error.c_str(), serverHelp().c_str());
        return 2;
    }
    if (options.showHelp) {
        std::fputs(serverHelp().c_str(), stdout);
        return 0;
    }
    if (options.showVersion) {
        std::printf("roliquo-server %s\n", ROLIQUO_VERSION);
        return 0;
    }
    PackCatalog catalog;
    bool read = readPackCatalog(options.pack, catalog, error);
    if (!error.empty())
        std::fprintf(stderr, "roliquo-server: %s%s", error.c_str(), error.back() == '\n' ? "" : "\n");
    if (!read)
        return 2;
    return options.workerOnly ? runWorkers(options, catalog) : runServer(options, catalog);
}
