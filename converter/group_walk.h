// The one walk over a group tree: depth first, children in list order, on a work stack of its
// own instead of recursion, so that no depth of nesting exhausts the stack.
#ifndef KALVEX_GROUP_WALK_H
#define KALVEX_GROUP_WALK_H

#include <cstddef>
#include <vector>

namespace kalvex {

// What the walk does after a visitor has entered a group.
enum class WalkStep {
  kEnterChildren,  // walk the group's children, then take the group's end-of-children step
  kSkipChildren,   // go on with the group's next sibling; no end-of-children step
  kStop,           // end the walk at once; no further step of any kind
};

// Calls visitor.enter(group) for root and every group below it, parents before children, and
// visitor.leave(group) after the last child of each group entered with kEnterChildren (also
// when it has none). Group is ProjectGroup or const ProjectGroup. The walk holds no reference
// to a group's children past the group's end-of-children step, so leave may free them.
template <typename Group, typename Visitor>
void walkGroups(Group& root, Visitor& visitor) {
  struct Frame {
    Group* group;
    std::size_t next;
  };
  if (visitor.enter(root) != WalkStep::kEnterChildren) return;
  std::vector<Frame> frames{{&root, 0}};
  while (!frames.empty()) {
    Frame& top = frames.back();
    if (top.next == top.group->children().size()) {
      Group& done = *top.group;
      frames.pop_back();
      visitor.leave(done);
      continue;
    }
    Group& child = *top.group->children()[top.next++];
    const WalkStep step = visitor.enter(child);
    if (step == WalkStep::kStop) return;
    if (step == WalkStep::kEnterChildren) frames.push_back({&child, 0});
  }
}

}  // namespace kalvex

#endif
