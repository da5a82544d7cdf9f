#pragma once

class Prompter;
class QString;
class TMILAssociate;

// Sets Association up for the program at ProgramPath: its type key named after the program
// file without its extension, the program's icon, its open command with the file's path in
// double quotes, and the type's description "Wexmora File".
void SetUpProgramAssociation(TMILAssociate &association, const QString &programPath);

// What ticking or clearing the General page's association box does: ticked registers the
// program's type and associates ".QDZ" with it; cleared gives the extension back and removes
// the type. A write that fails is reported in an error box. Answers whether ".QDZ" is
// associated afterwards, which is what the box must show.
bool ApplyAssociationChoice(TMILAssociate &association, bool associate, Prompter &prompter);
