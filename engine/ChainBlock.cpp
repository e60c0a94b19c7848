#include "engine/ChainBlock.h"

#include <cmath>

namespace {

BiquadSection Designed(const FixedPeak& design) {
    BiquadSection section;
    section.kind = BiquadSection::Peak;
    section.Fc = design.Fc;
    section.Q = design.Q;
    section.gain = design.gain;
    section.Design();
    return section;
}

const BiquadSection SatPeakDesigned = Designed(SatPeakDesign);
const BiquadSection OutPeakDesigned = Designed(OutPeakDesign);

void TakeDesign(BiquadSection& section, const BiquadSection& designed) {
    const double z1 = section.z1;
    const double z2 = section.z2;
    section = designed;
    section.z1 = z1;
    section.z2 = z2;
}

double DbToGain(double db) {
    return std::pow(10.0, db / 20.0);
}

} // namespace

ChainBlock BeginChainBlock(EngineState& state, const ChainSwitches& switches) {
    for (int c = 0; c < ChannelCount; ++c) {
        TakeDesign(state.satPeak[c], SatPeakDesigned);
        TakeDesign(state.outPeak[c], OutPeakDesigned);
    }
    ChainBlock block;
    block.driveGain = DbToGain(state.driveMirror);
    block.makeUpGain = DbToGain(MakeUpDb - state.driveMirror);
    for (int c = 0; c < ChannelCount; ++c)
        block.outputGain[c] = DbToGain(state.outputGainMirror[c]);
    block.midSide = switches.midSide == 0;
    block.oversampled = switches.oversampling == 1;
    block.bypass = switches.bypass == 1;
    return block;
}
