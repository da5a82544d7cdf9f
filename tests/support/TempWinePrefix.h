#pragma once

#include "support/ScopedEnv.h"

#include <QString>
#include <QTemporaryDir>

// A real Wine prefix in a temp folder, booted once (wineboot takes a while: make one per test
// run). While it lives, Wine started by the test runs quiet and without a display, and
// WINEPREFIX names another prefix in the temp folder: only a start that names this prefix
// itself sees its drive C. Going, it stops the prefix's wineserver, so no Wine process
// outlives the test.
class TempWinePrefix
{
public:
    TempWinePrefix();
    ~TempWinePrefix();
    TempWinePrefix(const TempWinePrefix &) = delete;
    TempWinePrefix &operator=(const TempWinePrefix &) = delete;

    // Boots the prefix; false (see errorString) when Wine is missing or wineboot failed.
    bool boot();
    const QString &errorString() const { return m_error; }

    QString path() const { return m_dir.filePath(QStringLiteral("prefix")); }
    // A folder on drive C, as Linux names it.
    QString driveC(const QString &name) const;

private:
    void stopServer();

    QTemporaryDir m_dir;
    ScopedEnv m_display{"DISPLAY"};
    ScopedEnv m_waylandDisplay{"WAYLAND_DISPLAY"};
    ScopedEnv m_debug{"WINEDEBUG"};
    ScopedEnv m_overrides{"WINEDLLOVERRIDES"};
    ScopedEnv m_prefix{"WINEPREFIX"};
    QString m_error;
    bool m_booted = false;
};
