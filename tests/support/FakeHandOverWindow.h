#pragma once

#include "shell/HandOverWindow.h"

#include <QStringList>

// The main window as the hand-over receiver sees it: records what it was asked to do and
// answers the state questions as a test sets them.
class FakeHandOverWindow : public HandOverWindow
{
public:
    void RestoreAndBringToFront() override { calls << QStringLiteral("front"); }
    void ImportConnections(const QString &path) override { calls << QStringLiteral("import:") + path; }
    void closeAsUser() override { calls << QStringLiteral("close"); }
    void runUpdateCheck() override { calls << QStringLiteral("update"); }
    bool IsNodeModified() const override { return nodeModified; }
    bool tableModified() const override { return tableIsModified; }
    bool modalDialogOpen() const override { return modal; }
    bool readingFile() const override { return reading; }

    QStringList calls;
    bool nodeModified = false;
    bool tableIsModified = false;
    bool modal = false;
    bool reading = false;
};
