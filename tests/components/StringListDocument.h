#pragma once

#include "components/TextDocument.h"
#include "components/TextLines.h"

#include <QList>
#include <QStringList>

// A text held as lines, for the search's tests. Texts are written with marks: "|" is the
// caret and "[" the other end of the selection (no "[" means nothing is selected); lines are
// joined by "\n".
class StringListDocument : public TextDocument
{
public:
    explicit StringListDocument(const QString &marked);

    // The text with its caret and selection marked, as the constructor takes it.
    QString marked() const;

    int lineCount() const override { return int(m_lines.size()); }
    QString lineText(int line) const override { return m_lines.at(line); }
    TextPosition caret() const override { return m_caret; }
    TextPosition selectionStart() const override { return std::min(m_anchor, m_caret); }
    TextPosition selectionEnd() const override { return std::max(m_anchor, m_caret); }
    void setSelection(TextPosition anchor, TextPosition caret) override;
    void replaceRange(TextPosition from, TextPosition to, const QString &text) override;
    void beginUndoGroup() override;
    void endUndoGroup() override;

    // How many replacements each undo step holds, in order: one outside a group, all of a
    // group together.
    const QList<int> &undoSteps() const { return m_undoSteps; }

private:
    QStringList m_lines;
    TextPosition m_anchor;
    TextPosition m_caret;
    bool m_inGroup = false;
    QList<int> m_undoSteps;
};

inline StringListDocument::StringListDocument(const QString &marked)
{
    m_lines = marked.split(QLatin1Char('\n'));
    bool anchorSet = false;
    for (int line = 0; line < m_lines.size(); ++line) {
        QString &text = m_lines[line];
        for (int col = 0; col < text.size();) {
            if (text[col] == QLatin1Char('|')) {
                m_caret = {line, col};
                text.remove(col, 1);
            } else if (text[col] == QLatin1Char('[')) {
                m_anchor = {line, col};
                anchorSet = true;
                text.remove(col, 1);
            } else {
                ++col;
            }
        }
    }
    if (!anchorSet)
        m_anchor = m_caret;
}

inline QString StringListDocument::marked() const
{
    QStringList lines = m_lines;
    // The later mark first, so the earlier one's column still holds.
    const bool selected = m_anchor != m_caret;
    const TextPosition first = std::min(m_anchor, m_caret);
    const TextPosition second = std::max(m_anchor, m_caret);
    if (selected)
        lines[second.line].insert(second.column, second == m_caret ? u'|' : u'[');
    lines[first.line].insert(first.column, !selected || first == m_caret ? u'|' : u'[');
    return lines.join(QLatin1Char('\n'));
}

inline void StringListDocument::setSelection(TextPosition anchor, TextPosition caret)
{
    m_anchor = anchor;
    m_caret = caret;
}

inline void StringListDocument::replaceRange(TextPosition from, TextPosition to, const QString &text)
{
    const QStringList inserted = SplitLines(text);
    QStringList newLines = inserted;
    newLines.first().prepend(m_lines.at(from.line).left(from.column));
    newLines.last().append(m_lines.at(to.line).mid(to.column));
    m_lines.remove(from.line, to.line - from.line + 1);
    for (int i = 0; i < newLines.size(); ++i)
        m_lines.insert(from.line + i, newLines.at(i));
    const int lastLine = from.line + int(inserted.size()) - 1;
    m_caret = {lastLine, (lastLine == from.line ? from.column : 0) + int(inserted.last().size())};
    m_anchor = m_caret;
    if (m_inGroup && !m_undoSteps.isEmpty())
        ++m_undoSteps.last();
    else
        m_undoSteps.append(1);
}

inline void StringListDocument::beginUndoGroup()
{
    m_inGroup = true;
    m_undoSteps.append(0);
}

inline void StringListDocument::endUndoGroup()
{
    m_inGroup = false;
    if (!m_undoSteps.isEmpty() && m_undoSteps.last() == 0)
        m_undoSteps.removeLast();
}
