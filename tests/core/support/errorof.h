#pragma once

#include "core/model/error.h"

#include <string>

namespace vaptest {

/** The message of the error the action raises; empty when it raises none. */
template <class Action> std::string errorOf(Action&& action) {
    try {
        action();
    } catch (const vap::Error& error) {
        return error.what();
    }
    return {};
}

} // namespace vaptest
