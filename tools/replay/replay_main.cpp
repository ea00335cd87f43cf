// replay [--dir DIR] SCRIPT
// Runs a scenario script against the program. DIR is the program's folder (made when
// missing); without it a fresh temporary folder is used and removed afterwards.
// Exit code: 0 the script ran through, 1 an expectation failed, 2 the script or the
// command line is malformed.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <sstream>

#include "betting/gbk.h"
#include "interpreter.h"

namespace fs = std::filesystem;

namespace {

int usage() {
    std::cerr << "usage: replay [--dir DIR] SCRIPT" << std::endl;
    return 2;
}

// The program keeps its folder as GBK text. Linux hands us UTF-8; Windows hands a
// narrow argv in the ANSI code page, which is 936 where the program runs.
bk::Text programText(const fs::path& p) {
#ifdef _WIN32
    return p.string();
#else
    return bk::utf8ToGbk(p.string());
#endif
}

fs::path freshTempFolder() {
    std::random_device rd;
    for (int attempt = 0; attempt < 100; ++attempt) {
        fs::path p = fs::temp_directory_path() / ("bk-replay-" + std::to_string(rd() % 100000000));
        std::error_code ec;
        if (fs::create_directory(p, ec)) return p;
    }
    return {};
}

}  // namespace

int main(int argc, char** argv) {
    std::string dirArg, scriptArg;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--dir" && i + 1 < argc && dirArg.empty()) {
            dirArg = argv[++i];
        } else if (scriptArg.empty() && !a.empty() && a[0] != '-') {
            scriptArg = a;
        } else {
            return usage();
        }
    }
    if (scriptArg.empty()) return usage();

    std::ifstream in(scriptArg, std::ios::binary);
    if (!in) {
        std::cerr << "replay: cannot read " << scriptArg << std::endl;
        return 2;
    }
    std::stringstream content;
    content << in.rdbuf();

    std::vector<bk::Command> script;
    bk::ParseError error;
    if (!bk::parseScript(content.str(), script, error)) {
        std::cout << "error line " << error.line << ": " << error.message << std::endl;
        return 2;
    }

    fs::path dir;
    bool temporary = false;
    std::error_code ec;
    if (!dirArg.empty()) {
        dir = fs::absolute(fs::path(dirArg), ec);
        fs::create_directories(dir, ec);
        if (!fs::is_directory(dir)) {
            std::cerr << "replay: cannot make the folder " << dirArg << std::endl;
            return 2;
        }
    } else {
        dir = freshTempFolder();
        temporary = !dir.empty();
        if (!temporary) {
            std::cerr << "replay: cannot make a temporary folder" << std::endl;
            return 2;
        }
    }
    // The program's folder has no trailing separator.
    bk::Text runDirectory = programText(dir.lexically_normal());
    while (runDirectory.size() > 1 && (runDirectory.back() == '/' || runDirectory.back() == '\\'))
        runDirectory.pop_back();

    int code;
    {
        auto face = bk::makeReplayFace();
        code = bk::runScenario(script, *face, runDirectory, std::cout, std::cerr);
    }
    if (temporary) fs::remove_all(dir, ec);
    return code;
}
