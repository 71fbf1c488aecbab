// Creates the one QApplication before any test (fixtures construct widgets as members).
#include "UiTestSupport.h"

#include <gtest/gtest.h>

namespace {

class QtEnvironment : public ::testing::Environment {
public:
  void SetUp() override { orvx::test::App(); }
};

[[maybe_unused]] ::testing::Environment* const kQtEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtEnvironment);

}  // namespace
