#pragma once

#include <functional>

class Prompter;

// What the table's routines cannot be handed as values: where their questions and messages
// go, and the hourglass over a long read or write. Everything else they take as arguments
// (the selection, the focused node, TeraTerm's colours, the pages' edits) and they return
// what changed; the window decides what to select, expand, refresh and show.
class TableHost
{
public:
    virtual ~TableHost() = default;

    virtual Prompter &prompter() = 0;
    virtual void setWaitCursor(bool on) = 0;

    // Runs Work and returns once it is done. Work reads and builds only what it was handed,
    // never the tree nor anything the window shows, so the window's host may run it on a
    // worker thread while the window goes on painting (LoadingFlag set meanwhile holds the
    // window's requests off). Here it simply runs.
    virtual void runAside(const std::function<void()> &work) { work(); }
};

// Shows the hourglass for a scope and restores the cursor however the scope is left.
class WaitCursor
{
public:
    explicit WaitCursor(TableHost &host) : m_host(host) { m_host.setWaitCursor(true); }
    ~WaitCursor() { m_host.setWaitCursor(false); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;

private:
    TableHost &m_host;
};
