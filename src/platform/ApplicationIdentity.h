#pragma once

#include <QString>

// The program's version: the project version the build was made from ("2.8.1").
QString ProgramVersion();

// Names the application as the program and its tests make it: "Wexmora", version
// ProgramVersion(). Whatever shows the version reads it from the application.
void SetApplicationIdentity();
