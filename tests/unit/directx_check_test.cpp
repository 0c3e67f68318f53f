// IsDirectXInstalled through the real DSETUP.dll stand-in and the registry value it reads.
#include <gtest/gtest.h>

#include "DirectXCheck.h"
#include "TestRegistry.h"

namespace {

const char DirectXKey[] = "SOFTWARE\\Microsoft\\DirectX";

class DirectXCheckTest : public ::testing::Test {
  protected:
    SavedRegistryKey saved_{HKEY_LOCAL_MACHINE, DirectXKey};

    int InstalledWith(const char* version) {
        EXPECT_TRUE(SetRegistryString(HKEY_LOCAL_MACHINE, DirectXKey, "Version", version));
        return IsDirectXInstalled(DirectX61Version, DirectX61Revision);
    }
};

TEST_F(DirectXCheckTest, DirectX61OrLaterCountsAsInstalled) {
    struct Case {
        const char* version;
        int installed;
    } cases[] = {
        {"4.06.00.0318", 0},     // DirectX 6.0
        {"4.06.01.65535", 0},    // release 1, however high the build
        {"4.06.02.0000", 1},     // release 2 exactly
        {"4.06.02.0436", 1},     // DirectX 6.1
        {"4.06.32768.0000", 1},  // a revision with its top bit set is still compared unsigned
        {"4.07.00.0000", 1},     // a higher version, whatever its revision
        {"4.09.00.0904", 1},     // DirectX 9.0c, as Wine records it
        {"5.00.00.0000", 1},     // a higher major number with a lower minor one
        {"32768.00.00.0000", 1}, // a version with its top bit set
        {"4.05.65535.65535", 0}, // a lower version, whatever its revision
        {"3.00.00.0000", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.installed, InstalledWith(c.version)) << c.version;
}

TEST_F(DirectXCheckTest, AnUnreadableVersionCountsAsNotInstalled) {
    for (const char* malformed :
         {"", "4.06", "4.06.02", "4.06.02.0436.1", "4.06.02.x", "4.06.02.65536", "4.06.02.0436 "})
        EXPECT_EQ(0, InstalledWith(malformed)) << '"' << malformed << '"';

    ASSERT_TRUE(SetRegistryDword(HKEY_LOCAL_MACHINE, DirectXKey, "Version", 0x40006));
    EXPECT_EQ(0, IsDirectXInstalled(DirectX61Version, DirectX61Revision)) << "a number";

    DeleteRegistryValue(HKEY_LOCAL_MACHINE, DirectXKey, "Version");
    EXPECT_EQ(0, IsDirectXInstalled(DirectX61Version, DirectX61Revision)) << "no value";
}

} // namespace
