// sound.cpp -- the sound object and the sound-effect slot table
#include "audio/sound.h"

#include <cstring>

#include "shell/entry.h"

// Made by the first OpenSound, released by CloseSound.
IDirectSound *directSound = nullptr;
// Cleared by the first OpenSound and never set again.
int soundFirstOpen = 1;
// Reset by OpenSound; a buffer would come and go through the slot operations.
SoundSlot soundSlots[MAX_SOUND_SLOTS] = {};

int OpenSound(void)
{
    if (soundFirstOpen) {
        memset(soundSlots, 0, sizeof soundSlots);
        // Cleared before the object is made: a failed first open is not tried again.
        soundFirstOpen = 0;
        if (FAILED(DirectSoundCreate(nullptr, &directSound, nullptr)))
            return 0;
        if (FAILED(directSound->SetCooperativeLevel(mainWindow, DSSCL_NORMAL)))
            return 0;
    }
    for (int i = 0; i < MAX_SOUND_SLOTS; i++) {
        SoundSlot *slot = &soundSlots[i];
        if (slot->buffer) {
            slot->buffer->Stop();
            slot->buffer->Release();
        }
        slot->buffer = nullptr;
        slot->extra1 = 0;
        slot->extra2 = 0;
        slot->extra3 = 0;
        slot->slotIndex = i;
    }
    return 1;
}

int StopSoundSlot(int i)
{
    IDirectSoundBuffer *buffer = soundSlots[i].buffer;
    if (buffer) {
        buffer->Stop();
        buffer->SetCurrentPosition(0);
    }
    return 1;
}

int StopAllSoundSlots(void)
{
    for (int i = 0; i < MAX_SOUND_SLOTS; i++)
        StopSoundSlot(i);
    return 1;
}

int FreeSoundSlot(int i)
{
    StopSoundSlot(i);
    if (soundSlots[i].buffer) {
        soundSlots[i].buffer->Release();
        soundSlots[i].buffer = nullptr;
    }
    return 1;
}

int FreeAllSoundSlots(void)
{
    for (int i = 0; i < MAX_SOUND_SLOTS; i++)
        FreeSoundSlot(i);
    return 1;
}

int CloseSound(void)
{
    StopAllSoundSlots();
    for (int i = 0; i < MAX_SOUND_SLOTS; i++) {
        if (soundSlots[i].buffer) {
            soundSlots[i].buffer->Release();
            soundSlots[i].buffer = nullptr;
        }
    }
    // The music performance keeps its own reference to the object until it closes.
    if (directSound) {
        directSound->Release();
        directSound = nullptr;
    }
    return 1;
}
