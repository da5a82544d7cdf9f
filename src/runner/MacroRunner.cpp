#include "runner/MacroRunner.h"

#include "platform/AppPaths.h"
#include "platform/AtomicFileWriter.h"
#include "platform/Prompter.h"
#include "platform/RegularFile.h"
#include "platform/ShellOpen.h"
#include "platform/SystemInfo.h"
#include "platform/WineStarter.h"
#include "runner/MacroAssembler.h"
#include "runner/MacroVariables.h"
#include "runner/ProgramFolder.h"
#include "runner/RunTarget.h"
#include "runner/TeraTermIni.h"
#include "runner/TeraTermPaths.h"
#include "table/ColorSet.h"
#include "table/ConnectionTree.h"
#include "table/UrlCodec.h"

#include <QFile>
#include <QFileInfo>

namespace {

const QFileDevice::Permissions kOwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

QString cannotCreate(const QString &path, const QString &why)
{
    return QStringLiteral("Cannot create file \"%1\". %2").arg(path, why);
}

// A path TeraTerm has no name for in its Wine prefix.
QString cannotName(const QString &path, const QString &prefix)
{
    return QStringLiteral("The path %1 has no Windows name in the Wine prefix %2: no drive of the "
                          "prefix shows it, or a name in it holds a character Windows does not "
                          "allow. Cannot execute the macro.").arg(path, prefix);
}

QString cannotExecute(const QString &path)
{
    return QStringLiteral("The path %1 holds a quote character that cannot be passed to "
                          "TeraTerm. Cannot execute the macro.").arg(path);
}

} // namespace

MacroRunner::MacroRunner(Prompter &prompter) : m_prompter(prompter) {}

QDateTime MacroRunner::now() const
{
    return m_clock ? m_clock() : QDateTime::currentDateTime();
}

QString SlotMacroFile(const QString &temp, int n)
{
    return temp + QStringLiteral("/~macroC") + QString::number(n) + QStringLiteral(".ttl");
}

QString SlotIniFile(const QString &temp, int n)
{
    return temp + QStringLiteral("/~TTiniC") + QString::number(n) + QStringLiteral(".ini");
}

QStringList TeraTermArguments(const QString &iniCopy, const QString &macroFile)
{
    return {QStringLiteral("/F=") + iniCopy, QStringLiteral("/M=") + macroFile};
}

QString TeraTermParameterText(const QString &iniCopy, const QString &macroFile)
{
    return QStringLiteral(" /F=\"") + iniCopy + QStringLiteral("\"  /M=\"") + macroFile
        + QLatin1Char('"');
}

bool MacroRunner::writeMacroFile(const QString &path, const QByteArray &bytes, bool ownerOnly)
{
    // Slot files may hold passwords: owner-only from the first byte on, and a link planted at
    // a slot's name in "Temp_TTL" is replaced, never written through. An exported macro goes
    // where the user chose, a link there included.
    AtomicFileWriter out(path, ownerOnly ? AtomicFileWriter::AtLink::Replace : AtomicFileWriter::AtLink::WriteTarget);
    if (ownerOnly)
        out.setPermissions(kOwnerOnly);
    const bool ok = out.open() && out.write(bytes) && out.commit();
    if (!ok)
        m_prompter.error(cannotCreate(path, out.errorString()));
    return ok;
}

bool MacroRunner::makeIniCopy(const QString &copyPath)
{
    const QString source = AppFilePath(QStringLiteral("teraterm.ini"));
    QFile in;
    const RegularFile::Status status = RegularFile::open(in, source);
    if (status != RegularFile::Status::Opened) {
        m_prompter.error(QStringLiteral("Cannot open file \"%1\". %2").arg(source, RegularFile::reason(status, source)));
        return false;
    }
    const QByteArray bytes = in.readAll();
    if (in.error() != QFileDevice::NoError) {
        m_prompter.error(QStringLiteral("Cannot open file \"%1\". %2").arg(source, in.errorString()));
        return false;
    }
    return writeMacroFile(copyPath, bytes, true);
}

bool MacroRunner::prepareIniCopy(const QString &copyPath, const RunContext &context)
{
    bool ok = true;
    if (!context.options.noColors) {
        ColorSet set = context.colors;
        if (!context.currentNodeModified)
            ParseColorSet(context.currentNodeColors ? *context.currentNodeColors : ReadTeraTermColors(), set);
        ok = WriteTeraTermColors(copyPath, set);
    }
    ok = ok && DisableTeraTermBackground(copyPath);
    if (ok && context.options.useEditorFont)
        ok = WriteTeraTermFont(copyPath, context.options.fontName, context.options.fontHeight);
    if (!ok)
        m_prompter.error(QStringLiteral("Cannot write file \"%1\".").arg(copyPath));
    return ok;
}

