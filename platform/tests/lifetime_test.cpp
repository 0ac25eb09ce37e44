// lifetime_test.cpp -- every input and audio object the program makes is freed when it closes
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "audio/music.h"
#include "audio/sound.h"
#include "input/input.h"
#include "platform/live_objects.h"

class LifetimeTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        // Every machine has SDL's dummy audio output, so the sound object opens everywhere.
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        ASSERT_EQ(0, SDL_Init(SDL_INIT_VIDEO)) << SDL_GetError();
    }
    static void TearDownTestSuite() { SDL_Quit(); }
};

// The services open as start-up opens them and close as shut-down closes them; the sound
// object, released by the sound layer first, lives on in the performance until it closes.
TEST_F(LifetimeTest, ShutDownFreesEveryObjectStartUpMade)
{
    ASSERT_EQ(0, liveObjectCount);
    EXPECT_EQ(1, OpenInput());
    EXPECT_EQ(1, OpenKeyboard());
    EXPECT_EQ(1, OpenMouse());
    EXPECT_EQ(1, OpenSound());
    EXPECT_EQ(1, OpenMusic());
    EXPECT_EQ(6, liveObjectCount) << "input, keyboard, mouse, sound, performance, loader";
    EXPECT_EQ(1, PollKeyboard());
    EXPECT_EQ(1, PollMouse());

    StopAllSoundSlots();
    FreeAllSoundSlots();
    CloseSound();
    EXPECT_EQ(6, liveObjectCount) << "the performance holds its own reference to the sound";
    EXPECT_NE(0u, SDL_WasInit(SDL_INIT_AUDIO));
    UnloadAllMusic();
    CloseMusic();
    EXPECT_EQ(3, liveObjectCount);
    EXPECT_EQ(0u, SDL_WasInit(SDL_INIT_AUDIO)) << "the audio output outlived the sound object";
    CloseMouse();
    CloseKeyboard();
    CloseInput();
    EXPECT_EQ(0, liveObjectCount);
}

// A device holds the object that made it, so the order of the releases does not matter.
TEST_F(LifetimeTest, DeviceOutlivesAnEarlyReleasedInputObject)
{
    IDirectInput8A *input = nullptr;
    IDirectInputDevice8A *device = nullptr;
    ASSERT_EQ(DI_OK, DirectInput8Create(nullptr, DIRECTINPUT_VERSION, IID_IDirectInput8A,
                                        reinterpret_cast<LPVOID *>(&input), nullptr));
    ASSERT_EQ(DI_OK, input->CreateDevice(GUID_SysMouse, &device, nullptr));
    EXPECT_EQ(1u, input->Release()) << "the device's reference is left";
    EXPECT_EQ(2, liveObjectCount);
    EXPECT_EQ(DI_OK, device->SetDataFormat(&c_dfDIMouse));
    EXPECT_EQ(0u, device->Release());
    EXPECT_EQ(0, liveObjectCount);
}
