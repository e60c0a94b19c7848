#include "engine/SorvelEditorLayout.h"

#include "engine/SorvelParameters.h"
#include "graphics/IGraphics.h"
#include "graphics/IKnobMultiControl.h"
#include "graphics/ISwitchControl.h"
#include "graphics/IURLControl.h"
#include "graphics/MakePlatformGraphics.h"

namespace {

enum class Kind { Switch, Knob };

struct LayoutRow {
    Kind kind;
    int imageId;
    const char* imageName;
    int frameCount;
    int x;
    int y;
    SorvelParam param;
};

constexpr int kBackgroundId = 101;
constexpr const char* kBackgroundName = "resources/img/BG.png";
constexpr double kKnobGearing = 4.0;

// Controls 1 to 33, in the order they are added: the control index is the row number.
// clang-format off
constexpr LayoutRow kLayout[] = {
    // kind        id   image                           frames  x    y    parameter
    {Kind::Switch, 102, "resources/img/BY.png",          2,  123, 190, kBypass},
    {Kind::Switch, 133, "resources/img/OVER.png",        2,    0, 429, kOversampling},
    {Kind::Switch, 113, "resources/img/LINK.png",        2,  215, 196, kLink},
    {Kind::Switch, 130, "resources/img/MS.png",          2,  306, 196, kMidSide},
    {Kind::Switch, 107, "resources/img/LCUTL.png",       2,  123,  55, kLowCutL},
    {Kind::Switch, 108, "resources/img/LCUTR.png",       2,  123, 267, kLowCutR},
    {Kind::Switch, 103, "resources/img/HFREQL.png",      3,  862, 124, kHighFreqL},
    {Kind::Switch, 104, "resources/img/HFREQR.png",      3,  862, 334, kHighFreqR},
    {Kind::Switch, 109, "resources/img/LFREQL.png",      3,  252, 124, kLowFreqL},
    {Kind::Switch, 110, "resources/img/LFREQR.png",      3,  254, 334, kLowFreqR},
    {Kind::Switch, 114, "resources/img/MFREQ1L.png",     2,  371, 124, kMidFreq1L},
    {Kind::Switch, 115, "resources/img/MFREQ1R.png",     2,  377, 334, kMidFreq1R},
    {Kind::Switch, 116, "resources/img/MFREQ2L.png",     3,  498, 124, kMidFreq2L},
    {Kind::Switch, 117, "resources/img/MFREQ2R.png",     3,  502, 334, kMidFreq2R},
    {Kind::Switch, 118, "resources/img/MFREQ3L.png",     3,  619, 124, kMidFreq3L},
    {Kind::Switch, 119, "resources/img/MFREQ3R.png",     3,  625, 334, kMidFreq3R},
    {Kind::Switch, 120, "resources/img/MFREQ4L.png",     2,  741, 124, kMidFreq4L},
    {Kind::Switch, 121, "resources/img/MFREQ4R.png",     2,  748, 334, kMidFreq4R},
    {Kind::Knob,   105, "resources/img/HGAINL.png",     31,  862,  38, kHighGainL},
    {Kind::Knob,   106, "resources/img/HGAINR.png",     31,  862, 253, kHighGainR},
    {Kind::Knob,   111, "resources/img/LGAINL.png",     31,  244,  38, kLowGainL},
    {Kind::Knob,   112, "resources/img/LGAINR.png",     31,  248, 253, kLowGainR},
    {Kind::Knob,   122, "resources/img/MGAIN1L.png",    31,  371,  38, kMidGain1L},
    {Kind::Knob,   123, "resources/img/MGAIN1R.png",    31,  373, 253, kMidGain1R},
    {Kind::Knob,   124, "resources/img/MGAIN2L.png",    31,  496,  38, kMidGain2L},
    {Kind::Knob,   125, "resources/img/MGAIN2R.png",    31,  496, 253, kMidGain2R},
    {Kind::Knob,   126, "resources/img/MGAIN3L.png",    31,  621,  32, kMidGain3L},
    {Kind::Knob,   127, "resources/img/MGAIN3R.png",    31,  619, 253, kMidGain3R},
    {Kind::Knob,   128, "resources/img/MGAIN4L.png",    31,  741,  38, kMidGain4L},
    {Kind::Knob,   129, "resources/img/MGAIN4R.png",    31,  739, 253, kMidGain4R},
    {Kind::Knob,   131, "resources/img/OUTL.png",       31,  981,  38, kOutL},
    {Kind::Knob,   132, "resources/img/OUTR.png",       31,  981, 253, kOutR},
    {Kind::Knob,   134, "resources/img/DRV.png",        31,  125, 112, kDrive},
};
// clang-format on

// The product page, opened by the editor's bottom-right corner. The rectangle reaches past
// the editor's edges; only its part inside the editor can be clicked.
constexpr PixelRect kProductPageArea{1060, 430, 1160, 530};
constexpr const char* kProductPageAddress = "https://www.velmora.audio/product/sorvel/";

} // namespace

IGraphics* BuildSorvelEditor(IPlugBase* plug) {
    IGraphics* graphics = MakePlatformGraphics(plug, kSorvelEditorWidth, kSorvelEditorHeight);
    graphics->InstallBackground(graphics->LoadFrameBitmap(kBackgroundId, kBackgroundName, 1));
    for (const LayoutRow& row : kLayout) {
        const FrameBitmap bitmap =
            graphics->LoadFrameBitmap(row.imageId, row.imageName, row.frameCount);
        if (row.kind == Kind::Switch)
            graphics->AddControl(new ISwitchControl(plug, row.x, row.y, row.param, bitmap));
        else
            graphics->AddControl(new IKnobMultiControl(plug, row.x, row.y, row.param, bitmap,
                                                       KnobVertical, kKnobGearing));
    }
    graphics->AddControl(new IURLControl(plug, kProductPageArea, kProductPageAddress));
    return graphics;
}
