#pragma once

class Prompter;
class Registry;
class WindowMessages;
struct ProgramOptions;
struct SaveEnvironment;

// Starts the companion launcher from the program folder unless it runs already. When its
// file is missing the user is warned and the program goes on without it.
void EnsureLauncherRunning(Prompter &prompter);

// Whether the launcher starts at log-on from this program folder: an auto-start entry that
// names another copy of the launcher counts as off.
bool IsAutoStartOn();
// Switches the launcher's auto-start at log-on on (for the launcher of this program folder)
// or off. False, after telling the user why, when no Wine here can run a Windows launcher or
// the entry could not be written or removed.
bool SetAutoStart(bool on, Prompter &prompter);

// Writes the options, then tells the launcher to reload them ("WexmoraRRMessage"). Nothing is
// broadcast when the store refused the options; the answer is then false.
bool SaveSettingsAndNotify(Registry &registry, const ProgramOptions &options,
                           const SaveEnvironment &env, WindowMessages &messages);
