#pragma once

#include <QByteArray>
#include <QString>

struct ColorSet;

// What the program reads from and writes into TeraTerm's configuration file. Only per-run
// copies are ever written; TeraTerm's own "teraterm.ini" is only read.
//
// Each writer does nothing when IniPath names no existing file. A writer returns false when
// the file exists but could not be read or written back, so a run does not start TeraTerm
// with a copy it believes changed.

// TeraTerm's own colours from "teraterm.ini" of the program folder, in colour-set text form
// (the numbers are not checked here), or the first built-in scheme when the file or one of
// its four colour keys is missing or the keys do not hold 24 numbers together.
QByteArray ReadTeraTermColors();

// Writes Set into "VTColor", "VTBoldColor", "VTBlinkColor" and "URLColor" of section
// "Tera Term", six numbers each joined by ",".
bool WriteTeraTermColors(const QString &iniPath, const ColorSet &set);

// Puts the editor's font into "VTFont": its face and Windows height (negative for a size in
// points) replace TeraTerm's first and third fields, TeraTerm's width and the rest stay. An
// absent or empty "VTFont" is left alone, and so is a face holding a "," (it would shift
// TeraTerm's fields).
bool WriteTeraTermFont(const QString &iniPath, const QByteArray &fontName, int height);

// Sets "BGEnable" to "off" in section "BG".
bool DisableTeraTermBackground(const QString &iniPath);

// Whether the "bin" folder of the Cygwin folder named by "CygwinDirectory" in TeraTerm's
// "teraterm.ini" exists. False without the file or with the key missing or empty. The folder
// may be written with "\" or "/".
bool IsCygwinInstalled();
