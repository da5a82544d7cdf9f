#pragma once

#include "mainwindow/TextEditor.h"

#include <QByteArray>
#include <QFont>

struct ProgramOptions;

// The macro editor `Memo1`: the connection's macro, and what acts on it. Commands that work
// on the macro text connect to its slots; the highlighter, search, templates and printing
// belong here.
class MacroEditor : public TextEditor
{
    Q_OBJECT
public:
    explicit MacroEditor(QWidget *parent = nullptr);

    // The editor options: the font (name, size and style) and, once options were stored, the
    // TAB width; without stored options the editor keeps its designed width.
    void applyOptions(const ProgramOptions &options);

    // The caret's line, from 1.
    int caretLine() const;
    // The font the text is drawn in: with a highlighter, that of its default style.
    QFont textFont() const;
    // The caret line is marked only while the user types here: in connection colours with a
    // contrast of the editor's background, else in the highlighter's active-line colour.
    void showActiveLine(bool on, bool connectionColors, const QColor &highlighterLineColor);
};
