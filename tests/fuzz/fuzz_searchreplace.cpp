// The search over an editor's text: text from tables and imported macros, a pattern and a
// replacement template as typed, any options, any answers to the replace question. Nothing
// may crash, read out of bounds or run without end.
#include "../components/StringListDocument.h"
#include "components/SearchReplace.h"

#include <QByteArray>
#include <QList>

#include <cstddef>
#include <cstdint>

// Input: the options byte, a byte whose low bit chooses the regular expression engine, then
// the search text, the replacement and the marked text (see StringListDocument), separated by
// NUL bytes. The bytes of the search text also answer the questions, in turn.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    const QList<QByteArray> parts = QByteArray(reinterpret_cast<const char *>(data) + 2, qsizetype(size - 2)).split('\0');
    if (parts.size() < 3)
        return 0;

    SearchRequest request;
    request.options = SearchOptions::fromInt(data[0]);
    request.engine = (data[1] & 1) ? SearchPattern::Engine::RegularExpression : SearchPattern::Engine::PlainText;
    request.searchText = QString::fromUtf8(parts[0]);
    request.replaceText = QString::fromUtf8(parts[1]);
    request.isWordChar = [](QChar c) { return c.isLetterOrNumber() || c == u'$'; };
    StringListDocument doc(QString::fromUtf8(parts[2]));

    int asked = 0;
    const QByteArray &answers = parts[0];
    SearchReplace(doc, request, [&](const QString &, const QString &, int line, int column) {
        // The question is about a place that exists.
        if (line < 0 || line >= doc.lineCount() || column < 0 || column > doc.lineText(line).size())
            __builtin_trap();
        const int answer = answers.isEmpty() ? 0 : answers.at(asked++ % answers.size());
        return ReplaceAction(answer & 3);
    });
    return 0;
}
