// SPDX-License-Identifier: MIT
// Atomic file replacement: write "<path>.tmp", fsync it, rename it over path, fsync the folder. One
// fixed temporary name, so a crash leaves at most one such file and the next write replaces it.
#include "scores/atomic_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "platform/platform.h"

namespace {

bool writeAll(int fd, const std::string& text)
{
    const char* data = text.data();
    size_t left = text.size();
    while (left > 0) {
        ssize_t written = ::write(fd, data, left);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += written;
        left -= static_cast<size_t>(written);
    }
    return true;
}

// The rename is durable once the folder's entry is on disk too; a folder that cannot be synced (some
// file systems refuse) still holds the new file, so this is best effort.
void syncFolderOf(const std::string& path)
{
    std::string folder = std::filesystem::path(path).parent_path().string();
    int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace

bool writeFileAtomically(const std::string& path, const std::string& text, std::string& reason,
                         const std::string& keepOldAs)
{
    const std::string temp = path + ".tmp";
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        reason = std::strerror(errno);
        return false;
    }
    bool ok = writeAll(fd, text) && ::fsync(fd) == 0;
    if (!ok)
        reason = std::strerror(errno);
    if (::close(fd) != 0 && ok) {
        reason = std::strerror(errno);
        ok = false;
    }
    if (ok && !keepOldAs.empty() && std::rename(path.c_str(), keepOldAs.c_str()) != 0 && errno != ENOENT) {
        reason = std::strerror(errno);
        ok = false;
    }
    if (ok && std::rename(temp.c_str(), path.c_str()) != 0) {
        reason = std::strerror(errno);
        ok = false;
    }
    if (!ok) {
        ::unlink(temp.c_str());
        return false;
    }
    syncFolderOf(path);
    platform::filesSaved();
    return true;
}
