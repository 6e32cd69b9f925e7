// SPDX-License-Identifier: MIT
// Temporary folders for tests: a fresh folder removed with everything in it at the end, and one that is
// also the working directory meanwhile (the game reads and writes its files by bare name).
#pragma once

#include <filesystem>
#include <string>

namespace testsupport {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

// Makes a folder the working directory for its lifetime; the previous one comes back afterwards.
class WorkingDirectory {
public:
    explicit WorkingDirectory(const std::filesystem::path& folder);
    ~WorkingDirectory();
    WorkingDirectory(const WorkingDirectory&) = delete;
    WorkingDirectory& operator=(const WorkingDirectory&) = delete;

private:
    std::filesystem::path previous_;
};

// A temporary folder that is the working directory while it lives.
class TempWorkingFolder {
public:
    const std::filesystem::path& path() const { return folder_.path(); }
    std::string file(const std::string& name) const { return folder_.file(name); }

private:
    TempFolder folder_;
    WorkingDirectory inside_{folder_.path()};
};

} // namespace testsupport
