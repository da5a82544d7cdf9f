#pragma once

#include "table/TableHost.h"

// The table's feedback in the program's windows: its questions and messages through the
// window's prompter, its hourglass as the application's override cursor.
class GuiTableHost : public TableHost
{
public:
    explicit GuiTableHost(Prompter &prompter) : m_prompter(prompter) {}

    Prompter &prompter() override { return m_prompter; }
    void setWaitCursor(bool on) override;

private:
    Prompter &m_prompter;
};
