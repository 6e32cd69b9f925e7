// SPDX-License-Identifier: MIT
// The real SDL backend in this process: every keyboard key arrives with its classic code, and one of
// SDL's virtual gamepads reaches the menus, holds the steering keys, pauses the game when pulled out,
// and carries a whole one-level game to a saved name. Runs under Xvfb with the shipped data pack and a
// flat level of its own.
#include <SDL.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "app/main_loop.h"
#include "app/window_proc.h"
#include "platform/pad_map.h"
#include "platform/platform.h"
#include "scores/high_scores.h"
#include "screen/game_state.h"
#include "sim/marble.h"
#include "sim/sim_state.h"
#include "support/temp_folder.h"

namespace fs = std::filesystem;

namespace {

constexpr int16_t TriggerAtRest = -32768;

class VirtualPadGame : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        const fs::path pack = ROLIQUO_DATA_DIR;
        ASSERT_TRUE(fs::exists(pack / "font.dat")) << "no data pack in " << pack;
        // The pack's pictures, font and textures, with a one-level list of a flat board of our own.
        for (const auto& entry : fs::directory_iterator(pack)) {
            std::string name = entry.path().filename().string();
            if (name != "maplist.dat" && name != "highScore.dat")
                fs::create_symlink(entry.path(), Folder->path() / name);
        }
        std::ofstream(Folder->path() / "maplist.dat") << "1\nflat.map";
        std::ofstream(Folder->path() / "flat.map")
            << "texturefile= grass\nfogcolor= 0x808080\nmarblecolor= 0xff2020\nholecount= 0\n.data\n.end";
        fs::current_path(Folder->path());
        ASSERT_TRUE(platform::createWindow(windowProc)) << SDL_GetError();
        platform::showWindow();
        run(0.2); // the pads open once the first frames are out
        attach();
    }

    static void attach()
    {
        Pad = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                                        SDL_CONTROLLER_BUTTON_MAX, 0);
        ASSERT_GE(Pad, 0) << SDL_GetError();
        Joystick = SDL_JoystickOpen(Pad);
        ASSERT_NE(Joystick, nullptr) << SDL_GetError();
        // A virtual trigger's raw range is signed: its lowest value is the trigger at rest.
        for (auto trigger : {SDL_CONTROLLER_AXIS_TRIGGERLEFT, SDL_CONTROLLER_AXIS_TRIGGERRIGHT})
            SDL_JoystickSetVirtualAxis(Joystick, trigger, TriggerAtRest);
        run(0.2);
    }

    static void detach()
    {
        SDL_JoystickClose(Joystick);
        Joystick = nullptr;
        SDL_JoystickDetachVirtual(Pad);
        run(0.2);
    }

    // The game's own loop for a while of real time (or until `done`); false when the game ended.
    static bool run(double seconds, const std::function<bool()>& done = nullptr)
    {
        uint64_t end = SDL_GetTicks64() + static_cast<uint64_t>(seconds * 1000.0);
        int exitCode = 0;
        while (SDL_GetTicks64() < end) {
            if (!runLoopPass(exitCode))
                return false;
            if (done && done())
                return true;
        }
        return true;
    }

    static void press(SDL_GameControllerButton button)
    {
        SDL_JoystickSetVirtualButton(Joystick, button, 1);
        run(0.05);
        SDL_JoystickSetVirtualButton(Joystick, button, 0);
        run(0.05);
    }

    static void tilt(SDL_GameControllerAxis axis, int16_t value)
    {
        SDL_JoystickSetVirtualAxis(Joystick, axis, value);
        run(0.05);
    }

    static inline testsupport::TempFolder* Folder = new testsupport::TempFolder;
    static inline int Pad = -1;
    static inline SDL_Joystick* Joystick = nullptr;
};

