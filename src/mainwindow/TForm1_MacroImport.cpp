// Import macro: a .TTL file's lines into the macro editor, as unapplied edits.
#include "mainwindow/TForm1.h"

#include "mainwindow/core/CommandState.h"
#include "mainwindow/MacroEditor.h"
#include "platform/FieldText.h"
#include "platform/FileChooser.h"

#include "platform/widgets/QsciIncludes.h"

#include <QDir>
#include <QFile>

namespace {

// A file's lines as the editor holds them: CR LF between lines, none after the last.
QString editorLines(const QString &fileText)
{
    QString text = fileText;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return text;
}

} // namespace

void TForm1::MnImportMacroClick()
{
    if (m_doc.IsNodeModified() && !Memo1->isBlank()) {
        const Prompter::Answer answer = askApplyQuestion(focusedNode());
        if (answer == Prompter::Cancel)
            return;
        if (answer == Prompter::Yes)
            BtnApplyClick();
    }
    const QString path = fileChooser().chooseOpenFile({QStringLiteral("Import macro from file"),
                                               QStringLiteral("TeraTerm Macro files (*.TTL)|*.TTL|All files (*.*)|*.*"),
                                               QStringLiteral("ttl"), QString()});
    if (path.isEmpty())
        return;
    // The file is read whole before the editor is touched: a file that cannot be read
    // leaves the editor as it was.
    QFile file(path);
    QByteArray bytes;
    bool read = file.open(QIODevice::ReadOnly);
    if (read) {
        bytes = file.readAll();
        read = file.error() == QFileDevice::NoError;
    }
    if (!read) {
        m_prompter->error(QStringLiteral("Cannot open file \"%1\". %2").arg(QDir::toNativeSeparators(path), file.errorString()));
        return;
    }
    Memo1->replaceText(editorLines(DecodeField(bytes)));
    m_doc.SetNodeModified(true);
    RequestCommandRefresh();
}
