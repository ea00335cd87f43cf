// The real program around the Win32 face: program-wide state, the bill-log writer, the
// skin, MainWindow and the message loop. The entry and the Win32 scenario runner both
// start the program through this, with their own clock, random source and folder.
#pragma once

#include <windows.h>

#include <memory>

#include "ledger/bill_log.h"
#include "shell/app.h"
#include "shell/win32/win32_ui.h"

namespace bk {

class Program {
  public:
    Program(HINSTANCE instance, Clock& clock, RandomSource& random, FileSystem& fs,
            Text runDirectory);
    // Finishes every queued bill-log write before the state goes.
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Start-up: the skin (when asked for), then MainWindow with its creation handler.
    bool start(bool withSkin, int showCommand = SW_SHOWNORMAL);
    // The message loop until MainWindow is closed; the program's exit code.
    int run() { return ui_.runMessageLoop(); }

    App& app() { return app_; }
    Win32Ui& ui() { return ui_; }

  private:
    Win32Ui ui_;
    App app_;
    std::unique_ptr<BillLogWriter> billLog_;
};

// The program's dispatch, as the face delivers events to it.
Win32Handlers programHandlers(App& app);

// The folder of the running executable, GBK, without a trailing separator.
Text executableFolder();

}  // namespace bk
