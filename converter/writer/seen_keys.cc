#include "writer/seen_keys.h"

#include <functional>

namespace kalvex {

// The slot of key, or the free slot where it goes; the table is never full.
std::size_t SeenKeys::find(std::size_t hash, std::string_view head, std::string_view tail) const {
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
    const Slot& slot = slots_[at];
    if (!slot.used) return at;
    if (slot.hash != hash || slot.size != head.size() + tail.size()) continue;
    const std::string_view stored = std::string_view(arena_).substr(slot.offset, slot.size);
    if (stored.substr(0, head.size()) == head && stored.substr(head.size()) == tail) return at;
  }
}

bool SeenKeys::seenBefore(std::string_view head, std::string_view tail) {
  if ((count_ + 1) * 2 > slots_.size()) grow();
  const std::size_t hash = std::hash<std::string_view>()(head) * 31 + std::hash<std::string_view>()(tail);
  Slot& slot = slots_[find(hash, head, tail)];
  if (slot.used) return true;
  slot = Slot{hash, arena_.size(), head.size() + tail.size(), true};
  arena_.append(head);
  arena_.append(tail);
  ++count_;
  return false;
}

// Twice the slots (at least 64), every key placed again by its hash.
void SeenKeys::grow() {
  std::vector<Slot> old(slots_.empty() ? 64 : slots_.size() * 2);
  old.swap(slots_);
  const std::size_t mask = slots_.size() - 1;
  for (const Slot& slot : old) {
    if (!slot.used) continue;
    std::size_t at = slot.hash & mask;
    while (slots_[at].used) at = (at + 1) & mask;
    slots_[at] = slot;
  }
}

}  // namespace kalvex
