// music.h -- the DirectMusic performance, its loader and the 64 music slots, opened and closed only
#pragma once

#include <cstdint>

#include "platform/dmusic.h"

#define MAX_MUSIC_SLOTS 64

// One music slot; nothing in the game loads a segment, so every slot stays empty.
struct MusicSlot {
    IDirectMusicSegment *segment; // null = empty slot
    int32_t extra1;
    int32_t slotIndex; // the record's own position in the table
    int32_t extra2;
};

// The performance; null until OpenMusic makes it, and after CloseMusic.
extern IDirectMusicPerformance *musicPerformance;
// The loader; null until OpenMusic makes it, and after CloseMusic.
extern IDirectMusicLoader *musicLoader;
// The slot table.
extern MusicSlot musicSlots[MAX_MUSIC_SLOTS];
// The slot playing now; -1 = none, which is all it ever holds.
extern int32_t currentMusic;

// Called by GameStart after OpenSound, whose sound object the performance plays through.
// Starts COM, makes the performance with its default port and the loader, resets the slots.
// 0 = a step failed; what it had made stays for CloseMusic.
int OpenMusic(void);
// Unloads and releases the segment of every slot that holds one. Always 1.
int UnloadAllMusic(void);
// Called by GameStop after UnloadAllMusic: stops the music, unloads again, closes and releases
// the performance and the loader, and closes COM whatever OpenMusic achieved. Always 1.
int CloseMusic(void);
