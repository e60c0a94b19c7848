#include "lice/PngMemoryReader.h"

#include <cstring>

bool PngMemoryReader::Read(unsigned char* out, size_t count) {
    std::memset(out, 0, count);
    const size_t taken = count < remaining_ ? count : remaining_;
    if (taken > 0) {
        std::memcpy(out, next_, taken);
        next_ += taken;
        remaining_ -= taken;
    }
    const size_t missing = count - taken;
    if (missing > kMaxOverrun - overrun_)
        return false;
    overrun_ += missing;
    return true;
}