// What the queue holds after SDL has seen one key press (the game's loop is not run here).
std::vector<Message> messagesAfterKey(SDL_Keycode sym, SDL_Scancode scancode, uint16_t mod = KMOD_NONE)
{
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.state = SDL_PRESSED;
    e.key.keysym.sym = sym;
    e.key.keysym.scancode = scancode;
    e.key.keysym.mod = mod;
    SDL_PushEvent(&e);
    std::vector<Message> out;
    Message m;
    while (platform::peekMessage(m))
        if (m.id == KeyDownMessage)
            out.push_back(m);
    return out;
}

TEST_F(VirtualPadGame, EveryKeyArrivesWithItsClassicCode)
{
    struct Case {
        SDL_Keycode sym;
        SDL_Scancode scancode;
        int code;
    } cases[] = {
        {SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE, 8},
        {SDLK_TAB, SDL_SCANCODE_TAB, 9},
        {SDLK_RETURN, SDL_SCANCODE_RETURN, 13},
        {SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER, 13},
        {SDLK_LCTRL, SDL_SCANCODE_LCTRL, 17},
        {SDLK_RSHIFT, SDL_SCANCODE_RSHIFT, 16},
        {SDLK_PAGEDOWN, SDL_SCANCODE_PAGEDOWN, 34},
        {SDLK_HOME, SDL_SCANCODE_HOME, 36},
        {SDLK_INSERT, SDL_SCANCODE_INSERT, 45},
        {SDLK_DELETE, SDL_SCANCODE_DELETE, 46},
        {SDLK_q, SDL_SCANCODE_Q, 'Q'},
        {SDLK_7, SDL_SCANCODE_7, '7'},
        {SDLK_KP_0, SDL_SCANCODE_KP_0, 96},
        {SDLK_KP_9, SDL_SCANCODE_KP_9, 105},
        {SDLK_KP_PLUS, SDL_SCANCODE_KP_PLUS, 107},
        {SDLK_KP_DIVIDE, SDL_SCANCODE_KP_DIVIDE, 111},
        {SDLK_F10, SDL_SCANCODE_F10, 121},
        {SDLK_F13, SDL_SCANCODE_F13, 124},
        {SDLK_SEMICOLON, SDL_SCANCODE_SEMICOLON, 186},
        {SDLK_COMMA, SDL_SCANCODE_COMMA, 188},
        {SDLK_PERIOD, SDL_SCANCODE_PERIOD, 190},
        {SDLK_SLASH, SDL_SCANCODE_SLASH, 191},
        {SDLK_LEFTBRACKET, SDL_SCANCODE_LEFTBRACKET, 219},
        {SDLK_QUOTE, SDL_SCANCODE_APOSTROPHE, 222},
        // A layout's own letter (a German o-umlaut on the semicolon's place) keeps the place's code.
        {0xF6, SDL_SCANCODE_SEMICOLON, 186},
        {SDLK_UNKNOWN, SDL_SCANCODE_INTERNATIONAL3, 255},
    };
    for (const Case& c : cases) {
        std::vector<Message> keys = messagesAfterKey(c.sym, c.scancode);
        ASSERT_EQ(keys.size(), 1u) << SDL_GetKeyName(c.sym);
        EXPECT_EQ(keys[0].wParam, static_cast<uint64_t>(c.code)) << SDL_GetKeyName(c.sym);
        EXPECT_EQ(keys[0].lParam & GamepadKeyFlag, 0) << SDL_GetKeyName(c.sym);
    }
    // Alt+Enter, the fixed fullscreen switch (pressed twice, back to a window), never reaches the game;
    // F11 does, as the fullscreen action's key.
    for (int twice = 0; twice < 2; ++twice)
        EXPECT_TRUE(messagesAfterKey(SDLK_RETURN, SDL_SCANCODE_RETURN, KMOD_LALT).empty()) << "Alt+Enter";
    std::vector<Message> f11 = messagesAfterKey(SDLK_F11, SDL_SCANCODE_F11);
    ASSERT_EQ(f11.size(), 1u);
    EXPECT_EQ(f11[0].wParam, static_cast<uint64_t>(VkF11));
}

