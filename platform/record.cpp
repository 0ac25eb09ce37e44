// record.cpp -- writes a demo of the run: its first tick and every frame's snapshots
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/demo.h"
#include "platform/seam.h"
#include "platform/ticks.h"


static FILE *recording = nullptr;
static std::string recordingPath;
static DWORD (*tickUnderRecording)(void) = nullptr;
static bool startTickWritten = false;
static DemoFrame pendingFrame; // this frame's keys, until its mouse read ends the line
static bool keysPending = false;

static DWORD RecordTick(void)
{
    DWORD tick = tickUnderRecording ? tickUnderRecording() : SystemTickCount();
    if (recording && !startTickWritten) {
        std::fprintf(recording, "start-tick %u\n", (unsigned)tick);
        startTickWritten = true;
    }
    return tick;
}

bool StartRecording(const std::string &path, std::string *error)
{
    recording = std::fopen(path.c_str(), "w");
    if (!recording) {
        *error = path + ": cannot write: " + std::strerror(errno);
        return false;
    }
    recordingPath = path;
    std::fprintf(recording, DEMO_HEADER "\n");
    startTickWritten = false;
    pendingFrame = DemoFrame();
    keysPending = false;
    tickUnderRecording = tickCountHook;
    tickCountHook = RecordTick;
    return true;
}

// One line a frame; the frame's mouse read ends it, or, with no mouse to read, the next
// keyboard read or the end of the recording.
static void WriteFrame(void)
{
    if (!startTickWritten)
        RecordTick();
    std::fprintf(recording, "%s\n", FormatDemoFrame(pendingFrame).c_str());
    pendingFrame = DemoFrame();
    keysPending = false;
}

void RecordKeyboard(const BYTE keys[256])
{
    if (!recording)
        return;
    if (keysPending)
        WriteFrame();
    for (int code = 1; code < 256; code++)
        if (keys[code] & 0x80)
            pendingFrame.keys[code / 8] |= (uint8_t)(1u << (code % 8));
    keysPending = true;
}

void RecordMouse(const DIMOUSESTATE *mouse)
{
    if (!recording)
        return;
    pendingFrame.x = mouse->lX;
    pendingFrame.y = mouse->lY;
    pendingFrame.z = mouse->lZ;
    for (int i = 0; i < 4; i++)
        if (mouse->rgbButtons[i] & 0x80)
            pendingFrame.buttons |= (uint8_t)(1u << i);
    WriteFrame();
}

bool StopRecording(std::string *error)
{
    if (!recording)
        return true;
    if (keysPending)
        WriteFrame();
    bool written = !std::ferror(recording);
    written = (std::fclose(recording) == 0) && written;
    recording = nullptr;
    tickCountHook = tickUnderRecording;
    if (!written)
        *error = recordingPath + ": the demo could not be written whole";
    return written;
}
