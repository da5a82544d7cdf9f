#pragma once

#include "platform/FileChooser.h"

#include <QHash>
#include <QPointer>

class QWidget;

// The program's file dialogs: QFileDialog, modal to Parent. Each dialog title remembers the
// filter the user last chose with it.
class QtFileChooser : public FileChooser
{
public:
    explicit QtFileChooser(QWidget *parent = nullptr) : m_parent(parent) {}

    QString chooseOpenFile(const FileDialogSetup &setup) override;
    QString chooseSaveFile(const FileDialogSetup &setup) override;

private:
    QString choose(bool save, const FileDialogSetup &setup);

    QPointer<QWidget> m_parent;
    QHash<QString, QString> m_lastFilter;
};
