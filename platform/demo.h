// demo.h -- recorded runs: the start tick and every frame's input snapshots, as plain text
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/dinput.h"

// The first line of every demo.
#define DEMO_HEADER "zaf-demo 1"

// One frame's input: the mouse's motion and buttons, and the keys down.
struct DemoFrame {
    int32_t x = 0;
    int32_t y = 0;
    int32_t z = 0;
    uint8_t buttons = 0;  // bit i set when button i is down
    uint8_t keys[32] = {}; // bit k set when key code k is down
};

struct Demo {
    uint32_t startTick = 0;
    std::vector<DemoFrame> frames;
};

// Parses a demo's text; on failure *error says "name:line: what is wrong".
bool ParseDemo(const std::string &text, const std::string &name, Demo *demo, std::string *error);
bool ReadDemo(const std::string &path, Demo *demo, std::string *error);
// The demo's text, parsed back by ParseDemo to the same frames.
std::string FormatDemoFrame(const DemoFrame &frame);

// From now on the tick count is the demo's virtual clock and the devices read its frames.
void StartReplay(const Demo &demo);
// While replaying, fills the next keyboard or mouse snapshot and returns true. Past the last
// frame the snapshot is empty and the first such read asks the window to close.
bool ReplayKeyboard(BYTE keys[256]);
bool ReplayMouse(DIMOUSESTATE *mouse);

// Writes the run's first tick and each frame's snapshots, as the game read them, to path.
bool StartRecording(const std::string &path, std::string *error);
void RecordKeyboard(const BYTE keys[256]);
void RecordMouse(const DIMOUSESTATE *mouse);
// Finishes the file; false with the reason when it could not be written whole.
bool StopRecording(std::string *error);
