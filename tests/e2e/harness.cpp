// harness.cpp -- Xvfb, the program's process, xdotool, ImageMagick screenshots and pictures
#include "harness.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

#ifndef ZAF_BINARY
#error "ZAF_BINARY must name the program under test"
#endif

void SleepMs(int ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

std::string SourceDir()
{
    const char *dir = std::getenv("ZAF_SOURCE_DIR");
    return dir ? dir : ".";
}

static pid_t Spawn(const std::vector<std::string> &args, const std::string &display,
                   const std::string &errPath, const std::string &cwd = "")
{
    pid_t pid = fork();
    if (pid != 0)
        return pid;
    setpgid(0, 0);
    // The program meets the real X server and audio, not the test process's dummy drivers.
    unsetenv("DISPLAY");
    unsetenv("SDL_VIDEODRIVER");
    unsetenv("SDL_AUDIODRIVER");
    if (!cwd.empty() && chdir(cwd.c_str()) != 0)
        _exit(126);
    if (!display.empty())
        setenv("DISPLAY", display.c_str(), 1);
    int devnull = open("/dev/null", O_RDWR);
    dup2(devnull, 0);
    dup2(devnull, 1);
    int err = errPath.empty() ? devnull : open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(err, 2);
    std::vector<char *> argv;
    for (const std::string &a : args)
        argv.push_back(const_cast<char *>(a.c_str()));
    argv.push_back(nullptr);
    execvp(argv[0], argv.data());
    _exit(127);
}

XServer::XServer(const char *screen)
{
    // A display number of our own, so that parallel test runs do not meet.
    int number = 90 + (int)(getpid() % 800);
    display = ":" + std::to_string(number);
    pid = Spawn({"Xvfb", display, "-screen", "0", screen, "-noreset", "-nolisten", "tcp"},
                "", "");
    std::string socket = "/tmp/.X11-unix/X" + std::to_string(number);
    for (int i = 0; i < 100; i++) {
        struct stat st;
        if (stat(socket.c_str(), &st) == 0 && RunCommand(*this, "xdpyinfo >/dev/null 2>&1 || xdotool getmouselocation >/dev/null 2>&1") == 0)
            return;
        SleepMs(50);
    }
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    pid = -1;
}

XServer::~XServer()
{
    if (pid > 0) {
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
    }
}

Game::Game(const XServer *server, const std::vector<std::string> &args, const std::string &cwd)
{
    char path[] = "/tmp/zaf-e2e-stderr-XXXXXX";
    int fd = mkstemp(path);
    if (fd >= 0)
        close(fd);
    errPath = path;
    std::vector<std::string> argv = {ZAF_BINARY};
    argv.insert(argv.end(), args.begin(), args.end());
    pid = Spawn(argv, server ? server->Display() : "", errPath, cwd.empty() ? SourceDir() : cwd);
}

Game::~Game()
{
    if (Running()) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    unlink(errPath.c_str());
}

void Game::Signal(int signal)
{
    if (Running())
        kill(pid, signal);
}

bool Game::Running()
{
    if (pid <= 0 || status != -1)
        return false;
    int raw = 0;
    if (waitpid(pid, &raw, WNOHANG) == pid) {
        status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
        return false;
    }
    return true;
}

int Game::WaitExit(int ms)
{
    for (int waited = 0; waited <= ms; waited += 10) {
        if (!Running())
            return status;
        SleepMs(10);
    }
    return -1;
}

std::string Game::Stderr() const
{
    std::ifstream in(errPath);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

int RunCommand(const XServer &server, const std::string &command)
{
    std::string full = "export DISPLAY=" + server.Display() + "; " + command;
    int raw = std::system(full.c_str());
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

Picture Screenshot(const XServer &server)
{
    std::string path = "/tmp/zaf-e2e-shot-" + std::to_string(getpid()) + ".bmp";
    Picture shot;
    if (RunCommand(server, "import -window root -depth 8 -type TrueColor BMP3:" + path) == 0)
        shot = ReadPicture(path);
    unlink(path.c_str());
    return shot;
}

static uint32_t Le32(const uint8_t *p)
{
    return p[0] | p[1] << 8 | p[2] << 16 | (uint32_t)p[3] << 24;
}

Picture ReadPicture(const std::string &path)
{
    Picture picture;
    std::ifstream in(path, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M')
        return picture;
    uint32_t offset = Le32(&bytes[10]);
    int width = (int)Le32(&bytes[18]);
    int height = (int)Le32(&bytes[22]);
    int bits = bytes[28] | bytes[29] << 8;
    if (bits != 24 || width <= 0 || height == 0)
        return picture;
    bool bottomUp = height > 0;
    if (!bottomUp)
        height = -height;
    size_t rowBytes = ((size_t)width * 3 + 3) & ~(size_t)3;
    if (offset + rowBytes * height > bytes.size())
        return picture;
    picture.width = width;
    picture.height = height;
    picture.rgb.resize((size_t)width * height * 3);
    for (int y = 0; y < height; y++) {
        const uint8_t *row = &bytes[offset + rowBytes * (bottomUp ? height - 1 - y : y)];
        for (int x = 0; x < width; x++) {
            uint8_t *out = &picture.rgb[(size_t)(y * width + x) * 3];
            out[0] = row[x * 3 + 2];
            out[1] = row[x * 3 + 1];
            out[2] = row[x * 3 + 0];
        }
    }
    return picture;
}

Picture As565(const Picture &picture)
{
    Picture cut = picture;
    for (size_t i = 0; i < cut.rgb.size(); i += 3) {
        cut.rgb[i] &= 0xF8;
        cut.rgb[i + 1] &= 0xFC;
        cut.rgb[i + 2] &= 0xF8;
    }
    return cut;
}

void SavePicture(const Picture &picture, const std::string &path)
{
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << picture.width << " " << picture.height << "\n255\n";
    out.write(reinterpret_cast<const char *>(picture.rgb.data()), (std::streamsize)picture.rgb.size());
}

bool Near(const uint8_t *a, const uint8_t *b, int tol)
{
    for (int c = 0; c < 3; c++)
        if (std::abs(a[c] - b[c]) > tol)
            return false;
    return true;
}

double SpriteMatch(const Picture &screen, const Picture &sprite, int sx, int sy, int sw, int sh,
                   int x, int y)
{
    int opaque = 0, matched = 0;
    for (int j = 0; j < sh; j++)
        for (int i = 0; i < sw; i++) {
            const uint8_t *s = sprite.At(sx + i, sy + j);
            if ((s[0] & 0xF8) == 0 && (s[1] & 0xFC) == 0 && (s[2] & 0xF8) == 0)
                continue;
            if (x + i < 0 || y + j < 0 || x + i >= screen.width || y + j >= screen.height)
                continue;
            opaque++;
            matched += Near(screen.At(x + i, y + j), s, 12);
        }
    return opaque ? (double)matched / opaque : 0.0;
}

int RunGame(const std::vector<std::string> &args, int timeoutMs, std::string *stderrText)
{
    Game game(nullptr, args);
    int status = game.WaitExit(timeoutMs);
    if (stderrText)
        *stderrText = game.Stderr();
    return status;
}

void SavePng(const Picture &picture, const std::string &path)
{
    std::string ppm = path + ".ppm";
    SavePicture(picture, ppm);
    std::system(("convert " + ppm + " " + path + " && rm -f " + ppm).c_str());
}

Picture ReadAnyPicture(const std::string &path)
{
    std::string bmp = "/tmp/zaf-e2e-any-" + std::to_string(getpid()) + ".bmp";
    Picture picture;
    if (std::system(("convert " + path + " -type TrueColor BMP3:" + bmp).c_str()) == 0)
        picture = ReadPicture(bmp);
    unlink(bmp.c_str());
    return picture;
}
