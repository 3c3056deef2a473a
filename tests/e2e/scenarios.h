// The end-to-end scenarios, each a GoogleTest test of its own: it starts
// the program itself and seeds the registry keys it uses; the fixture
// cleans them after it.
#pragma once

#include <gtest/gtest.h>

#include "tests/e2e/app.h"
#include "tests/e2e/stand_in.h"

namespace e2e {

// The programs given on the command line (tests/e2e/driver.cpp).
const Options& TheOptions();

class Scenario : public ::testing::Test {
 protected:
  void TearDown() override { CleanDriverKeys(); }

  const Options& options = TheOptions();
  WineDrawsFrames frames;
};

}  // namespace e2e
