// SPDX-License-Identifier: MIT
// The names of the keys the game tells apart and of the pad's buttons, spelled as SDL spells them.
#include "controls/key_names.h"

#include "platform/pad_map.h"
#include "platform/platform.h"

namespace {

struct NamedKey {
    int virtualKey;
    const char* name;
};

// A code's first row is the name it is written with; both shifts (and both Ctrls, both Alts) are one key.
constexpr NamedKey Keys[] = {
    {8, "Backspace"},
    {VkTab, "Tab"},
    {VkEnter, "Return"},
    {VkEnter, "Keypad Enter"},
    {VkShift, "Left Shift"},
    {VkShift, "Right Shift"},
    {17, "Left Ctrl"},
    {17, "Right Ctrl"},
    {18, "Left Alt"},
    {18, "Right Alt"},
    {VkEscape, "Escape"},
    {VkSpace, "Space"},
    {VkPageUp, "PageUp"},
    {VkPageDown, "PageDown"},
    {35, "End"},
    {VkHome, "Home"},
    {VkLeft, "Left"},
    {VkUp, "Up"},
    {VkRight, "Right"},
    {VkDown, "Down"},
    {45, "Insert"},
    {46, "Delete"},
    {186, ";"},
    {187, "="},
    {VkComma, ","},
    {189, "-"},
    {VkPeriod, "."},
    {191, "/"},
    {192, "`"},
    {219, "["},
    {220, "\\"},
    {221, "]"},
    {222, "'"},
};

const char* const PadNames[] = {
    "a",    "b",      "x",      "y",       "back", "start", "leftstick", "rightstick", "leftshoulder", "rightshoulder",
    "dpup", "dpdown", "dpleft", "dpright",
};
constexpr int PadCount = static_cast<int>(sizeof PadNames / sizeof PadNames[0]);
constexpr std::string_view PadPrefix = "pad:";

char lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i]))
            return false;
    return true;
}

// "F1".."F12" as their codes; 0 otherwise.
int functionKey(std::string_view name)
{
    if (name.size() < 2 || name.size() > 3 || lower(name[0]) != 'f')
        return 0;
    int number = 0;
    for (char c : name.substr(1)) {
        if (c < '0' || c > '9')
            return 0;
        number = number * 10 + (c - '0');
    }
    return number >= 1 && number <= 12 && name[1] != '0' ? VkF1 + number - 1 : 0;
}

// "Keypad 0".."Keypad 9" as their codes (96..105); 0 otherwise.
int keypadDigit(std::string_view name)
{
    constexpr std::string_view Keypad = "keypad ";
    if (name.size() != Keypad.size() + 1 || !sameName(name.substr(0, Keypad.size()), Keypad))
        return 0;
    char c = name.back();
    return c >= '0' && c <= '9' ? 96 + (c - '0') : 0;
}

} // namespace

int keyNamed(std::string_view name)
{
    if (name.size() == 1) {
        char c = name[0];
        if (c >= 'a' && c <= 'z')
            return 'A' + (c - 'a');
        if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
            return c;
    }
    if (int key = functionKey(name))
        return key;
    if (int key = keypadDigit(name))
        return key;
    for (const NamedKey& k : Keys)
        if (sameName(name, k.name))
            return k.virtualKey;
    return 0;
}

std::string keyName(int virtualKey)
{
    if ((virtualKey >= 'A' && virtualKey <= 'Z') || (virtualKey >= '0' && virtualKey <= '9'))
        return std::string(1, static_cast<char>(virtualKey));
    if (virtualKey >= VkF1 && virtualKey <= VkF12)
        return "F" + std::to_string(virtualKey - VkF1 + 1);
    if (virtualKey >= 96 && virtualKey <= 105)
        return "Keypad " + std::to_string(virtualKey - 96);
    for (const NamedKey& k : Keys)
        if (k.virtualKey == virtualKey)
            return k.name;
    return "";
}

int padNamed(std::string_view name)
{
    if (name.size() <= PadPrefix.size() || !sameName(name.substr(0, PadPrefix.size()), PadPrefix))
        return 0;
    std::string_view button = name.substr(PadPrefix.size());
    for (int i = 0; i < PadCount; ++i)
        if (sameName(button, PadNames[i]))
            return i + 1;
    return 0;
}

std::string padName(int button)
{
    if (button < 1 || button > PadCount)
        return "";
    return std::string(PadPrefix) + PadNames[button - 1];
}
