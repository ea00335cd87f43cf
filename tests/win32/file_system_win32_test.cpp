// The Windows disk: GBK names reach the disk as the same characters, whole-file writes
// replace the old file in one step, and failures leave what was there.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>

#include "shell/services.h"
#include "shell/win32/code_page.h"

namespace bk {
namespace {

class DiskTest : public ::testing::Test {
  protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        folder_ = std::wstring(temp) + L"bk-disk-" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(folder_.c_str(), nullptr);
        base_ = wideToGbk(folder_);
    }
    void TearDown() override {
        WIN32_FIND_DATAW found;
        HANDLE h = FindFirstFileW((folder_ + L"\\*").c_str(), &found);
        if (h != INVALID_HANDLE_VALUE) {
            do {
                const std::wstring path = folder_ + L"\\" + found.cFileName;
                if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                    DeleteFileW(path.c_str());
                else if (found.cFileName[0] != L'.')
                    RemoveDirectoryW(path.c_str());
            } while (FindNextFileW(h, &found));
            FindClose(h);
        }
        RemoveDirectoryW(folder_.c_str());
    }
    int entries() {
        int n = 0;
        WIN32_FIND_DATAW found;
        HANDLE h = FindFirstFileW((folder_ + L"\\*").c_str(), &found);
        if (h == INVALID_HANDLE_VALUE) return 0;
        do {
            if (found.cFileName[0] != L'.') ++n;
        } while (FindNextFileW(h, &found));
        FindClose(h);
        return n;
    }

    std::unique_ptr<FileSystem> fs_ = makeSystemFileSystem();
    std::wstring folder_;
    Text base_;
};

TEST_F(DiskTest, GbkNamesAndBytesReachTheDiskUnchanged) {
    // "俓" ends in the byte of a backslash; it must not split the name.
    const Text name = base_ + "\\账单俓2026年12月11日.txt";
    const Text bytes = "用户名称：张三】\r\n\x01\xFF end";
    ASSERT_TRUE(fs_->writeWhole(name, bytes));
    EXPECT_NE(GetFileAttributesW((folder_ + L"\\账单俓2026年12月11日.txt").c_str()),
              INVALID_FILE_ATTRIBUTES);
    Text back;
    ASSERT_EQ(fs_->readWhole(name, back), ReadResult::Read);
    EXPECT_EQ(back, bytes);
    EXPECT_EQ(entries(), 1) << "no temporary file may stay behind";

    // A forward slash joins as well as a backslash (the data folder is joined so).
    ASSERT_TRUE(fs_->makeDirectory(base_ + "/shuju"));
    EXPECT_TRUE(fs_->isDirectory(base_ + "/shuju"));
    EXPECT_FALSE(fs_->isDirectory(name));
    EXPECT_FALSE(fs_->makeDirectory(base_ + "/shuju"));
    ASSERT_TRUE(fs_->writeWhole(base_ + "/shuju/2026年12月11日", "x"));
    ASSERT_EQ(fs_->readWhole(base_ + "\\shuju\\2026年12月11日", back), ReadResult::Read);
    EXPECT_EQ(back, "x");
    DeleteFileW((folder_ + L"\\shuju\\2026年12月11日").c_str());
}

TEST_F(DiskTest, AWriteReplacesTheWholeFile) {
    const Text name = base_ + "\\账单.txt";
    ASSERT_TRUE(fs_->writeWhole(name, std::string(5000, 'a')));
    ASSERT_TRUE(fs_->writeWhole(name, "short"));
    Text back;
    ASSERT_EQ(fs_->readWhole(name, back), ReadResult::Read);
    EXPECT_EQ(back, "short");
    ASSERT_TRUE(fs_->writeWhole(name, ""));
    ASSERT_EQ(fs_->readWhole(name, back), ReadResult::Read);
    EXPECT_EQ(back, "");
}

TEST_F(DiskTest, FailuresLeaveWhatWasThere) {
    Text back = "stale";
    EXPECT_EQ(fs_->readWhole(base_ + "\\missing.txt", back), ReadResult::Missing);
    EXPECT_EQ(back, "");
    // A folder in the way of the file, and a file in a folder that does not exist.
    ASSERT_TRUE(CreateDirectoryW((folder_ + L"\\账单.txt").c_str(), nullptr));
    EXPECT_FALSE(fs_->writeWhole(base_ + "\\账单.txt", "entry"));
    EXPECT_TRUE(fs_->isDirectory(base_ + "\\账单.txt"));
    EXPECT_FALSE(fs_->writeWhole(base_ + "\\nowhere\\x.txt", "entry"));
    EXPECT_EQ(entries(), 1) << "a failed write leaves no temporary file";
    // Bytes that are not GBK cannot name a file.
    EXPECT_FALSE(fs_->writeWhole(base_ + "\\\x81", "x"));
    EXPECT_EQ(fs_->readWhole("", back), ReadResult::Failed);
}

TEST_F(DiskTest, ATextEndsAtItsFirstNul) {
    const Text name = base_ + "\\zero.txt";
    ASSERT_TRUE(fs_->writeWhole(name, std::string("ab\0cd", 5)));
    Text back;
    ASSERT_EQ(fs_->readWhole(name, back), ReadResult::Read);
    EXPECT_EQ(back, "ab");
}

// Only a file that is not there reads as empty. One that is there but cannot be opened
// (held by another program, or a folder at its name) says so, so that no caller rewrites it
// from nothing.
TEST_F(DiskTest, AFileThatCannotBeReadIsNotAMissingOne) {
    Text back = "stale";
    EXPECT_EQ(fs_->readWhole(base_ + "\\nowhere\\x.txt", back), ReadResult::Missing);
    EXPECT_EQ(back, "");

    const Text name = base_ + "\\2026年12月11日";
    ASSERT_TRUE(fs_->writeWhole(name, "records"));
    {
        const std::wstring wide = folder_ + L"\\2026年12月11日";
        HANDLE held = CreateFileW(wide.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        back = "stale";
        EXPECT_EQ(fs_->readWhole(name, back), ReadResult::Failed);
        EXPECT_EQ(back, "");
        CloseHandle(held);
    }
    ASSERT_EQ(fs_->readWhole(name, back), ReadResult::Read);
    EXPECT_EQ(back, "records");

    ASSERT_TRUE(CreateDirectoryW((folder_ + L"\\shuju").c_str(), nullptr));
    EXPECT_EQ(fs_->readWhole(base_ + "\\shuju", back), ReadResult::Failed);
}

}  // namespace
}  // namespace bk
