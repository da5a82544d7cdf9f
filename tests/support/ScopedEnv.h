#pragma once

#include <QByteArray>

// One environment variable changed for a test's scope: the value it had (or its absence)
// comes back when this goes, also when a check ends the test early.
class ScopedEnv
{
public:
    explicit ScopedEnv(const char *name);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv &) = delete;
    ScopedEnv &operator=(const ScopedEnv &) = delete;

    void set(const QByteArray &value);
    void unset();

private:
    const char *m_name;
    QByteArray m_saved;   // null when the variable was not set
};
