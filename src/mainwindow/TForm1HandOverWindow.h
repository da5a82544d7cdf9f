#pragma once

#include "shell/HandOverWindow.h"

#include <QObject>

class TForm1;

// What the hand-over receiver asks of the main window, answered by TForm1. It lives as long
// as the window does (a child of it).
class TForm1HandOverWindow : public QObject, public HandOverWindow
{
public:
    explicit TForm1HandOverWindow(TForm1 &window);

    void RestoreAndBringToFront() override;
    void ImportConnections(const QString &path) override;
    void closeAsUser() override;
    void runUpdateCheck() override;
    bool IsNodeModified() const override;
    bool tableModified() const override;
    bool modalDialogOpen() const override;
    bool readingFile() const override;

private:
    TForm1 &m_window;
};
