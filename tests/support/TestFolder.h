#pragma once

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/TempFolder.h"

namespace tessaro::testing {

// A temporary folder owned by one test; not getting one fails the test.
class TestFolder : public TempFolder {
 public:
  TestFolder() {
    if (Path().empty()) {
      ADD_FAILURE() << "no temporary folder could be made below " << std::filesystem::temp_directory_path();
    }
  }
};

}  // namespace tessaro::testing