TEST_F(VirtualPadGame, AHeldDirectionRepeatsLikeAHeldKeyAndStopsWhenLetGo)
{
    // The queue is read here, without the game's loop, for 0.9 s of holding and 0.3 s after.
    auto downPresses = [](double seconds) {
        int count = 0;
        uint64_t end = SDL_GetTicks64() + static_cast<uint64_t>(seconds * 1000.0);
        Message m;
        while (SDL_GetTicks64() < end)
            while (platform::peekMessage(m))
                count += m.id == KeyDownMessage && m.wParam == static_cast<uint64_t>(VkDown) ? 1 : 0;
        return count;
    };
    SDL_JoystickSetVirtualButton(Joystick, SDL_CONTROLLER_BUTTON_DPAD_DOWN, 1);
    EXPECT_EQ(downPresses(0.3), 1) << "no repeat before the delay";
    EXPECT_GE(downPresses(0.6), 2) << "repeats once held past the delay";
    SDL_JoystickSetVirtualButton(Joystick, SDL_CONTROLLER_BUTTON_DPAD_DOWN, 0);
    downPresses(0.05);
    EXPECT_EQ(downPresses(0.3), 0) << "let go, it stops";
}

TEST_F(VirtualPadGame, StickDpadAndTriggersHoldTheirButtons)
{
    auto button = [](PadButton b) { return static_cast<int>(b) + 1; };
    struct Case {
        const char* what;
        std::function<void(bool)> hold;
        int button;
    };
    const Case cases[] = {
        {"d-pad left", [](bool on) { SDL_JoystickSetVirtualButton(Joystick, SDL_CONTROLLER_BUTTON_DPAD_LEFT, on); },
         button(PadButton::DpadLeft)},
        {"d-pad up", [](bool on) { SDL_JoystickSetVirtualButton(Joystick, SDL_CONTROLLER_BUTTON_DPAD_UP, on); },
         button(PadButton::DpadUp)},
        {"stick right",
         [](bool on) { SDL_JoystickSetVirtualAxis(Joystick, SDL_CONTROLLER_AXIS_LEFTX, on ? 30000 : 0); },
         button(PadButton::DpadRight)},
        {"stick down", [](bool on) { SDL_JoystickSetVirtualAxis(Joystick, SDL_CONTROLLER_AXIS_LEFTY, on ? 30000 : 0); },
         button(PadButton::DpadDown)},
        {"right trigger",
         [](bool on) {
             SDL_JoystickSetVirtualAxis(Joystick, SDL_CONTROLLER_AXIS_TRIGGERRIGHT, on ? 32767 : TriggerAtRest);
         },
         button(PadButton::RightShoulder)},
        {"left shoulder",
         [](bool on) { SDL_JoystickSetVirtualButton(Joystick, SDL_CONTROLLER_BUTTON_LEFTSHOULDER, on); },
         button(PadButton::LeftShoulder)},
    };
    // Inside the dead zone the stick holds nothing.
    tilt(SDL_CONTROLLER_AXIS_LEFTX, 4000);
    for (int b = 1; b <= button(PadButton::DpadRight); ++b)
        EXPECT_FALSE(platform::isPadButtonDown(b)) << b;
    tilt(SDL_CONTROLLER_AXIS_LEFTX, 0);
    for (const Case& c : cases) {
        c.hold(true);
        run(0.05);
        EXPECT_TRUE(platform::isPadButtonDown(c.button)) << c.what;
        // The keyboard's keys stay the keyboard's: the steering reads the pad through its buttons.
        EXPECT_FALSE(platform::isKeyDown(VkLeft) || platform::isKeyDown(VkRight) || platform::isKeyDown(VkDown) ||
                     platform::isKeyDown(VkUp) || platform::isKeyDown(VkShift))
            << c.what;
        c.hold(false);
        run(0.05);
        EXPECT_FALSE(platform::isPadButtonDown(c.button)) << c.what << " let go";
    }
}

