#pragma once

#include "support/ScriptedPrompter.h"
#include "table/TableHost.h"

// The table's feedback for tests: a scripted prompter, and the depth of the hourglass (0
// once every routine has restored the cursor).
class FakeTableHost : public TableHost
{
public:
    Prompter &prompter() override { return scripted; }
    void setWaitCursor(bool on) override { waitDepth += on ? 1 : -1; }

    ScriptedPrompter scripted;
    int waitDepth = 0;
};
