#pragma once

#include <QString>

// The machine's files as seen from a root folder: "/" for this machine, a temp folder holding
// a made-up machine for tests. Paths are the machine's own ("/usr/bin/wine"); links are
// followed inside the root, an absolute link target naming a path under the root too.
class MachineRoot
{
public:
    explicit MachineRoot(const QString &root = QStringLiteral("/"));

    const QString &root() const { return m_root; }
    // Where the machine's Path lies on this file system.
    QString hostPath(const QString &path) const;
    // The machine's path that Path names once its links are followed (at most 40 of them, as
    // the kernel allows); empty when a link goes round or Path does not exist.
    QString resolve(const QString &path) const;
    // Whether the machine's Path, links followed, is an executable file.
    bool isExecutableFile(const QString &path) const;

private:
    QString m_root;
};
