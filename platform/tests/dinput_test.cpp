// dinput_test.cpp -- the SDL-backed keyboard and mouse devices, fed synthetic input under the dummy driver
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstring>

#include "platform/dinput.h"

// SDL changes its key state only from a video driver's own key events: an SDL_KEYDOWN pushed
// with SDL_PushEvent goes to the queue and leaves SDL_GetKeyboardState as it was, and the dummy
// driver sends none. So a key is pressed here the way a driver presses it, by writing SDL's key
// state array, which SDL_GetKeyboardState hands out for the life of the process.
static void SetKey(SDL_Scancode code, bool down)
{
    const_cast<Uint8 *>(SDL_GetKeyboardState(nullptr))[code] = down ? 1 : 0;
}

// The mouse device sums the events as they are queued, so pushed events reach it like real ones.
static void PushMotion(int dx, int dy)
{
    SDL_Event event;
    memset(&event, 0, sizeof event);
    event.type = SDL_MOUSEMOTION;
    event.motion.xrel = dx;
    event.motion.yrel = dy;
    ASSERT_EQ(1, SDL_PushEvent(&event)) << SDL_GetError();
}

static void PushButton(Uint8 button, bool down)
{
    SDL_Event event;
    memset(&event, 0, sizeof event);
    event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button.button = button;
    event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    ASSERT_EQ(1, SDL_PushEvent(&event)) << SDL_GetError();
}

static void PushWheel(int notches, Uint32 direction)
{
    SDL_Event event;
    memset(&event, 0, sizeof event);
    event.type = SDL_MOUSEWHEEL;
    event.wheel.y = notches;
    event.wheel.direction = direction;
    ASSERT_EQ(1, SDL_PushEvent(&event)) << SDL_GetError();
}

class DeviceTest : public ::testing::Test {
protected:
    IDirectInput8A *input = nullptr;
    IDirectInputDevice8A *keyboard = nullptr;
    IDirectInputDevice8A *mouse = nullptr;

    static void SetUpTestSuite() { ASSERT_EQ(0, SDL_Init(SDL_INIT_VIDEO)) << SDL_GetError(); }
    static void TearDownTestSuite() { SDL_Quit(); }

    void SetUp() override
    {
        ASSERT_EQ(DI_OK, DirectInput8Create(nullptr, DIRECTINPUT_VERSION, IID_IDirectInput8A,
                                            reinterpret_cast<LPVOID *>(&input), nullptr));
        ASSERT_EQ(DI_OK, input->CreateDevice(GUID_SysKeyboard, &keyboard, nullptr));
        ASSERT_EQ(DI_OK, input->CreateDevice(GUID_SysMouse, &mouse, nullptr));
        ASSERT_EQ(DI_OK, keyboard->SetDataFormat(&c_dfDIKeyboard));
        ASSERT_EQ(DI_OK, mouse->SetDataFormat(&c_dfDIMouse));
        ASSERT_EQ(DI_OK, keyboard->Acquire());
        ASSERT_EQ(DI_OK, mouse->Acquire());
    }
    void TearDown() override
    {
        if (mouse)
            mouse->Release();
        if (keyboard)
            keyboard->Release();
        if (input)
            input->Release();
        memset(const_cast<Uint8 *>(SDL_GetKeyboardState(nullptr)), 0, SDL_NUM_SCANCODES);
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    }

    DIMOUSESTATE ReadMouse()
    {
        DIMOUSESTATE state;
        memset(&state, 0xEE, sizeof state);
        EXPECT_EQ(DI_OK, mouse->GetDeviceState(sizeof state, &state));
        return state;
    }
};

TEST_F(DeviceTest, KeysReadInSet1NumberingWithBit7)
{
    const struct {
        SDL_Scancode scancode;
        int code;
    } keys[] = {
        {SDL_SCANCODE_ESCAPE, 0x01}, {SDL_SCANCODE_LALT, 0x38},  {SDL_SCANCODE_RALT, 0xB8},
        {SDL_SCANCODE_A, 0x1E},      {SDL_SCANCODE_RETURN, 0x1C}, {SDL_SCANCODE_KP_ENTER, 0x9C},
        {SDL_SCANCODE_UP, 0xC8},     {SDL_SCANCODE_F12, 0x58},   {SDL_SCANCODE_RCTRL, 0x9D},
        {SDL_SCANCODE_LGUI, 0xDB},
    };
    BYTE state[256];
    for (const auto &key : keys) {
        SetKey(key.scancode, true);
        memset(state, 0xEE, sizeof state);
        ASSERT_EQ(DI_OK, keyboard->GetDeviceState(sizeof state, state));
        for (int i = 0; i < 256; i++)
            ASSERT_EQ(i == key.code ? 0x80 : 0, state[i])
                << SDL_GetScancodeName(key.scancode) << " down: byte 0x" << std::hex << i;
        SetKey(key.scancode, false);
        ASSERT_EQ(DI_OK, keyboard->GetDeviceState(sizeof state, state));
        EXPECT_EQ(0, state[key.code]) << SDL_GetScancodeName(key.scancode) << " released";
    }
}

