#pragma once

#include "components/PrintHeader.h"
#include "platform/widgets/QsciIncludes.h"

#include <QDateTime>
#include <QPointer>

class QPrinter;

// Prints a macro editor's text, with its highlighting, under the two-line header on every
// page: into a printer, a PDF file or a print preview alike. The header uses Arial at 13
// screen pixels in black; the text keeps the editor's fonts and, only when asked for
// (a colour printer) and only with the highlighter on, its colours; otherwise it is black on
// white. Margins in millimetres: left 20, right 10, top 20, bottom 20; the header's lower
// edge lies 15 from the paper's top, its items indented 2 from the margins. Tabs are 8 wide,
// long lines wrap at words.
class MacroPrintJob
{
public:
    // What the next print shows: Editor's text (the editor must outlive the prints) under
    // Header, in colour or not.
    void Prepare(QsciScintilla *editor, const PrintHeader &header, bool colors);

    QsciScintilla *editor() const { return m_editor; }
    const PrintHeader &header() const { return m_header; }
    bool colors() const { return m_colors; }

    // Prints every page; the header's date and time are Now's. False when the printer
    // could not be painted on or a page could not be started.
    bool print(QPrinter &printer, const QDateTime &now = QDateTime::currentDateTime()) const;

private:
    QPointer<QsciScintilla> m_editor;
    PrintHeader m_header;
    bool m_colors = false;
};

// What the user is told when a print on Target (a printer's name or a file) failed.
QString MacroPrintFailedText(const QString &target);
