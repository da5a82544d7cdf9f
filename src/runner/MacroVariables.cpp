#include "runner/MacroVariables.h"

#include "platform/AppPaths.h"
#include "platform/SystemInfo.h"
#include "runner/ProgramFolder.h"
#include "runner/TeraTermPaths.h"
#include "table/ConnectionTree.h"

const char *const MacroVariableNames[MacroVariableCount + 1] = {
    "",
    "$USER$", "$User$", "$CONNECTION$", "$user$", "$name$", "$email$", "$phone$", "$mobile$",
    "$pager$", "$logdir$", "$logit$", "$connection$", "$ttdir$", "$windir$", "$LOGFILENAME$",
    "$logfilename$", "$PARENT$", "$parent$",
};

int FirstMacroVariableIn(QByteArrayView word)
{
    for (int i = 1; i <= MacroVariableCount; ++i)
        if (word.contains(QByteArrayView(MacroVariableNames[i])))
            return i;
    return 0;
}

QByteArray ReplaceConnectionToken(const QByteArray &value, const QByteArray &text,
                                  const QByteArray &lowerToken, const QByteArray &upperToken)
{
    QByteArray out = text;
    out.replace(lowerToken, FirstWord(value));
    out.replace(upperToken, value);
    return out;
}

QByteArray FirstWord(const QByteArray &name)
{
    const qsizetype blank = name.indexOf(' ');
    return blank < 0 ? name : name.left(blank);
}

QByteArray SafeLogFileName(const QByteArray &s)
{
    QByteArray out;
    out.reserve(s.size());
    for (const char c : s) {
        const auto b = static_cast<unsigned char>(c);
        if (c == '-' || c == '_' || (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z')
            || (c >= 'A' && c <= 'Z'))
            out += c;
        else if (c == ' ')
            out += '_';
        else
            out += '%' + QByteArray::number(b);
    }
    return out;
}

QByteArray FilterDialChars(const QByteArray &s)
{
    QByteArray out;
    for (const char c : s)
        if ((c >= '0' && c <= '9') || c == '*' || c == '#' || c == '+' || c == ',' || c == 'P'
            || c == 'p')
            out += c;
    return out;
}

QByteArray LogBaseName(const QByteArray &chain, const QDateTime &time)
{
    return SafeLogFileName(chain) + time.toString(QStringLiteral("yyyyMMddHHmmss")).toLatin1()
        + ".log";
}

QByteArray GetUserNameStr()
{
    return SystemInfo::userName().toUtf8();
}

QByteArray GetWindowsDirWithSlash()
{
    QByteArray dir = qgetenv("WINDIR");
    if (dir.isEmpty())
        return QByteArrayLiteral("/");
    if (!dir.endsWith('\\') && !dir.endsWith('/'))
        dir += dir.contains('\\') ? '\\' : '/';
    return dir;
}

namespace {

bool isTopOrNone(const ConnectionNode *node)
{
    return !node || !node->parent() || !node->parent()->parent();
}

// The focused connection's parent, or null when that is RootNode or nothing.
const ConnectionNode *realParent(const ConnectionNode *node)
{
    const ConnectionNode *p = node ? node->parent() : nullptr;
    return isTopOrNone(p) ? nullptr : p;
}

// Every named node from Node up to, not including, RootNode, outermost first, each with "_".
QByteArray fullChain(const ConnectionNode *node)
{
    QByteArray chain;
    for (const ConnectionNode *n = node; !isTopOrNone(n); n = n->parent())
        if (!n->data.Name.isEmpty())
            chain = n->data.Name + '_' + chain;
    return chain;
}

} // namespace

QByteArray GetMacroVariableValue(int index, const ConnectionNode *focused, const UserData &user,
                                 Prompter &prompter, const Clock &clock)
{
    const QByteArray userName = GetUserNameStr();
    const ConnectionNode *parent = realParent(focused);
    // The folders as a run hands them to TeraTerm.
    const auto seenFolder = [](const QString &folder) {
        const TeraTermPaths paths = TeraTermPaths::forProgramFolder();
        const std::optional<QString> seen = paths.folder(folder);
        return seen ? paths.bytes(*seen) : QByteArray();
    };
    const auto logsDir = [&] { return seenFolder(EnsureAppSubdir(QStringLiteral("Logs"), prompter)); };
    switch (index) {
    case 1: return SystemInfo::userName().toUpper().toUtf8();
    case 2: return userName;
    case 3: return focused ? focused->data.Name : QByteArray();
    case 4: return SystemInfo::userName().toLower().toUtf8();
    case 5: return user.name.toUtf8();
    case 6: return user.email.toUtf8();
    case 7: return FilterDialChars(user.phone.toUtf8());
    case 8: return FilterDialChars(user.mobile.toUtf8());
    case 9: return FilterDialChars(user.pager.toUtf8());
    case 10: return logsDir();
    case 11: return QByteArrayLiteral("Opens log file");
    case 12: return focused ? FirstWord(focused->data.Name) : QByteArray();
    case 13: return seenFolder(AppFilePath(QString()));
    case 14: return TeraTermPaths::forProgramFolder().windowsDir();
    case 15:
        return focused ? logsDir() + LogBaseName(fullChain(focused), clock()) : QByteArray();
    case 16: return focused ? LogBaseName(fullChain(focused), clock()) : QByteArray();
    case 17: return parent ? parent->data.Name : QByteArray();
    case 18: return parent ? FirstWord(parent->data.Name) : QByteArray();
    default: return QByteArray();
    }
}
