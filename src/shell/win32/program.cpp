#include "shell/win32/program.h"

#include <vector>

#include "shell/events.h"
#include "shell/win32/code_page.h"
#include "shell/win32/skin_loader.h"

namespace bk {

Program::Program(HINSTANCE instance, Clock& clock, RandomSource& random, FileSystem& fs,
                 Text runDirectory)
    : ui_(instance), app_(ui_, clock, random, fs, std::move(runDirectory)) {
    Win32Ui& ui = ui_;
    // The writer's worker reports failures from its own thread; the message is shown on
    // the GUI thread, one box per entry that could not be written.
    billLog_ = std::make_unique<BillLogWriter>(fs, billLogPath(app_), [&ui] {
        ui.postToGui([&ui] { ui.showMessage("账单保存失败！"); });
    });
    app_.billLog = billLog_.get();
    App& app = app_;
    ui_.setColourRegistry(&app_.colours);
    ui_.setHandlers(Win32Handlers{
        [&app](Ctl c, Event e) { handleEvent(app, c, e); },
        [&app](MenuItem item) { handleMenu(app, item); },
        [&app] { onMainWindowCreated(app); },
        [&app] { onMainWindowClosing(app); },
        [&app] { onStatisticsWindowCreated(app); },
    });
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
