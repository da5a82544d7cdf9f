// Debian's Wine wrapper is a shell script read for the loaders it names; any script must give
// either both of them, as plain absolute paths, or nothing.
#include "platform/WineLoader.h"

#include "FuzzCheck.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray script(reinterpret_cast<const char *>(data), qsizetype(size));
    const QStringList loaders = WineLoader::wrapperLoaders(script);
    Check(loaders.isEmpty() || loaders.size() == 2, "both loaders or none");
    for (const QString &loader : loaders) {
        Check(loader.startsWith(QLatin1Char('/')), "an absolute path");
        Check(!loader.contains(QLatin1Char('$')) && !loader.contains(QLatin1Char('`'))
                  && !loader.contains(QLatin1Char(' ')),
              "nothing a shell would expand or split");
    }
    return 0;
}