TEST_F(VirtualPadGame, ButtonsAndStickMoveThroughTheMenu)
{
    ASSERT_EQ(GameState, Title);
    press(SDL_CONTROLLER_BUTTON_START);
    ASSERT_TRUE(MenuShown) << "Start opens the menu";
    EXPECT_EQ(MenuItem, MenuNewGame);
    press(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    EXPECT_EQ(MenuItem, MenuHighScore);
    tilt(SDL_CONTROLLER_AXIS_LEFTY, 32767);
    tilt(SDL_CONTROLLER_AXIS_LEFTY, 0);
    EXPECT_EQ(MenuItem, MenuOptions) << "the stick pushed down moves once";
    press(SDL_CONTROLLER_BUTTON_A);
    EXPECT_EQ(MenuItem, MenuStatistics) << "the south button chooses";
    press(SDL_CONTROLLER_BUTTON_B);
    EXPECT_EQ(MenuItem, MenuNewGame) << "the east button is Esc";
    press(SDL_CONTROLLER_BUTTON_B);
    EXPECT_FALSE(MenuShown);
}

TEST_F(VirtualPadGame, AWholeGameToTheSavedName)
{
    ASSERT_EQ(GameState, Title);
    press(SDL_CONTROLLER_BUTTON_START);
    press(SDL_CONTROLLER_BUTTON_A);
    ASSERT_EQ(GameState, Playing);
    ASSERT_TRUE(run(10.0, [] { return RoundClock < 44.5f; })) << "the countdown";

    // Pulled out, the pad pauses the game; plugged in again, Back resumes it.
    detach();
    EXPECT_TRUE(Paused) << "pulling the pad pauses";
    attach();
    press(SDL_CONTROLLER_BUTTON_BACK);
    EXPECT_FALSE(Paused) << "Back resumes";

    float startY = TheMarble.getPosition().y;
    SDL_JoystickSetVirtualAxis(Joystick, SDL_CONTROLLER_AXIS_LEFTY, -32767);
    SDL_JoystickSetVirtualAxis(Joystick, SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 32767);
    run(1.0);
    EXPECT_GT(TheMarble.getPosition().y, startY + 100.0f) << "the stick pushed up rolls the marble away";
    ASSERT_TRUE(run(45.0, [] { return GameState != Playing; })) << "the game ended";
    SDL_JoystickSetVirtualAxis(Joystick, SDL_CONTROLLER_AXIS_LEFTY, 0);
    SDL_JoystickSetVirtualAxis(Joystick, SDL_CONTROLLER_AXIS_TRIGGERRIGHT, TriggerAtRest);
    ASSERT_EQ(GameState, NameEntry) << "a finished run makes the default table";
    run(0.1);

    // Up twice shows A then B; the south button types it. Down from nothing shows A, again Z.
    press(SDL_CONTROLLER_BUTTON_DPAD_UP);
    press(SDL_CONTROLLER_BUTTON_DPAD_UP);
    EXPECT_EQ(HighScores[NewRecordRank].name, "B");
    press(SDL_CONTROLLER_BUTTON_A);
    press(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    press(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    press(SDL_CONTROLLER_BUTTON_A);
    // The first south press only shows A; the second types it.
    press(SDL_CONTROLLER_BUTTON_A);
    EXPECT_EQ(GameState, NameEntry);
    press(SDL_CONTROLLER_BUTTON_A);
    EXPECT_EQ(GameState, BestTimes);
    std::ifstream saved("highScore.dat");
    std::string table((std::istreambuf_iterator<char>(saved)), std::istreambuf_iterator<char>());
    EXPECT_NE(table.find(" BZA "), std::string::npos) << table;
}

} // namespace
