// What must hold for every window's design table as a whole: unique names,
// containers before what they contain, tab indexes without gaps or repeats,
// no two sibling controls overlapping, every control inside its container.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "ui/about/form4.h"
#include "ui/main/form1.h"
#include "ui/pergame/form2.h"

namespace movarin_test {
namespace {

struct Rect {
  int left, top, right, bottom;
};

Rect RectOf(const forms::ControlDesign& c) {
  return {c.left, c.top, c.left + c.width, c.top + c.height};
}

bool Overlap(const Rect& a, const Rect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom &&
         b.top < a.bottom;
}

class DesignTest : public ::testing::TestWithParam<const forms::WindowDesign*> {
};

TEST_P(DesignTest, IsAConsistentTable) {
  const forms::WindowDesign& window = *GetParam();
  std::set<std::string> seen;
  std::vector<int> tabIndexes;
  for (const forms::ControlDesign& c : window.controls) {
    SCOPED_TRACE(c.name);
    const std::string container = c.container;
    EXPECT_TRUE(container.empty() || seen.count(container))
        << "container " << container << " must come first";
    EXPECT_TRUE(seen.insert(c.name).second) << "name repeated";
    if (c.tabIndex >= 0) tabIndexes.push_back(c.tabIndex);

    // Inside its container: the window's client area or a frame.
    Rect bounds{0, 0, window.clientWidth, window.clientHeight};
    for (const forms::ControlDesign& f : window.controls)
      if (container == f.name) bounds = {0, 0, f.width, f.height};
    const Rect r = RectOf(c);
    EXPECT_GE(r.left, bounds.left);
    EXPECT_GE(r.top, bounds.top);
    EXPECT_LE(r.right, bounds.right);
    EXPECT_LE(r.bottom, bounds.bottom);

    for (const forms::ControlDesign& other : window.controls) {
      if (&other == &c || container != other.container) continue;
      EXPECT_FALSE(Overlap(r, RectOf(other))) << "overlaps " << other.name;
    }
  }
  std::sort(tabIndexes.begin(), tabIndexes.end());
  for (std::size_t i = 0; i < tabIndexes.size(); ++i)
    EXPECT_EQ(tabIndexes[i], static_cast<int>(i)) << "tab indexes 0..n-1";
}

INSTANTIATE_TEST_SUITE_P(Windows, DesignTest,
                         ::testing::Values(&kForm1Design, &kForm2Design,
                                           &kForm4Design),
                         [](const auto& info) {
                           return std::string(info.param->name);
                         });

}  // namespace
}  // namespace movarin_test
