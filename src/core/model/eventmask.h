#pragma once

#include <array>
#include <cstdint>

namespace vap {

/** The five Java events a control may answer; the value is the event's weight in the mask. */
enum class JavaEvent : std::int32_t {
    KeyPressed = 1,
    MouseClicked = 2,
    ActionPerformed = 4,
    FocusGained = 8,
    FocusLost = 16,
};

inline constexpr std::size_t javaEventCount = 5;

/** The order in which readers take a mask apart and the generator writes listener blocks. */
inline constexpr std::array<JavaEvent, javaEventCount> eventsHeaviestFirst{
    JavaEvent::FocusLost, JavaEvent::FocusGained, JavaEvent::ActionPerformed,
    JavaEvent::MouseClicked, JavaEvent::KeyPressed};

inline constexpr std::int32_t eventWeight(JavaEvent event) {
    return static_cast<std::int32_t>(event);
}

/** Position of the event in the inspector's list: key pressed 0 ... focus lost 4. */
int eventItem(JavaEvent event);

/** Which events a mask selects, indexed by inspector item (0 key pressed ... 4 focus lost). */
struct EventChoice {
    std::array<bool, javaEventCount> chosen{};
    bool has(JavaEvent event) const { return chosen[static_cast<std::size_t>(eventItem(event))]; }
    bool operator==(const EventChoice&) const = default;
};

/**
 * Takes a mask apart greedily from 16 down to 1: an event is chosen when the remainder minus its
 * weight is not negative. So 32 and above choose all five and a negative mask chooses none.
 */
EventChoice decodeEventMask(std::int32_t mask);

/** The sum of the weights of the chosen events. */
std::int32_t encodeEventMask(const EventChoice& choice);

} // namespace vap
