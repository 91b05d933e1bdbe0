#include "group_walk.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace kalvex {
namespace {

// The least a walked group needs: a name and its children.
struct Node {
  std::string name;
  std::vector<std::unique_ptr<Node>> kids;
  const std::vector<std::unique_ptr<Node>>& children() const { return kids; }
  Node& add(const std::string& child) {
    kids.push_back(std::make_unique<Node>(Node{child, {}}));
    return *kids.back();
  }
};

// Records "+name" on entering and "-name" at the end of the children; answers each group with
// the step given for its name, kEnterChildren by default.
struct Recorder {
  std::vector<std::pair<std::string, WalkStep>> answers;
  std::vector<std::string> steps;
  WalkStep enter(const Node& node) {
    steps.push_back("+" + node.name);
    for (const auto& [name, step] : answers) {
      if (name == node.name) return step;
    }
    return WalkStep::kEnterChildren;
  }
  void leave(const Node& node) { steps.push_back("-" + node.name); }
};

struct Case {
  std::vector<std::pair<std::string, WalkStep>> answers;
  std::vector<std::string> steps;
};

TEST(WalkGroups, EntersParentsFirstAndLeavesEachGroupEnteredWithItsChildren) {
  Node root{"r", {}};
  Node& a = root.add("a");
  a.add("a1");
  a.add("a2");
  root.add("b").add("b1");
  root.add("c");
  const std::vector<Case> cases = {
      {{}, {"+r", "+a", "+a1", "-a1", "+a2", "-a2", "-a", "+b", "+b1", "-b1", "-b", "+c", "-c", "-r"}},
      {{{"b", WalkStep::kSkipChildren}, {"a1", WalkStep::kSkipChildren}},
       {"+r", "+a", "+a1", "+a2", "-a2", "-a", "+b", "+c", "-c", "-r"}},
      {{{"a2", WalkStep::kStop}}, {"+r", "+a", "+a1", "-a1", "+a2"}},
      {{{"r", WalkStep::kSkipChildren}}, {"+r"}},
      {{{"r", WalkStep::kStop}}, {"+r"}},
  };
  for (const Case& c : cases) {
    Recorder recorder{c.answers, {}};
    walkGroups(root, recorder);
    EXPECT_EQ(recorder.steps, c.steps) << c.steps.size();
  }
}

// A chain far deeper than any call stack holds, freed by the walk itself: each group lets go
// of its children at its end-of-children step, deepest first.
TEST(WalkGroups, WalksAndFreesAVeryDeepChainWithoutRecursion) {
  constexpr int kDepth = 200000;
  Node root{"0", {}};
  Node* last = &root;
  for (int depth = 1; depth <= kDepth; ++depth) last = &last->add(std::to_string(depth));
  struct Freeing {
    int entered = 0;
    std::vector<std::string> left;
    WalkStep enter(Node&) {
      ++entered;
      return WalkStep::kEnterChildren;
    }
    void leave(Node& node) {
      if (left.size() < 2) left.push_back(node.name);
      node.kids.clear();
    }
  } freeing;
  walkGroups(root, freeing);
  EXPECT_EQ(freeing.entered, kDepth + 1);
  EXPECT_EQ(freeing.left, (std::vector<std::string>{std::to_string(kDepth), std::to_string(kDepth - 1)}));
  EXPECT_TRUE(root.kids.empty());
}

}  // namespace
}  // namespace kalvex
