// Audio files where the build has no libsndfile: WAV only, read and written by WavFile.
#include "tools/plughost/AudioFile.h"

#include "tools/plughost/WavFile.h"

namespace plughost {

bool IsReadableContainer(int container) {
    return container == format::kWav;
}

int ChooseOutputFormat(int requestedContainer, const std::string& outPath, int sourceFormat) {
    int container = requestedContainer;
    if (container == 0) {
        const std::string extension = ExtensionOf(outPath);
        container = ContainerForName(extension);
        // Never a WAV file under another container's name.
        if (!extension.empty() && container != format::kWav)
            return 0;
    }
    if (container == 0)
        container = format::kWav;
    const int encoding = format::Encoding(sourceFormat);
    if (container == format::kWav && format::Container(sourceFormat) == format::kWav &&
        WavHolds(encoding))
        return container | encoding;
    return container | (container == format::kFlac ? format::kPcm24 : format::kFloat);
}

Status CheckWritable(const std::string& path, int format, int channels, double rate) {
    if (format::Container(format) != format::kWav || !WavHolds(format::Encoding(format)))
        return Status::Fail("cannot write '" + path +
                            "': plughost writes .wav files (this build has no libsndfile)");
    if (channels < 1 || !(rate >= 1 && rate <= 4294967295.0))
        return Status::Fail("cannot write '" + path + "': a WAV file cannot hold " +
                            std::to_string(channels) + " channels at this rate");
    return Status::Ok();
}

} // namespace plughost
