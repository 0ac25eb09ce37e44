// test_environment.cpp -- what every test process starts with: SDL's dummy drivers, the source
// folder, and the sanitizers' settings (leaks suppressed only inside system libraries)
#include <cstdlib>

#ifndef ZAF_SOURCE_DIR
#error "ZAF_SOURCE_DIR must name the source folder"
#endif

namespace {

struct TestEnvironment {
    TestEnvironment()
    {
        // A test run may still name its own drivers; these are the defaults.
        setenv("SDL_VIDEODRIVER", "dummy", 0);
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        setenv("ZAF_SOURCE_DIR", ZAF_SOURCE_DIR, 0);
    }
};

TestEnvironment testEnvironment;

} // namespace

extern "C" const char *__lsan_default_suppressions()
{
    return "leak:libX11.so\n"
           "leak:libxcb.so\n"
           "leak:libfontconfig.so\n"
           "leak:libdbus-1.so\n"
           "leak:libGLX\n"
           "leak:libGL.so\n"
           "leak:libEGL\n"
           "leak:libasound.so\n"
           "leak:libpulse\n"
           "leak:_dl_open\n";
}

extern "C" const char *__ubsan_default_options()
{
    return "print_stacktrace=1:halt_on_error=1";
}
