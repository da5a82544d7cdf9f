#pragma once

#include "platform/FileChooser.h"

#include <QPointer>
#include <QString>

#include <functional>

class QFileDialog;
class QWidget;

// The program's two file dialogs over QFileDialog: one to pick a file to read, one to name a
// file to write (asking before it overwrites an existing file). Each remembers, for its next
// use, which filter the user chose and which folder it was in.
class QtFileChooser : public FileChooser
{
public:
    explicit QtFileChooser(QWidget *parent = nullptr) : m_parent(parent) {}

    QString chooseOpenFile(const FileDialogSetup &setup) override;
    QString chooseSaveFile(const FileDialogSetup &setup) override;

    // Shows a set-up dialog and returns its result; QDialog::exec by default. Tests look at
    // the dialog and answer it here.
    using Runner = std::function<int(QFileDialog &dialog)>;
    void setRunner(Runner runner) { m_runner = std::move(runner); }

private:
    struct Memory
    {
        int filterIndex = 0;
        QString folder;
    };

    QString choose(bool save, const FileDialogSetup &setup, Memory &memory);

    QPointer<QWidget> m_parent;
    Runner m_runner;
    Memory m_open;
    Memory m_save;
};
