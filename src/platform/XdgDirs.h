#pragma once

#include <QString>

// The per-user base directories of the XDG Base Directory rules, read from the environment
// each time so tests can point them at temp dirs.
namespace XdgDirs {

// $XDG_CONFIG_HOME when it is an absolute path, else ~/.config.
QString configHome();

// $XDG_DATA_HOME when it is an absolute path, else ~/.local/share.
QString dataHome();

// $XDG_RUNTIME_DIR when it is an absolute path, else a 0700 directory of this user's own
// under the temp dir ("wexmora-runtime-<uid>"), created when missing. Empty when no such
// private directory can be had.
QString runtimeDir();

// Makes Dir a directory of this user's closed to others: created 0700 when missing, its
// mode narrowed to 0700 when it is ours. False when it is no directory (a symbolic link
// counts as none) or belongs to someone else.
bool ensurePrivateDir(const QString &dir);

} // namespace XdgDirs
