#pragma once
// The one error type of the program: it carries the text the user is shown, in UTF-8
// (messages are program texts; only data values are held in code page 1251).
#include <stdexcept>
#include <string>

namespace tarvena {

class Error : public std::runtime_error
{
public:
    explicit Error(const std::string &message) : std::runtime_error(message) {}
};

} // namespace tarvena
