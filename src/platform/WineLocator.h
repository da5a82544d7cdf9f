#pragma once

#include <QString>

// Finds Wine's loader, which starts a Windows executable on Linux.
namespace WineLocator {

// "wine" on the PATH, else "wine64" there, else Debian's loader of the wine64 package (which
// puts none on the PATH). Empty when Wine is not installed.
QString loader();

// The error box's text when Program, a Windows executable, cannot start for want of Wine.
QString missingWineMessage(const QString &program);

// Tests stand another file in for Debian's loader; an empty path restores it.
void setFallbackLoaderForTesting(const QString &path);

} // namespace WineLocator
