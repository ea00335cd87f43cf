// The real disk of whichever system the tests run on: a missing file is told apart from
// one that is there but cannot be read.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "shell/services.h"

namespace bk {
namespace {

TEST(SystemDisk, MissingUnreadableAndReadFilesAreToldApart) {
    namespace fs = std::filesystem;
    const fs::path dir =
        fs::temp_directory_path() /
        ("bk_disk_" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
    ASSERT_TRUE(fs::create_directory(dir));
    const Text base = dir.string();
    auto disk = makeSystemFileSystem();

    Text back = "stale";
    EXPECT_EQ(disk->readWhole(base + "/missing", back), ReadResult::Missing);
    EXPECT_EQ(back, "");
    // A folder of the path missing, or a plain file standing where a folder should be.
    EXPECT_EQ(disk->readWhole(base + "/nowhere/x", back), ReadResult::Missing);
    std::ofstream(dir / "plain") << "x";
    EXPECT_EQ(disk->readWhole(base + "/plain/x", back), ReadResult::Missing);

    // A folder where the file should be: something is there, its content unknown. (Root
    // reads any file whatever its permissions, so a folder stands in for an unreadable file.)
    ASSERT_TRUE(disk->makeDirectory(base + "/ledger"));
    back = "stale";
    EXPECT_EQ(disk->readWhole(base + "/ledger", back), ReadResult::Failed);
    EXPECT_EQ(back, "");

    ASSERT_TRUE(disk->writeWhole(base + "/day", Text("ab\0cd", 5)));
    EXPECT_EQ(disk->readWhole(base + "/day", back), ReadResult::Read);
    EXPECT_EQ(back, "ab");
    ASSERT_TRUE(disk->writeWhole(base + "/day", ""));
    back = "stale";
    EXPECT_EQ(disk->readWhole(base + "/day", back), ReadResult::Read);
    EXPECT_EQ(back, "");

    fs::remove_all(dir);
}

}  // namespace
}  // namespace bk
