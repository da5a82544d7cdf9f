#pragma once

#include "components/TextDocument.h"
#include "components/TextLines.h"

#include <QList>
#include <QStringList>

#include <utility>
#include <vector>

// A text held as lines, for the search's tests and its fuzz target. Texts are written with
// marks: "|" is the caret and "[" the other end of the selection (no "[" means nothing is
// selected); lines are joined by "\n".
// The lines stand on the two sides of a gap that follows the edits: the lines before it in
// order, those after it in reverse. A search that replaces its way through the text moves the
// gap along with it, so a replace all costs what it changes, as in an editor, and not the
// lines below each replacement.
class StringListDocument : public TextDocument
{
public:
    explicit StringListDocument(const QString &marked);

    // The text with its caret and selection marked, as the constructor takes it.
    QString marked() const;

    int lineCount() const override { return int(m_before.size() + m_after.size()); }
    QString lineText(int line) const override { return at(line); }
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
    const QString &at(qsizetype line) const
    {
        const auto before = qsizetype(m_before.size());
        return line < before ? m_before[size_t(line)] : m_after[m_after.size() - 1 - size_t(line - before)];
    }
    QString &at(qsizetype line)
    {
        return const_cast<QString &>(std::as_const(*this).at(line));
    }
    // Moves the gap to stand before Line.
    void moveGapTo(qsizetype line);
    QStringList lines() const;

    std::vector<QString> m_before;
    std::vector<QString> m_after;   // reversed: the line right after the gap is the last
    TextPosition m_anchor;
    TextPosition m_caret;
    bool m_inGroup = false;
    QList<int> m_undoSteps;
};

inline StringListDocument::StringListDocument(const QString &marked)
{
    QStringList lines = marked.split(QLatin1Char('\n'));
    bool anchorSet = false;
    for (int line = 0; line < lines.size(); ++line) {
        QString &text = lines[line];
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
    m_before.assign(lines.cbegin(), lines.cend());
}

inline QStringList StringListDocument::lines() const
{
    QStringList out;
    out.reserve(lineCount());
    for (qsizetype i = 0; i < lineCount(); ++i)
        out.append(at(i));
    return out;
}

inline QString StringListDocument::marked() const
{
    QStringList lines = this->lines();
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

inline void StringListDocument::moveGapTo(qsizetype line)
{
    while (qsizetype(m_before.size()) > line) {
        m_after.push_back(std::move(m_before.back()));
        m_before.pop_back();
    }
    while (qsizetype(m_before.size()) < line && !m_after.empty()) {
        m_before.push_back(std::move(m_after.back()));
        m_after.pop_back();
    }
}

inline void StringListDocument::replaceRange(TextPosition from, TextPosition to, const QString &text)
{
    const QStringList inserted = SplitLines(text);
    if (inserted.size() == 1 && from.line == to.line) {
        // Within one line: changed where it stands.
        at(from.line).replace(from.column, to.column - from.column, inserted.first());
    } else {
        moveGapTo(from.line);
        // The lines replaced now stand right after the gap, the first of them last.
        const QString head = m_after.back().left(from.column);
        for (int line = from.line; line < to.line; ++line)
            m_after.pop_back();
        const QString tail = m_after.back().mid(to.column);
        m_after.pop_back();
        for (qsizetype i = 0; i < inserted.size(); ++i) {
            QString line = inserted.at(i);
            if (i == 0)
                line.prepend(head);
            if (i == inserted.size() - 1)
                line.append(tail);
            m_before.push_back(std::move(line));
        }
    }
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
