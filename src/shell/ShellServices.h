#pragma once

#include <memory>

class InstanceSemaphore;
class Registry;
class WindowMessages;

// What the main window needs of the machine around it: the registry that holds the options,
// the messages shared with the launcher and later starts, and the instance semaphore of this
// run. By default the real ones; tests give their own (a registry in a temp folder).
class ShellServices
{
public:
    // The user's registry, the session bus and InstanceSemaphoreHandle().
    ShellServices();
    ShellServices(Registry &registry, WindowMessages &messages, InstanceSemaphore &instance);
    ~ShellServices();
    ShellServices(const ShellServices &) = delete;
    ShellServices &operator=(const ShellServices &) = delete;

    Registry &registry() const { return *m_registry; }
    WindowMessages &messages() const { return *m_messages; }
    InstanceSemaphore &instance() const { return *m_instance; }

private:
    std::unique_ptr<Registry> m_ownRegistry;
    std::unique_ptr<WindowMessages> m_ownMessages;
    Registry *m_registry;
    WindowMessages *m_messages;
    InstanceSemaphore *m_instance;
};
