#include "platform/FastMode.h"
#include "engine/RhythmEngine.h"

#include <gtest/gtest.h>

// Run once with BREVIMAR_FAST=1 and once with another value; EXPECT_FAST says which.
TEST(FastMode, OnlyTheExactValueOneTurnsMinutesIntoSeconds) {
    const bool expected = qgetenv("EXPECT_FAST") == "1";
    EXPECT_EQ(fastMode(), expected);
    EXPECT_EQ(RhythmEngine::minuteSeconds(), expected ? 1.0 : 60.0);
    qputenv("BREVIMAR_FAST", expected ? "0" : "1");
    EXPECT_EQ(fastMode(), expected) << "read once per process";
}
