#include "components/SearchReplace.h"

#include "components/TextDocument.h"
#include "components/TextLines.h"

namespace {

// Where the text of a replacement ends, relative to where it starts: how many line breaks it
// holds and the length of its last line.
struct TextExtent
{
    int lineBreaks = 0;
    int lastLineLength = 0;
};

TextExtent extentOf(const QString &text)
{
    const QStringList lines = SplitLines(text);
    return {int(lines.size()) - 1, int(lines.last().size())};
}

class Run
{
public:
    Run(TextDocument &doc, const SearchRequest &request, const ReplacePrompt &prompt)
        : m_doc(doc),
          m_request(request),
          m_prompt(prompt),
          m_pattern(request.searchText, request.replaceText, request.engine,
                    request.options.testFlag(ssoMatchCase), request.options.testFlag(ssoWholeWord),
                    request.isWordChar),
          m_backwards(request.options.testFlag(ssoBackwards)),
          m_replacing(request.options.testFlag(ssoReplace) || request.options.testFlag(ssoReplaceAll)),
          m_replaceAll(request.options.testFlag(ssoReplaceAll)),
          m_prompting(request.options.testFlag(ssoPrompt) && bool(prompt))
    {
    }

    SearchOutcome go()
    {
        if (!m_pattern.isValid()) {
            m_outcome.patternError = m_pattern.errorText();
            return m_outcome;
        }
        if (m_request.searchText.isEmpty())
            return m_outcome;
        setRange();
        if (m_replaceAll && !m_prompting)
            openUndoGroup();
        if (m_backwards)
            searchBackwards();
        else
            searchForwards();
        if (m_undoOpen)
            m_doc.endUndoGroup();
        return m_outcome;
    }

private:
    void setRange()
    {
        const int last = m_doc.lineCount() - 1;
        m_start = {0, 0};
        m_end = {last, int(m_doc.lineText(last).size())};
        if (m_request.options.testFlag(ssoSelectedOnly) && m_doc.hasSelection()) {
            m_start = m_doc.selectionStart();
            m_end = m_doc.selectionEnd();
        } else if (!m_request.options.testFlag(ssoEntireScope)) {
            m_caretBound = true;
            (m_backwards ? m_end : m_start) = m_doc.caret();
        }
    }

    // Whether a hit of the line Line (numbered as before the run) lies inside the range.
    bool inRange(int line, const SearchPattern::Hit &hit) const
    {
        if (line == m_start.line && hit.start < m_start.column)
            return false;
        if (line == m_end.line && hit.start + hit.length > m_end.column)
            return false;
        // An empty match where the caret stands would be found again by the next search.
        if (hit.length == 0 && m_caretBound && !m_replacing) {
            const TextPosition at{line, hit.start};
            if (at == (m_backwards ? m_end : m_start))
                return false;
        }
        return true;
    }

    void openUndoGroup()
    {
        m_doc.beginUndoGroup();
        m_undoOpen = true;
    }

    enum class Next { Go, Stop };

    // Selects the hit at Line/Column and, when replacing, asks and replaces. Replaced tells
    // whether the text changed.
    Next take(int line, int column, const SearchPattern::Hit &hit, bool &replaced)
    {
        replaced = false;
        ++m_outcome.found;
        const TextPosition start{line, column};
        const TextPosition end{line, column + hit.length};
        if (m_backwards)
            m_doc.setSelection(end, start);
        else
            m_doc.setSelection(start, end);
        if (!m_replacing)
            return Next::Stop;

        ReplaceAction action = raReplace;
        if (m_prompting) {
            action = m_prompt(m_request.searchText, m_request.replaceText, line, column);
            if (action == raCancel) {
                m_outcome.cancelled = true;
                return Next::Stop;
            }
        }
        if (action == raReplaceAll) {
            m_prompting = false;
            m_replaceAll = true;
            if (!m_undoOpen)
                openUndoGroup();
        }
        if (action != raSkip) {
            m_doc.replaceRange(start, end, hit.replacement);
            ++m_outcome.replaced;
            replaced = true;
        }
        return m_replaceAll ? Next::Go : Next::Stop;
    }

    void searchForwards()
    {
        // Lines are numbered as before the run; replacements holding line breaks push the
        // lines below down by LineDelta.
        int lineDelta = 0;
        for (int line = m_start.line; line <= m_end.line; ++line) {
            const QList<SearchPattern::Hit> hits = m_pattern.findAll(m_doc.lineText(line + lineDelta));
            // Where the rest of this line stands now: its document line, and how far its
            // columns moved.
            int docLine = line + lineDelta;
            int shift = 0;
            for (const SearchPattern::Hit &hit : hits) {
                if (!inRange(line, hit))
                    continue;
                bool replaced = false;
                if (take(docLine, hit.start + shift, hit, replaced) == Next::Stop)
                    return;
                if (!replaced)
                    continue;
                const TextExtent e = extentOf(hit.replacement);
                if (e.lineBreaks == 0) {
                    shift += e.lastLineLength - hit.length;
                } else {
                    docLine += e.lineBreaks;
                    lineDelta += e.lineBreaks;
                    shift = e.lastLineLength - (hit.start + hit.length);
                }
            }
        }
    }

    void searchBackwards()
    {
        // Going up, a replacement only moves what lies after it, which has been searched.
        for (int line = m_end.line; line >= m_start.line; --line) {
            const QList<SearchPattern::Hit> hits = m_pattern.findAll(m_doc.lineText(line));
            for (auto it = hits.crbegin(); it != hits.crend(); ++it) {
                if (!inRange(line, *it))
                    continue;
                bool replaced = false;
                if (take(line, it->start, *it, replaced) == Next::Stop)
                    return;
            }
        }
    }

    TextDocument &m_doc;
    const SearchRequest &m_request;
    const ReplacePrompt &m_prompt;
    SearchPattern m_pattern;
    const bool m_backwards;
    const bool m_replacing;
    bool m_replaceAll;
    bool m_prompting;
    bool m_caretBound = false;
    bool m_undoOpen = false;
    TextPosition m_start;
    TextPosition m_end;
    SearchOutcome m_outcome;
};

} // namespace

SearchOutcome SearchReplace(TextDocument &document, const SearchRequest &request, const ReplacePrompt &prompt)
{
    return Run(document, request, prompt).go();
}
