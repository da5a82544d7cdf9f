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
        FileDialogSetup setup;
    };

    QString chooseOpenFile(const FileDialogSetup &setup) override { return answer(false, setup); }
    QString chooseSaveFile(const FileDialogSetup &setup) override { return answer(true, setup); }

    void queue(const QString &fileName) { m_answers.append(fileName); }
    const QList<Shown> &shown() const { return m_shown; }

private:
    QString answer(bool save, const FileDialogSetup &setup)
    {
        m_shown.append({save, setup});
        return m_answers.isEmpty() ? QString() : m_answers.takeFirst();
    }

    QList<Shown> m_shown;
    QStringList m_answers;
};
