#pragma once

struct ProgramOptions;

// A settings page: it shows the options it is made for and puts the user's choices back.
// Options it does not show pass through untouched.
class OptionsPage
{
public:
    virtual ~OptionsPage() = default;

    virtual void loadOptions(const ProgramOptions &options) = 0;
    virtual void saveOptions(ProgramOptions &options) const = 0;
};
