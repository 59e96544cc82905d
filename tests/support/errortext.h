#pragma once
// The user-facing text of the error an operation raises, or "no error".
#include "storage/error.h"

#include <functional>
#include <string>

namespace tarvena::testing {

inline std::string errorOf(const std::function<void()> &operation)
{
    try {
        operation();
    } catch (const Error &e) {
        return e.what();
    }
    return "no error";
}

} // namespace tarvena::testing
