#pragma once

#include <cstddef>
#include <iterator>
#include <optional>
#include <type_traits>
#include <utility>
#include <vector>

namespace morva {

// A list in order that takes items out of its middle in O(log n) and tells an item's position in
// O(log n): the member list of a busy channel sees thousands join and leave. An item taken out
// leaves a hole in its slot; a Fenwick tree over the slots counts the items before a slot, which is
// its position. The holes are swept out once they outnumber the items, which renumbers the slots;
// each sweep costs no more than the removals that led to it.
template <class T>
class RankedList {
public:
    using Slot = std::size_t;

    template <class Item>
    class Iterator;
    using iterator = Iterator<T>;
    using const_iterator = Iterator<const T>;

    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }

    // Slots run from 0 to slotCount(); a hole holds no item.
    std::size_t slotCount() const { return slots_.size(); }
    bool holds(Slot slot) const { return slots_[slot].has_value(); }
    T& at(Slot slot) { return *slots_[slot]; }
    const T& at(Slot slot) const { return *slots_[slot]; }

    // The item at a position from 0 (less than size()).
    T& operator[](std::size_t position) { return at(slotAt(position)); }
    const T& operator[](std::size_t position) const { return at(slotAt(position)); }

    Slot push_back(T item) {
        slots_.push_back(std::move(item));
        ++size_;
        // The new node covers the slots (j - lowbit(j), j]: the new item and those before it.
        const std::size_t j = slots_.size();
        tree_.push_back(1 + itemsBefore(j - 1) - itemsBefore(j - lowBit(j)));
        return j - 1;
    }

    // Takes the item out of its slot. True when that swept out the holes: every slot number changed.
    bool erase(Slot slot) {
        slots_[slot].reset();
        --size_;
        for (std::size_t j = slot + 1; j <= slots_.size(); j += lowBit(j)) --tree_[j];
        if (slots_.size() - size_ <= size_) return false;
        sweep();
        return true;
    }

    void clear() {
        slots_.clear();
        tree_.assign(1, 0);
        size_ = 0;
    }

    // The position from 0 of the item in slot.
    std::size_t position(Slot slot) const { return itemsBefore(slot); }

    // The slot of the item at a position from 0 (less than size()).
    Slot slotAt(std::size_t position) const {
        std::size_t slot = 0, left = position + 1;
        for (std::size_t step = highestBit(slots_.size()); step > 0; step /= 2) {
            if (slot + step <= slots_.size() && tree_[slot + step] < left) {
                slot += step;
                left -= tree_[slot];
            }
        }
        return slot;
    }

    iterator begin() { return iterator(slots_, 0); }
    iterator end() { return iterator(slots_, slots_.size()); }
    const_iterator begin() const { return const_iterator(slots_, 0); }
    const_iterator end() const { return const_iterator(slots_, slots_.size()); }

    // Walks the items in order, passing over the holes.
    template <class Item>
    class Iterator {
    public:
        using Slots = std::conditional_t<std::is_const_v<Item>, const std::vector<std::optional<T>>,
                                         std::vector<std::optional<T>>>;
        using iterator_category = std::forward_iterator_tag;
        using value_type = T;
        using difference_type = std::ptrdiff_t;
        using pointer = Item*;
        using reference = Item&;

        Iterator() = default;
        Iterator(Slots& all, Slot slot) : slots_(&all), slot_(slot) { skipHoles(); }

        Item& operator*() const { return *(*slots_)[slot_]; }
        Item* operator->() const { return &**this; }
        Iterator& operator++() {
            ++slot_;
            skipHoles();
            return *this;
        }
        Iterator operator++(int) {
            Iterator before = *this;
            ++*this;
            return before;
        }
        bool operator==(const Iterator& other) const { return slot_ == other.slot_; }
        Slot slot() const { return slot_; }

    private:
        void skipHoles() {
            while (slot_ < slots_->size() && !(*slots_)[slot_]) ++slot_;
        }

        Slots* slots_ = nullptr;
        Slot slot_ = 0;
    };

private:
    static std::size_t lowBit(std::size_t j) { return j & (~j + 1); }
    static std::size_t highestBit(std::size_t n) {
        std::size_t bit = 1;
        while (bit * 2 <= n) bit *= 2;
        return n == 0 ? 0 : bit;
    }

    // The items in the first `slotCount` slots.
    std::size_t itemsBefore(std::size_t slotCount) const {
        std::size_t count = 0;
        for (std::size_t j = slotCount; j > 0; j -= lowBit(j)) count += tree_[j];
        return count;
    }

    // Moves the items together and builds the tree anew for them, in linear time.
    void sweep() {
        std::vector<std::optional<T>> items;
        items.reserve(size_);
        for (std::optional<T>& slot : slots_)
            if (slot) items.push_back(std::move(slot));
        slots_ = std::move(items);
        tree_.assign(slots_.size() + 1, 1);
        tree_[0] = 0;
        for (std::size_t j = 1; j <= slots_.size(); ++j)
            if (const std::size_t parent = j + lowBit(j); parent <= slots_.size()) tree_[parent] += tree_[j];
    }

    std::vector<std::optional<T>> slots_;
    // The Fenwick tree, from 1: node j counts the items in the slots (j - lowbit(j), j].
    std::vector<std::size_t> tree_ = std::vector<std::size_t>(1, 0);
    std::size_t size_ = 0;
};

}  // namespace morva
