// Smoke test of the fake DirectDraw (to be replaced by the library's tests).
#include <gtest/gtest.h>

#include "FakeDirectDraw.h"
#include "TDirectDrawEnum.h"

TEST(FakeDirectDraw, TwoDriversAreListedAndReleased) {
    std::vector<FakeDriver> drivers(2);
    drivers[1].description = "Second";
    drivers[1].caps2 = 0;
    FakeDirectDrawMachine machine(drivers);
    {
        TDirectDrawEnum enumerator;
        EXPECT_EQ(DD_OK, enumerator.Enumerate());
        ASSERT_EQ(2, enumerator.GetDriverCount());
        EXPECT_STREQ("Second", enumerator.GetDescription(1));
        EXPECT_EQ(1, enumerator.IsWindowCapable(0));
        EXPECT_EQ(0, enumerator.IsWindowCapable(1));
        EXPECT_EQ(1, enumerator.IsAccelerated(1));
        EXPECT_EQ(0u, drivers[0].identifierFlags);
    }
    EXPECT_TRUE(machine.AllReleased());
}

#include "TestKey.h"
TEST(TestKeySmoke, PutsBackWhatWasThere) {
    const char* path = "Software\\LauncherSmoke\\Inner";
    {
        TestKey outer(HKEY_CURRENT_USER, path);
        outer.StoreDword("A", 7);
        {
            TestKey inner(HKEY_CURRENT_USER, path, TestKey::Emptied);
            EXPECT_FALSE(inner.Read("A").found);
            inner.StoreText("B", "x");
        }
        EXPECT_TRUE(outer.Read("A").found);
        EXPECT_FALSE(outer.Read("B").found);
    }
    HKEY key;
    EXPECT_NE(ERROR_SUCCESS,
              RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\LauncherSmoke", 0, KEY_READ, &key));
}
