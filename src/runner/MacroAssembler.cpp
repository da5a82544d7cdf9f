#include "runner/MacroAssembler.h"

#include "runner/MacroVariables.h"
#include "runner/RunTarget.h"
#include "table/UrlCodec.h"

namespace {

// ASCII only, so every byte keeps its place and an 8-bit or UTF-8 byte is never changed.
QByteArray asciiUpper(const QByteArray &s)
{
    QByteArray out = s;
    for (char &c : out)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return out;
}

// Without the leading and trailing bytes of code 32 or below.
QByteArray trimControls(const QByteArray &s)
{
    qsizetype b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= 32)
        ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= 32)
        --e;
    return s.mid(b, e - b);
}

// The parent's name for chain position I, empty below the top node.
QByteArray parentName(const RunTarget &target, qsizetype i)
{
    return i > 0 ? target.chain[i - 1].Name : QByteArray();
}

QByteArray replaceNames(const QByteArray &text, const QByteArray &name, const QByteArray &parent)
{
    QByteArray out = ReplaceConnectionToken(name, text, "$connection$", "$CONNECTION$");
    if (asciiUpper(out).contains("$PARENT$"))
        out = ReplaceConnectionToken(parent, out, "$parent$", "$PARENT$");
    return out;
}

// One line of the pass: the working copy is the trimmed entry; a replacement rebuilds the
// entry from it, so a changed line loses its indentation.
class LineWork
{
public:
    explicit LineWork(QByteArray &entry) : m_entry(entry), m_copy(trimControls(entry)) {}

    const QByteArray &copy() const { return m_copy; }
    bool replaceExact(const QByteArray &token, const QByteArray &value)
    {
        return replaceAt(m_copy.indexOf(token), token.size(), value);
    }
    bool replaceAnyCase(const QByteArray &token, const QByteArray &value)
    {
        return replaceAt(asciiUpper(m_copy).indexOf(token), token.size(), value);
    }

private:
    bool replaceAt(qsizetype pos, qsizetype length, const QByteArray &value)
    {
        if (pos < 0)
            return false;
        m_entry = m_copy.left(pos) + value + m_copy.mid(pos + length);
        m_copy = trimControls(m_entry);
        return true;
    }

    QByteArray &m_entry;
    QByteArray m_copy;
};

} // namespace

QList<QByteArray> SplitMacroLines(const QByteArray &text)
{
    QList<QByteArray> lines;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n) {
        qsizetype e = i;
        while (e < n && text[e] != '\r' && text[e] != '\n')
            ++e;
        lines.append(text.mid(i, e - i));
        if (e < n && text[e] == '\r')
            ++e;
        if (e < n && text[e] == '\n')
            ++e;
        i = e;
    }
    return lines;
}

QByteArray JoinMacroLines(const QList<QByteArray> &lines)
{
    QByteArray out;
    for (const QByteArray &l : lines)
        out += l + "\r\n";
    return out;
}

QByteArray BuildRunToCursorText(const QByteArray &editorText, int caretLine)
{
    // The editor counts a line after a closing line break, so the cut keeps the last piece.
    QList<QByteArray> lines = SplitMacroLines(editorText);
    if (editorText.endsWith('\n') || editorText.endsWith('\r') || editorText.isEmpty())
        lines.append(QByteArray());
    QByteArray out;
    for (int i = 0; i < caretLine && i < lines.size(); ++i)
        out += lines[i] + "\r\n";
    return out;
}

AssembledText BuildMacroText(const RunTarget &target, const QByteArray &source, bool withAncestors)
{
    AssembledText out;
    if (target.chain.isEmpty())
        return out;
    const qsizetype last = target.chain.size() - 1;
    const rVTNodeData &self = target.chain[last];
    out.logNameChain = self.Name + '_';
    QByteArray text = replaceNames(source, self.Name, parentName(target, last));
    out.lines = SplitMacroLines(text);
    if (!withAncestors)
        return out;
    for (qsizetype i = last - 1; i >= 0; --i) {
        const rVTNodeData &ancestor = target.chain[i];
        text = UrlDecode(ancestor.Macro) + "\r\n" + JoinMacroLines(out.lines);
        if (!ancestor.Name.isEmpty())
            out.logNameChain = ancestor.Name + '_' + out.logNameChain;
        out.lines = SplitMacroLines(replaceNames(text, ancestor.Name, parentName(target, i)));
    }
    return out;
}

bool RunLinePass(QList<QByteArray> &lines, const LinePassValues &v)
{
    bool logIt = false;
    const auto dial = [](const QString &field) { return FilterDialChars(field.toUtf8()); };
    const auto typed = [](const QString &field) {
        return field.trimmed().isEmpty() ? QByteArray() : field.toUtf8();
    };
    const QByteArray name = typed(v.user.name);
    const QByteArray email = typed(v.user.email);
    const QByteArray phone = dial(v.user.phone);
    const QByteArray mobile = dial(v.user.mobile);
    const QByteArray pager = dial(v.user.pager);

    for (qsizetype i = lines.size() - 1; i >= 0; --i) {
        LineWork line(lines[i]);
        if (line.copy().contains("$USER$"))
            line.replaceExact("$USER$", v.userUpper);
        else if (line.copy().contains("$user$"))
            line.replaceExact("$user$", v.userLower);
        else
            line.replaceExact("$User$", v.userName);
        // An empty user field leaves its variable in the macro.
        if (!name.isEmpty())
            line.replaceAnyCase("$NAME$", name);
        if (!email.isEmpty())
            line.replaceAnyCase("$EMAIL$", email);
        if (!phone.isEmpty())
            line.replaceAnyCase("$PHONE$", phone);
        if (!mobile.isEmpty())
            line.replaceAnyCase("$MOBILE$", mobile);
        if (!pager.isEmpty())
            line.replaceAnyCase("$PAGER$", pager);
        line.replaceAnyCase("$LOGDIR$", v.logsFolder);
        line.replaceAnyCase("$TTDIR$", v.ttDir);
        line.replaceAnyCase("$WINDIR$", v.winDir);
        line.replaceExact("$logfilename$", v.logBaseName);
        line.replaceExact("$LOGFILENAME$", v.logsFolder + v.logBaseName);
        if (asciiUpper(line.copy()).startsWith("$LOGIT$")) {
            lines.removeAt(i);
            logIt = true;
        }
    }
    return logIt;
}

QByteArray RunLogOpenLine(const QByteArray &logsFolder, const QByteArray &logBaseName)
{
    return "logopen '" + logsFolder + logBaseName + "' 0 0";
}

QByteArray ExportLogOpenLine(const QByteArray &logNameChain)
{
    return "logopen '" + SafeLogFileName(logNameChain) + ".log' 0 0";
}
