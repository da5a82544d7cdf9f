#pragma once

class Prompter;
class TMILAssociate;

// What ticking or clearing the General page's association box does: ticked registers the
// program's type and associates ".QDZ" with it; cleared gives the extension back and removes
// the type. A write that fails is reported in an error box. Answers whether ".QDZ" is
// associated afterwards, which is what the box must show.
bool ApplyAssociationChoice(TMILAssociate &association, bool associate, Prompter &prompter);
