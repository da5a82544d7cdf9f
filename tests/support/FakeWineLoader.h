#pragma once

#include "support/ScopedEnv.h"

#include <QString>

// Wine's loader as the program finds it, for a test's scope: a script named "wine" in Folder,
// which becomes the whole PATH, or no loader at all. Debian's place for the loader is pointed
// into Folder too, so the machine's own Wine is never found. Nothing is run: tests record
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
