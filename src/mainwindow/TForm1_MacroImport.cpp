// Import macro: a .TTL file's lines into the macro editor, as unapplied edits.
#include "mainwindow/TForm1.h"

#include "mainwindow/core/CommandState.h"
#include "mainwindow/MacroEditor.h"
#include "platform/FieldText.h"
#include "platform/FileChooser.h"
#include "platform/RegularFile.h"

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
    // leaves the editor as it was. A named pipe, device or folder is refused without waiting
    // for it.
    QFile file;
    QByteArray bytes;
    const RegularFile::Status status = RegularFile::open(file, path);
    QString why = RegularFile::reason(status, path);
    if (status == RegularFile::Status::Opened) {
        bytes = file.readAll();
        if (file.error() != QFileDevice::NoError)
            why = file.errorString();
    }
    if (!why.isEmpty()) {
        m_prompter->error(QStringLiteral("Cannot open file \"%1\". %2").arg(QDir::toNativeSeparators(path), why));
        return;
    }
    Memo1->replaceText(editorLines(DecodeField(bytes)));
    m_doc.SetNodeModified(true);
    RequestCommandRefresh();
}
