// SPDX-License-Identifier: MIT
// roliquo-datagen: writes the game's complete default data pack (board textures, font, pictures,
// sound cues and music) into the folder given as its only argument, or with --icons the desktop icons
// in a hicolor theme folder. Output is the same on every run.
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "cues.h"
#include "font_atlas.h"
#include "icon.h"
#include "music.h"
#include "pictures.h"
#include "textures.h"

namespace {

const char* const FontPath = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";

bool step(const char* what, bool ok)
{
    if (!ok) {
        std::fprintf(stderr, "roliquo-datagen: could not write the %s\n", what);
    }
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    bool icons = argc == 3 && std::string(argv[1]) == "--icons";
    if (argc != 2 && !icons) {
        std::fprintf(stderr,
                     "usage: roliquo-datagen <output folder>\n"
                     "       roliquo-datagen --icons <output folder>\n");
        return 2;
    }
    const std::string folder = argv[argc - 1];
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        std::fprintf(stderr, "roliquo-datagen: cannot create %s: %s\n", folder.c_str(), error.message().c_str());
        return 1;
    }
    if (icons)
        return step("icons", writeIcons(folder)) ? 0 : 1;
    bool ok = step("board textures", writeBoardTextures(folder));
    ok = step("font", writeFont(folder, FontPath)) && ok;
    ok = step("pictures", writePictures(folder, FontPath)) && ok;
    ok = step("sound cues", writeCues(folder)) && ok;
    ok = step("music", writeMusic(folder)) && ok;
    return ok ? 0 : 1;
}
