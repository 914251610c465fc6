#pragma once

#include "core/files/safewrite.h"

#include <functional>
#include <utility>

namespace vaptest {

/** Sets the save fault hook for one scope; the hook is gone again whatever the test does. */
class FaultHook {
public:
    explicit FaultHook(std::function<int(vap::SaveStep)> fault) {
        vap::setSaveFaultForTesting(std::move(fault));
    }
    ~FaultHook() { vap::setSaveFaultForTesting(nullptr); }
    FaultHook(const FaultHook&) = delete;
    FaultHook& operator=(const FaultHook&) = delete;
};

} // namespace vaptest
