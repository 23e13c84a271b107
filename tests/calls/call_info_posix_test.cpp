// Call information from files only POSIX systems have.
#include "calls/call_info.h"

#include "support/temp_drives.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace korvane {
namespace {

TEST(CallInfo, APipeNamedLikeACallAnswersAtOnce)
{
    // Without a writer, opening it to read would wait for ever.
    test::TempDrives scratch("");
    const std::filesystem::path pipe = std::filesystem::path(scratch.root()) / "pipe.mp3";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_EQ(ReadCallInfo(pipe.string()).kind, CallInfo::Kind::NotAudio);
}

} // namespace
} // namespace korvane
