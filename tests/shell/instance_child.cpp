// A start of the program up to where its window would be made, for the tests that need a
// second process: instance_child <program folder> [arguments...]. Every message box is
// printed as "<kind>: <text>" and answered OK (after a first line "bus <its bus name>"); then "go-on" (the instance is held until
// standard input closes) or "ended".
#include "platform/AppPaths.h"
#include "platform/Prompter.h"
#include "platform/Registry.h"
#include "platform/WindowMessages.h"
#include "shell/ProgramStartUp.h"

#include <QCoreApplication>

#include <cstdio>
#include <iostream>
#include <string>

namespace {

void say(const QString &line)
{
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

class PrintingPrompter : public Prompter
{
public:
    Answer ask(Kind kind, const QString &text, Buttons) override
    {
        const char *name = kind == Kind::Warning ? "warning"
                           : kind == Kind::Error ? "error"
                                                 : "other";
        say(QLatin1String(name) + QStringLiteral(": ") + text);
        return Ok;
    }
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList arguments = app.arguments().mid(1);
    if (arguments.isEmpty())
        return 2;
    AppPaths::setProgramDir(arguments.takeFirst());
    Registry registry;
    PrintingPrompter prompter;
    WindowMessages messages;
    say(QStringLiteral("bus ") + messages.ownId());
    if (!ProgramStartUp(arguments, registry, prompter, messages)) {
        say(QStringLiteral("ended"));
        return 0;
    }
    say(QStringLiteral("go-on"));
    std::string line;
    while (std::getline(std::cin, line)) {
    }
    return 0;
}
