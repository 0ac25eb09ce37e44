// dsound.cpp -- the DirectSound object: the default audio output, opened through SDL and kept silent
#include <SDL.h>

#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/dsound.h"
#include "platform/com_object.h"
#include "platform/seam.h"

namespace {

struct DirectSound : ComObject<IDirectSound> {
    SDL_AudioDeviceID device = 0;

    explicit DirectSound(SDL_AudioDeviceID opened) : device(opened) {}
    ~DirectSound() override
    {
        SDL_CloseAudioDevice(device);
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }

    HRESULT SetCooperativeLevel(HWND, DWORD level) override
    {
        // Normal, priority, exclusive and write-primary are 1 to 4; all share the device here.
        return (level >= DSSCL_NORMAL && level <= 4) ? DS_OK : E_INVALIDARG;
    }
};

// True when the kernel lists a sound card. /proc/asound/cards holds one line per card that
// begins with its number, or " --- no soundcards ---".
bool HaveSoundCard()
{
    FILE *cards = fopen("/proc/asound/cards", "r");
    if (!cards)
        return false;
    bool found = false;
    char line[256];
    while (!found && fgets(line, sizeof line, cards)) {
        const char *p = line;
        while (*p == ' ')
            p++;
        found = isdigit((unsigned char)*p) != 0;
    }
    fclose(cards);
    return found;
}

// With no sound card the ALSA library, and sndio which sits on it, print lines of complaint to
// stderr when SDL tries them. Unless the user named the drivers, try SDL's own order without
// those two when there is no card; the sound servers fail quietly when none is running.
void ChooseAudioDrivers()
{
    if (SDL_GetHint(SDL_HINT_AUDIODRIVER) || HaveSoundCard())
        return;
    std::string order;
    for (int i = 0; i < SDL_GetNumAudioDrivers(); i++) {
        const char *name = SDL_GetAudioDriver(i);
        if (!strcmp(name, "alsa") || !strcmp(name, "sndio") || !strcmp(name, "disk") ||
            !strcmp(name, "dummy"))
            continue;
        order += order.empty() ? "" : ",";
        order += name;
    }
    // An empty hint would mean SDL's full order again; a name no driver has makes it fail.
    SDL_SetHint(SDL_HINT_AUDIODRIVER, order.empty() ? "none" : order.c_str());
}

} // namespace

HRESULT DirectSoundCreate(GUID *device, IDirectSound **directSound, IUnknown *outer)
{
    if (directSoundCreateHook)
        return directSoundCreateHook(device, directSound, outer);
    if (!directSound)
        return E_INVALIDARG;
    *directSound = nullptr;
    // Only the default device exists here.
    if (device || outer)
        return E_INVALIDARG;

    ChooseAudioDrivers();
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return DSERR_NODRIVER;
    SDL_AudioSpec wanted;
    memset(&wanted, 0, sizeof wanted);
    wanted.freq = 22050;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = 2;
    // Short periods: closing the device waits for its thread to finish the one under way.
    wanted.samples = 256;
    SDL_AudioSpec got;
    // No callback: SDL queues what it is given, and nothing is given, so the output stays
    // silent; and it stays paused, as SDL opens it.
    SDL_AudioDeviceID opened =
        SDL_OpenAudioDevice(nullptr, 0, &wanted, &got, SDL_AUDIO_ALLOW_ANY_CHANGE);
    if (opened == 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return DSERR_NODRIVER;
    }
    *directSound = new DirectSound(opened);
    return DS_OK;
}
