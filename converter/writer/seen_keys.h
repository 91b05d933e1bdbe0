// A set of byte strings that only grows, each given in two parts that are read as one, kept in one arena with an
// open-addressing table of their hashes, so that adding a key costs no allocation of its own.
#ifndef KALVEX_WRITER_SEEN_KEYS_H
#define KALVEX_WRITER_SEEN_KEYS_H

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kalvex {

class SeenKeys {
 public:
  // True when head followed by tail was added before; adds it otherwise.
  bool seenBefore(std::string_view head, std::string_view tail);

 private:
  struct Slot {
    std::size_t hash = 0;
    std::size_t offset = 0;
    std::size_t size = 0;
    bool used = false;
  };
  void grow();
  std::size_t find(std::size_t hash, std::string_view head, std::string_view tail) const;

  std::string arena_;
  std::vector<Slot> slots_;
  std::size_t count_ = 0;
};

}  // namespace kalvex

#endif
