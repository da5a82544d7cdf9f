#pragma once

#include "support/ScopedEnv.h"

#include <QString>
#include <QTemporaryDir>

#include <memory>

class Registry;

// Throw-away XDG folders for a test: the configuration home (so the registry, the auto-start
// entry and mimeapps.list), the data home (so desktop entries and MIME packages) and the
// runtime dir (so the locks) lie in one temp folder while this lives, and are inherited by
// the processes a test starts.
class TempUserDirs
{
public:
    TempUserDirs();

    bool isValid() const { return m_dir.isValid(); }
    QString path() const { return m_dir.path(); }
    // The registry at its default place, emptied of what an earlier test left.
    std::unique_ptr<Registry> freshRegistry() const;

private:
    QTemporaryDir m_dir;
    ScopedEnv m_config{"XDG_CONFIG_HOME"};
    ScopedEnv m_data{"XDG_DATA_HOME"};
    ScopedEnv m_runtime{"XDG_RUNTIME_DIR"};
};
