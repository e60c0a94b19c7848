// VST 3 preset files: what --save-state writes for a name ending in .vstpreset, that it loads
// back to the same settings and sound, and that damaged or foreign presets are refused whole.
#include "tests/tools/NoiseRenderTest.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace plughost_test;

namespace {

std::uint64_t Le(const std::vector<std::uint8_t>& b, size_t at, int size) {
    std::uint64_t v = 0;
    for (int i = size - 1; i >= 0; --i)
        v = v << 8 | b[at + static_cast<size_t>(i)];
    return v;
}

void PutLe(std::vector<std::uint8_t>& b, size_t at, std::uint64_t v, int size) {
    for (int i = 0; i < size; ++i)
        b[at + static_cast<size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
}

void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    WriteFile(path, std::string(bytes.begin(), bytes.end()));
}

class PlughostPreset : public NoiseRenderTest {
  protected:
    PlughostPreset() : NoiseRenderTest(43) {}

    // The class ID text `plughost info` reports for the bundle's effect.
    std::string FactoryClassId() {
        const RunResult info = RunPlughost({"info", SorvelBundle()});
        const auto at = info.out.find("cid ");
        return at == std::string::npos ? "" : info.out.substr(at + 4, 32);
    }
};

TEST_F(PlughostPreset, RoundTripKeepsSettingsAndSoundAndMatchesTheRawState) {
    const RunResult first =
        Render("first.wav", {"--set", "MGAIN3L=-3.5", "--set", "LINK=1", "--set", "LFREQR=2",
                             "--save-state", dir.Path("first.state")});
    ASSERT_EQ(first.exitCode, 0) << first.err;
    // The same settings once more, saved as a preset.
    const RunResult preset = Render("preset.wav", {"--state", dir.Path("first.state"),
                                                   "--save-state", dir.Path("a.vstpreset")});
    ASSERT_EQ(preset.exitCode, 0) << preset.err;
    const std::vector<std::uint8_t> raw = FileContents(dir.Path("first.state"));
    const std::vector<std::uint8_t> file = FileContents(dir.Path("a.vstpreset"));
    {
        SCOPED_TRACE("the layout hosts read");
        ASSERT_GE(file.size(), 48u);
        EXPECT_EQ(std::string(file.begin(), file.begin() + 4), "VST3");
        EXPECT_EQ(Le(file, 4, 4), 1u);
        EXPECT_EQ(std::string(file.begin() + 8, file.begin() + 40), FactoryClassId());
        const size_t list = Le(file, 40, 8);
        ASSERT_EQ(list + 8 + 2 * 20, file.size()) << "Comp and Cont in the list, nothing after";
        EXPECT_EQ(std::string(file.begin() + list, file.begin() + list + 4), "List");
        EXPECT_EQ(Le(file, list + 4, 4), 2u);
        EXPECT_EQ(std::string(file.begin() + list + 8, file.begin() + list + 12), "Comp");
        EXPECT_EQ(Le(file, list + 20, 8), raw.size()) << "the component carries the state too";
        EXPECT_EQ(std::string(file.begin() + list + 28, file.begin() + list + 32), "Cont");
        const size_t at = Le(file, list + 32, 8);
        ASSERT_EQ(Le(file, list + 40, 8), raw.size());
        EXPECT_TRUE(std::equal(raw.begin(), raw.end(), file.begin() + at))
            << "the controller chunk is the raw state";
    }
    {
        SCOPED_TRACE("loading the preset renders the same and saves the same raw state");
        const RunResult back = Render("back.wav", {"--state", dir.Path("a.vstpreset"),
                                                   "--save-state", dir.Path("back.state")});
        ASSERT_EQ(back.exitCode, 0) << back.err;
        EXPECT_EQ(MaxDifference(ReadAudio(dir.Path("first.wav")), ReadAudio(dir.Path("back.wav"))),
                  0.0);
        EXPECT_EQ(FileContents(dir.Path("back.state")), raw);
        std::vector<std::uint8_t> old = file; // as written before: "Comp" empty
        PutLe(old, Le(file, 40, 8) + 20, 0, 8);
        WriteBytes(dir.Path("old.vstpreset"), old);
        ASSERT_EQ(Render("old.wav", {"--state", dir.Path("old.vstpreset")}).exitCode, 0);
        EXPECT_EQ(MaxDifference(ReadAudio(dir.Path("first.wav")), ReadAudio(dir.Path("old.wav"))),
                  0.0);
    }
    {
        SCOPED_TRACE("a DAW's preset with a meta-information chunk, under any name");
        const size_t list = Le(file, 40, 8);
        std::vector<std::uint8_t> daw(file.begin(), file.begin() + list);
        const std::string info = "<?xml version=\"1.0\"?><MetaInfo/>";
        const size_t infoAt = daw.size();
        daw.insert(daw.end(), info.begin(), info.end());
        const size_t moved = daw.size();
        daw.insert(daw.end(), file.begin() + list, file.end());
        daw.resize(daw.size() + 20);
        std::memcpy(daw.data() + daw.size() - 20, "Info", 4);
        PutLe(daw, daw.size() - 16, infoAt, 8);
        PutLe(daw, daw.size() - 8, info.size(), 8);
        PutLe(daw, moved + 4, 3, 4);
        PutLe(daw, 40, moved, 8);
        WriteBytes(dir.Path("a.bin"), daw);
        const RunResult dump =
            RunPlughost({"state", "dump", dir.Path("a.bin"), "--bundle", SorvelBundle()});
        ASSERT_EQ(dump.exitCode, 0) << dump.err;
        for (const char* line : {"VST 3 preset of class", "Controller 268 bytes", "Bypass    0",
                                 "MGAIN3L          -3.50 %", "LFREQR           2"})
            EXPECT_NE(dump.out.find(line), std::string::npos) << "missing '" << line << "' in\n"
                                                              << dump.out;
    }
}

TEST_F(PlughostPreset, DamagedOrForeignPresetsAreRefusedAndChangeNothing) {
    ASSERT_EQ(Render("x.wav", {"--save-state", dir.Path("good.vstpreset")}).exitCode, 0);
    const std::vector<std::uint8_t> good = FileContents(dir.Path("good.vstpreset"));
    ASSERT_GE(good.size(), 48u);
    const size_t list = Le(good, 40, 8);

    struct Case {
        const char* what;
        std::vector<std::uint8_t> bytes;
        const char* message;
    };
    std::vector<Case> cases;
    auto edited = [&](auto edit) {
        std::vector<std::uint8_t> b = good;
        edit(b);
        return b;
    };
    cases.push_back({"another plug-in's class",
                     edited([](auto& b) { std::memcpy(b.data() + 8, "0123456789ABCDEF", 16); }),
                     "belongs to another plug-in"});
    cases.push_back(
        {"no magic", edited([](auto& b) { b[0] = 'X'; }), "does not start with \"VST3\""});
    cases.push_back({"a class ID that is not hex", edited([](auto& b) { b[20] = 'Z'; }),
                     "damaged preset header"});
    cases.push_back({"a chunk list beyond the end",
                     edited([&](auto& b) { PutLe(b, 40, b.size() + 100, 8); }),
                     "lies outside the file"});
    cases.push_back({"a chunk that runs past the end",
                     edited([&](auto& b) { PutLe(b, list + 40, 100000, 8); }),
                     "runs outside the file"});
    cases.push_back({"a file cut inside its chunk list",
                     std::vector<std::uint8_t>(good.begin(), good.end() - 10), "truncated preset"});
    cases.push_back({"a file cut inside its header",
                     std::vector<std::uint8_t>(good.begin(), good.begin() + 30),
                     "damaged preset header"});

    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WriteBytes(dir.Path("bad.vstpreset"), c.bytes);
        WriteFile(dir.Path("out.wav"), "keep");
        for (std::vector<std::string> args :
             {std::vector<std::string>{"render", SorvelBundle(), dir.Path("out.wav"), "--state",
                                       dir.Path("bad.vstpreset"), "--quiet"},
              std::vector<std::string>{"state", "dump", dir.Path("bad.vstpreset"), "--bundle",
                                       SorvelBundle()}}) {
            const RunResult run = RunPlughost(args);
            EXPECT_EQ(run.exitCode, 1);
            EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
            EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
            EXPECT_EQ(run.out, "");
        }
        const std::vector<std::uint8_t> after = FileContents(dir.Path("out.wav"));
        EXPECT_EQ(std::string(after.begin(), after.end()), "keep");
    }
}

} // namespace
