#include "support/ScopedEnv.h"

#include <QtGlobal>

ScopedEnv::ScopedEnv(const char *name) : m_name(name), m_saved(qgetenv(name))
{
    // qgetenv gives an empty, not a null, array for a variable set to "".
    if (m_saved.isEmpty() && qEnvironmentVariableIsSet(name))
        m_saved = QByteArray("");
}

ScopedEnv::~ScopedEnv()
{
    if (m_saved.isNull())
        qunsetenv(m_name);
    else
        qputenv(m_name, m_saved);
}

void ScopedEnv::set(const QByteArray &value)
{
    qputenv(m_name, value);
}

void ScopedEnv::unset()
{
    qunsetenv(m_name);
}
