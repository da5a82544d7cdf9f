#include "shell/InstanceSemaphore.h"

NamedSemaphore::Result InstanceSemaphore::acquire(const QString &name)
{
    if (isHeld() && name == m_name)
        return NamedSemaphore::Result::Created;
    auto semaphore = std::make_unique<NamedSemaphore>(name);
    const NamedSemaphore::Result result = semaphore->tryAcquire();
    if (result == NamedSemaphore::Result::Created) {
        m_semaphore = std::move(semaphore);
        m_name = name;
    }
    return result;
}

InstanceSemaphore &InstanceSemaphoreHandle()
{
    static InstanceSemaphore semaphore;
    return semaphore;
}
