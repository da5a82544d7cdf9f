// The PE version reader on any bytes: it must give a version or none, and never read outside
// the image.
#include "platform/PeVersionResource.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::optional<PeVersionResource::FileVersion> version =
        PeVersionResource::read(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (version && size < 64)
        __builtin_trap();  // no image that small holds a version
    return 0;
}
