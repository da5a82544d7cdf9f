// Colouring TeraTerm macros: the scanner alone, and the whole lexer in an offscreen editor
// beside QScintilla's own C++ and batch-file lexers on the same 10 MB macro, in one run; then
// the restyling after one character typed in the middle of a 1 MB and a 10 MB macro.

#include "OffscreenBenchmarkMain.h"
#include "macrolang/MacroAttributeSet.h"
#include "macrolang/TSynTTMacroSyn.h"
#include "macrolang/widgets/MacroLexer.h"

// The peers' headers use the bare slots keyword, which the build switches off.
#pragma push_macro("slots")
#define slots Q_SLOTS
#include <Qsci/qscilexerbatch.h>
#include <Qsci/qscilexercpp.h>
#pragma pop_macro("slots")

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <vector>

namespace {

using Sci = QsciScintillaBase;

constexpr qsizetype Megabyte = 1 << 20;

// Macro templates and real macro lines, with long comments and long word runs among them.
QByteArray macroText(qsizetype size)
{
    const QByteArray block =
        "; ******* Wexmora Macro Template for Telnet session *******\r\n"
        "; Substitute words inside angle brackets with corresponding values\r\n"
        "connect '<server_name_or_IP_address>:23 /nossh'\r\n"
        "setsync 1\r\n"
        "settitle 'Connecting <Server_name_or_site_name>'\r\n"
        "; settitle 'Connecting $connection$'\r\n"
        "wait 'ogin:'\r\n"
        "sendln $user$\r\n"
        "wait 'assword:'\r\n"
        "passwordbox 'Enter password' 'Login'\r\n"
        "sendln inputstr\r\n"
        ":retry\r\n"
        "if result = 2 goto retry\r\n"
        "strlen(name)\r\n"
        "x=1\r\n"
        "filereadln fh line\r\n"
        "sendln \"ls -l /var/log\" ; list the logs\r\n"
        "mypager = $pager$ and not timeout\r\n"
        "messagebox 'Gr\xC3\xBC\xC3\x9F" "e aus M\xC3\xBCnchen \xE2\x82\xAC' 'Info'\r\n"
        "\tsendln 'exit'\r\n";
    const QByteArray longComment = "; " + QByteArray(4000, 'c') + "\r\n";
    const QByteArray longWord = QByteArray(6000, 'w') + " = 1\r\n";
    QByteArray text;
    text.reserve(size + 8192);
    for (int i = 0; text.size() < size; ++i) {
        text += block;
        if (i % 50 == 0)
            text += longComment;
        if (i % 80 == 0)
            text += longWord;
    }
    text.truncate(size);
    return text;
}

const QByteArray &tenMegabytes()
{
    static const QByteArray text = macroText(10 * Megabyte);
    return text;
}

void BM_Tokenizer(benchmark::State &state)
{
    const QByteArray &text = tenMegabytes();
    std::vector<char> styles(size_t(text.size()));
    for (auto _ : state) {
        const char *p = text.constData();
        const qsizetype n = text.size();
        qsizetype pos = 0;
        while (pos < n) {
            const void *lf = std::memchr(p + pos, '\n', size_t(n - pos));
            qsizetype end = lf ? static_cast<const char *>(lf) - p : n;
            const qsizetype next = end < n ? end + 1 : n;
            if (end > pos && p[end - 1] == '\r')
                --end;
            TSynTTMacroSyn::StyleLine(QByteArrayView(p + pos, end - pos), styles.data() + pos);
            pos = next;
        }
        benchmark::DoNotOptimize(styles.data());
    }
    state.SetBytesProcessed(state.iterations() * text.size());
}
BENCHMARK(BM_Tokenizer)->Unit(benchmark::kMillisecond);

// An offscreen editor holding a macro, coloured by one of the lexers under comparison.
struct Editor
{
    enum Kind { Macro, Cpp, Batch };

