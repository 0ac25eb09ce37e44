// options.h -- the program's command line: how to show the game and where its input comes from
#pragma once

#include <string>
#include <vector>

// A picture to save: the one the given present made visible.
struct ShotRequest {
    long present;
    std::string path;
};

struct RunOptions {
    bool windowed = false;    // a 1024x768 window instead of covering the desktop
    bool headless = false;    // SDL's dummy video and audio drivers: nothing shown or heard
    std::string recordPath;   // write a demo of this run here
    std::string replayPath;   // take the input snapshots from this demo
    std::vector<ShotRequest> shots;
};

// What ParseOptions decided.
enum OptionsVerdict { OPTIONS_RUN, OPTIONS_DONE, OPTIONS_BAD };

// Fills options from argv. OPTIONS_DONE after --help or --version (printed on out);
// OPTIONS_BAD with the reason in *error.
OptionsVerdict ParseOptions(int argc, char **argv, RunOptions *options, std::string *error,
                            std::string *out);
// The usage text, one option a line.
const char *UsageText(void);

extern RunOptions runOptions;
