// The Recycle Bin, against the system itself: a file the trash takes leaves its folder and is
// counted in the bin of its drive.
#include "sys/trash.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <shellapi.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace korvane {
namespace {

std::optional<long long> itemsInBin(const fs::path& file)
{
    SHQUERYRBINFO info{};
    info.cbSize = sizeof info;
    if (SHQueryRecycleBinW(file.root_path().c_str(), &info) != S_OK)
        return std::nullopt;
    return info.i64NumItems;
}

TEST(WindowsTrash, ADeletedFileLandsInTheRecycleBin)
{
    const fs::path folder = fs::temp_directory_path() / L"korvane trash test";
    fs::create_directories(folder);
    const fs::path file = folder / L"r\u00e9veil.mp3";
    std::ofstream(file) << "call";
    const std::optional<long long> before = itemsInBin(file);
    if (!before)
        GTEST_SKIP() << "this system reports no Recycle Bin for " << file.root_path().string();

    ASSERT_TRUE(Trash::System().take(file));
    EXPECT_FALSE(fs::exists(file));
    const std::optional<long long> after = itemsInBin(file);
    ASSERT_TRUE(after);
    EXPECT_EQ(*after, *before + 1);
    fs::remove_all(folder);
}

} // namespace
} // namespace korvane
