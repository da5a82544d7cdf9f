#include "runner/TeraTermIni.h"

#include "platform/AppPaths.h"
#include "platform/IniFile.h"
#include "table/ColorSet.h"

#include <QFile>
#include <QFileInfo>

namespace {

const QByteArray kTeraTerm = QByteArrayLiteral("Tera Term");

QByteArray sixNumbers(const ColorSet &set, int element)
{
    QByteArray out;
    for (int i = 0; i < 6; ++i) {
        if (i)
            out += ',';
        out += QByteArray::number(set.bytes[static_cast<std::size_t>(element * 6 + i)]);
    }
    return out;
}

// The text after the first comma of Rest, taking the text before it into Field. Without a
// comma the field is empty and the whole text stays, as TeraTerm's own cut of the value did.
QByteArray cutAtComma(const QByteArray &rest, QByteArray &field)
{
    const qsizetype comma = rest.indexOf(',');
    if (comma < 0) {
        field.clear();
        return rest;
    }
    field = rest.left(comma);
    return rest.mid(comma + 1);
}

bool existingFile(const QString &path)
{
    return !path.isEmpty() && QFileInfo(path).isFile();
}

} // namespace

QByteArray ReadTeraTermColors()
{
    const QByteArray fallback(ColorSchemes[0].text);
    const IniFile ini(AppFilePath(QStringLiteral("teraterm.ini")));
    if (!ini.fileExists())
        return fallback;
    QByteArray joined = ini.readString(kTeraTerm, "VTColor") + ','
        + ini.readString(kTeraTerm, "VTBoldColor") + ',' + ini.readString(kTeraTerm, "VTBlinkColor")
        + ',' + ini.readString(kTeraTerm, "URLColor");
    if (joined.count(',') != 23)
        return fallback;
    return joined.replace(',', ':');
}

bool WriteTeraTermColors(const QString &iniPath, const ColorSet &set)
{
    if (!existingFile(iniPath))
        return true;
    IniFile ini(iniPath);
    if (ini.readFailed())
        return false;
    ini.writeString(kTeraTerm, "VTColor", sixNumbers(set, ColorSet::Normal));
    ini.writeString(kTeraTerm, "VTBoldColor", sixNumbers(set, ColorSet::Bold));
    ini.writeString(kTeraTerm, "VTBlinkColor", sixNumbers(set, ColorSet::Blink));
    ini.writeString(kTeraTerm, "URLColor", sixNumbers(set, ColorSet::Url));
    return ini.flush();
}

bool WriteTeraTermFont(const QString &iniPath, const QByteArray &fontName, int height)
{
    if (!existingFile(iniPath))
        return true;
    IniFile ini(iniPath);
    if (ini.readFailed())
        return false;
    const QByteArray old = ini.readString(kTeraTerm, "VTFont");
    if (old.isEmpty() || fontName.contains(','))
        return true;
    QByteArray face, width, oldHeight;
    QByteArray rest = cutAtComma(old, face);
    rest = cutAtComma(rest, width);
    rest = cutAtComma(rest, oldHeight);
    ini.writeString(kTeraTerm, "VTFont",
                    fontName + ',' + width + ',' + QByteArray::number(height) + ',' + rest);
    return ini.flush();
}

bool DisableTeraTermBackground(const QString &iniPath)
{
    if (!existingFile(iniPath))
        return true;
    IniFile ini(iniPath);
    if (ini.readFailed())
        return false;
    ini.writeString("BG", "BGEnable", "off");
    return ini.flush();
}

bool IsCygwinInstalled()
{
    const IniFile ini(AppFilePath(QStringLiteral("teraterm.ini")));
    if (!ini.fileExists())
        return false;
    QByteArray dir = ini.readString(kTeraTerm, "CygwinDirectory");
    if (dir.isEmpty())
        return false;
    if (!dir.endsWith('\\') && !dir.endsWith('/'))
        dir += '\\';
    dir += "bin";
    dir.replace('\\', '/');
    return QFileInfo(QFile::decodeName(dir)).isDir();
}
