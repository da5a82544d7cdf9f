#pragma once

#include "platform/AppPaths.h"

#include <QString>

class Prompter;

// The program's dealings with its folder, which is TeraTerm's folder.

using AppPaths::EnsureAppSubdir;

// The full path of "ttermpro.exe" in the program folder.
QString TeraTermExePath();

// Whether "ttermpro.exe" is in the program folder; when not, the error that says so.
bool CheckTeraTermPresent(Prompter &prompter);

// Deletes the run slots' files ("~macroC*.ttl", then "~TTiniC*.ini", letter case aside) in
// "Temp_TTL"; a file that cannot be deleted is skipped. Other files there stay.
void DeleteTempFiles(Prompter &prompter);
