#pragma once

// Sets a flag for a scope and gives it back the value it had, also when the scope is left
// early.
class FlagScope
{
public:
    explicit FlagScope(bool &flag, bool value = true) : m_flag(flag), m_old(flag) { m_flag = value; }
    ~FlagScope() { m_flag = m_old; }
    FlagScope(const FlagScope &) = delete;
    FlagScope &operator=(const FlagScope &) = delete;

private:
    bool &m_flag;
    bool m_old;
};
