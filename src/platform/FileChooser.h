#pragma once

#include <QString>
#include <QStringList>

// What a command puts into a file dialog before showing it.
struct FileDialogSetup
{
    QString title;
    // Description and pattern pairs joined by "|": "Wexmora file (*.QDZ)|*.QDZ|All files (*.*)|*.*".
    QString filter;
    // Added, with its dot, to a typed name that has no extension of its own ("qdz").
    QString defaultExtension;
    // The name the dialog starts with; a path also chooses the folder it opens in.
    QString initialFileName;
};

// The program's two file dialogs: one to pick a file to read, one to name a file to write
// (asking before it overwrites). The window shows real dialogs and keeps each dialog's
// filter choice for its next use; tests answer from a script. An empty result means the
// user cancelled.
class FileChooser
{
public:
    virtual ~FileChooser() = default;
    virtual QString chooseOpenFile(const FileDialogSetup &setup) = 0;
    virtual QString chooseSaveFile(const FileDialogSetup &setup) = 0;
};

// The "|" filter as Qt name filters. Patterns match regardless of letter case on Linux only
// when both spellings are listed, so "*.QDZ" becomes "*.QDZ *.qdz"; "*.*" becomes "*", which
// also matches names without a dot.
QStringList FileDialogNameFilters(const QString &filter);

// FileName with "." + Extension added when its last path component has no extension; a
// name that already has one, or an empty Extension, leaves it as it is.
QString AddDefaultExtension(const QString &fileName, const QString &extension);

// The extension of the last path component with its dot, upper-cased (".KPV"); empty when
// the name has none.
QString UpperFileExtension(const QString &fileName);
