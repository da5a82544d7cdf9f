#pragma once

#include "mainwindow/TForm1.h"
#include "platform/Registry.h"
#include "platform/WindowMessages.h"
#include "shell/InstanceSemaphore.h"
#include "shell/ProgramRegKey.h"
#include "shell/ShellServices.h"
#include "support/FileBytes.h"
#include "support/ScriptedPrompter.h"
#include "support/TableBytes.h"
#include "support/TempProgramFolder.h"
#include "support/TempUserDirs.h"

#include <QTest>

#include <memory>

// The machine around the window for one test: the registry and the runtime dir in a temp
// folder, a temp program folder, the session bus and an instance semaphore of its own.
struct Machine
{
    TempUserDirs dirs;
    TempProgramFolder folder;
    std::unique_ptr<Registry> registry = dirs.freshRegistry();
    WindowMessages messages;
    InstanceSemaphore instance;
    ShellServices services{*registry, messages, instance};
    ScriptedPrompter prompter;

    // A main window as the program makes it, shown.
    std::unique_ptr<TForm1> start(const QStringList &arguments = {})
    {
        auto form = std::make_unique<TForm1>(&prompter);
        form->FormCreate(services, arguments);
        form->show();
        if (!QTest::qWaitForWindowExposed(form.get()))
            return nullptr;
        return form;
    }

    QString writeTable(const QString &name, const QList<rVTNodeData> &records) const
    {
        const QString path = folder.filePath(name);
        return WriteFileBytes(path, TableFileBytes(records)) ? path : QString();
    }

    void setStored(const QString &name, const QString &value)
    {
        registry->writeString(ProgramRegHive, ProgramRegKey, name, value);
    }
};
