// SPDX-License-Identifier: MIT
// The bindings record and what reads it: presses become actions, held keys become steering, the levels
// go to the mixer, and the settings lines are read and written.
#include "controls/controls.h"

#include "controls/key_names.h"
#include "platform/platform.h"

namespace {

const char* const NoneName = "none";
const char* const PadNoneName = "pad:none";

bool has(const int (&places)[2], int value)
{
    return value != 0 && (places[0] == value || places[1] == value);
}

template <typename Places> bool find(unsigned context, int value, const Places& places, Action& out)
{
    for (size_t i = 0; i < ActionCount; ++i) {
        if ((actionInfo(static_cast<Action>(i)).contexts & context) != 0 && has(places[i], value)) {
            out = static_cast<Action>(i);
            return true;
        }
    }
    return false;
}

// Whether the key was one of an action's defaults and is no longer bound to it: it was moved away.
template <typename Places> bool movedAway(int value, const Places& places, bool pad)
{
    for (size_t i = 0; i < ActionCount; ++i) {
        const ActionInfo& info = actionInfo(static_cast<Action>(i));
        if (has(pad ? info.pads : info.keys, value) && !has(places[i], value))
            return true;
    }
    return false;
}

bool parseLevel(std::string_view word, int& level)
{
    if (word.empty() || word.size() > 2)
        return false;
    int value = 0;
    for (char c : word) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    if (value > MaxSoundLevel)
        return false;
    level = value;
    return true;
}

// "bind ACTION NAME": the name may hold spaces ("Left Shift"), so it is the rest of the line's words.
void applyBind(const std::vector<std::string_view>& words, std::string& error)
{
    Action action{};
    if (words.size() < 3 || !actionNamed(words[1], action)) {
        error = words.size() < 3 ? "bind needs an action and a key" : "no action is called " + std::string(words[1]);
        return;
    }
    std::string name(words[2]);
    for (size_t i = 3; i < words.size(); ++i)
        name += " " + std::string(words[i]);
    size_t index = static_cast<size_t>(action);
    // "none" and "pad:none" leave the action without keys, or without buttons.
    if (name == NoneName || name == PadNoneName) {
        int(&places)[2] = name == NoneName ? TheControls.keys[index] : TheControls.pads[index];
        places[0] = places[1] = 0;
        (name == NoneName ? TheControls.keyBindsRead[index] : TheControls.padBindsRead[index]) = 2;
        return;
    }
    int pad = padNamed(name);
    int key = pad == 0 ? keyNamed(name) : 0;
    if (pad == 0 && key == 0) {
        error = "no key or pad button is called " + name;
        return;
    }
    int& count = pad != 0 ? TheControls.padBindsRead[index] : TheControls.keyBindsRead[index];
    int(&places)[2] = pad != 0 ? TheControls.pads[index] : TheControls.keys[index];
    if (count >= 2) {
        error = "a third " + std::string(pad != 0 ? "pad button" : "key") + " for " + actionInfo(action).name;
        return;
    }
    if (count == 0)
        places[0] = places[1] = 0;
    places[count] = pad != 0 ? pad : key;
    count += 1;
}

Controls defaultControls()
{
    Controls controls;
    for (size_t i = 0; i < ActionCount; ++i) {
        const ActionInfo& info = actionInfo(static_cast<Action>(i));
        for (int place = 0; place < 2; ++place) {
            controls.keys[i][place] = info.keys[place];
            controls.pads[i][place] = info.pads[place];
        }
    }
    return controls;
}

} // namespace

Controls TheControls = defaultControls();

void resetControls()
{
    ControlsPage page = TheControls.page;
    TheControls = defaultControls();
    TheControls.page = page;
}

bool actionOfKey(unsigned context, int virtualKey, Action& out)
{
    return find(context, virtualKey, TheControls.keys, out);
}

bool actionOfPad(unsigned context, int button, Action& out)
{
    return find(context, button, TheControls.pads, out);
}

