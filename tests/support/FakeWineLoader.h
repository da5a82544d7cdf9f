#pragma once

#include "support/ScopedEnv.h"

#include <QString>

// Wine as the program finds it, for a test's scope: a made-up machine in Folder, which the
// locator takes for the root of the file system, with PATH "/usr/bin" and there a script
// named "wine" (a loader the program cannot look into, so it is taken to run every machine),
// or no loader at all. The machine's own Wine is never found. Nothing is run: tests record
// what would be started.
class FakeWineLoader
{
public:
    explicit FakeWineLoader(const QString &folder, bool installed = true);
    ~FakeWineLoader();
    FakeWineLoader(const FakeWineLoader &) = delete;
    FakeWineLoader &operator=(const FakeWineLoader &) = delete;

    bool isReady() const { return m_ready; }
    // The loader's path, where the program finds it when installed.
    const QString &path() const { return m_loader; }
    // Takes the loader away: Wine is then missing.
    bool uninstall();

private:
    ScopedEnv m_path{"PATH"};
    QString m_loader;
    bool m_ready = false;
};
