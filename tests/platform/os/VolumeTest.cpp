#include <gtest/gtest.h>

#include <filesystem>

#include "platform/os/TempDir.h"
#include "platform/os/Volume.h"
#include "support/TestSupport.h"

namespace {

TEST(Volume, SimulatedRemovableVolumeSwapsDisks) {
    os::TempDir tmp("volume");
    const std::string mount = tmp.File("a");
    EXPECT_FALSE(os::IsRemovableVolume(mount + "/x.zip"));
    {
        os::SimulatedVolume vol(mount, 10000, 1000);
        EXPECT_TRUE(os::IsRemovableVolume(mount + "/x.zip"));
        EXPECT_FALSE(os::IsRemovableVolume(tmp.File("b")));
        EXPECT_EQ(os::VolumeFreeBytes(mount), 10000);
        testsupport::WriteBytes(mount + "/one.bin", std::string(1500, 'x'));
        EXPECT_EQ(os::VolumeFreeBytes(mount + "/one.bin"), 8000);  // whole clusters
        EXPECT_TRUE(os::SetVolumeLabel(mount, "PKBACK# 001"));
        vol.InsertDisk(2);
        EXPECT_EQ(os::VolumeFreeBytes(mount), 10000);
        EXPECT_EQ(os::GetVolumeLabel(mount), "");
        EXPECT_FALSE(std::filesystem::exists(mount + "/one.bin"));
        vol.InsertDisk(1);
        EXPECT_EQ(os::GetVolumeLabel(mount), "PKBACK# 001");
        EXPECT_TRUE(std::filesystem::exists(mount + "/one.bin"));
        EXPECT_EQ(vol.DiskCount(), 2);
    }
    EXPECT_FALSE(os::IsRemovableVolume(mount));
    EXPECT_GT(os::VolumeFreeBytes(tmp.Path()), 0);
    EXPECT_FALSE(os::SetVolumeLabel(tmp.Path(), "X"));
}

}  // namespace
