#pragma once
// Prompts of the command line: every message is printed to standard error; questions take the
// first offered answer of Yes and Ok.
#include "model/prompts.h"

#include <iostream>

namespace tarvena::cli {

class CliPrompts : public Prompts
{
public:
    int message(const std::string &caption, const std::string &text, Icon, int buttons) override
    {
        std::cerr << caption << ": " << text << "\n";
        return (buttons & Yes) ? Yes : Ok;
    }
};

} // namespace tarvena::cli
