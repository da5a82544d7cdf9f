#pragma once

#include "runner/RunContext.h"
#include "runner/RunSlots.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

class ConnectionNode;
class Prompter;
struct RunTarget;

// Hands a connection's macro to TeraTerm: assembles it, writes it into a run slot's macro
// file beside a per-run copy of "teraterm.ini" that carries the colours, the background
// switch and the editor font, and starts "ttermpro.exe" with both (a Windows TeraTerm through
// Wine, told of every file by its Windows path: see TeraTermPaths); or writes the assembled
// macro to a file of the user's instead. Every problem is told through the prompter.
class MacroRunner
{
public:
    explicit MacroRunner(Prompter &prompter);

    // The clock read once per run for the log file names.
    void setClock(Clock clock) { m_clock = std::move(clock); }
    // The time of that clock now: the local time unless a clock was set.
    QDateTime now() const;
    RunSlots &runSlots() { return m_slots; }
    const RunSlots &runSlots() const { return m_slots; }

    // WholeMacro false runs to the cursor (Context.runToCursorText); WithAncestors puts the
    // ancestors' macros in front; a non-empty ExportFile is written instead of running.
    // True when TeraTerm was started or the export file written.
    bool RunMacro(bool wholeMacro, bool withAncestors, const QString &exportFile,
                  const RunTarget &target, const RunContext &context);

private:
    bool writeMacroFile(const QString &path, const QByteArray &bytes, bool ownerOnly);
    bool makeIniCopy(const QString &copyPath);
    bool prepareIniCopy(const QString &copyPath, const RunContext &context);

    Prompter &m_prompter;
    RunSlots m_slots;
    Clock m_clock;
};

// The files of run slot N in the folder Temp.
QString SlotMacroFile(const QString &temp, int n);
QString SlotIniFile(const QString &temp, int n);

// TeraTerm's arguments for an ini copy and a macro file, one list item each.
QStringList TeraTermArguments(const QString &iniCopy, const QString &macroFile);
// The same as one Windows parameter text: " /F=" quote ini quote, two blanks, "/M=" quote
// macro quote. The argument list above is what a Windows program's start-up makes of it.
QString TeraTermParameterText(const QString &iniCopy, const QString &macroFile);

// False when a selected node below RootNode is a separator or has no stored macro; true
// otherwise, also for an empty selection.
bool SelectionHasRunnableMacros(const QList<ConnectionNode *> &selection);
