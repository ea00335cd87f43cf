// The disk on Windows. Paths are GBK texts converted with code page 936, so ledger and log
// names come out right on a system of any language. Writes go to a temporary file beside the
// target and replace it in one step: a full disk or a crash never leaves a torn file.
#include <windows.h>

#include "shell/services.h"
#include "shell/win32/code_page.h"

namespace bk {

namespace {

class Handle {
  public:
    explicit Handle(HANDLE h) : h_(h) {}
    ~Handle() { close(); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    bool valid() const { return h_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return h_; }
    bool close() {
        if (!valid()) return true;
        const bool ok = CloseHandle(h_) != 0;
        h_ = INVALID_HANDLE_VALUE;
        return ok;
    }

  private:
    HANDLE h_;
};

class Win32FileSystem : public FileSystem {
  public:
    ReadResult readWhole(const Text& path, Text& out) const override {
        out.clear();
        std::wstring wide;
        // A name that cannot be converted names no file that could be read or written.
        if (!gbkToWideStrict(path, wide) || wide.empty()) return ReadResult::Failed;
        Handle file(CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.valid()) {
            // Only an absent file is an empty one. Denied access, a file locked by another
            // program or a folder at the path all mean the content is there but unknown.
            const DWORD error = GetLastError();
            return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND
                       ? ReadResult::Missing
                       : ReadResult::Failed;
        }
        char buffer[64 * 1024];
        for (;;) {
            DWORD got = 0;
            if (!ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr)) {
                out.clear();
                return ReadResult::Failed;
            }
            if (got == 0) break;
            out.append(buffer, got);
        }
        // A text ends at its first NUL byte, as on every other face of the program.
        const auto nul = out.find('\0');
        if (nul != Text::npos) out.resize(nul);
        return ReadResult::Read;
    }

    bool writeWhole(const Text& path, const Text& bytes) override {
        std::wstring target;
        if (!gbkToWideStrict(path, target) || target.empty()) return false;
        const std::wstring temp = target + L".tmp~";
        bool ok;
        {
            Handle file(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
            if (!file.valid()) return false;
            ok = true;
            std::size_t done = 0;
            while (ok && done < bytes.size()) {
                const DWORD chunk = static_cast<DWORD>(
                    bytes.size() - done > (1u << 30) ? (1u << 30) : bytes.size() - done);
                DWORD written = 0;
                ok = WriteFile(file.get(), bytes.data() + done, chunk, &written, nullptr) &&
                     written == chunk;
                done += written;
            }
            ok = FlushFileBuffers(file.get()) && ok;
            ok = file.close() && ok;
        }
        if (ok && MoveFileExW(temp.c_str(), target.c_str(),
                              MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return true;
        DeleteFileW(temp.c_str());
        return false;
    }

    bool isDirectory(const Text& path) const override {
        std::wstring wide;
        if (!gbkToWideStrict(path, wide) || wide.empty()) return false;
        const DWORD attributes = GetFileAttributesW(wide.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    }

    bool makeDirectory(const Text& path) override {
        std::wstring wide;
        if (!gbkToWideStrict(path, wide) || wide.empty()) return false;
        return CreateDirectoryW(wide.c_str(), nullptr) != 0;
    }
};

}  // namespace

std::unique_ptr<FileSystem> makeSystemFileSystem() { return std::make_unique<Win32FileSystem>(); }

}  // namespace bk
