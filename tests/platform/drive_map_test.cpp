#include "platform/drive_map.h"

#include "support/temp_drives.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace korvane {
namespace {

// Sets an environment variable for one test and puts the old value back afterwards.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name)
    {
        if (const char* old = std::getenv(name))
            old_ = old;
        if (value)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    ~ScopedEnv()
    {
        if (old_)
            ::setenv(name_, old_->c_str(), 1);
        else
            ::unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(DriveMap, ParsesLettersFoldersAndLabels)
{
    std::string error;
    const auto drives = ParseDriveMap("c=/srv/k/c;E=/media/u/DEV:DEVICE;f=/mnt/x:", error);
    ASSERT_TRUE(drives.has_value()) << error;
    ASSERT_EQ(drives->size(), 3u);
    EXPECT_EQ((*drives)[0].letter, 'c');
    EXPECT_EQ((*drives)[0].hostRoot, "/srv/k/c");
    EXPECT_EQ((*drives)[0].label, "");
    EXPECT_EQ((*drives)[1].letter, 'e');
    EXPECT_EQ((*drives)[1].hostRoot, "/media/u/DEV");
    EXPECT_EQ((*drives)[1].label, "DEVICE");
    EXPECT_EQ((*drives)[2].hostRoot, "/mnt/x");
    EXPECT_EQ((*drives)[2].label, "");

    // Empty entries, as left by a final ';', are no drives.
    const auto single = ParseDriveMap("z=/;", error);
    ASSERT_TRUE(single.has_value()) << error;
    ASSERT_EQ(single->size(), 1u);
    EXPECT_EQ((*single)[0].hostRoot, "/");
}

TEST(DriveMap, RefusesMalformedMapsWithAReason)
{
    const char* const bad[] = {
        "",                    // no drive at all
        "=/srv/k",             // empty letter
        "cd=/srv/k",           // two letters
        "1=/srv/k",            // not a letter
        "c=/srv/a;C=/srv/b",   // the same drive twice
        "c=srv/k",             // relative folder
        "c=",                  // no folder
        "c=:LABEL",            // a label but no folder
        "c/srv/k",             // no '='
        "c=/srv/k;e=media/dev" // one good entry does not save a bad one
    };
    for (const char* text : bad) {
        std::string error;
        EXPECT_FALSE(ParseDriveMap(text, error).has_value()) << text;
        EXPECT_FALSE(error.empty()) << text;
    }
}

TEST(DriveMap, DefaultMapPutsDataHomeRemovablesAndHostRoot)
{
    test::TempDrives temp("");
    const std::string home = temp.root() + "/home";
    std::filesystem::create_directory(home);
    {
        ScopedEnv homeEnv("HOME", home.c_str());
        ScopedEnv dataEnv("XDG_DATA_HOME", nullptr);
        const auto drives = DefaultDriveMap({{"/media/u/DEV", "DEVICE"}, {"/media/u/STICK", ""}});
        ASSERT_EQ(drives.size(), 5u);
        EXPECT_EQ(drives[0].letter, 'c');
        EXPECT_EQ(drives[0].hostRoot, home + "/.local/share/korvane/drive_c");
        EXPECT_TRUE(std::filesystem::is_directory(drives[0].hostRoot));
        EXPECT_EQ(drives[1].letter, 'd');
        EXPECT_EQ(drives[1].hostRoot, home);
        EXPECT_EQ(drives[2].letter, 'e');
        EXPECT_EQ(drives[2].hostRoot, "/media/u/DEV");
        EXPECT_EQ(drives[2].label, "DEVICE");
        EXPECT_EQ(drives[3].letter, 'f');
        EXPECT_EQ(drives[3].label, "");
        EXPECT_EQ(drives[4].letter, 'z');
        EXPECT_EQ(drives[4].hostRoot, "/");
    }
    {
        const std::string data = temp.root() + "/data";
        ScopedEnv homeEnv("HOME", home.c_str());
        ScopedEnv dataEnv("XDG_DATA_HOME", data.c_str());
        const auto drives = DefaultDriveMap({});
        ASSERT_EQ(drives.size(), 3u);
        EXPECT_EQ(drives[0].hostRoot, data + "/korvane/drive_c");
        EXPECT_TRUE(std::filesystem::is_directory(drives[0].hostRoot));
        EXPECT_EQ(drives[2].letter, 'z');
    }
}

} // namespace
} // namespace korvane
