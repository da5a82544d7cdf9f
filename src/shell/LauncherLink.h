#pragma once

class Prompter;
class Registry;
class WindowMessages;
struct ProgramOptions;
struct SaveEnvironment;

// Starts the companion launcher from the program folder unless it runs already. When its
// file is missing the user is warned and the program goes on without it.
void EnsureLauncherRunning(Prompter &prompter);

// Writes the options, then tells the launcher to reload them ("WexmoraRRMessage"). Nothing is
// broadcast when the store refused the options; the answer is then false.
bool SaveSettingsAndNotify(Registry &registry, const ProgramOptions &options,
                           const SaveEnvironment &env, WindowMessages &messages);
