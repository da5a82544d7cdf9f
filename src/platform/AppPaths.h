#pragma once

#include <QString>

// The program lives in TeraTerm's folder and names every file relative to it.
namespace AppPaths {

// The program folder: the executable's directory unless a test set another.
QString programDir();
void setProgramDir(const QString &dir);

// A file of the program folder by name, with exactly one separator between.
QString AppFilePath(const QString &name);

} // namespace AppPaths

using AppPaths::AppFilePath;
