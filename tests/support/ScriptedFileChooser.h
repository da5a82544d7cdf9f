#pragma once

#include "platform/FileChooser.h"

#include <QList>
#include <QStringList>

// Records every file dialog shown and answers from a queue; an empty answer, or an empty
// queue, is a cancelled dialog.
class ScriptedFileChooser : public FileChooser
{
public:
    struct Shown
    {
        bool save;
        FileDialogSpec spec;
    };

    QString chooseOpenFile(const FileDialogSpec &spec) override { return answer(false, spec); }
    QString chooseSaveFile(const FileDialogSpec &spec) override { return answer(true, spec); }

    void queue(const QString &fileName) { m_answers.append(fileName); }
    const QList<Shown> &shown() const { return m_shown; }

private:
    QString answer(bool save, const FileDialogSpec &spec)
    {
        m_shown.append({save, spec});
        return m_answers.isEmpty() ? QString() : m_answers.takeFirst();
    }

    QList<Shown> m_shown;
    QStringList m_answers;
};
