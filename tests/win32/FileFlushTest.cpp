#include <gtest/gtest.h>
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include "FileFlush.h"
#include "TestFolder.h"

namespace {

// The flush reaches the system: a descriptor open for writing is flushed, and one that is only
// open for reading is refused by the system itself.
TEST(FileFlush, FlushesAWrittenFileAndReportsWhatTheSystemRefuses) {
    testing_win32::TestFolder folder(L"Flush");
    const std::wstring path = folder.file(L"Accounts.dat");
    const int writing = _wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_BINARY, 0600);
    ASSERT_GE(writing, 0);
    ASSERT_EQ(_write(writing, "DB Version: 101\r\n", 17), 17);
    EXPECT_TRUE(win32::flushFile(writing).ok());
    _close(writing);

    const int reading = _wopen(path.c_str(), _O_RDONLY | _O_BINARY);
    ASSERT_GE(reading, 0);
    const win32::Status refused = win32::flushFile(reading);
    EXPECT_EQ(refused.code, ERROR_ACCESS_DENIED);
    EXPECT_FALSE(refused.message.empty());
    _close(reading);
    EXPECT_EQ(win32::flushFile(-1).code, ERROR_INVALID_HANDLE);
}

}  // namespace
