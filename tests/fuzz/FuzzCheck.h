#pragma once

// What every fuzz target may use: a check that ends the run, and scratch files.

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

// Ends the run when a rule is broken; libFuzzer keeps the input that broke it.
inline void Check(bool ok, const char *rule)
{
    if (!ok) {
        std::fprintf(stderr, "broken: %s\n", rule);
        std::abort();
    }
}

// A file of Name in a folder of this run. The folder lies in memory where the system has
// such a place: the writers sync every file they commit, which on a disk slows each run
// many times over.
inline QString ScratchFile(const QString &name)
{
    static QTemporaryDir dir(QFileInfo(QStringLiteral("/dev/shm")).isWritable()
                                 ? QStringLiteral("/dev/shm/wex-fuzz-XXXXXX")
                                 : QDir::tempPath() + QStringLiteral("/wex-fuzz-XXXXXX"));
    Check(dir.isValid(), "a scratch folder");
    return dir.filePath(name);
}

// The application object, made once, for targets whose code needs one (timers, the
// application's folder).
inline void EnsureApplication()
{
    static int argc = 1;
    static char name[] = "fuzz";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
}
