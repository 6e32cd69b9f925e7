// SPDX-License-Identifier: MIT
// Writing and reading replay files. The reader takes untrusted text: every line, count and length is
// bounded, and the first fault is reported with its line number.
#include "replay/replay_file.h"

#include "level/token_reader.h"

namespace {

const char* const HeaderMark = "#@";
const char* const FormatWord = "roliquo-replay";

void appendLagLine(std::string& out, uint8_t lag)
{
    out += "#@ lag ";
    out += std::to_string(lag);
    out += '\n';
}

bool parseLag(std::string_view word, uint8_t& lag)
{
    if (word.size() != 1 || word[0] < '0' || word[0] > '9')
        return false;
    lag = static_cast<uint8_t>(word[0] - '0');
    return true;
}

bool parseNonNegative(std::string_view word, float& out)
{
    return parseFloatWord(word, out) && out >= 0.0f;
}

// Reads the lines of one file in order; the state says what may come next.
class ReplayReader {
public:
    ReplayReader(Replay& replay, ReplayError& error) : replay_(replay), error_(error) { }

    bool line(std::string_view text, int number)
    {
        number_ = number;
        if (text.size() > MaxReplayLineLength)
            return fail("the line is longer than " + std::to_string(MaxReplayLineLength) + " characters");
        splitWords(text, words_);
        if (words_.empty())
            return true;
        if (words_[0].substr(0, 2) == HeaderMark) {
            if (words_[0].size() != 2)
                return fail("a \"#@\" mark is followed by a space");
            return header();
        }
        if (words_[0][0] == '#')
            return true; // a comment
        return tick(text);
    }

    bool finish(int lastLine)
    {
        number_ = lastLine;
        if (!versionSeen_)
            return fail("no \"#@ roliquo-replay 1\" line: this is not a replay");
        if (!totalSeen_)
            return fail("the file ends before its \"#@ total\" line");
        return true;
    }

private:
    bool fail(const std::string& message)
    {
        error_.line = number_;
        error_.message = message;
        return false;
    }

    bool header()
    {
        if (words_.size() < 2)
            return fail("a \"#@\" line needs a word after the mark");
        std::string_view kind = words_[1];
        if (!versionSeen_) {
            if (kind != FormatWord || words_.size() != 3)
                return fail("expected \"#@ roliquo-replay 1\" first");
            if (words_[2] != std::to_string(ReplayFormatVersion))
                return fail("replay format \"" + std::string(words_[2]) + "\" is not supported (this game reads " +
                            std::to_string(ReplayFormatVersion) + ")");
            versionSeen_ = true;
            return true;
        }
        if (totalSeen_)
            return fail("nothing but comments may follow the \"#@ total\" line");
        if (kind == "simulation")
            return simulation();
        if (kind == "level")
            return level();
        if (kind == "lag")
            return lag();
        if (kind == "total")
            return total();
        return fail("unknown header \"#@ " + std::string(kind) + "\"");
    }

    // #@ simulation N, only between the version line and the first level.
    bool simulation()
    {
        if (simulationSeen_ || !replay_.levels.empty())
            return fail("\"#@ simulation\" belongs right after the \"#@ roliquo-replay 1\" line, once");
        simulationSeen_ = true;
        std::string_view word = words_.size() == 3 ? words_[2] : std::string_view();
        bool digits = !word.empty() && word.size() <= 6 && word[0] != '0';
        for (char c : word)
            digits = digits && c >= '0' && c <= '9';
        if (!digits)
            return fail("expected \"#@ simulation N\" with N a whole number 1 to " +
                        std::to_string(MaxSimulationVersion));
        replay_.simulation = std::stoi(std::string(word));
        return true;
    }

    // #@ level NAME sha256 HEX clock C lag N booked B skipped yes|no marble X Y Z
    bool level()
    {
        static const char* const Shape =
            "expected \"#@ level NAME sha256 HEX clock C lag N booked B skipped yes|no marble X Y Z\"";
        if (words_.size() != 17 || words_[3] != "sha256" || words_[5] != "clock" || words_[7] != "lag" ||
            words_[9] != "booked" || words_[11] != "skipped" || words_[13] != "marble")
            return fail(Shape);
        if (replay_.levels.size() >= MaxReplayLevels)
            return fail("more than " + std::to_string(MaxReplayLevels) + " levels");
        ReplayLevel level;
        if (!isReplayMapName(words_[2]))
            return fail("map name \"" + std::string(words_[2]) + "\" is not a relative path of printable characters");
        level.mapName = words_[2];
        if (!isSha256Hex(words_[4]))
            return fail("the SHA-256 is not 64 lower-case hexadecimal digits");
        level.mapHash = words_[4];
        if (!parseFloatWord(words_[6], level.startClock))
            return fail("the clock \"" + std::string(words_[6]) + "\" is not a finite number");
        if (!parseLag(words_[8], level.startCameraLag))
            return fail("the camera lag \"" + std::string(words_[8]) + "\" is not a whole number 0 to 9");
        if (!parseNonNegative(words_[10], level.bookedSeconds))
            return fail("the booked time \"" + std::string(words_[10]) + "\" is not a finite number >= 0");
        if (words_[12] != "yes" && words_[12] != "no")
            return fail("skipped is \"yes\" or \"no\", not \"" + std::string(words_[12]) + "\"");
        level.skipped = words_[12] == "yes";
        if (!parseFloatWord(words_[14], level.endX) || !parseFloatWord(words_[15], level.endY) ||
            !parseFloatWord(words_[16], level.endZ))
            return fail("the marble's end position is not three finite numbers");
        currentLag_ = level.startCameraLag;
        replay_.levels.push_back(std::move(level));
        return true;
    }

