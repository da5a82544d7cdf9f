#pragma once

#include <QString>

// A named semaphore of count one, as the program and its launcher use them to tell whether
// the other runs: an exclusive lock on "<runtime dir>/wexmora/<name>.lock". The kernel drops
// the lock when its holder ends, however it ends, so a crash leaves nothing stale behind.
// The lock file itself stays; only the lock on it counts.
class NamedSemaphore
{
public:
    enum class Result {
        Created,        // this object holds it now
        AlreadyExists,  // another holder has it (another process, or another object)
        Failed,         // no lock could be taken: bad name, no private runtime dir, ...
    };

    explicit NamedSemaphore(const QString &name);
    ~NamedSemaphore();
    NamedSemaphore(const NamedSemaphore &) = delete;
    NamedSemaphore &operator=(const NamedSemaphore &) = delete;

    // Takes the semaphore without waiting. Created also when this object holds it already.
    Result tryAcquire();
    bool isHeld() const { return m_fd >= 0; }
    void release();

    // Whether someone holds Name: takes it and lets it go at once when nobody does.
    static bool exists(const QString &name);
    // The lock file for Name, or empty when Name cannot be a file name or there is no
    // private runtime dir.
    static QString lockPath(const QString &name);

private:
    QString m_name;
    int m_fd = -1;
};
