#pragma once

#include "platform/NamedSemaphore.h"

#include <QString>

#include <memory>

// The semaphore that marks this program's first start, held from the single-instance check
// until the main window closes.
class InstanceSemaphore
{
public:
    // Created also when this object holds Name already.
    NamedSemaphore::Result acquire(const QString &name);
    bool isHeld() const { return m_semaphore && m_semaphore->isHeld(); }
    // Lets it go, so a later start is a first instance again. Harmless when not held.
    void release() { m_semaphore.reset(); }

private:
    std::unique_ptr<NamedSemaphore> m_semaphore;
    QString m_name;
};

// The one instance semaphore of this run.
InstanceSemaphore &InstanceSemaphoreHandle();