    bool lag()
    {
        if (replay_.levels.empty())
            return fail("\"#@ lag\" before the first \"#@ level\" line");
        if (words_.size() != 3 || !parseLag(words_[2], currentLag_))
            return fail("expected \"#@ lag N\" with N a whole number 0 to 9");
        return true;
    }

    bool total()
    {
        if (replay_.levels.empty())
            return fail("\"#@ total\" before any \"#@ level\" line");
        if (words_.size() != 5 || words_[3] != "name")
            return fail("expected \"#@ total T name NAME\"");
        if (!parseNonNegative(words_[2], replay_.total))
            return fail("the total \"" + std::string(words_[2]) + "\" is not a finite number >= 0");
        if (!isReplayName(words_[4]))
            return fail("the name is not 1 to " + std::to_string(MaxReplayNameLength) + " printable characters");
        replay_.name = words_[4];
        totalSeen_ = true;
        return true;
    }

    bool tick(std::string_view text)
    {
        if (!versionSeen_ || replay_.levels.empty() || totalSeen_)
            return fail("a tick line outside a level");
        TickInput input;
        std::string reason;
        if (parseTickLine(text, input, reason) != TickLine::Step)
            return fail(reason);
        std::vector<ReplayTick>& ticks = replay_.levels.back().ticks;
        if (ticks.size() >= MaxReplayTicksPerLevel)
            return fail("more than " + std::to_string(MaxReplayTicksPerLevel) + " ticks in one level");
        if (++tickCount_ > MaxReplayTicks)
            return fail("more than " + std::to_string(MaxReplayTicks) + " ticks");
        ticks.push_back({input.seconds, input.keys, currentLag_});
        return true;
    }

    Replay& replay_;
    ReplayError& error_;
    std::vector<std::string_view> words_;
    int number_ = 0;
    bool versionSeen_ = false;
    bool simulationSeen_ = false;
    bool totalSeen_ = false;
    uint8_t currentLag_ = 0;
    size_t tickCount_ = 0;
};

} // namespace

std::string formatReplay(const Replay& replay)
{
    std::string out = "#@ roliquo-replay " + std::to_string(ReplayFormatVersion) + "\n";
    out += "#@ simulation " + std::to_string(replay.simulation) + "\n";
    for (const ReplayLevel& level : replay.levels) {
        out += "#@ level " + level.mapName + " sha256 " + level.mapHash + " clock ";
        out += exactFloatText(level.startClock);
        out += " lag " + std::to_string(level.startCameraLag) + " booked ";
        out += exactFloatText(level.bookedSeconds);
        out += level.skipped ? " skipped yes marble " : " skipped no marble ";
        out += exactFloatText(level.endX);
        out += ' ';
        out += exactFloatText(level.endY);
        out += ' ';
        out += exactFloatText(level.endZ);
        out += '\n';
        uint8_t lag = level.startCameraLag;
        for (const ReplayTick& tick : level.ticks) {
            if (tick.cameraLag != lag) {
                lag = tick.cameraLag;
                appendLagLine(out, lag);
            }
            out += formatTickLine({tick.seconds, tick.keys});
            out += '\n';
        }
    }
    out += "#@ total ";
    out += exactFloatText(replay.total);
    out += " name " + replay.name + "\n";
    return out;
}

bool parseReplay(std::string_view text, Replay& replay, ReplayError& error)
{
    replay = Replay();
    replay.simulation = UnnamedSimulationVersion;
    ReplayReader reader(replay, error);
    int number = 0;
    size_t start = 0;
    std::string_view line;
    while (nextLine(text, start, line)) {
        if (!reader.line(line, ++number))
            return false;
    }
    return reader.finish(number);
}

bool readReplayFile(const std::string& path, Replay& replay, ReplayError& error)
{
    std::string text;
    if (!readTextFile(path, text, MaxReplayFileBytes)) {
        error.line = 0;
        error.message = "cannot be read (missing, unreadable, or over " +
            std::to_string(MaxReplayFileBytes / (1024 * 1024)) + " MiB)";
        return false;
    }
    return parseReplay(text, replay, error);
}

bool isReplayName(std::string_view name)
{
    return name.size() <= MaxReplayNameLength && isPrintableWord(name);
}

bool isReplayMapName(std::string_view name)
{
    if (name.size() > MaxReplayNameLength || !isPrintableWord(name) || name[0] == '/' ||
        name.find('\\') != std::string_view::npos)
        return false;
    // No ".." component: a replay names files inside the data folder only.
    size_t start = 0;
    while (start <= name.size()) {
        size_t end = name.find('/', start);
        if (end == std::string_view::npos)
            end = name.size();
        if (name.substr(start, end - start) == "..")
            return false;
        start = end + 1;
    }
    return true;
}

std::string simulationMismatch(const Replay& replay)
{
    if (replay.simulation == SimulationVersion)
        return "";
    return "recorded with simulation " + std::to_string(replay.simulation) + "; this is simulation " +
        std::to_string(SimulationVersion);
}

std::string replayErrorText(const std::string& path, const ReplayError& error)
{
    return path + (error.line > 0 ? ":" + std::to_string(error.line) : "") + ": " + error.message;
}

bool readPlayableReplay(const std::string& path, Replay& replay, ReplayError& error, bool& otherSimulation)
{
    otherSimulation = false;
    if (!readReplayFile(path, replay, error))
        return false;
    error.message = simulationMismatch(replay);
    if (error.message.empty())
        return true;
    error.line = 0;
    otherSimulation = true;
    return false;
}