bool MacroRunner::RunMacro(bool wholeMacro, bool withAncestors, const QString &exportFile,
                           const RunTarget &target, const RunContext &context)
{
    if (target.chain.isEmpty() || !CheckTeraTermPresent(m_prompter))
        return false;
    const bool exporting = !exportFile.isEmpty();
    const QString exe = TeraTermExePath();
    // Before anything is made: a Windows TeraTerm that no Wine here runs cannot run at all.
    if (!exporting) {
        if (const QString problem = WineStarter::startProblem(exe); !problem.isEmpty()) {
            m_prompter.error(problem);
            return false;
        }
    }
    const QString logs = EnsureAppSubdir(QStringLiteral("Logs"), m_prompter);
    const QString temp = EnsureAppSubdir(QStringLiteral("Temp_TTL"), m_prompter);
    if (!exporting && temp.isEmpty()) {
        m_prompter.error(QStringLiteral("Failed to create Temp_TTL direcory. Cannot execute the macro."));
        return false;
    }

    // TeraTerm is told of the folders by its own names for them.
    const TeraTermPaths paths = TeraTermPaths::forProgramFolder();
    const auto seenFolder = [&](const QString &folder) {
        std::optional<QString> seen = paths.folder(folder);
        if (!seen)
            m_prompter.error(cannotName(folder, paths.prefix()));
        return seen;
    };
    const std::optional<QString> logsSeen = seenFolder(logs);
    const std::optional<QString> ttDirSeen = logsSeen ? seenFolder(AppFilePath(QString())) : std::nullopt;
    if (!ttDirSeen)
        return false;

    // Another connection's unapplied edits are never its macro: only CurrentNode's are.
    QByteArray source;
    if (!wholeMacro)
        source = context.runToCursorText;
    else if (target.isCurrentNode && context.currentNodeModified)
        source = context.editorText;
    else
        source = UrlDecode(target.connection().Macro);
    AssembledText text = BuildMacroText(target, source, withAncestors);

    // One reading of the clock, so every name of this run's log file is the same.
    LinePassValues values;
    const QString user = SystemInfo::userName();
    values.userName = GetUserNameStr();
    values.userUpper = user.toUpper().toUtf8();
    values.userLower = user.toLower().toUtf8();
    values.user = context.user;
    values.logsFolder = paths.bytes(*logsSeen);
    values.ttDir = paths.bytes(*ttDirSeen);
    values.winDir = paths.windowsDir();
    values.logBaseName = LogBaseName(text.logNameChain, now());
    const bool logIt = RunLinePass(text.lines, values);
    if (wholeMacro && (logIt || context.logSession)) {
        if (exporting) {
            text.lines.append(ExportLogOpenLine(text.logNameChain));
        } else if (logsSeen->contains(QLatin1Char('\''))) {
            m_prompter.error(cannotExecute(*logsSeen));
            return false;
        } else {
            text.lines.append(RunLogOpenLine(values.logsFolder, values.logBaseName));
        }
    }

    if (exporting)
        return writeMacroFile(exportFile, JoinMacroLines(text.lines), false);

    const std::optional<QString> tempSeen = seenFolder(temp);
    if (!tempSeen)
        return false;
    if (tempSeen->contains(QLatin1Char('"'))) {
        m_prompter.error(cannotExecute(*tempSeen));
        return false;
    }
    const int n = m_slots.take();
    const QString macroFile = SlotMacroFile(temp, n);
    const QString iniCopy = SlotIniFile(temp, n);
    if (!writeMacroFile(macroFile, JoinMacroLines(text.lines), true) || !makeIniCopy(iniCopy)
        || !prepareIniCopy(iniCopy, context))
        return false;
    const QStringList arguments = TeraTermArguments(*tempSeen + QFileInfo(iniCopy).fileName(),
                                                    *tempSeen + QFileInfo(macroFile).fileName());
    switch (ShellOpen::start(exe, arguments)) {
    case ShellOpen::StartResult::Started:
        return true;
    case ShellOpen::StartResult::NotStartable:
        m_prompter.error(WineStarter::startProblem(exe));
        return false;
    case ShellOpen::StartResult::Failed:
        break;
    }
    m_prompter.error(QStringLiteral("Failed to start %1. Cannot execute the macro.").arg(exe));
    return false;
}

bool SelectionHasRunnableMacros(const QList<ConnectionNode *> &selection)
{
    for (const ConnectionNode *node : selection) {
        // RootNode (the invisible root's one child) is never examined.
        if (!node || !node->parent() || !node->parent()->parent())
            continue;
        if (IsSeparatorName(node->data.Name) || node->data.Macro.isEmpty())
            return false;
    }
    return true;
}
