#include "chat/channel_members.h"

#include <algorithm>
#include <utility>

#include "platform/text_case.h"

namespace morva {

std::size_t ChannelMembers::NoCaseHash::operator()(std::string_view name) const {
    // FNV-1a over the lower-cased bytes, so names that differ only in case meet in one entry.
    std::size_t hash = 14695981039346656037ull;
    for (const char c : name) {
        hash ^= static_cast<unsigned char>(LowerCaseByte(c));
        hash *= 1099511628211ull;
    }
    return hash;
}

bool ChannelMembers::NoCaseEqual::operator()(std::string_view a, std::string_view b) const {
    return EqualsNoCase(a, b);
}

const Member& ChannelMembers::push_back(Member member) {
    const Slot slot = list_.push_back(std::move(member));
    index(slot);
    return list_.at(slot);
}

std::optional<std::size_t> ChannelMembers::eraseFirst(std::string_view name) {
    const Slot* found = firstExact(name);
    if (!found) return std::nullopt;
    const Slot slot = *found;
    const std::size_t position = list_.position(slot);
    const auto entry = byName_.find(name);
    std::vector<Slot>& slots = entry->second;
    slots.erase(std::ranges::find(slots, slot));
    if (slots.empty()) byName_.erase(entry);
    if (list_.erase(slot)) reindex();
    return position;
}

void ChannelMembers::clear() {
    list_.clear();
    byName_.clear();
}

std::optional<std::size_t> ChannelMembers::findNoCase(std::string_view name) const {
    const std::vector<Slot>* slots = slotsNoCase(name);
    if (!slots) return std::nullopt;
    return list_.position(slots->front());
}

const Member* ChannelMembers::findExact(std::string_view name) const {
    const Slot* slot = firstExact(name);
    return slot ? &list_.at(*slot) : nullptr;
}

std::vector<const Member*> ChannelMembers::allNoCase(std::string_view name) const {
    std::vector<const Member*> members;
    if (const std::vector<Slot>* slots = slotsNoCase(name))
        for (const Slot slot : *slots) members.push_back(&list_.at(slot));
    return members;
}

const std::vector<ChannelMembers::Slot>* ChannelMembers::slotsNoCase(std::string_view name) const {
    const auto entry = byName_.find(name);
    return entry == byName_.end() ? nullptr : &entry->second;
}

// Names that differ only in case share an entry, so the exact one is looked for among them.
const ChannelMembers::Slot* ChannelMembers::firstExact(std::string_view name) const {
    const std::vector<Slot>* slots = slotsNoCase(name);
    if (!slots) return nullptr;
    const auto found = std::ranges::find_if(*slots, [&](Slot slot) { return list_.at(slot).name == name; });
    return found == slots->end() ? nullptr : &*found;
}

void ChannelMembers::index(Slot slot) {
    const std::string& name = list_.at(slot).name;
    const auto entry = byName_.find(name);
    if (entry == byName_.end()) {
        byName_.emplace(name, std::vector<Slot>{slot});
    } else {
        entry->second.push_back(slot);
    }
}

// The sweep of the list renumbered every slot.
void ChannelMembers::reindex() {
    byName_.clear();
    for (auto member = list_.begin(); member != list_.end(); ++member) index(member.slot());
}

}  // namespace morva
