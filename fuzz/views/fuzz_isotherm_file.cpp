// Isotherm band files: any bytes are refused or read, and what is read is
// written and read back the same.
#include "views/isotherm_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<int>(size));
    std::vector<IsothermFileBand> bands;
    if (!IsothermFile::parse(bytes, bands)) {
        return 0;
    }
    std::vector<IsothermFileBand> again;
    if (!IsothermFile::parse(IsothermFile::serialise(bands), again) || again.size() != bands.size()) {
        std::abort();
    }
    return 0;
}
