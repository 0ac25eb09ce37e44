// sound_test.cpp -- the sound object's open and close and the slot operations, on fake DirectSound
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>

#include "audio/sound.h"
#include "shell/entry.h"
#include "tests/fakes/dsound_mock.h"

using ::testing::_;
using ::testing::DoAll;
using ::testing::InSequence;
using ::testing::Return;
using ::testing::SetArgPointee;
using ::testing::StrictMock;

static HWND const WINDOW = reinterpret_cast<HWND>(0x5150);

// The sound state lives for the whole process; every test starts it as at program start.
class SoundTest : public ::testing::Test {
protected:
    StrictMock<MockDirectSoundModule> module;
    StrictMock<MockDirectSound> sound;

    void SetUp() override
    {
        directSound = nullptr;
        soundFirstOpen = 1;
        memset(soundSlots, 0, sizeof soundSlots);
        mainWindow = WINDOW;
    }
    void TearDown() override
    {
        directSound = nullptr;
        mainWindow = nullptr;
    }

    void ExpectCreate(HRESULT answer)
    {
        EXPECT_CALL(module, Create(nullptr, &directSound, nullptr))
            .WillOnce(DoAll(SetArgPointee<1>(static_cast<IDirectSound *>(&sound)), Return(answer)));
    }

    static void ExpectEverySlotReset()
    {
        for (int i = 0; i < MAX_SOUND_SLOTS; i++) {
            const SoundSlot &s = soundSlots[i];
            ASSERT_TRUE(s.buffer == nullptr && s.extra1 == 0 && s.extra2 == 0 && s.extra3 == 0 &&
                        s.slotIndex == i)
                << "slot " << i << ": buffer " << s.buffer << ", extras " << s.extra1 << " "
                << s.extra2 << " " << s.extra3 << ", slotIndex " << s.slotIndex;
        }
    }
};

TEST_F(SoundTest, FirstOpenMakesObjectSetsLevelAndResetsSlots)
{
    InSequence order;
    ExpectCreate(DS_OK);
    EXPECT_CALL(sound, SetCooperativeLevel(WINDOW, DSSCL_NORMAL)).WillOnce(Return(DS_OK));
    EXPECT_EQ(1, OpenSound());
    EXPECT_EQ(&sound, directSound);
    EXPECT_EQ(0, soundFirstOpen);
    ExpectEverySlotReset();
}

// Only a negative answer is failure; a first open that fails is not tried again, and one that
// fails before the reset leaves the slot table all zero.
TEST_F(SoundTest, FirstOpenResultsFollowTheSignOfEachAnswer)
{
    const struct {
        HRESULT create;
        HRESULT level;
        int expected;
    } cases[] = {
        {DSERR_NODRIVER, DS_OK, 0},
        {DS_OK, E_INVALIDARG, 0},
        {S_FALSE, S_FALSE, 1},
    };
    for (const auto &c : cases) {
        ::testing::Mock::VerifyAndClearExpectations(&module);
        ::testing::Mock::VerifyAndClearExpectations(&sound);
        SetUp();
        for (SoundSlot &slot : soundSlots)
            slot = {nullptr, 5, 6, 7, 8};
        ExpectCreate(c.create);
        if (c.create >= 0)
            EXPECT_CALL(sound, SetCooperativeLevel(_, _)).WillOnce(Return(c.level));
        EXPECT_EQ(c.expected, OpenSound())
            << "create 0x" << std::hex << (uint32_t)c.create << ", level 0x" << (uint32_t)c.level;
        EXPECT_EQ(0, soundFirstOpen);
        if (c.expected == 1) {
            ExpectEverySlotReset();
            continue;
        }
        for (int i = 0; i < MAX_SOUND_SLOTS; i++)
            ASSERT_EQ(0, soundSlots[i].slotIndex) << "slot " << i;
    }
}

// A later open makes nothing new: it stops and releases every buffer and resets the table.
TEST_F(SoundTest, SecondOpenOnlyEmptiesTheSlots)
{
    StrictMock<MockSoundBuffer> first;
    StrictMock<MockSoundBuffer> last;
    soundFirstOpen = 0;
    directSound = &sound;
    soundSlots[0] = {&first, 1, 2, 3, 99};
    soundSlots[255] = {&last, 4, 5, 6, 0};
    {
        InSequence order;
        EXPECT_CALL(first, Stop()).WillOnce(Return(DS_OK));
        EXPECT_CALL(first, Release()).WillOnce(Return(0));
        EXPECT_CALL(last, Stop()).WillOnce(Return(DS_OK));
        EXPECT_CALL(last, Release()).WillOnce(Return(0));
    }
    EXPECT_EQ(1, OpenSound());
    EXPECT_EQ(&sound, directSound);
    ExpectEverySlotReset();
}

TEST_F(SoundTest, FreeSlotStopsRewindsThenReleases)
{
    StrictMock<MockSoundBuffer> buffer;
    soundSlots[9] = {&buffer, 11, 12, 13, 9};
    {
        InSequence order;
        EXPECT_CALL(buffer, Stop()).WillOnce(Return(DS_OK));
        EXPECT_CALL(buffer, SetCurrentPosition(0u)).WillOnce(Return(DS_OK));
        EXPECT_CALL(buffer, Release()).WillOnce(Return(0));
    }
    EXPECT_EQ(1, FreeSoundSlot(9));
    EXPECT_EQ(nullptr, soundSlots[9].buffer);
    EXPECT_EQ(11, soundSlots[9].extra1);
    EXPECT_EQ(12, soundSlots[9].extra2);
    EXPECT_EQ(13, soundSlots[9].extra3);
    EXPECT_EQ(9, soundSlots[9].slotIndex);
    EXPECT_EQ(1, FreeSoundSlot(9)); // now empty: no call
}

// Every buffer is stopped and rewound before any is released, and the sound object goes last.
TEST_F(SoundTest, CloseStopsAllThenReleasesEachOnce)
{
    StrictMock<MockSoundBuffer> a;
    StrictMock<MockSoundBuffer> b;
    directSound = &sound;
    soundSlots[3].buffer = &a;
    soundSlots[200].buffer = &b;
    {
        InSequence order;
        EXPECT_CALL(a, Stop()).WillOnce(Return(DS_OK));
        EXPECT_CALL(a, SetCurrentPosition(0u)).WillOnce(Return(DS_OK));
        EXPECT_CALL(b, Stop()).WillOnce(Return(DS_OK));
        EXPECT_CALL(b, SetCurrentPosition(0u)).WillOnce(Return(DS_OK));
        EXPECT_CALL(a, Release()).WillOnce(Return(0));
        EXPECT_CALL(b, Release()).WillOnce(Return(0));
        EXPECT_CALL(sound, Release()).WillOnce(Return(0));
    }
    EXPECT_EQ(1, CloseSound());
    EXPECT_EQ(1, CloseSound()); // nothing left to release
}
