#pragma once

#include <QString>

class Prompter;

// The program lives in TeraTerm's folder and names every file relative to it.
namespace AppPaths {

// The program folder: the executable's directory unless a test set another.
QString programDir();
void setProgramDir(const QString &dir);

// A file of the program folder by name, with exactly one separator between.
QString AppFilePath(const QString &name);

// The folder Name of the program folder (no closing separator), made when missing (one
// level). When it cannot be made: the warning "Cannot create directory" + path, and an
// empty result.
QString EnsureAppSubdir(const QString &name, Prompter &prompter);

} // namespace AppPaths

using AppPaths::AppFilePath;
