#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/ranked_list.h"

namespace morva {

// One member of the channel, as the server reported it.
struct Member {
    std::string name;
    // The flags text of the event ("0010"), the product tag with its brackets ("[STAR]").
    std::string flags;
    std::string product;
    std::int32_t ping = 0;
    std::int16_t icon = 0;
};

// The members of the channel in the order the member list shows them. A name is found, and its
// member taken out, without a scan of the list: an index keeps, for each name in any case, the
// slots of the members of that name in list order.
class ChannelMembers {
public:
    using const_iterator = RankedList<Member>::const_iterator;

    std::size_t size() const { return list_.size(); }
    bool empty() const { return list_.empty(); }
    const_iterator begin() const { return list_.begin(); }
    const_iterator end() const { return list_.end(); }
    // The member at a position from 0 (less than size()).
    Member& operator[](std::size_t position) { return list_[position]; }
    const Member& operator[](std::size_t position) const { return list_[position]; }

    const Member& push_back(Member member);
    // Takes out the first member of exactly that name; its position before, or nothing.
    std::optional<std::size_t> eraseFirst(std::string_view name);
    void clear();

    // The position of the first member whose name equals name in any case.
    std::optional<std::size_t> findNoCase(std::string_view name) const;
    // The first member of exactly that name.
    const Member* findExact(std::string_view name) const;
    // The members whose name equals name in any case, in list order.
    std::vector<const Member*> allNoCase(std::string_view name) const;

private:
    using Slot = RankedList<Member>::Slot;

    struct NoCaseHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view name) const;
    };
    struct NoCaseEqual {
        using is_transparent = void;
        bool operator()(std::string_view a, std::string_view b) const;
    };

    const std::vector<Slot>* slotsNoCase(std::string_view name) const;
    const Slot* firstExact(std::string_view name) const;
    void index(Slot slot);
    void reindex();

    RankedList<Member> list_;
    std::unordered_map<std::string, std::vector<Slot>, NoCaseHash, NoCaseEqual> byName_;
};

}  // namespace morva
