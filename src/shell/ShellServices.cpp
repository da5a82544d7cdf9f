#include "shell/ShellServices.h"

#include "platform/Registry.h"
#include "platform/WindowMessages.h"
#include "shell/InstanceSemaphore.h"

ShellServices::ShellServices()
    : m_ownRegistry(std::make_unique<Registry>()),
      m_ownMessages(std::make_unique<WindowMessages>()),
      m_registry(m_ownRegistry.get()),
      m_messages(m_ownMessages.get()),
      m_instance(&InstanceSemaphoreHandle())
{
}

ShellServices::ShellServices(Registry &registry, WindowMessages &messages,
                             InstanceSemaphore &instance)
    : m_registry(&registry), m_messages(&messages), m_instance(&instance)
{
}

ShellServices::~ShellServices() = default;
