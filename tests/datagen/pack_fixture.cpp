// SPDX-License-Identifier: MIT
// Finding the pack under test (running the generator when the build has none), and reading back what
// it holds with the game's own BMP reader.
#include "pack_fixture.h"

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "level/bmp.h"
#include "support/data_folder.h"

namespace fs = std::filesystem;

namespace packtest {

int runGenerator(const std::string& arguments)
{
    const std::string command = "'" ROLIQUO_BINARY_DIR "/roliquo-datagen' " + arguments + " >/dev/null 2>&1";
    int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

const fs::path& freshPack()
{
    static testsupport::TempFolder folder;
    static const fs::path written =
        runGenerator("'" + folder.path().string() + "/pack'") == 0 ? folder.path() / "pack" : fs::path();
    return written;
}

const fs::path& pack()
{
    static const fs::path chosen =
        fs::exists(fs::path(ROLIQUO_DATA_DIR) / "font.dat") ? fs::path(ROLIQUO_DATA_DIR) : freshPack();
    return chosen;
}

const std::vector<std::string>& textureNames()
{
    static const std::vector<std::string> names = {"grass", "sand",  "ice",     "tiles", "lava",
                                                   "moss",  "metal", "heather", "slate", "peat"};
    return names;
}

std::vector<uint8_t> readBytes(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool loadPicture(const fs::path& file, Picture& out)
{
    // Room for the largest picture of the pack, 640 x 480.
    out.rgb.assign(640 * 480 * 3, 0);
    if (!readBmp(file.string(), out.rgb.data(), out.rgb.size(), &out.width, &out.height)) {
        return false;
    }
    out.rgb.resize(static_cast<size_t>(out.width) * out.height * 3);
    return true;
}

} // namespace packtest
