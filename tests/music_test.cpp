// music_test.cpp -- the music performance's open and close and the segment unloading, on fakes
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>

#include "audio/music.h"
#include "audio/sound.h"
#include "shell/entry.h"
#include "tests/fakes/dmusic_mock.h"
#include "tests/fakes/dsound_mock.h"

using ::testing::_;
using ::testing::DoAll;
using ::testing::InSequence;
using ::testing::Return;
using ::testing::SetArgPointee;
using ::testing::StrictMock;

static HWND const WINDOW = reinterpret_cast<HWND>(0x5150);

// The music state lives for the whole process; every test starts it as at program start, with
// COM not started. COM is the platform's own here: only object creation is faked.
class MusicTest : public ::testing::Test {
protected:
    StrictMock<MockComModule> com;
    StrictMock<MockPerformance> performance;
    StrictMock<MockMusicLoader> loader;
    StrictMock<MockDirectSound> sound;

    void SetUp() override
    {
        musicPerformance = nullptr;
        musicLoader = nullptr;
        memset(musicSlots, 0, sizeof musicSlots);
        currentMusic = -1;
        directSound = &sound;
        mainWindow = WINDOW;
    }
    void TearDown() override
    {
        musicPerformance = nullptr;
        musicLoader = nullptr;
        directSound = nullptr;
        mainWindow = nullptr;
        // Leave COM closed for the next test however far this one got.
        while (CoInitialize(nullptr) == S_FALSE) {
            CoUninitialize();
            CoUninitialize();
        }
        CoUninitialize();
    }

    void ExpectCreatePerformance(HRESULT answer)
    {
        EXPECT_CALL(com, CreateInstance(CLSID_DirectMusicPerformance, nullptr, CLSCTX_INPROC,
                                        IID_IDirectMusicPerformance, _))
            .WillOnce(DoAll(SetArgPointee<4>(static_cast<LPVOID>(
                                static_cast<IDirectMusicPerformance *>(&performance))),
                            Return(answer)));
    }
    void ExpectCreateLoader(HRESULT answer)
    {
        EXPECT_CALL(com, CreateInstance(CLSID_DirectMusicLoader, nullptr, CLSCTX_INPROC,
                                        IID_IDirectMusicLoader, _))
            .WillOnce(DoAll(SetArgPointee<4>(static_cast<LPVOID>(
                                static_cast<IDirectMusicLoader *>(&loader))),
                            Return(answer)));
    }

    // COM is closed when the next CoInitialize is the first again.
    static bool ComClosed()
    {
        bool closed = CoInitialize(nullptr) == S_OK;
        CoUninitialize();
        return closed;
    }
};

TEST_F(MusicTest, OpenMakesPerformancePortAndLoaderThenResetsSlots)
{
    {
        InSequence order;
        ExpectCreatePerformance(S_OK);
        EXPECT_CALL(performance, Init(nullptr, &sound, WINDOW)).WillOnce(Return(S_OK));
        EXPECT_CALL(performance, AddPort(nullptr)).WillOnce(Return(S_OK));
        ExpectCreateLoader(S_OK);
    }
    currentMusic = 5;
    EXPECT_EQ(1, OpenMusic());
    EXPECT_EQ(&performance, musicPerformance);
    EXPECT_EQ(&loader, musicLoader);
    EXPECT_EQ(-1, currentMusic);
    for (int i = 0; i < MAX_MUSIC_SLOTS; i++)
        ASSERT_EQ(i, musicSlots[i].slotIndex) << "slot " << i;
}

// COM already started on this thread answers S_FALSE, which is success.
TEST_F(MusicTest, OpenGoesOnWhenComWasAlreadyStarted)
{
    ASSERT_EQ(S_OK, CoInitialize(nullptr));
    ASSERT_EQ(S_FALSE, CoInitialize(nullptr)) << "the platform's COM must count its starts";
    CoUninitialize();
    ExpectCreatePerformance(S_OK);
    EXPECT_CALL(performance, Init(_, _, _)).WillOnce(Return(S_FALSE));
    EXPECT_CALL(performance, AddPort(_)).WillOnce(Return(S_FALSE));
    ExpectCreateLoader(S_FALSE);
    EXPECT_EQ(1, OpenMusic());
}

// The open stops at AddPort and undoes nothing; the close then releases the performance alone
// and still closes COM.
TEST_F(MusicTest, CloseAfterOpenFailedAtAddPort)
{
    {
        InSequence order;
        ExpectCreatePerformance(S_OK);
        EXPECT_CALL(performance, Init(_, _, _)).WillOnce(Return(S_OK));
        EXPECT_CALL(performance, AddPort(nullptr)).WillOnce(Return(E_FAIL));
        EXPECT_CALL(performance, Stop(nullptr, nullptr, 0, 0u)).WillOnce(Return(S_OK));
        EXPECT_CALL(performance, CloseDown()).WillOnce(Return(S_OK));
        EXPECT_CALL(performance, Release()).WillOnce(Return(0));
    }
    EXPECT_EQ(0, OpenMusic());
    EXPECT_EQ(nullptr, musicLoader);
    for (int i = 0; i < MAX_MUSIC_SLOTS; i++)
        ASSERT_EQ(0, musicSlots[i].slotIndex) << "slot " << i << " was reset by a failed open";
    EXPECT_FALSE(ComClosed());
    EXPECT_EQ(1, CloseMusic());
    EXPECT_TRUE(ComClosed()) << "CloseMusic must call CoUninitialize";
}

TEST_F(MusicTest, CloseWithNothingMadeOnlyClosesCom)
{
    ASSERT_EQ(S_OK, CoInitialize(nullptr));
    EXPECT_EQ(1, CloseMusic());
    EXPECT_TRUE(ComClosed());
}

TEST_F(MusicTest, UnloadAllUnloadsThenReleasesEachSegment)
{
    StrictMock<MockMusicSegment> segment;
    musicPerformance = &performance;
    musicSlots[5] = {&segment, 7, 5, 8};
    musicSlots[6] = {nullptr, 9, 44, 10};
    {
        InSequence order;
        EXPECT_CALL(segment, SetParam(GUID_Unload, 0xFFFFFFFFu, 0u, 0,
                                      static_cast<LPVOID>(
                                          static_cast<IDirectMusicPerformance *>(&performance))))
            .WillOnce(Return(S_OK));
        EXPECT_CALL(segment, Release()).WillOnce(Return(0));
    }
    EXPECT_EQ(1, UnloadAllMusic());
    EXPECT_EQ(nullptr, musicSlots[5].segment);
    EXPECT_EQ(0, musicSlots[5].extra1);
    EXPECT_EQ(0, musicSlots[5].extra2);
    EXPECT_EQ(5, musicSlots[5].slotIndex);
    // An empty slot is not touched, even its extras.
    EXPECT_EQ(9, musicSlots[6].extra1);
    EXPECT_EQ(44, musicSlots[6].slotIndex);
}
