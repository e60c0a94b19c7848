#include "tools/artwork/ArtworkTable.h"

namespace artwork {
namespace {

using K = ArtKind;
using L = LedColour;

// Positions match the editor's control table; frame sizes times frame counts
// are the image sizes.
// clang-format off
constexpr ControlArt kArtwork[] = {
    // stem      kind             x    y    w    h    n   marks                       led   lit
    {"BG",       K::Background,   0,   0,   1156, 456, 1, {"", "", ""},               L::Amber, 0},
    {"BY",       K::LedButton,    123, 190, 60,  46,  2,  {"BYPASS", "", ""},         L::Red,   2},
    {"HFREQL",   K::Selector,     862, 124, 60,  37,  3,  {"12K", "15K", "20K"},      L::Amber, 0},
    {"HFREQR",   K::Selector,     862, 334, 60,  44,  3,  {"12K", "15K", "20K"},      L::Amber, 0},
    {"HGAINL",   K::BipolarKnob,  862, 38,  62,  71,  31, {"-18", "0", "+18"},        L::Amber, 0},
    {"HGAINR",   K::BipolarKnob,  862, 253, 62,  73,  31, {"-18", "0", "+18"},        L::Amber, 0},
    {"LCUTL",    K::SideSelector, 123, 55,  60,  40,  2,  {"25", "1", ""},            L::Amber, 0},
    {"LCUTR",    K::SideSelector, 123, 267, 60,  40,  2,  {"25", "1", ""},            L::Amber, 0},
    {"LFREQL",   K::Selector,     252, 124, 56,  37,  3,  {"20", "60", "40"},         L::Amber, 0},
    {"LFREQR",   K::Selector,     254, 334, 54,  44,  3,  {"20", "60", "40"},         L::Amber, 0},
    {"LGAINL",   K::BipolarKnob,  244, 38,  71,  71,  31, {"-18", "0", "+18"},        L::Amber, 0},
    {"LGAINR",   K::BipolarKnob,  248, 253, 62,  73,  31, {"-18", "0", "+18"},        L::Amber, 0},
    // "LINK" at 0 means channel B follows channel A, so the first frame is lit.
    {"LINK",     K::LedButton,    215, 196, 65,  37,  2,  {"LINK", "", ""},           L::Amber, 1},
    {"MFREQ1L",  K::Selector,     371, 124, 65,  37,  2,  {"80", "120", ""},          L::Amber, 0},
    {"MFREQ1R",  K::Selector,     377, 334, 54,  44,  2,  {"80", "120", ""},          L::Amber, 0},
    {"MFREQ2L",  K::Selector,     498, 124, 62,  37,  3,  {"400", "800", "630"},      L::Amber, 0},
    {"MFREQ2R",  K::Selector,     502, 334, 52,  44,  3,  {"400", "800", "630"},      L::Amber, 0},
    {"MFREQ3L",  K::Selector,     619, 124, 65,  37,  3,  {"1K", "3K", "2K"},         L::Amber, 0},
    {"MFREQ3R",  K::Selector,     625, 334, 54,  44,  3,  {"1K", "3K", "2K"},         L::Amber, 0},
    {"MFREQ4L",  K::Selector,     741, 124, 60,  37,  2,  {"5K", "8K", ""},           L::Amber, 0},
    {"MFREQ4R",  K::Selector,     748, 334, 50,  44,  2,  {"5K", "8K", ""},           L::Amber, 0},
    {"MGAIN1L",  K::BipolarKnob,  371, 38,  69,  71,  31, {"-9", "0", "+9"},          L::Amber, 0},
    {"MGAIN1R",  K::BipolarKnob,  373, 253, 65,  73,  31, {"-9", "0", "+9"},          L::Amber, 0},
    {"MGAIN2L",  K::BipolarKnob,  496, 38,  65,  71,  31, {"-4.5", "0", "+4.5"},      L::Amber, 0},
    {"MGAIN2R",  K::BipolarKnob,  496, 253, 65,  73,  31, {"-4.5", "0", "+4.5"},      L::Amber, 0},
    {"MGAIN3L",  K::BipolarKnob,  621, 32,  62,  71,  31, {"-4.5", "0", "+4.5"},      L::Amber, 0},
    {"MGAIN3R",  K::BipolarKnob,  619, 253, 65,  73,  31, {"-4.5", "0", "+4.5"},      L::Amber, 0},
    {"MGAIN4L",  K::BipolarKnob,  741, 38,  62,  71,  31, {"-9", "0", "+9"},          L::Amber, 0},
    {"MGAIN4R",  K::BipolarKnob,  739, 253, 65,  73,  31, {"-9", "0", "+9"},          L::Amber, 0},
    // "MS" at 0 selects mid/side processing, so the first frame is lit.
    {"MS",       K::LedButton,    306, 196, 62,  37,  2,  {"M/S", "", ""},            L::Amber, 1},
    {"OUTL",     K::BipolarKnob,  981, 38,  65,  71,  31, {"-12", "0", "+12"},        L::Amber, 0},
    {"OUTR",     K::BipolarKnob,  981, 253, 65,  73,  31, {"-12", "0", "+12"},        L::Amber, 0},
    {"OVER",     K::LedPanel,     0,   429, 150, 25,  2,  {"4x OVERSAMPLING", "", ""}, L::Amber, 2},
    {"DRV",      K::UnipolarKnob, 125, 112, 60,  58,  31, {"-60", "DRIVE", "-20"},    L::Amber, 0},
};
// clang-format on

constexpr Heading kHeadings[] = {
    {"LOW CUT", "LCUTL"}, {"LOW", "LGAINL"},    {"MID 1", "MGAIN1L"}, {"MID 2", "MGAIN2L"},
    {"MID 3", "MGAIN3L"}, {"MID 4", "MGAIN4L"}, {"HIGH", "HGAINL"},   {"OUT", "OUTL"},
};

} // namespace

std::span<const ControlArt> AllArtwork() {
    return kArtwork;
}

std::span<const Heading> AllHeadings() {
    return kHeadings;
}

} // namespace artwork
