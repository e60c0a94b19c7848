#pragma once

#include "tests/tools/PlughostTestSupport.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace plughost_test {

// A test that renders the Sorvel bundle at 64 bits, without a progress bar, from a fifth of a
// second of noise (seeded by the test) in dir's in.wav. Skipped where the bundle is not built.
class NoiseRenderTest : public ::testing::Test {
  protected:
    explicit NoiseRenderTest(std::uint32_t seed) : seed(seed) {}

    void SetUp() override {
        if (SorvelBundle().empty())
            GTEST_SKIP() << "the Sorvel bundle is not part of this build";
        ASSERT_TRUE(WriteWav(dir.Path("in.wav"), Noise(48000, 0.2, 0.5, seed)));
    }

    RunResult Render(const std::string& output, std::vector<std::string> extra) {
        std::vector<std::string> args{"render",
                                      SorvelBundle(),
                                      dir.Path("in.wav"),
                                      dir.Path(output),
                                      "--quiet",
                                      "--precision",
                                      "64"};
        args.insert(args.end(), extra.begin(), extra.end());
        return RunPlughost(args);
    }

    TempDir dir;

  private:
    const std::uint32_t seed;
};

} // namespace plughost_test
