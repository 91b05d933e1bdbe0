#include <gtest/gtest.h>
#include <stdlib.h>

#include "reader/environment.h"

namespace kalvex {
namespace {

// Windows compares the names of environment variables without case; so does the reader.
TEST(SystemEnvironment, FindsAVariableWhateverTheCaseOfItsName) {
  ASSERT_EQ(_putenv_s("KalvexMixedCase", "C:\\sdk"), 0);
  const Environment environment = systemEnvironment();
  for (const char* name : {"KalvexMixedCase", "KALVEXMIXEDCASE", "kalvexmixedcase"}) {
    EXPECT_EQ(environment(name), std::optional<std::string>("C:\\sdk")) << name;
  }
  EXPECT_EQ(environment("KalvexMixedCas"), std::nullopt);
  _putenv_s("KalvexMixedCase", "");
}

}  // namespace
}  // namespace kalvex
