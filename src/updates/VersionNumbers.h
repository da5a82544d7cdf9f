#pragma once

#include <QString>

#include <optional>

// A product's version as four numbers: major, minor, release, build.
struct VersionNumbers
{
    int major = 0;
    int minor = 0;
    int release = 0;
    int build = 0;

    friend bool operator==(const VersionNumbers &, const VersionNumbers &) = default;
};

// What an executable without a readable version counts as: never out of date.
inline constexpr VersionNumbers UnknownFileVersion{99999, 99999, 0, 0};

// The version resource of the Windows executable FileName (TeraTerm's ttermpro.exe);
// UnknownFileVersion when the file is missing or has none.
VersionNumbers GetFileVersionNumbers(const QString &fileName);
// This program's own version, the project's version from the build as the application
// states it; missing parts count 0.
VersionNumbers ProgramVersionNumbers();

// A version text of the update server: exactly major "." minor "-" release, each one to nine
// decimal digits, nothing else (no blank, no line break). Nothing otherwise.
std::optional<VersionNumbers> ParseVersionText(const QString &text);

// Whether Web is a later major, minor or release than Installed; builds are not compared.
bool IsNewerVersion(const VersionNumbers &installed, const VersionNumbers &web);
