#pragma once

#include <QStringList>

class Prompter;
class ShellServices;

// The program's entry sequence, run inside the application object: the argument handed to
// "ParamName", the launcher started, the single-instance check (a later start hands its
// file over and ends here), the check that TeraTerm is beside the program, the temporary
// files of earlier runs deleted, then the program's windows made (the main window from the
// options, then the update window) and the message loop until the main window closes. The
// start for the update check alone shows the update window instead and ends when it closes,
// without the message loop. Arguments: the command line without the program's name. Prompter:
// where the message boxes go, null for the program's own boxes. Answers the exit code.
int ProgramMainBlock(const QStringList &arguments, ShellServices &services,
                     Prompter *prompter = nullptr);
