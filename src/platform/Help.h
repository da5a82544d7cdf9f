#pragma once

#include <QString>

#include <functional>

// WinHelp's place: opens a help file of the program folder, at a context where the viewer
// takes one.
namespace Help {

enum class Result { Opened, FileMissing, ViewerNotStartable, NotOpened };

// Opens the help file Name beside the program at Context (0: at its start). FileMissing when
// the folder has no such file, so the caller can say which. A ".hlp" file inside a Wine
// prefix goes to Wine's help viewer in that prefix, which opens it at its contents: the viewer
// takes no context number on its command line. Any other file goes to the desktop's handler.
Result open(const QString &name, int context = 0);

// What the user is told when opening the help file Name ended in Result: which file is
// missing, why no Wine here can run the help viewer, or that the file could not be opened.
// Empty for Opened.
QString failureMessage(Result result, const QString &name);

// The viewer shows an existing help file. Tests put their own in place to see the file and
// the context; an empty function restores the real one.
using Viewer = std::function<Result(const QString &file, int context)>;
void setViewerForTesting(Viewer viewer);

} // namespace Help
