// The conformance suite's entry: GoogleTest's options, plus --long for the long form.
#include "tests/conformance/ConformanceHost.h"

#include <gtest/gtest.h>

#include <cstring>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--long") == 0)
            Conformance::SetLongRun(true);
    return RUN_ALL_TESTS();
}
