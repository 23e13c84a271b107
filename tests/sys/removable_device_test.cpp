// The removable flag read from a fake sysfs tree laid out as the kernel lays out its own.
#include "sys/removable_device.h"

#include "support/temp_drives.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

namespace korvane {
namespace {

class FakeSysfs {
public:
    FakeSysfs() : sys_(temp_.root() + "/sys"), dev_(temp_.root() + "/dev")
    {
        fs::create_directories(sys_ + "/class/block");
        fs::create_directories(dev_ + "/disk/by-label");
    }

    // A disk at its device folder below sys/devices, with its removable flag and partitions;
    // each gets its class entry and a node in the fake /dev.
    void disk(const std::string& deviceFolder, const std::string& name, const char* removable,
              int partitions)
    {
        const std::string folder = sys_ + "/devices/" + deviceFolder + "/block/" + name;
        fs::create_directories(folder);
        write(folder + "/removable", std::string(removable) + "\n");
        entry(name, folder);
        for (int n = 1; n <= partitions; ++n) {
            const std::string part =
                name + (name.starts_with("mmcblk") ? "p" : "") + std::to_string(n);
            fs::create_directories(folder + "/" + part);
            write(folder + "/" + part + "/partition", std::to_string(n) + "\n");
            entry(part, folder + "/" + part);
        }
    }

    // The card behind an mmcblk disk, with its type ("SD" or "MMC").
    void card(const std::string& deviceFolder, const std::string& name, const char* type)
    {
        const std::string folder = sys_ + "/devices/" + deviceFolder;
        write(folder + "/type", std::string(type) + "\n");
        fs::create_directory_symlink(folder, folder + "/block/" + name + "/device");
    }

    void label(const std::string& label, const std::string& node)
    {
        fs::create_symlink("../../" + node, dev_ + "/disk/by-label/" + label);
    }

    std::string dev(const std::string& name) const { return dev_ + "/" + name; }
    bool removable(const std::string& device) const
    {
        return IsRemovableDevice(device, sys_ + "/class/block");
    }

private:
    static void write(const std::string& file, const std::string& text)
    {
        std::ofstream(file) << text;
    }
    void entry(const std::string& name, const std::string& folder)
    {
        fs::create_directory_symlink(folder, sys_ + "/class/block/" + name);
        std::ofstream(dev_ + "/" + name).put('\0');
    }

    test::TempDrives temp_{""};
    std::string sys_;
    std::string dev_;
};

TEST(RemovableDevice, TheFlagIsTheDisksForThePartitionMounted)
{
    FakeSysfs sys;
    sys.disk("pci0000:00/0000:00:17.0/ata1/host0/target0:0:0/0:0:0:0", "sda", "0", 2);
    sys.disk("pci0000:00/0000:00:17.0/ata2/host1/target1:0:0/1:0:0:0", "sdb", "1", 1);
    sys.disk("pci0000:00/0000:00:17.0/ata3/host2/target2:0:0/2:0:0:0", "sdc", "1", 0);
    sys.label("TARVO", "sdb1");

    EXPECT_FALSE(sys.removable(sys.dev("sda1")));
    EXPECT_FALSE(sys.removable(sys.dev("sda2")));
    EXPECT_FALSE(sys.removable(sys.dev("sda")));
    EXPECT_TRUE(sys.removable(sys.dev("sdb1")));
    EXPECT_TRUE(sys.removable(sys.dev("disk/by-label/TARVO"))) << "a link to the node counts";
    EXPECT_TRUE(sys.removable(sys.dev("sdc"))) << "a medium formatted without partitions";
}

TEST(RemovableDevice, UsbDisksAndSdCardsCountThoughTheirMediumIsCalledFixed)
{
    FakeSysfs sys;
    sys.disk("pci0000:00/0000:00:14.0/usb2/2-1/2-1:1.0/host6/target6:0:0/6:0:0:0", "sdd", "0", 1);
    sys.disk("pci0000:00/0000:00:1e.6/mmc_host/mmc0/mmc0:aaaa", "mmcblk0", "0", 1);
    sys.card("pci0000:00/0000:00:1e.6/mmc_host/mmc0/mmc0:aaaa", "mmcblk0", "SD");
    sys.disk("platform/fe340000.mmc/mmc_host/mmc1/mmc1:0001", "mmcblk1", "0", 1);
    sys.card("platform/fe340000.mmc/mmc_host/mmc1/mmc1:0001", "mmcblk1", "MMC");

    EXPECT_TRUE(sys.removable(sys.dev("sdd1")));
    EXPECT_TRUE(sys.removable(sys.dev("mmcblk0p1")));
    EXPECT_FALSE(sys.removable(sys.dev("mmcblk1p1"))) << "memory soldered onto the board";
}

TEST(RemovableDevice, WhatIsNoBlockDeviceIsNotRemovable)
{
    FakeSysfs sys;
    sys.disk("pci0000:00/0000:00:17.0/ata2/host1/target1:0:0/1:0:0:0", "sdb", "1", 1);

    EXPECT_FALSE(sys.removable("tmpfs"));
    EXPECT_FALSE(sys.removable("server:/export/sdb1"));
    EXPECT_FALSE(sys.removable(""));
    EXPECT_FALSE(sys.removable(sys.dev("sdz1"))) << "a device the kernel does not know";
}

} // namespace
} // namespace korvane
