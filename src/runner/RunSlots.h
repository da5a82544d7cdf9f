#pragma once

// The 128 cycling slots of temporary files: runs take slots 1, 2, ..., 128, then 1 again,
// whether or not a TeraTerm started earlier still uses that slot's files. Never stored.
class RunSlots
{
public:
    static constexpr int MaxRunSlots = 128;

    // The slot the next run takes.
    int next() const { return (m_counter < 1 || m_counter > MaxRunSlots) ? 1 : m_counter; }
    // Takes the next slot.
    int take()
    {
        const int n = next();
        m_counter = n + 1;
        return n;
    }

private:
    int m_counter = 1;
};
