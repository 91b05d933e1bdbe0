// The source files of a group, in listing order, packed into large blocks: a million paths
// cost little more than their bytes, and the list never copies what it holds to grow.
#ifndef KALVEX_FILE_LIST_H
#define KALVEX_FILE_LIST_H

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kalvex {

class FileList {
 public:
  class const_iterator {
   public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = std::string;
    using difference_type = std::ptrdiff_t;
    using pointer = void;
    using reference = std::string;
    const_iterator(const FileList* list, std::size_t index) : list_(list), index_(index) {}
    // A copy, so that loops written for a list of strings read this list unchanged.
    std::string operator*() const { return std::string((*list_)[index_]); }
    const_iterator& operator++() {
      ++index_;
      return *this;
    }
    bool operator==(const const_iterator& o) const { return index_ == o.index_; }
    bool operator!=(const const_iterator& o) const { return index_ != o.index_; }

   private:
    const FileList* list_;
    std::size_t index_;
  };
  using iterator = const_iterator;
  using value_type = std::string;

  // Appends a copy of the path; paths may hold any byte, NUL included.
  void push_back(std::string_view file);
  std::size_t size() const { return entries_.size(); }
  bool empty() const { return entries_.empty(); }
  // The path in place, without a copy; valid until the list is assigned anew or destroyed.
  std::string_view operator[](std::size_t index) const;
  const_iterator begin() const { return const_iterator(this, 0); }
  const_iterator end() const { return const_iterator(this, size()); }

 private:
  struct Entry {
    std::uint32_t block;
    std::uint32_t offset;
    std::uint32_t length;
  };
  static constexpr std::size_t kFirstBlockSize = 256;
  static constexpr std::size_t kLargestBlockSize = 1 << 20;

  std::vector<std::unique_ptr<std::string>> blocks_;
  std::vector<Entry> entries_;
};

}  // namespace kalvex

#endif
