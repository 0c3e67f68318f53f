// TString: sharing, copy on write, write buffers, parts, search and formatting.
#include <gtest/gtest.h>

#include "TString.h"

TEST(TString, CopiesShareOneBlockUntilOneIsWritten) {
    TString a("harbor");
    TString b(a);
    EXPECT_EQ(a.Text(), b.Text());
    EXPECT_EQ(2, a.RefCount());
    b.SetChar(0, 'H');
    EXPECT_NE(a.Text(), b.Text());
    EXPECT_STREQ("harbor", a);
    EXPECT_STREQ("Harbor", b);
    EXPECT_EQ(1, a.RefCount());
}
