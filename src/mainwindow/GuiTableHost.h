#pragma once

#include "table/TableHost.h"

// The table's feedback in the program's windows: its questions and messages through the
// window's prompter, its hourglass as the application's override cursor, and long reads on a
// worker thread while the windows paint.
class GuiTableHost : public TableHost
{
public:
    explicit GuiTableHost(Prompter &prompter) : m_prompter(prompter) {}

    Prompter &prompter() override { return m_prompter; }
    void setWaitCursor(bool on) override;
    // Work runs on a thread of its own while the GUI thread turns its event loop without
    // taking user input (it waits until Work is done): the windows repaint, timers and
    // messages are handled by their own guards.
    void runAside(const std::function<void()> &work) override;

private:
    Prompter &m_prompter;
};
