// The program's entry: no command line is read; the program ends when MainWindow closes.
#include <windows.h>

#include <ctime>

#include "shell/win32/program.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    auto clock = bk::makeSystemClock();
    const auto seed = static_cast<std::uint32_t>(std::time(nullptr)) ^ GetTickCount();
    auto random = bk::makeRandomSource(seed);
    auto fs = bk::makeSystemFileSystem();
    int exitCode = 0;
    {
        bk::Program program(instance, *clock, *random, *fs, bk::executableFolder());
        if (!program.start(true, showCommand)) return 1;
        exitCode = program.run();
    }  // the bill log's queue is finished here, before the process ends
    return exitCode;
}
