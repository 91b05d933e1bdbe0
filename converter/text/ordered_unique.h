// A list of texts in the order they were first added, each held once.
#ifndef KALVEX_TEXT_ORDERED_UNIQUE_H
#define KALVEX_TEXT_ORDERED_UNIQUE_H

#include <string>
#include <unordered_set>
#include <vector>

namespace kalvex {

// Adding a text that the list holds already changes nothing.
class OrderedUnique {
 public:
  // False when the text is in the list already.
  bool add(const std::string& text) {
    if (!index_.insert(text).second) return false;
    entries_.push_back(text);
    return true;
  }
  bool contains(const std::string& text) const { return index_.count(text) != 0; }
  const std::vector<std::string>& entries() const { return entries_; }

 private:
  std::vector<std::string> entries_;
  std::unordered_set<std::string> index_;
};

}  // namespace kalvex

#endif
