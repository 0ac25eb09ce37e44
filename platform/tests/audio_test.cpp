// audio_test.cpp -- the COM, DirectSound and DirectMusic stand-ins on their own
#include <SDL.h>
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/dmusic.h"
#include "platform/dsound.h"
#include "platform/live_objects.h"
#include "platform/objbase.h"

// Runs make() with the process's stderr going to a file, and returns what was written there.
template <typename Make> static std::string CaptureStderr(Make make)
{
    fflush(stderr);
    FILE *sink = tmpfile();
    int saved = dup(2);
    dup2(fileno(sink), 2);
    make();
    fflush(stderr);
    dup2(saved, 2);
    close(saved);
    std::string text;
    rewind(sink);
    for (int c = fgetc(sink); c != EOF; c = fgetc(sink))
        text += (char)c;
    fclose(sink);
    return text;
}

TEST(ComTest, StartsAreCountedAndObjectsNeedCom)
{
    IDirectMusicPerformance *performance = reinterpret_cast<IDirectMusicPerformance *>(1);
    EXPECT_EQ(CO_E_NOTINITIALIZED,
              CoCreateInstance(CLSID_DirectMusicPerformance, nullptr, CLSCTX_INPROC,
                               IID_IDirectMusicPerformance, reinterpret_cast<LPVOID *>(&performance)));
    EXPECT_EQ(nullptr, performance);

    EXPECT_EQ(S_OK, CoInitialize(nullptr));
    EXPECT_EQ(S_FALSE, CoInitialize(nullptr));
    CoUninitialize();
    LPVOID object = nullptr;
    EXPECT_EQ(REGDB_E_CLASSNOTREG,
              CoCreateInstance(GUID_Unload, nullptr, CLSCTX_INPROC, IID_IDirectMusicLoader, &object));
    EXPECT_EQ(E_NOINTERFACE, CoCreateInstance(CLSID_DirectMusicLoader, nullptr, CLSCTX_INPROC,
                                              IID_IDirectMusicPerformance, &object));
    EXPECT_EQ(nullptr, object);
    CoUninitialize(); // the second start still needs its own close
    EXPECT_EQ(S_OK, CoInitialize(nullptr)) << "COM should have closed with the last CoUninitialize";
    CoUninitialize();
}

// The performance takes its own reference to the sound object at Init and gives it back at
// CloseDown, so either may be released first.
TEST(MusicObjectTest, PerformanceHoldsTheSoundUntilCloseDown)
{
    ASSERT_EQ(0, liveObjectCount);
    setenv("SDL_AUDIODRIVER", "dummy", 1); // an output every machine has
    IDirectSound *sound = nullptr;
    ASSERT_EQ(DS_OK, DirectSoundCreate(nullptr, &sound, nullptr)) << SDL_GetError();
    ASSERT_EQ(S_OK, CoInitialize(nullptr));
    IDirectMusicPerformance *performance = nullptr;
    ASSERT_EQ(S_OK, CoCreateInstance(CLSID_DirectMusicPerformance, nullptr, CLSCTX_INPROC,
                                     IID_IDirectMusicPerformance,
                                     reinterpret_cast<LPVOID *>(&performance)));
    EXPECT_NE(S_OK, performance->AddPort(nullptr)) << "a port before Init";
    EXPECT_EQ(S_OK, performance->Init(nullptr, sound, nullptr));
    EXPECT_EQ(S_OK, performance->AddPort(nullptr));
    EXPECT_EQ(1u, sound->Release()) << "the performance's reference is left";
    EXPECT_EQ(2, liveObjectCount);
    EXPECT_EQ(S_OK, performance->CloseDown());
    EXPECT_EQ(1, liveObjectCount) << "CloseDown kept the sound object";
    EXPECT_EQ(0u, performance->Release());
    EXPECT_EQ(0, liveObjectCount);
    CoUninitialize();
}

TEST(SoundObjectTest, NoDriverFailsAndLeavesAudioClosed)
{
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    IDirectSound *sound = reinterpret_cast<IDirectSound *>(1);
    EXPECT_EQ(DSERR_NODRIVER, DirectSoundCreate(nullptr, &sound, nullptr));
    EXPECT_EQ(nullptr, sound);
    EXPECT_EQ(0u, SDL_WasInit(SDL_INIT_AUDIO));
    setenv("SDL_AUDIODRIVER", "dummy", 1);
}

// With no sound card the ALSA library complains on stderr when asked to open one. Whatever
// output this machine has, opening the default one prints nothing.
TEST(SoundObjectTest, DefaultOutputKeepsStderrClean)
{
    unsetenv("SDL_AUDIODRIVER");
    HRESULT result = S_OK;
    std::string printed = CaptureStderr([&result] {
        IDirectSound *sound = nullptr;
        result = DirectSoundCreate(nullptr, &sound, nullptr);
        if (sound)
            sound->Release();
    });
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    EXPECT_TRUE(result == DS_OK || result == DSERR_NODRIVER) << "result 0x" << std::hex << result;
    EXPECT_EQ("", printed);
    EXPECT_EQ(0u, SDL_WasInit(SDL_INIT_AUDIO));
}
