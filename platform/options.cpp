// options.cpp -- parses the command line strictly: anything unknown or malformed is refused
#include "platform/options.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

RunOptions runOptions;

static const char USAGE[] =
    "usage: zaf [options]\n"
    "  --help                 show this and exit\n"
    "  --version              show the version and exit\n"
    "  --window               play in a 1024x768 window instead of full screen\n"
    "  --record FILE          play as usual and write a demo of the run to FILE\n"
    "  --replay FILE          take the input from the demo FILE instead of the devices\n"
    "  --headless             show and play nothing (with --replay: as fast as possible)\n"
    "  --screenshot N FILE    save the picture of the Nth frame presented as a BMP (repeatable)\n"
    "While playing: F11 switches between full screen and a window, F12 saves a screenshot.\n";

const char *UsageText(void)
{
    return USAGE;
}

// A whole positive decimal number, nothing else.
static bool ParseCount(const char *text, long *value)
{
    if (!*text || std::strspn(text, "0123456789") != std::strlen(text))
        return false;
    errno = 0;
    char *end = nullptr;
    long n = std::strtol(text, &end, 10);
    if (errno == ERANGE || n < 1)
        return false;
    *value = n;
    return true;
}

OptionsVerdict ParseOptions(int argc, char **argv, RunOptions *options, std::string *error,
                            std::string *out)
{
    *options = RunOptions();
    for (int i = 1; i < argc; i++) {
        std::string option = argv[i];
        int left = argc - 1 - i;
        if (option == "--help") {
            *out = USAGE;
            return OPTIONS_DONE;
        } else if (option == "--version") {
            *out = "zaf 1.0\n";
            return OPTIONS_DONE;
        } else if (option == "--window") {
            options->windowed = true;
        } else if (option == "--headless") {
            options->headless = true;
        } else if (option == "--record" || option == "--replay") {
            if (left < 1 || !*argv[i + 1]) {
                *error = option + " needs a file name";
                return OPTIONS_BAD;
            }
            std::string &path = option == "--record" ? options->recordPath : options->replayPath;
            if (!path.empty()) {
                *error = option + " is given twice";
                return OPTIONS_BAD;
            }
            path = argv[++i];
        } else if (option == "--screenshot") {
            long present = 0;
            if (left < 2) {
                *error = "--screenshot needs a present number and a file name";
                return OPTIONS_BAD;
            }
            if (!ParseCount(argv[i + 1], &present)) {
                *error = std::string("--screenshot: '") + argv[i + 1] +
                         "' is not a present number (1 or more)";
                return OPTIONS_BAD;
            }
            if (!*argv[i + 2]) {
                *error = "--screenshot needs a file name";
                return OPTIONS_BAD;
            }
            options->shots.push_back({present, argv[i + 2]});
            i += 2;
        } else {
            *error = "unknown option '" + option + "'";
            return OPTIONS_BAD;
        }
    }
    if (!options->recordPath.empty() && options->recordPath == options->replayPath) {
        *error = "--record and --replay name the same file";
        return OPTIONS_BAD;
    }
    return OPTIONS_RUN;
}
