// `plughost info` on the real bundle: what a user looks up before writing --set.
#include "tests/tools/PlughostTestSupport.h"

#include <gtest/gtest.h>

using namespace plughost_test;

namespace {

TEST(PlughostInfo, ListsBusesAndParametersAsThePluginShowsThem) {
    if (SorvelBundle().empty())
        GTEST_SKIP() << "the Sorvel bundle is not part of this build";
    const RunResult text = RunPlughost({"info", SorvelBundle()});
    ASSERT_EQ(text.exitCode, 0) << text.err;
    for (const char* expected :
         {"\"Audio Module Class\"  \"Sorvel\"", "\"Main Input\"     2 ch  stereo (0x3)",
          "\"Output\"         2 ch  stereo (0x3)", "Parameters (35)",
          "DRIVE            %          0       -40.00       -40.00",
          "MS                          1            1            1",
          "OVERSAMPLING                1            0            0", "\"Root Unit\"",
          "\"Factory Presets\"  1 programs"})
        EXPECT_NE(text.out.find(expected), std::string::npos) << "missing '" << expected << "' in\n"
                                                              << text.out;

    const RunResult json = RunPlughost({"info", SorvelBundle(), "--json"});
    ASSERT_EQ(json.exitCode, 0) << json.err;
    for (const char* expected : {"\"title\": \"HGAINL\"", "\"default\": \"-40.00\"",
                                 "\"name\": \"Main Input\"", "\"arrangementName\": \"stereo\""})
        EXPECT_NE(json.out.find(expected), std::string::npos) << "missing " << expected;
}

} // namespace
