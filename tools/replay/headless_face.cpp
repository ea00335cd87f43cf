// The replay runner's headless face: the in-memory model of shell/headless. Built on
// every platform, so the runner's own tests can use it.
#include "replay_face.h"
#include "shell/headless/headless_ui.h"

namespace bk {

namespace {

Action toAction(HeadlessUi::Input in) {
    switch (in) {
        case HeadlessUi::Input::Done: return Action::Done;
        case HeadlessUi::Input::Ignored: return Action::Ignored;
        default: return Action::Impossible;
    }
}

class HeadlessFace : public ReplayFace {
public:
    Ui& ui() override { return ui_; }

    void start(App& app, ReplayHost& host) override {
        ui_.connect(app);
        ui_.hooks.modalLoop = [&host] { host.runModal(); };
        ui_.hooks.messageShown = [&host](const Text& t, bool) { host.messageShown(t); };
        ui_.hooks.answer = [&host] { return host.answerYesNo(); };
        ui_.createMainWindow();
    }

    void closeMainWindow() override { ui_.closeMainWindow(); }
    bool statisticsWindowOpen() override { return ui_.windowOpen(Window::Stats); }

    Action focus(Ctl c) override { return toAction(ui_.userFocus(c)); }
    Action type(const Text& gbk) override { return toAction(ui_.userType(gbk)); }
    Action backspace() override { return toAction(ui_.userBackspace()); }
    Action click(Ctl c) override { return toAction(ui_.userClick(c)); }
    Action doubleClick(Ctl list) override { return toAction(ui_.userDoubleClick(list)); }
    Action rightClick(Ctl list) override { return toAction(ui_.userRightClick(list)); }
    Action chooseMenu(const Text& caption) override {
        return toAction(ui_.userChooseMenu(caption));
    }
    Action chooseCombo(Ctl combo, int index) override {
        return toAction(ui_.userChooseCombo(combo, index));
    }
    Action selectRow(Ctl list, int row) override { return toAction(ui_.userSelectRow(list, row)); }

    bool cellColour(Ctl list, int row, int col, Colour& text, Colour& background) override {
        return ui_.drawnColours(list, row, col, text, background);
    }

    void processPending() override { ui_.runPosted(); }

private:
    HeadlessUi ui_;
};

}  // namespace

std::unique_ptr<ReplayFace> makeHeadlessReplayFace() { return std::make_unique<HeadlessFace>(); }

}  // namespace bk