int keyOfAction(Action action)
{
    return actionInfo(action).keys[0];
}

void postAction(Action action)
{
    platform::postMessage(ActionMessage, static_cast<uint64_t>(action));
}

int keyForPress(unsigned context, int virtualKey)
{
    Action action{};
    if (actionOfKey(context, virtualKey, action))
        return has(actionInfo(action).keys, virtualKey) ? virtualKey : keyOfAction(action);
    return movedAway(virtualKey, TheControls.keys, false) ? 0 : virtualKey;
}

int keyForPadPress(unsigned context, int button, int virtualKey)
{
    Action action{};
    if (actionOfPad(context, button, action))
        return has(actionInfo(action).keys, virtualKey) ? virtualKey : keyOfAction(action);
    return movedAway(button, TheControls.pads, true) ? 0 : virtualKey;
}

bool actionHeld(Action action)
{
    size_t index = static_cast<size_t>(action);
    for (int key : TheControls.keys[index])
        if (key != 0 && platform::isKeyDown(key))
            return true;
    for (int button : TheControls.pads[index])
        if (button != 0 && platform::isPadButtonDown(button))
            return true;
    return false;
}

bool pushingHarder()
{
    return TheControls.pushToggles ? TheControls.pushing : actionHeld(Action::Push);
}

void pushPressed()
{
    if (TheControls.pushToggles)
        TheControls.pushing = !TheControls.pushing;
}

void applySoundLevels()
{
    platform::setSoundLevels(TheControls.musicLevel, TheControls.cueLevel, MaxSoundLevel);
}

bool applyControlsLine(const std::vector<std::string_view>& words, std::string& error)
{
    error.clear();
    if (words.empty())
        return false;
    if (words[0] == "bind") {
        applyBind(words, error);
    } else if (words[0] == "volume") {
        int level = 0;
        bool music = words.size() == 3 && words[1] == "music";
        if (words.size() != 3 || (!music && words[1] != "cues") || !parseLevel(words[2], level))
            error = "volume takes music or cues and a level 0 to 10";
        else
            (music ? TheControls.musicLevel : TheControls.cueLevel) = level;
    } else if (words[0] == "shift") {
        if (words.size() != 2 || (words[1] != "hold" && words[1] != "toggle"))
            error = "shift takes hold or toggle";
        else
            TheControls.pushToggles = words[1] == "toggle";
    } else {
        return false;
    }
    return true;
}

std::string formatControlsLines()
{
    std::string text;
    for (size_t i = 0; i < ActionCount; ++i) {
        const ActionInfo& info = actionInfo(static_cast<Action>(i));
        const int(&keys)[2] = TheControls.keys[i];
        const int(&pads)[2] = TheControls.pads[i];
        if (keys[0] != info.keys[0] || keys[1] != info.keys[1]) {
            for (int key : keys)
                if (!keyName(key).empty())
                    text += std::string("bind ") + info.name + " " + keyName(key) + "\n";
            if (keyName(keys[0]).empty() && keyName(keys[1]).empty())
                text += std::string("bind ") + info.name + " " + NoneName + "\n";
        }
        if (pads[0] != info.pads[0] || pads[1] != info.pads[1]) {
            for (int button : pads)
                if (!padName(button).empty())
                    text += std::string("bind ") + info.name + " " + padName(button) + "\n";
            if (padName(pads[0]).empty() && padName(pads[1]).empty())
                text += std::string("bind ") + info.name + " " + PadNoneName + "\n";
        }
    }
    if (TheControls.musicLevel != MaxSoundLevel)
        text += "volume music " + std::to_string(TheControls.musicLevel) + "\n";
    if (TheControls.cueLevel != MaxSoundLevel)
        text += "volume cues " + std::to_string(TheControls.cueLevel) + "\n";
    if (TheControls.pushToggles)
        text += "shift toggle\n";
    return text;
}
