// IsDirectXInstalled through the real DSETUP.dll stand-in and the registry value it reads.
#include <gtest/gtest.h>

#include "DirectXCheck.h"
#include "TestKey.h"

TEST(DirectXCheck, DirectX61OrLaterCountsAsInstalledAndAnythingUnreadableAsNot) {
    TestKey directX(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\DirectX");
    struct Case {
        const char* version;
        int installed;
    } const cases[] = {
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
        {"3.00.00.0000", 0},     {"", 0},          {"4.06", 0},          {"4.06.02", 0},
        {"4.06.02.0436.1", 0},   {"4.06.02.x", 0}, {"4.06.02.65536", 0}, {"4.06.02.0436 ", 0},
    };
    for (const Case& c : cases) {
        directX.StoreText("Version", c.version);
        EXPECT_EQ(c.installed, IsDirectXInstalled(DirectX61Version, DirectX61Revision))
            << '"' << c.version << '"';
    }
    directX.StoreDword("Version", 0x40006);
    EXPECT_EQ(0, IsDirectXInstalled(DirectX61Version, DirectX61Revision)) << "a number";
    directX.Delete("Version");
    EXPECT_EQ(0, IsDirectXInstalled(DirectX61Version, DirectX61Revision)) << "no value";
}
