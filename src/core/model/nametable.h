#pragma once

#include "naming.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace vap {

/**
 * A table from names, with ASCII case ignored, to values, kept in one flat array (open
 * addressing) so that filling it with many names makes no allocation per name. The keys view
 * strings the caller keeps alive and unchanged while they are in the table.
 */
template <class Value> class NameTable {
public:
    /** The value of the name, or a default value. */
    Value find(std::string_view name) const {
        if (slots_.empty())
            return Value{};
        std::size_t hash = hasher(name);
        for (std::size_t i = hash & mask(); slots_[i].state != State::Empty; i = (i + 1) & mask()) {
            const Slot& slot = slots_[i];
            if (slot.state == State::Full && slot.hash == hash && equal(slot.key, name))
                return slot.value;
        }
        return Value{};
    }

    bool contains(std::string_view name) const { return find(name) != Value{}; }

    /** Adds the name unless it is there already; returns whether it was added. */
    bool insert(std::string_view name, Value value) {
        if ((used_ + 1) * 4 > slots_.size() * 3)
            grow((size_ + 1) * 2);
        std::size_t hash = hasher(name);
        std::size_t free = npos;
        std::size_t i = hash & mask();
        for (; slots_[i].state != State::Empty; i = (i + 1) & mask()) {
            Slot& slot = slots_[i];
            if (slot.state == State::Full && slot.hash == hash && equal(slot.key, name))
                return false;
            if (slot.state == State::Removed && free == npos)
                free = i;
        }
        if (free == npos) {
            free = i;
            ++used_;
        }
        slots_[free] = Slot{name, value, hash, State::Full};
        ++size_;
        return true;
    }

    void erase(std::string_view name) {
        if (slots_.empty())
            return;
        std::size_t hash = hasher(name);
        for (std::size_t i = hash & mask(); slots_[i].state != State::Empty; i = (i + 1) & mask()) {
            Slot& slot = slots_[i];
            if (slot.state == State::Full && slot.hash == hash && equal(slot.key, name)) {
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
        std::string_view key;
        Value value{};
        std::size_t hash = 0;
        State state = State::Empty;
    };
    static constexpr std::size_t npos = ~std::size_t{0};

    std::size_t mask() const { return slots_.size() - 1; }

    void grow(std::size_t count) {
        std::size_t capacity = 16;
        while (capacity * 3 < count * 4)
            capacity *= 2;
        std::vector<Slot> old = std::move(slots_);
        slots_.assign(capacity, Slot{});
        size_ = used_ = 0;
        for (const Slot& slot : old) {
            if (slot.state == State::Full) {
                std::size_t i = slot.hash & mask();
                while (slots_[i].state != State::Empty)
                    i = (i + 1) & mask();
                slots_[i] = slot;
                ++size_;
                ++used_;
            }
        }
    }

    std::vector<Slot> slots_;
    std::size_t size_ = 0; // names in the table
    std::size_t used_ = 0; // slots not empty, removed ones included
    [[no_unique_address]] CaseInsensitiveHash hasher;
    [[no_unique_address]] CaseInsensitiveEqual equal;
};

} // namespace vap
