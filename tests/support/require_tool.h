#pragma once

// Skips a test whose outside tool (an archiver, a media tool) is missing or
// failed to make the sample; `ok` is the tool's run.

#include <gtest/gtest.h>

#define REQUIRE_TOOL(ok, tool)                                                                               \
    if (!(ok))                                                                                               \
    GTEST_SKIP() << tool << " is missing or failed"
