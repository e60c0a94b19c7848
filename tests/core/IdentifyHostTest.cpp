#include "core/IdentifyHost.h"

#include <gtest/gtest.h>

TEST(IdentifyHost, NameKeys)
{
    const struct {
        const char* name;
        int code;
    } cases[] = {
        {"REAPER", HostReaper},           {"Ableton Live 11", HostLive},
        {"Cubase Nuendo", HostCubase},    {"Nuendo 12", HostNuendo},
        {"Olive", HostLive},              {"Delivery Station", HostLive},
        {"Reaper Live", HostReaper},      {"Pro Tools", HostOther},
        {"ProTools", HostProTools},       {"PreSonus Digital", HostDigital},
        {"Studio One PreSonus", HostPresonus}, {"Renoise OpenMPT", HostOpenMpt},
        {"Bitwig Studio", HostOther},     {"", HostOther},
    };
    for (const auto& c : cases) EXPECT_EQ(IdentifyHost(c.name), c.code) << "host name \"" << c.name << "\"";
}
