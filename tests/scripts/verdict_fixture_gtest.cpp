// SPDX-License-Identifier: MIT
// A GoogleTest executable that fails twice and skips once, for the test command's verdict.
#include <gtest/gtest.h>

TEST(VerdictFixture, Passes) {
    EXPECT_EQ(2 + 2, 4);
}

TEST(VerdictFixture, FailsFirst) {
    const int answer = 41;
    EXPECT_EQ(answer, 42) << "the first failing check";
}

TEST(VerdictFixture, FailsSecond) {
    FAIL() << "the second failure, which the verdict leaves out";
}

TEST(VerdictFixture, Skips) {
    GTEST_SKIP() << "needs a printer, and none is attached";
}
