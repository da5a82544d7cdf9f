#include "platform/AutoStart.h"

#include "platform/FileUtil.h"
#include "platform/XdgDirs.h"
#include "platform/XdgKeyFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// The escapes of a string value in a desktop file, applied before Exec's own quoting.
QString escapeStringValue(const QString &text)
{
    QString out;
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '\\': out += QLatin1String("\\\\"); break;
        case '\n': out += QLatin1String("\\n"); break;
        case '\t': out += QLatin1String("\\t"); break;
        case '\r': out += QLatin1String("\\r"); break;
        default: out += c;
        }
    }
    return out;
}

QString unescapeStringValue(const QString &text)
{
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) != QLatin1Char('\\') || i + 1 == text.size()) {
            out += text.at(i);
            continue;
        }
        switch (text.at(++i).unicode()) {
        case 's': out += QLatin1Char(' '); break;
        case 'n': out += QLatin1Char('\n'); break;
        case 't': out += QLatin1Char('\t'); break;
        case 'r': out += QLatin1Char('\r'); break;
        case '\\': out += QLatin1Char('\\'); break;
        default:
            // Not a string escape: left for Exec's quoting (entries written by hand often
            // carry \" unescaped at this level).
            out += QLatin1Char('\\');
            out += text.at(i);
        }
    }
    return out;
}

} // namespace

namespace AutoStart {

QString entryPath()
{
    return XdgDirs::configHome() + QLatin1String("/autostart/Wexmora.desktop");
}

QString quoteExecArgument(const QString &argument)
{
    QString quoted = QStringLiteral("\"");
    for (const QChar c : argument) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$')
            || c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        else if (c == QLatin1Char('%'))
            quoted += QLatin1Char('%');
        quoted += c;
    }
    quoted += QLatin1Char('"');
    return escapeStringValue(quoted);
}

QString execProgram(const QString &execValue)
{
    const QString value = unescapeStringValue(execValue);
    QString program;
    qsizetype i = 0;
    if (value.startsWith(QLatin1Char('"'))) {
        for (i = 1;; ++i) {
            if (i == value.size())
                return {};  // unclosed quote
            const QChar c = value.at(i);
            if (c == QLatin1Char('"'))
                break;
            if (c == QLatin1Char('\\')) {
                if (++i == value.size())
                    return {};
                const QChar next = value.at(i);
                if (next != QLatin1Char('"') && next != QLatin1Char('`')
                    && next != QLatin1Char('$') && next != QLatin1Char('\\'))
                    return {};
                program += next;
                continue;
            }
            program += c;
        }
        ++i;
        if (i < value.size() && value.at(i) != QLatin1Char(' ') && value.at(i) != QLatin1Char('\t'))
            return {};  // text glued to the closing quote
    } else {
        for (; i < value.size() && value.at(i) != QLatin1Char(' ') && value.at(i) != QLatin1Char('\t');
             ++i) {
            if (value.at(i) == QLatin1Char('\\') || value.at(i) == QLatin1Char('"'))
                return {};  // reserved outside quotes
            program += value.at(i);
        }
    }
    // A literal '%' is written doubled; a field code cannot be part of the program.
    QString unpercented;
    for (qsizetype j = 0; j < program.size(); ++j) {
        if (program.at(j) == QLatin1Char('%')) {
            if (j + 1 == program.size() || program.at(j + 1) != QLatin1Char('%'))
                return {};
            ++j;
        }
        unpercented += program.at(j);
    }
    return unpercented;
}

QString startedProgram(const QByteArray &entry)
{
    const XdgKeyFile file(entry);
    const QByteArray group("Desktop Entry");
    if (file.value(group, "Hidden") == QByteArray("true"))
        return {};
    return execProgram(QString::fromUtf8(file.value(group, "Exec").value_or(QByteArray())));
}

bool isOn(const QString &launcherPath)
{
    if (launcherPath.isEmpty())
        return false;
    const std::optional<QByteArray> entry = ReadWholeFile(entryPath());
    return entry && startedProgram(*entry) == launcherPath;
}

bool setOn(const QString &launcherPath, bool on)
{
    const QString path = entryPath();
    if (!on)
        return !QFileInfo::exists(path) || QFile::remove(path);
    if (launcherPath.isEmpty() || !QDir().mkpath(QFileInfo(path).path()))
        return false;
    const QString entry = QLatin1String("[Desktop Entry]\n"
                                        "Type=Application\n"
                                        "Name=Wexmora\n"
                                        "Exec=")
                          + quoteExecArgument(launcherPath)
                          + QLatin1String("\nTerminal=false\n"
                                          "X-GNOME-Autostart-enabled=true\n");
    return WriteWholeFile(path, entry.toUtf8());
}

} // namespace AutoStart
