// The disk on POSIX systems. Paths arrive as GBK texts in the program's own form (a
// Windows-style run directory may use backslashes); Linux names are UTF-8, so each path
// is decoded, with backslashes read as separators.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "betting/gbk.h"
#include "shell/services.h"

namespace bk {

namespace {

std::string nativePath(const Text& gbkPath) {
    std::string p = gbkToUtf8(gbkPath);  // decoding keeps GBK trail bytes out of the way
    for (char& c : p)
        if (c == '\\') c = '/';
    return p;
}

class PosixFileSystem : public FileSystem {
public:
    ReadResult readWhole(const Text& path, Text& out) const override {
        out.clear();
        const int fd = ::open(nativePath(path).c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            return errno == ENOENT || errno == ENOTDIR ? ReadResult::Missing : ReadResult::Failed;
        // A folder opens like a file here; its read fails, and that counts as unreadable.
        char buffer[64 * 1024];
        for (;;) {
            const ssize_t got = ::read(fd, buffer, sizeof buffer);
            if (got < 0 && errno == EINTR) continue;
            if (got < 0) {
                ::close(fd);
                out.clear();
                return ReadResult::Failed;
            }
            if (got == 0) break;
            out.append(buffer, static_cast<std::size_t>(got));
        }
        ::close(fd);
        // A text ends at its first NUL byte.
        auto nul = out.find('\0');
        if (nul != Text::npos) out.resize(nul);
        return ReadResult::Read;
    }

    bool writeWhole(const Text& path, const Text& bytes) override {
        const std::string target = nativePath(path);
        const std::string temp = target + ".tmp~";
        std::FILE* f = std::fopen(temp.c_str(), "wb");
        if (!f) return false;
        bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
        ok = (std::fflush(f) == 0) && ok;
        ok = (fsync(fileno(f)) == 0) && ok;
        ok = (std::fclose(f) == 0) && ok;
        if (ok && std::rename(temp.c_str(), target.c_str()) == 0) return true;
        std::remove(temp.c_str());
        return false;
    }

    bool isDirectory(const Text& path) const override {
        struct stat st {};
        return ::stat(nativePath(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
    }

    bool makeDirectory(const Text& path) override {
        return ::mkdir(nativePath(path).c_str(), 0777) == 0;
    }
};

}  // namespace

std::unique_ptr<FileSystem> makeSystemFileSystem() { return std::make_unique<PosixFileSystem>(); }

}  // namespace bk
