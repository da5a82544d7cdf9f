#pragma once

#include <QString>

class Registry;

// The desktop's side of the class hive: after an association changed, the desktop's file
// types are brought in line with what the hive says about one program. For every extension
// key whose type runs the program through the verb's command, the user's data home gets a
// shared-mime-info package (the extension's glob, matched without regard to case, for a MIME
// type named after the hive's type) and a desktop entry that opens such files with the
// program, and $XDG_CONFIG_HOME/mimeapps.list makes that entry the type's default
// application when the type is first shown. The default that was there before is kept in the
// entry and given back when the hive no longer associates the type with the program; a
// default the user chooses meanwhile is left alone, then and after. The desktop's caches are
// refreshed when their tools are installed.
namespace DesktopFileTypes {

struct Handler
{
    QString program;   // the executable the hive's commands run
    QString verb;      // the verb key under "Shell" that opens a file
    QString name;      // shown by file managers in "Open with"
};

// False when a file could not be read or written; what could be done is done.
bool follow(const Registry &registry, const Handler &handler);

// The MIME type and the desktop entry's file name that stand for a type key of the hive.
QString mimeTypeForClass(const QString &typeKey);
QString desktopFileForClass(const QString &typeKey);

QString mimeAppsPath();
QString packagePath(const QString &typeKey);
QString desktopEntryPath(const QString &typeKey);

// Whether a command line of the hive starts Program, written plain or in double quotes.
bool commandRuns(const QString &command, const QString &program);

} // namespace DesktopFileTypes
