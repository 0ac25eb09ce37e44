// demo.cpp -- the demo file: parsed strictly, with the file and line of anything wrong
#include "platform/demo.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>


#define MAX_DEMO_BYTES (256L * 1024 * 1024)

static bool SetError(std::string *error, const std::string &name, int line, const std::string &what)
{
    *error = name + ":" + std::to_string(line) + ": " + what;
    return false;
}

// A whole decimal number within [low, high], with an optional sign.
static bool ParseNumber(const std::string &word, long long low, long long high, long long *value)
{
    if (word.empty() || word.size() > 20)
        return false;
    size_t start = (word[0] == '-' || word[0] == '+') ? 1 : 0;
    if (start == word.size() || word.find_first_not_of("0123456789", start) != std::string::npos)
        return false;
    errno = 0;
    long long n = std::strtoll(word.c_str(), nullptr, 10);
    if (errno == ERANGE || n < low || n > high)
        return false;
    *value = n;
    return true;
}

static bool ParseKey(const std::string &word, int *code)
{
    if (word.size() != 2 || !std::isxdigit((unsigned char)word[0]) ||
        !std::isxdigit((unsigned char)word[1]))
        return false;
    *code = (int)std::strtol(word.c_str(), nullptr, 16);
    return *code != 0;
}

static bool ParseFrame(const std::vector<std::string> &words, DemoFrame *frame, std::string *why)
{
    if (words.size() < 4) {
        *why = "a frame needs lX lY lZ and buttons";
        return false;
    }
    long long value = 0;
    int32_t *axes[3] = {&frame->x, &frame->y, &frame->z};
    for (int i = 0; i < 3; i++) {
        if (!ParseNumber(words[i], INT32_MIN, INT32_MAX, &value)) {
            *why = "motion '" + words[i] + "' is not a signed 32-bit number";
            return false;
        }
        *axes[i] = (int32_t)value;
    }
    if (!ParseNumber(words[3], 0, 15, &value)) {
        *why = "buttons '" + words[3] + "' is not a mask from 0 to 15";
        return false;
    }
    frame->buttons = (uint8_t)value;
    for (size_t i = 4; i < words.size(); i++) {
        int code = 0;
        if (!ParseKey(words[i], &code)) {
            *why = "key '" + words[i] + "' is not a key code of two hex digits";
            return false;
        }
        frame->keys[code / 8] |= (uint8_t)(1u << (code % 8));
    }
    return true;
}

bool ParseDemo(const std::string &text, const std::string &name, Demo *demo, std::string *error)
{
    *demo = Demo();
    std::istringstream lines(text);
    std::string line;
    int number = 0;
    int seen = 0; // lines that are neither blank nor comments
    while (std::getline(lines, line)) {
        number++;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        size_t first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == '#')
            continue;
        std::istringstream split(line);
        std::vector<std::string> words;
        for (std::string word; split >> word;)
            words.push_back(word);
        seen++;
        if (seen == 1) {
            if (words.size() != 2 || words[0] + " " + words[1] != DEMO_HEADER)
                return SetError(error, name, number, "not a demo: the first line must be '" DEMO_HEADER "'");
        } else if (seen == 2) {
            long long tick = 0;
            if (words.size() != 2 || words[0] != "start-tick" ||
                !ParseNumber(words[1], 0, UINT32_MAX, &tick) || words[1][0] == '-' || words[1][0] == '+')
                return SetError(error, name, number, "expected 'start-tick' and an unsigned 32-bit number");
            demo->startTick = (uint32_t)tick;
        } else {
            DemoFrame frame;
            std::string why;
            if (!ParseFrame(words, &frame, &why))
                return SetError(error, name, number, why);
            demo->frames.push_back(frame);
        }
    }
    if (seen < 2)
        return SetError(error, name, number, seen == 0 ? "empty: no demo header" : "no start-tick line");
    return true;
}

bool ReadDemo(const std::string &path, Demo *demo, std::string *error)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        *error = path + ": cannot open: " + std::strerror(errno);
        return false;
    }
    in.seekg(0, std::ios::end);
    std::streamoff size = in.tellg();
    if (size < 0) {
        *error = path + ": not a regular file";
        return false;
    }
    if (size > MAX_DEMO_BYTES) {
        *error = path + ": too large for a demo";
        return false;
    }
    in.seekg(0);
    std::string text((size_t)std::max<std::streamoff>(size, 0), '\0');
    in.read(&text[0], size);
    if (!in) {
        *error = path + ": cannot read";
        return false;
    }
    return ParseDemo(text, path, demo, error);
}

std::string FormatDemoFrame(const DemoFrame &frame)
{
    char line[64];
    std::snprintf(line, sizeof line, "%d %d %d %u", (int)frame.x, (int)frame.y, (int)frame.z,
                  (unsigned)frame.buttons);
    std::string text = line;
    for (int code = 1; code < 256; code++)
        if (frame.keys[code / 8] & (1u << (code % 8))) {
            std::snprintf(line, sizeof line, " %02X", code);
            text += line;
        }
    return text;
}
