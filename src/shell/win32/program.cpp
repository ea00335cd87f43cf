#include "shell/win32/program.h"

#include <vector>

#include "shell/events.h"
#include "shell/win32/code_page.h"
#include "shell/win32/skin_loader.h"

namespace bk {

Program::Program(HINSTANCE instance, Clock& clock, RandomSource& random, FileSystem& fs,
                 Text runDirectory)
    : ui_(instance), app_(ui_, clock, random, fs, std::move(runDirectory)) {
    // Failures of the log's worker reach the banker as a message on the GUI thread.
    billLog_ = makeBillLogWriter(app_);
    app_.billLog = billLog_.get();
    ui_.setColourRegistry(&app_.colours);
    ui_.setHandlers(programHandlers(app_));
}

Win32Handlers programHandlers(App& app) {
    return Win32Handlers{
        [&app](Ctl c, Event e) { handleEvent(app, c, e); },
        [&app](MenuItem item) { handleMenu(app, item); },
        [&app] { onMainWindowCreated(app); },
        [&app] { onMainWindowClosing(app); },
        [&app] { onStatisticsWindowCreated(app); },
    };
}

Program::~Program() {
    // The windows go before the state their procedures would reach.
    ui_.destroyWindows();
    if (billLog_) billLog_->drain();
    app_.billLog = nullptr;
}

bool Program::start(bool withSkin, int showCommand) {
    if (withSkin) {
        installAndAttachSkin();
        app_.adjustSkinHsv = [](int hue, int saturation, int value) {
            adjustSkinHsv(hue, saturation, value);
        };
    }
    return ui_.openMainWindow(showCommand);
}

Text executableFolder() {
    std::vector<wchar_t> path(MAX_PATH);
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return Text(".");
        if (n < path.size()) {
            std::wstring full(path.data(), n);
            const auto slash = full.find_last_of(L"\\/");
            return wideToGbk(slash == std::wstring::npos ? std::wstring(L".")
                                                         : full.substr(0, slash));
        }
        path.resize(path.size() * 2);
    }
}

}  // namespace bk
