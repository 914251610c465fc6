#include "eventmask.h"

#include <bit>

namespace vap {

int eventItem(JavaEvent event) {
    return std::countr_zero(static_cast<unsigned>(eventWeight(event)));
}

EventChoice decodeEventMask(std::int32_t mask) {
    EventChoice choice;
    std::int64_t remainder =
        mask; // wide, so that subtracting from the most negative mask is defined
    for (JavaEvent event : eventsHeaviestFirst) {
        if (remainder - eventWeight(event) >= 0) {
            choice.chosen[static_cast<std::size_t>(eventItem(event))] = true;
            remainder -= eventWeight(event);
        }
    }
    return choice;
}

std::int32_t encodeEventMask(const EventChoice& choice) {
    std::int32_t mask = 0;
    for (JavaEvent event : eventsHeaviestFirst) {
        if (choice.has(event))
            mask += eventWeight(event);
    }
    return mask;
}

} // namespace vap
