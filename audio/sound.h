// sound.h -- the DirectSound object and the 256 sound-effect slots, opened at start and closed at exit
#pragma once

#include <cstdint>

#include "platform/dsound.h"

#define MAX_SOUND_SLOTS 256

// One sound-effect slot; nothing in the game loads a sound, so every slot stays empty.
struct SoundSlot {
    IDirectSoundBuffer *buffer; // null = empty slot
    int32_t extra1;
    int32_t extra2;
    int32_t extra3;
    int32_t slotIndex; // the record's own position in the table
};

// The sound object; null until OpenSound makes it, and after CloseSound.
extern IDirectSound *directSound;
// Set at program start; the first OpenSound clears it, so the sound object is made once a run.
extern int soundFirstOpen;
// The slot table.
extern SoundSlot soundSlots[MAX_SOUND_SLOTS];

// Called by GameStart after the input opens. The first call clears the table and makes the
// sound object; every call that gets that far stops and releases each buffer and resets the
// slots. 0 = making the object or setting its cooperative level failed.
int OpenSound(void);
// Stop and rewind slot i's buffer, if it has one. Always 1.
int StopSoundSlot(int i);
// StopSoundSlot for every slot in order. Always 1.
int StopAllSoundSlots(void);
// Stop and rewind slot i's buffer, then release it; the slot's other fields stay. Always 1.
int FreeSoundSlot(int i);
// FreeSoundSlot for every slot in order. Always 1.
int FreeAllSoundSlots(void);
// Called by GameStop: stops every slot, releases each buffer left, then the sound object.
int CloseSound(void);
