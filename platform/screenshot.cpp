// screenshot.cpp -- 24-bit BMP screenshots of presented frames, numbered or on the player's key
#include "platform/screenshot.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <vector>

#include "platform/options.h"

static long presents = 0;
static bool screenshotRequested = false;
static long shotsSaved = 0; // of those asked for on the command line

static void Put16(std::vector<uint8_t> &out, size_t at, uint32_t v)
{
    out[at] = (uint8_t)v;
    out[at + 1] = (uint8_t)(v >> 8);
}

static void Put32(std::vector<uint8_t> &out, size_t at, uint32_t v)
{
    Put16(out, at, v & 0xFFFF);
    Put16(out, at + 2, v >> 16);
}

bool WriteScreenshot(const std::string &path, const uint16_t *pixels, int width, int height,
                     int pitch, std::string *error)
{
    size_t rowBytes = ((size_t)width * 3 + 3) & ~(size_t)3;
    size_t imageBytes = rowBytes * (size_t)height;
    std::vector<uint8_t> file(54 + imageBytes, 0);
    file[0] = 'B';
    file[1] = 'M';
    Put32(file, 2, (uint32_t)file.size());
    Put32(file, 10, 54);
    Put32(file, 14, 40);
    Put32(file, 18, (uint32_t)width);
    Put32(file, 22, (uint32_t)height);
    Put16(file, 26, 1);
    Put16(file, 28, 24);
    Put32(file, 34, (uint32_t)imageBytes);
    Put32(file, 38, 2835);
    Put32(file, 42, 2835);
    for (int y = 0; y < height; y++) {
        const uint16_t *row = (const uint16_t *)((const uint8_t *)pixels + (size_t)y * pitch);
        uint8_t *out = &file[54 + rowBytes * (size_t)(height - 1 - y)];
        for (int x = 0; x < width; x++) {
            uint16_t p = row[x];
            out[x * 3 + 0] = (uint8_t)((p & 0x1F) << 3);
            out[x * 3 + 1] = (uint8_t)(((p >> 5) & 0x3F) << 2);
            out[x * 3 + 2] = (uint8_t)(((p >> 11) & 0x1F) << 3);
        }
    }
    FILE *f = std::fopen(path.c_str(), "wb");
    if (!f) {
        *error = path + ": " + std::strerror(errno);
        return false;
    }
    bool written = std::fwrite(file.data(), 1, file.size(), f) == file.size();
    written = (std::fclose(f) == 0) && written;
    if (!written)
        *error = path + ": could not be written whole";
    return written;
}

std::string ScreenshotFolder(void)
{
    const char *data = std::getenv("XDG_DATA_HOME");
    std::string base;
    if (data && *data == '/')
        base = data;
    else if (const char *home = std::getenv("HOME"))
        base = std::string(home) + "/.local/share";
    else
        base = ".";
    return base + "/zaf/screenshots";
}

// mkdir -p: each missing folder on the way is made.
static bool MakeFolders(const std::string &path)
{
    for (size_t at = 1; at <= path.size(); at++) {
        if (at < path.size() && path[at] != '/')
            continue;
        std::string part = path.substr(0, at);
        if (mkdir(part.c_str(), 0755) != 0 && errno != EEXIST)
            return false;
    }
    return true;
}

static std::string TimedName(void)
{
    std::time_t now = std::time(nullptr);
    std::tm local = {};
    localtime_r(&now, &local);
    char name[64];
    std::strftime(name, sizeof name, "zaf-%Y%m%d-%H%M%S", &local);
    return name;
}

void RequestScreenshot(void)
{
    screenshotRequested = true;
}

long PresentCount(void)
{
    return presents;
}

void NotePresent(const uint16_t *pixels, int width, int height, int pitch)
{
    presents++;
    std::string error;
    for (const ShotRequest &shot : runOptions.shots) {
        if (shot.present != presents)
            continue;
        if (WriteScreenshot(shot.path, pixels, width, height, pitch, &error))
            shotsSaved++;
        else
            std::fprintf(stderr, "zaf: cannot save screenshot %s\n", error.c_str());
    }
    if (!screenshotRequested)
        return;
    screenshotRequested = false;
    std::string folder = ScreenshotFolder();
    if (!MakeFolders(folder)) {
        std::fprintf(stderr, "zaf: cannot make %s: %s\n", folder.c_str(), std::strerror(errno));
        return;
    }
    // Two saves within one second get a number after the time.
    std::string path = folder + "/" + TimedName() + ".bmp";
    struct stat st;
    for (int n = 2; stat(path.c_str(), &st) == 0; n++)
        path = folder + "/" + TimedName() + "-" + std::to_string(n) + ".bmp";
    if (WriteScreenshot(path, pixels, width, height, pitch, &error))
        std::fprintf(stderr, "zaf: screenshot saved to %s\n", path.c_str());
    else
        std::fprintf(stderr, "zaf: cannot save screenshot %s\n", error.c_str());
}

bool AllScreenshotsSaved(void)
{
    for (const ShotRequest &shot : runOptions.shots)
        if (shot.present > presents)
            std::fprintf(stderr, "zaf: no screenshot %s: the run ended after %ld frames\n",
                         shot.path.c_str(), presents);
    return shotsSaved == (long)runOptions.shots.size();
}
