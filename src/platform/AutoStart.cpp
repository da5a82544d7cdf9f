#include "platform/AutoStart.h"

#include "platform/FileUtil.h"
#include "platform/WineLocator.h"
#include "platform/WineStarter.h"
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

namespace {

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

// One argument from At in Value (escapes of the string value already undone), Exec's quoting
// undone; At is left after it. Nothing when it is malformed.
std::optional<QString> nextArgument(const QString &value, qsizetype &i)
{
    QString argument;
    if (value.at(i) == QLatin1Char('"')) {
        for (++i;; ++i) {
            if (i == value.size())
                return std::nullopt;  // unclosed quote
            const QChar c = value.at(i);
            if (c == QLatin1Char('"'))
                break;
            if (c == QLatin1Char('\\')) {
                if (++i == value.size())
                    return std::nullopt;
                const QChar next = value.at(i);
                if (next != QLatin1Char('"') && next != QLatin1Char('`')
                    && next != QLatin1Char('$') && next != QLatin1Char('\\'))
                    return std::nullopt;
                argument += next;
                continue;
            }
            argument += c;
        }
        ++i;
        if (i < value.size() && !isBlank(value.at(i)))
            return std::nullopt;  // text glued to the closing quote
    } else {
        for (; i < value.size() && !isBlank(value.at(i)); ++i) {
            if (value.at(i) == QLatin1Char('\\') || value.at(i) == QLatin1Char('"'))
                return std::nullopt;  // reserved outside quotes
            argument += value.at(i);
        }
    }
    return argument;
}

// A field code standing alone, which the desktop replaces (by nothing at log-on).
bool isFieldCode(const QString &argument)
{
    return argument.size() == 2 && argument.at(0) == QLatin1Char('%') && argument.at(1).isLetter();
}

// "%%" as "%"; nothing for any other "%".
std::optional<QString> unpercented(const QString &argument)
{
    QString out;
    for (qsizetype j = 0; j < argument.size(); ++j) {
        if (argument.at(j) == QLatin1Char('%')) {
            if (j + 1 == argument.size() || argument.at(j + 1) != QLatin1Char('%'))
                return std::nullopt;
            ++j;
        }
        out += argument.at(j);
    }
    return out;
}

} // namespace

std::optional<QStringList> execArguments(const QString &execValue)
{
    const QString value = unescapeStringValue(execValue);
    QStringList arguments;
    qsizetype i = 0;
    for (;;) {
        while (i < value.size() && isBlank(value.at(i)))
            ++i;
        if (i == value.size())
            break;
        const std::optional<QString> raw = nextArgument(value, i);
        if (!raw)
            return std::nullopt;
        // The program itself can be no field code.
        if (!arguments.isEmpty() && isFieldCode(*raw))
            continue;
        const std::optional<QString> argument = unpercented(*raw);
        if (!argument)
            return std::nullopt;
        arguments << *argument;
    }
    if (arguments.isEmpty() || arguments.first().isEmpty())
        return std::nullopt;
    return arguments;
}

QString execProgram(const QString &execValue)
{
    const std::optional<QStringList> arguments = execArguments(execValue);
    return arguments ? arguments->first() : QString();
}

std::optional<QStringList> startedCommand(const QByteArray &entry)
{
    const XdgKeyFile file(entry);
    const QByteArray group("Desktop Entry");
    if (file.value(group, "Hidden") == QByteArray("true"))
        return std::nullopt;
    return execArguments(QString::fromUtf8(file.value(group, "Exec").value_or(QByteArray())));
}

QString startedProgram(const QByteArray &entry)
{
    const std::optional<QStringList> command = startedCommand(entry);
    return command ? command->first() : QString();
}

bool isOn(const QString &launcherPath)
{
    if (launcherPath.isEmpty())
        return false;
    const std::optional<QByteArray> entry = ReadWholeFile(entryPath());
    const std::optional<QStringList> command = entry ? startedCommand(*entry) : std::nullopt;
    if (!command)
        return false;
    QStringList rest = *command;
    // "env NAME=value ..." sets variables for the program that follows.
    if (QFileInfo(rest.first()).fileName() == QLatin1String("env")) {
        rest.removeFirst();
        while (!rest.isEmpty() && rest.first().contains(QLatin1Char('='))
               && !rest.first().startsWith(QLatin1Char('-')))
            rest.removeFirst();
    }
    if (rest.isEmpty())
        return false;
    if (!WineStarter::needsWine(launcherPath))
        return rest.first() == launcherPath;
    return rest.size() >= 2 && WineLocator::isLoaderName(QFileInfo(rest.first()).fileName())
        && rest.at(1) == launcherPath;
}

QString execLine(const StartCommand &command)
{
    QStringList words;
    if (!command.environment.isEmpty()) {
        words << QStringLiteral("env");
        for (auto it = command.environment.cbegin(); it != command.environment.cend(); ++it)
            words << quoteExecArgument(it.key() + QLatin1Char('=') + it.value());
    }
    words << quoteExecArgument(command.program);
    for (const QString &argument : command.arguments)
        words << quoteExecArgument(argument);
    return words.join(QLatin1Char(' '));
}

bool setOn(const QString &launcherPath, bool on)
{
    const QString path = entryPath();
    if (!on)
        return !QFileInfo::exists(path) || QFile::remove(path);
    if (launcherPath.isEmpty() || !QDir().mkpath(QFileInfo(path).path()))
        return false;
    // Started at log-on as we start it now: a Windows launcher through Wine in its prefix.
    const std::optional<StartCommand> command = WineStarter::commandFor(launcherPath, {});
    if (!command)
        return false;
    QString entry = QLatin1String("[Desktop Entry]\n"
                                  "Type=Application\n"
                                  "Name=Wexmora\n"
                                  "Exec=")
        + execLine(*command) + QLatin1Char('\n');
    if (!command->workingDirectory.isEmpty())
        entry += QLatin1String("Path=") + escapeStringValue(command->workingDirectory) + QLatin1Char('\n');
    entry += QLatin1String("Terminal=false\n"
                           "X-GNOME-Autostart-enabled=true\n");
    return WriteWholeFile(path, entry.toUtf8());
}

} // namespace AutoStart
