#pragma once

#include <QString>
#include <QStringList>

class Prompter;
class Registry;
class WindowMessages;

// Copies FileName into "Temp_TTL" as "~" + its file name and names the copy in "ParamName",
// for the running instance to offer. Only a regular file is copied; when the copy cannot be
// made, an older copy of that name is removed first, so the running instance reports the file
// as not found instead of offering stale content. False when "Temp_TTL" cannot be
// made (nothing is written then) or "ParamName" cannot be written.
bool StageParameterFile(const QString &fileName, Registry &registry, Prompter &prompter);

// Takes the instance semaphore SemaphoreName for this run (InstanceSemaphoreHandle). True
// when this is the only instance, or when the semaphore cannot be had at all. Otherwise the
// first argument, if any, is handed over and MessageName is broadcast to the running
// instance, and the answer is false.
bool CheckSingleInstance(const QString &semaphoreName, const QString &messageName,
                         const QStringList &arguments, Registry &registry, Prompter &prompter,
                         WindowMessages &messages);
