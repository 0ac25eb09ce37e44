// music.cpp -- the music performance, its loader and the music slot table
#include "audio/music.h"

#include "audio/sound.h"
#include "platform/objbase.h"
#include "shell/entry.h"

// Made by OpenMusic, closed down and released by CloseMusic.
IDirectMusicPerformance *musicPerformance = nullptr;
// Made by OpenMusic, released by CloseMusic.
IDirectMusicLoader *musicLoader = nullptr;
// Reset by OpenMusic, emptied by UnloadAllMusic.
MusicSlot musicSlots[MAX_MUSIC_SLOTS] = {};
// Set to -1 by OpenMusic; nothing selects a slot.
int32_t currentMusic = -1;

// Every track group of a segment.
static const DWORD ALL_GROUPS = 0xFFFFFFFF;

int OpenMusic(void)
{
    // S_FALSE, COM already started on this thread, is success.
    if (FAILED(CoInitialize(nullptr)))
        return 0;
    if (FAILED(CoCreateInstance(CLSID_DirectMusicPerformance, nullptr, CLSCTX_INPROC,
                                IID_IDirectMusicPerformance,
                                reinterpret_cast<LPVOID *>(&musicPerformance))))
        return 0;
    // A null sound object, when the sound failed to open, is passed on as it is.
    if (FAILED(musicPerformance->Init(nullptr, directSound, mainWindow)))
        return 0;
    if (FAILED(musicPerformance->AddPort(nullptr)))
        return 0;
    if (FAILED(CoCreateInstance(CLSID_DirectMusicLoader, nullptr, CLSCTX_INPROC,
                                IID_IDirectMusicLoader, reinterpret_cast<LPVOID *>(&musicLoader))))
        return 0;
    for (int i = 0; i < MAX_MUSIC_SLOTS; i++) {
        musicSlots[i].segment = nullptr;
        musicSlots[i].extra1 = 0;
        musicSlots[i].extra2 = 0;
        musicSlots[i].slotIndex = i;
    }
    currentMusic = -1;
    return 1;
}

int UnloadAllMusic(void)
{
    for (int i = 0; i < MAX_MUSIC_SLOTS; i++) {
        MusicSlot *slot = &musicSlots[i];
        if (!slot->segment)
            continue;
        slot->segment->SetParam(GUID_Unload, ALL_GROUPS, 0, 0, musicPerformance);
        slot->segment->Release();
        slot->segment = nullptr;
        slot->extra1 = 0;
        slot->extra2 = 0;
    }
    return 1;
}

int CloseMusic(void)
{
    if (musicPerformance)
        musicPerformance->Stop(nullptr, nullptr, 0, 0);
    UnloadAllMusic();
    if (musicPerformance) {
        musicPerformance->CloseDown();
        musicPerformance->Release();
        musicPerformance = nullptr;
    }
    if (musicLoader) {
        musicLoader->Release();
        musicLoader = nullptr;
    }
    CoUninitialize();
    return 1;
}
