// Creates the one QApplication before any test (fixtures construct widgets as members) and
// destroys it after the last.
#include "UiTestSupport.h"

#include <gtest/gtest.h>

namespace {

class QtEnvironment : public ::testing::Environment {
public:
  void SetUp() override { orvx::test::App(); }
  void TearDown() override {
    delete orvx::test::AppSlot();
    orvx::test::AppSlot() = nullptr;
  }
};

[[maybe_unused]] ::testing::Environment* const kQtEnvironment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

}  // namespace
