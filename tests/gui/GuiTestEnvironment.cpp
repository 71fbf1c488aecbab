// Destroys the shared QApplication once every test has run.
#include <gtest/gtest.h>

#include "GuiTestUtil.h"

namespace {

class GuiTestEnvironment final : public ::testing::Environment {
public:
  void TearDown() override {
    delete orvx::test::AppSlot();
    orvx::test::AppSlot() = nullptr;
  }
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new GuiTestEnvironment);

}  // namespace
