#include <gtest/gtest.h>
#include <stdlib.h>

#include <memory>

#include "host/host.h"

namespace kalvex {
namespace {

// Windows compares the names of environment variables without case; so does its host.
TEST(OperatingSystemEnvironment, FindsAVariableWhateverTheCaseOfItsName) {
  ASSERT_EQ(_putenv_s("KalvexMixedCase", "C:\\sdk"), 0);
  const std::unique_ptr<Host> host = makeOperatingSystemHost();
  for (const char* name : {"KalvexMixedCase", "KALVEXMIXEDCASE", "kalvexmixedcase"}) {
    EXPECT_EQ(host->environmentVariable(name), std::optional<std::string>("C:\\sdk")) << name;
  }
  EXPECT_EQ(host->environmentVariable("KalvexMixedCas"), std::nullopt);
  _putenv_s("KalvexMixedCase", "");
}

}  // namespace
}  // namespace kalvex
