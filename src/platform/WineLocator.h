#pragma once

#include "platform/ExecutableKind.h"
#include "platform/MachineRoot.h"
#include "platform/WineLoader.h"

#include <QList>
#include <QString>

#include <optional>

// Finds the Wines installed on the machine, and the one that runs a program's machine (see
// WineLoader for how that is decided). The places looked at, in the order they are preferred:
// - "wine", then "wine64", in each folder of the PATH (Debian's and Ubuntu's wrapper, a
//   distribution's or the user's own loader);
// - the loaders Debian and Ubuntu keep off the PATH: /usr/lib/wine/wine and wine64 (and the
//   same of wine-development in /usr/lib/wine-development);
// - WineHQ's packages: /opt/wine-stable, /opt/wine-devel and /opt/wine-staging, in bin/.
namespace WineLocator {

// Every Wine found, each file once.
QList<WineLoader> installed();
// The first Wine that runs programs of Machine without handing them over to the other loader
// of a WoW64 pair, else the first that runs them at all; nothing when none does.
std::optional<WineLoader> loaderFor(ExecutableKind::Machine machine);
// The first Wine found, whatever it runs ("wineboot", Wine's own programs); empty when Wine
// is not installed.
QString loader();
// Whether Name is the file name of a Wine loader or wrapper ("wine", "wine64",
// "wine-stable", ...).
bool isLoaderName(const QString &name);

// The error box's text when Program, a Windows executable, cannot start because no Wine is
// installed at all; for a 32-bit program it says how to add the 32-bit part too.
QString missingWineMessage(const QString &program);

// Tests look at a made-up machine in a folder; an empty root restores this machine's "/".
void setRootForTesting(const QString &root);
MachineRoot root();

} // namespace WineLocator
