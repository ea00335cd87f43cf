// Watches the message boxes of the calling thread and answers them, so that scripted runs
// and tests go on without a person at the screen. The code that shows the boxes is the
// program's own and does not know it is watched.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace bk {

struct SeenMessageBox {
    std::wstring caption;
    std::wstring text;
    bool yesNo = false;     // Yes and No buttons (else a single OK)
    int defaultButton = 0;  // IDOK, IDYES or IDNO
    bool hasOwner = false;
    bool hasIcon = false;
};

class MessageBoxHook {
  public:
    // `answer` returns the button to press (IDOK, IDYES, IDNO) for each box it sees.
    explicit MessageBoxHook(std::function<int(const SeenMessageBox&)> answer);
    ~MessageBoxHook();
    MessageBoxHook(const MessageBoxHook&) = delete;
    MessageBoxHook& operator=(const MessageBoxHook&) = delete;
    bool installed() const { return hook_ != nullptr; }

  private:
    static LRESULT CALLBACK cbtProc(int code, WPARAM wParam, LPARAM lParam);
    static void CALLBACK readAndAnswer(HWND dialog, UINT, UINT_PTR id, DWORD);
    static thread_local MessageBoxHook* current_;
    HHOOK hook_ = nullptr;
    MessageBoxHook* previous_ = nullptr;
    std::function<int(const SeenMessageBox&)> answer_;
};

}  // namespace bk
