#include "TestPlug.h"

#include <cstdio>
#include <mutex>

namespace {

struct StripShape {
    int width;
    int frameHeight;
    int frames;
};

std::mutex registryLock;
std::map<int, StripShape>& Shapes() {
    static std::map<int, StripShape> shapes;
    return shapes;
}
std::map<int, int>& Loads() {
    static std::map<int, int> loads;
    return loads;
}

} // namespace

std::string Describe(const std::vector<HostCall>& calls) {
    static const char* names[] = {"begin", "perform", "end", "menu", "resize"};
    std::string text;
    for (const HostCall& call : calls) {
        char line[96];
        std::snprintf(line, sizeof line, "%s(%d, %.6f, %d) ", names[call.kind], call.index,
                      call.value, call.y);
        text += line;
    }
    return text.empty() ? "(no calls)" : text;
}

TestPlug::TestPlug(int parameterCount, bool declareTestParameters)
    : IPlugBase(PlugConfig{parameterCount, "1-1 2-2", 1, "Test", "", "Velmora", 0x10000,
                           FourCharCode("Tst1"), FourCharCode("Vlmr")}) {
    if (!declareTestParameters)
        return;
    if (parameterCount > 0)
        GetParam(0)->DeclareContinuous("GAIN", 0.0, -18.0, 18.0, 0.01, "dB");
    if (parameterCount > 1)
        GetParam(1)->DeclareInteger("SWITCH", 0, 0, 1);
    if (parameterCount > 2)
        GetParam(2)->DeclareInteger("SELECT", 0, 0, 2);
    if (parameterCount > 3) {
        ICoreParameter* choice = GetParam(3);
        choice->DeclareEnumerated("CHOICE", 1, 3);
        choice->AppendDisplayText(0, "low");
        choice->AppendDisplayText(1, "mid");
        choice->AppendDisplayText(2, "high");
    }
}

void TestPlug::BeginHostEdit(int index) {
    calls.push_back({HostCall::Begin, index, 0.0});
}

void TestPlug::SendHostEdit(int index, double normalised) {
    calls.push_back({HostCall::Perform, index, normalised});
}

void TestPlug::EndHostEdit(int index) {
    calls.push_back({HostCall::End, index, 0.0});
}

void TestPlug::PopupHostParamMenu(int index, int x, int y) {
    calls.push_back({HostCall::HostMenu, index, double(x), y});
}

void TestPlug::HostTimeSignature(int* numerator, int* denominator) {
    *numerator = 4;
    *denominator = 4;
}

void TestPlug::ResizeEditorWindow(int width, int height) {
    calls.push_back({HostCall::Resize, width, double(height)});
}

LICE_MemBitmap* MakeStrip(int width, int frameHeight, int frames) {
    auto* strip = new LICE_MemBitmap(width, frameHeight * frames);
    for (int frame = 1; frame <= frames; ++frame)
        for (int y = 0; y < frameHeight; ++y) {
            LICE_pixel* row = strip->Bits() + ((frame - 1) * frameHeight + y) * strip->RowSpan();
            for (int x = 0; x < width; ++x)
                row[x] = 0xFF000000u | LICE_pixel(frame) << 16 | LICE_pixel(y & 255) << 8 |
                         LICE_pixel(x & 255);
        }
    return strip;
}

void StripGraphics::Register(int id, int width, int frameHeight, int frames) {
    std::lock_guard<std::mutex> guard(registryLock);
    Shapes()[id] = {width, frameHeight, frames};
}

LICE_IBitmap* StripGraphics::LoadResourceImage(int id, const char*) {
    StripShape shape;
    {
        std::lock_guard<std::mutex> guard(registryLock);
        auto found = Shapes().find(id);
        if (found == Shapes().end())
            return nullptr;
        shape = found->second;
        ++Loads()[id];
    }
    return MakeStrip(shape.width, shape.frameHeight, shape.frames);
}

int StripGraphics::LoadCount(int id) {
    std::lock_guard<std::mutex> guard(registryLock);
    return Loads()[id];
}
