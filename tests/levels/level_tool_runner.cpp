// SPDX-License-Identifier: MIT
// The level tests' way of running roliquo-level: through the shell with its output captured in files
// of a temporary folder, so the tool is exercised exactly as it is used from the command line.
#include "level_tool_runner.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string shellQuoted(const std::string& s)
{
    std::string out = "'";
    for (char c : s) {
        if (c == '\'')
            out += "'\\''";
        else
            out += c;
    }
    return out + "'";
}

} // namespace

ToolRun runLevelTool(const std::vector<std::string>& args, const std::string& stdinFile)
{
    TempFolder scratch;
    std::string command = shellQuoted(std::string(ROLIQUO_BINARY_DIR) + "/roliquo-level");
    for (const std::string& a : args)
        command += " " + shellQuoted(a);
    command += " < " + shellQuoted(stdinFile.empty() ? "/dev/null" : stdinFile);
    command += " > " + shellQuoted(scratch.file("out")) + " 2> " + shellQuoted(scratch.file("err"));
    int raw = std::system(command.c_str());
    ToolRun run;
    if (raw != -1 && WIFEXITED(raw))
        run.status = WEXITSTATUS(raw);
    run.output = readTextFile(scratch.file("out"));
    run.errors = readTextFile(scratch.file("err"));
    return run;
}

std::string readTextFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeTextFile(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary);
    out << text;
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

std::vector<std::string> splitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line))
        lines.push_back(line);
    return lines;
}

std::vector<std::string> splitWords(const std::string& line)
{
    std::vector<std::string> words;
    std::istringstream in(line);
    std::string word;
    while (in >> word)
        words.push_back(word);
    return words;
}

std::vector<std::string> shippedMapNames()
{
    std::vector<std::string> words = splitWords(readTextFile(dataPackPath("maplist.dat")));
    if (words.empty())
        return {};
    return std::vector<std::string>(words.begin() + 1, words.end());
}

std::vector<ShippedSet> shippedSets()
{
    std::vector<ShippedSet> sets{{"", "solutions/", shippedMapNames()}};
    std::vector<std::string> names;
    std::error_code failure;
    for (const auto& entry : std::filesystem::directory_iterator(dataPackPath("sets"), failure))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) {
        std::vector<std::string> words = splitWords(readTextFile(dataPackPath("sets/" + name + "/maplist.dat")));
        if (!words.empty())
            sets.push_back({"sets/" + name + "/", "solutions/" + name + "/", {words.begin() + 1, words.end()}});
    }
    return sets;
}

std::string levelTestsPath(const std::string& relative)
{
    return std::string(ROLIQUO_SOURCE_DIR) + "/tests/levels/" + relative;
}

std::string dataPackPath(const std::string& relative)
{
    return std::string(ROLIQUO_DATA_DIR) + "/" + relative;
}