TEST_F(DeviceTest, MotionSumsBetweenReadsAndStartsAgainAfterEach)
{
    PushMotion(3, 4);
    PushMotion(-10, 2);
    PushMotion(1000, -700); // beyond any screen edge: relative motion is not clamped
    DIMOUSESTATE first = ReadMouse();
    EXPECT_EQ(993, first.lX);
    EXPECT_EQ(-694, first.lY);
    DIMOUSESTATE second = ReadMouse();
    EXPECT_EQ(0, second.lX);
    EXPECT_EQ(0, second.lY);
    PushMotion(-1, 1);
    DIMOUSESTATE third = ReadMouse();
    EXPECT_EQ(-1, third.lX);
    EXPECT_EQ(1, third.lY);
}

TEST_F(DeviceTest, ButtonsMapToTheirBytes)
{
    const struct {
        Uint8 button;
        int index;
    } buttons[] = {{SDL_BUTTON_LEFT, 0}, {SDL_BUTTON_RIGHT, 1}, {SDL_BUTTON_MIDDLE, 2},
                   {SDL_BUTTON_X1, 3}};
    for (const auto &b : buttons) {
        PushButton(b.button, true);
        DIMOUSESTATE down = ReadMouse();
        for (int i = 0; i < 4; i++)
            EXPECT_EQ(i == b.index ? 0x80 : 0, down.rgbButtons[i])
                << "SDL button " << (int)b.button << " down: byte " << i;
        // A held button stays down across reads, as a state and not an event.
        EXPECT_EQ(0x80, ReadMouse().rgbButtons[b.index]);
        PushButton(b.button, false);
        EXPECT_EQ(0, ReadMouse().rgbButtons[b.index]) << "SDL button " << (int)b.button << " up";
    }
}

TEST_F(DeviceTest, WheelCounts120PerNotchAwayFromTheUser)
{
    PushWheel(1, SDL_MOUSEWHEEL_NORMAL);
    PushWheel(2, SDL_MOUSEWHEEL_NORMAL);
    EXPECT_EQ(360, ReadMouse().lZ);
    EXPECT_EQ(0, ReadMouse().lZ);
    // A desktop set to natural scrolling reports the notch the other way round.
    PushWheel(-1, SDL_MOUSEWHEEL_FLIPPED);
    EXPECT_EQ(120, ReadMouse().lZ);
}

// A read is refused unless the device is acquired, and a snapshot of the wrong size is refused.
TEST_F(DeviceTest, ReadsNeedAFormattedAcquiredDevice)
{
    BYTE keys[256];
    DIMOUSESTATE state;
    EXPECT_EQ(DIERR_INVALIDPARAM, keyboard->GetDeviceState(sizeof state, &state));
    EXPECT_EQ(DIERR_INVALIDPARAM, mouse->GetDeviceState(sizeof keys, keys));
    EXPECT_EQ(S_FALSE, keyboard->Acquire()) << "already acquired";
    EXPECT_EQ(DIERR_ACQUIRED, keyboard->SetDataFormat(&c_dfDIKeyboard));

    EXPECT_EQ(DI_OK, keyboard->Unacquire());
    EXPECT_EQ(DIERR_NOTACQUIRED, keyboard->GetDeviceState(sizeof keys, keys));

    IDirectInputDevice8A *fresh = nullptr;
    ASSERT_EQ(DI_OK, input->CreateDevice(GUID_SysMouse, &fresh, nullptr));
    EXPECT_EQ(DIERR_NOTACQUIRED, fresh->GetDeviceState(sizeof state, &state));
    EXPECT_NE(DI_OK, fresh->Acquire()) << "no data format yet";
    EXPECT_NE(DI_OK, fresh->SetDataFormat(&c_dfDIKeyboard)) << "a mouse given the key format";
    EXPECT_EQ(DI_OK, fresh->SetDataFormat(&c_dfDIMouse));
    EXPECT_EQ(DIERR_NOTACQUIRED, fresh->GetDeviceState(sizeof state, &state));
    fresh->Release();

    IDirectInputDevice8A *unknown = reinterpret_cast<IDirectInputDevice8A *>(1);
    EXPECT_EQ(DIERR_DEVICENOTREG, input->CreateDevice(IID_IDirectInput8A, &unknown, nullptr));
    EXPECT_EQ(nullptr, unknown);
}
