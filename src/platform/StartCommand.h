#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

// One process to start: the program, its arguments as a list (never through a shell), the
// folder it starts in (empty: ours) and the variables set for it on top of our environment.
struct StartCommand
{
    QString program;
    QStringList arguments;
    QString workingDirectory;
    QMap<QString, QString> environment;
};