    explicit Editor(Kind kind)
    {
        editor.setUtf8(true);
        switch (kind) {
        case Macro:
            macroLexer = std::make_unique<MacroLexer>(attributes);
            macroLexer->attach(&editor);
            break;
        case Cpp:
            builtIn = std::make_unique<QsciLexerCPP>();
            editor.setLexer(builtIn.get());
            break;
        case Batch:
            builtIn = std::make_unique<QsciLexerBatch>();
            editor.setLexer(builtIn.get());
            break;
        }
    }
    void setText(const QByteArray &text)
    {
        editor.SendScintilla(Sci::SCI_SETTEXT, 0UL, text.constData());
    }
    long length() const { return editor.SendScintilla(Sci::SCI_GETLENGTH); }
    // Styles as a view does before it draws up to End: from the line of the first unstyled
    // byte on (built-in lexers colour exactly the range they are given).
    void styleTo(long end)
    {
        const long line = editor.SendScintilla(Sci::SCI_LINEFROMPOSITION, editor.SendScintilla(Sci::SCI_GETENDSTYLED));
        const long from = editor.SendScintilla(Sci::SCI_POSITIONFROMLINE, line);
        editor.SendScintilla(Sci::SCI_COLOURISE, static_cast<unsigned long>(from), end);
    }

    QsciScintilla editor;
    MacroAttributeSet attributes;
    std::unique_ptr<MacroLexer> macroLexer;
    std::unique_ptr<QsciLexer> builtIn;
};

// The whole macro coloured from scratch.
void BM_Colourise(benchmark::State &state)
{
    Editor e{Editor::Kind(state.range(0))};
    const QByteArray &text = tenMegabytes();
    for (auto _ : state) {
        state.PauseTiming();
        e.setText(text);
        state.ResumeTiming();
        e.editor.SendScintilla(Sci::SCI_COLOURISE, 0UL, -1L);
    }
    if (e.editor.SendScintilla(Sci::SCI_GETENDSTYLED) != e.length())
        state.SkipWithError("the text was not styled to its end");
    state.SetBytesProcessed(state.iterations() * text.size());
}
BENCHMARK(BM_Colourise)->ArgName("lexer")->Arg(Editor::Macro)->Arg(Editor::Cpp)->Arg(Editor::Batch)
    ->Unit(benchmark::kMillisecond);

// One character typed in the middle of the macro, then styles asked for up to its end (what
// a view showing the rest of the text would ask). Only the styling is timed: the editor's
// own work for an insertion is measured apart below.
void BM_RestyleAfterTyping(benchmark::State &state)
{
    Editor e{Editor::Kind(state.range(0))};
    e.setText(macroText(state.range(1) * Megabyte));
    e.styleTo(e.length());
    const long middleLine = e.editor.SendScintilla(Sci::SCI_LINEFROMPOSITION, e.length() / 2);
    const long middle = e.editor.SendScintilla(Sci::SCI_POSITIONFROMLINE, middleLine) + 3;
    for (auto _ : state) {
        state.PauseTiming();
        e.editor.SendScintilla(Sci::SCI_INSERTTEXT, static_cast<unsigned long>(middle), "x");
        state.ResumeTiming();
        e.styleTo(e.length());
    }
}
// Counted iterations: the untimed insertion costs far more than the timed styling, so a
// timed minimum would run for hours.
BENCHMARK(BM_RestyleAfterTyping)->ArgNames({"lexer", "MB"})
    ->Args({Editor::Macro, 1})->Args({Editor::Macro, 10})->Iterations(300)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RestyleAfterTyping)->ArgNames({"lexer", "MB"})
    ->Args({Editor::Cpp, 1})->Args({Editor::Cpp, 10})
    ->Args({Editor::Batch, 1})->Args({Editor::Batch, 10})->Iterations(10)
    ->Unit(benchmark::kMicrosecond);

// The editor's own work for one typed character, whatever the lexer: the baseline the
// restyling adds to.
void BM_EditorInsert(benchmark::State &state)
{
    Editor e{Editor::Macro};
    e.setText(macroText(state.range(0) * Megabyte));
    e.styleTo(e.length());
    const long middle = e.length() / 2;
    for (auto _ : state)
        e.editor.SendScintilla(Sci::SCI_INSERTTEXT, static_cast<unsigned long>(middle), "x");
}
BENCHMARK(BM_EditorInsert)->ArgName("MB")->Arg(1)->Arg(10)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    return RunOffscreenBenchmarks(argc, argv);
}
