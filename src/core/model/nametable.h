#pragma once

#include "naming.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace vap {

/**
 * A set of values found by name, with ASCII case ignored. The names are not stored: `NameOf`
 * reads each value's name, which must stay unchanged while the value is in the table. The slots
 * hold only the value and a 32-bit hash in one flat array (open addressing), so a table of many
 * names stays small and makes no allocation per name.
 */
template <class Value, class NameOf> class NameTable {
public:
    explicit NameTable(NameOf nameOf = NameOf{}) : nameOf_(std::move(nameOf)) {}

    /** The value with this name, or nothing. */
    const Value* find(std::string_view name) const {
        if (slots_.empty())
            return nullptr;
        std::uint32_t hash = hashOf(name);
        for (std::size_t i = hash & mask(); slots_[i].state != State::Empty; i = (i + 1) & mask()) {
            const Slot& slot = slots_[i];
            if (slot.state == State::Full && slot.hash == hash &&
                equalIgnoringCase(nameOf_(slot.value), name))
                return &slot.value;
        }
        return nullptr;
    }

    /** Adds the value unless one of the same name is there; returns whether it was added. */
    bool insert(Value value) {
        if ((used_ + 1) * 4 > slots_.size() * 3)
            grow((size_ + 1) * 2);
        std::string_view name = nameOf_(value);
        std::uint32_t hash = hashOf(name);
        std::size_t free = npos;
        std::size_t i = hash & mask();
        for (; slots_[i].state != State::Empty; i = (i + 1) & mask()) {
            const Slot& slot = slots_[i];
            if (slot.state == State::Full && slot.hash == hash &&
                equalIgnoringCase(nameOf_(slot.value), name))
                return false;
            if (slot.state == State::Removed && free == npos)
                free = i;
        }
        if (free == npos) {
            free = i;
            ++used_;
        }
        slots_[free] = Slot{value, hash, State::Full};
        ++size_;
        return true;
    }

    /** Takes out the value of this name, if there is one. */
    void erase(std::string_view name) {
        if (slots_.empty())
            return;
        std::uint32_t hash = hashOf(name);
        for (std::size_t i = hash & mask(); slots_[i].state != State::Empty; i = (i + 1) & mask()) {
            Slot& slot = slots_[i];
            if (slot.state == State::Full && slot.hash == hash &&
                equalIgnoringCase(nameOf_(slot.value), name)) {
                slot.state = State::Removed;
                --size_;
                return;
            }
        }
    }

    void clear() {
        slots_.clear();
        size_ = used_ = 0;
    }

    /** Makes room for this many names in all. */
    void reserve(std::size_t count) {
        if (count * 4 > slots_.size() * 3)
            grow(count);
    }

    std::size_t size() const { return size_; }

private:
    enum class State : std::uint8_t { Empty, Full, Removed };
    struct Slot {
        Value value{};
        std::uint32_t hash = 0;
        State state = State::Empty;
    };
    static constexpr std::size_t npos = ~std::size_t{0};

    static std::uint32_t hashOf(std::string_view name) {
        return static_cast<std::uint32_t>(CaseInsensitiveHash{}(name));
    }
    std::size_t mask() const { return slots_.size() - 1; }

    void grow(std::size_t count) {
        std::size_t capacity = 16;
        while (capacity * 3 < count * 4)
            capacity *= 2;
        std::vector<Slot> old = std::move(slots_);
        slots_.assign(capacity, Slot{});
        size_ = used_ = 0;
        for (const Slot& slot : old) {
            if (slot.state != State::Full)
                continue;
            std::size_t i = slot.hash & mask();
            while (slots_[i].state != State::Empty)
                i = (i + 1) & mask();
            slots_[i] = slot;
            ++size_;
            ++used_;
        }
    }

    std::vector<Slot> slots_;
    std::size_t size_ = 0; // names in the table
    std::size_t used_ = 0; // slots not empty, removed ones included
    NameOf nameOf_;
};

} // namespace vap
