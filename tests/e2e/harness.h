// harness.h -- runs the real program under Xvfb, drives it with xdotool and reads screenshots
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

// A picture as 8-bit red, green, blue triples, row by row from the top.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;

    bool Empty() const { return rgb.empty(); }
    const uint8_t *At(int x, int y) const { return &rgb[(size_t)(y * width + x) * 3]; }
};

// An Xvfb server on a display number of its own, stopped when the object goes.
class XServer {
public:
    explicit XServer(const char *screen = "1024x768x24");
    ~XServer();
    bool Ready() const { return pid > 0; }
    const std::string &Display() const { return display; }

private:
    pid_t pid = -1;
    std::string display;
};

// The program, started from the source folder; stderr is kept in a file.
class Game {
public:
    // With no server the program runs with no DISPLAY at all; cwd defaults to the source folder.
    Game(const XServer *server, const std::vector<std::string> &args, const std::string &cwd = "");
    ~Game();
    bool Running();
    void Signal(int signal);
    // Waits up to ms for the program to end; its exit status, or -1 if still running.
    int WaitExit(int ms);
    std::string Stderr() const;

private:
    pid_t pid = -1;
    int status = -1;
    std::string errPath;
};

// Runs a shell command with DISPLAY set; its exit status.
int RunCommand(const XServer &server, const std::string &command);
Picture Screenshot(const XServer &server);
// Reads an uncompressed 24-bit bottom-up BMP, as the program's screenshots and pictures are.
Picture ReadPicture(const std::string &path);
// The picture as the game shows it: each channel cut to 5 or 6 bits, as a 16-bit display does.
Picture As565(const Picture &picture);
void SavePicture(const Picture &picture, const std::string &path);

// Runs the program to its end with a timeout; its exit status, or -1 on timeout.
int RunGame(const std::vector<std::string> &args, int timeoutMs, std::string *stderrText = nullptr);
// Writes the picture as PNG (through ImageMagick), for a person to look at after a failure.
void SavePng(const Picture &picture, const std::string &path);
// Reads any picture ImageMagick reads (PNG for the kept expectations).
Picture ReadAnyPicture(const std::string &path);

// Whether two colours agree within tol on every channel.
bool Near(const uint8_t *a, const uint8_t *b, int tol);
// Of the pixels of sprite (black ones left out) placed at (x, y), the share the screen shows.
double SpriteMatch(const Picture &screen, const Picture &sprite, int sx, int sy, int sw, int sh,
                   int x, int y);
void SleepMs(int ms);
std::string SourceDir();
