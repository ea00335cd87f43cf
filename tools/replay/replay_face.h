// The face a scenario runs against. The interpreter (script.h, interpreter.h) is common;
// the runner's face is chosen by one file: replay_headless.cpp (the in-memory model of
// headless_face.cpp) natively, replay_win32.cpp (the real windows) on Windows.
#pragma once

#include <memory>

#include "shell/app.h"

namespace bk {

// What the interpreter offers the face while a script runs.
class ReplayHost {
public:
    virtual ~ReplayHost() = default;
    // Every message box, as it is shown (OK and Yes/No boxes alike).
    virtual void messageShown(const Text& text) = 0;
    // The answer for a Yes/No box: the next queued `answer`, else the default button No.
    virtual bool answerYesNo() = 0;
    // The modal loop of StatisticsWindow: runs script commands until `close` (or the end
    // of the script, or a failure) and returns; the face then destroys the window.
    virtual void runModal() = 0;
};

// What became of a user action.
enum class Action {
    Done,
    Ignored,     // the control takes no input now: hidden, disabled, or behind the modal window
    Impossible,  // nothing to act on: no popped menu or no such item, no such row or combo item
};

class ReplayFace {
public:
    virtual ~ReplayFace() = default;

    // The port the program's handlers use; valid from construction.
    virtual Ui& ui() = 0;
    // Start-up: MainWindow and its controls made from the control map, then its creation
    // handler (onMainWindowCreated). `app` was built on ui() and outlives the face's use.
    virtual void start(App& app, ReplayHost& host) = 0;
    // MainWindow closes: its closing handler runs, the program ends.
    virtual void closeMainWindow() = 0;
    virtual bool statisticsWindowOpen() = 0;

    // ---- the user's actions, each as a person at the keyboard and mouse does it ----
    virtual Action focus(Ctl c) = 0;
    // Each character goes to the control that has the focus when it is typed.
    virtual Action type(const Text& gbk) = 0;
    virtual Action backspace() = 0;
    // Buttons and check boxes (which take the focus), labels (pressed), edit boxes (the
    // focus, then the caret placed after the text, then the button released), list views
    // (a click that leaves the selection as it is).
    virtual Action click(Ctl c) = 0;
    virtual Action doubleClick(Ctl list) = 0;
    virtual Action rightClick(Ctl list) = 0;  // its handler pops the menu up
    virtual Action chooseMenu(const Text& caption) = 0;
    virtual Action chooseCombo(Ctl combo, int index) = 0;
    // Keyboard selection: no click, the focus stays where it is. -1: none.
    virtual Action selectRow(Ctl list, int row) = 0;

    // The text and background colour the cell is drawn with; false when there is no
    // such cell.
    virtual bool cellColour(Ctl list, int row, int col, Colour& text, Colour& background) = 0;
    // Runs work posted to the GUI thread (between commands, and after `wait`).
    virtual void processPending() = 0;
};

// The face of this build of the runner, made by the face's own file.
std::unique_ptr<ReplayFace> makeReplayFace();
// The headless face (every build has it; the runner's tests use it).
std::unique_ptr<ReplayFace> makeHeadlessReplayFace();

}  // namespace bk
