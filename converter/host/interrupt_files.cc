#include "host/interrupt_files.h"

#include <atomic>
#include <cstring>
#include <vector>

namespace kalvex {
namespace {

struct Node {
  std::atomic<bool> live{true};
  Node* next = nullptr;
  char path[1];
};

std::atomic<Node*> head{nullptr};
// Marks index the nodes in the order added; only the adding thread reads it.
std::vector<Node*>& marks() {
  static std::vector<Node*>* nodes = new std::vector<Node*>();
  return *nodes;
}

}  // namespace

std::size_t addInterruptFile(const std::string& hostPath) {
  void* memory = ::operator new(sizeof(Node) + hostPath.size());
  Node* node = new (memory) Node();
  std::memcpy(node->path, hostPath.c_str(), hostPath.size() + 1);
  node->next = head.load();
  marks().push_back(node);
  // Published only once whole, so that a handler never sees half a node.
  head.store(node);
  return marks().size() - 1;
}

void keepInterruptFile(std::size_t mark) {
  if (mark < marks().size()) marks()[mark]->live.store(false);
}

void removeInterruptFiles(void (*remove)(const char* hostPath)) {
  for (Node* node = head.load(); node != nullptr; node = node->next) {
    if (node->live.load()) remove(node->path);
  }
}

}  // namespace kalvex
