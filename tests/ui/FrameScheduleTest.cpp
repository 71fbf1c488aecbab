// When the meters' next frame is due: at once for new values (at most ~30 a second), later for
// motion alone while reports flow, never while nothing moves.
#include "ui/FrameSchedule.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace orvx {
namespace {

constexpr int kInterval = CFrameSchedule::kIntervalMs;
constexpr int kAwait = CFrameSchedule::kAwaitReportMs;

/// One step of a case: values arrive at `at`, a frame is delivered at `at` (`moving` after it), or
/// the window is awake anyway at `at`.
struct Step {
  enum Kind { Values, Frame, Awake } kind;
  std::int64_t at;
  bool moving = false;
};

struct Case {
  const char* name;
  std::vector<Step> steps;
  std::optional<std::int64_t> next;  ///< NextFrameAt after the steps
  std::int64_t probe;                ///< ElapsedAt(probe) ...
  int elapsed;                       ///< ... is this
};

TEST(FrameSchedule, NextFrameFollowsValuesAndMotionOnly) {
  using S = Step;
  const Case cases[] = {
      {"nothing ever arrived", {}, std::nullopt, 500, 0},
      {"first values: a frame at once", {{S::Values, 100}}, 100, 100, 0},
      {"the first arrival counts, not the last", {{S::Values, 100}, {S::Values, 120}}, 100, 130, 30},
      {"a frame that left nothing moving ends the frames",
       {{S::Values, 100}, {S::Frame, 100, false}},
       std::nullopt,
       900,
       0},
      {"values soon after a frame wait for the interval",
       {{S::Values, 100}, {S::Frame, 100, false}, {S::Values, 110}},
       100 + kInterval,
       100 + kInterval,
       kInterval - 10},
      {"values long after a frame come at once",
       {{S::Values, 100}, {S::Frame, 100, false}, {S::Values, 400}},
       400,
       400,
       0},
      {"motion after new values waits for the next report",
       {{S::Values, 100}, {S::Frame, 100, true}},
       100 + kAwait,
       100 + kAwait,
       kAwait},
      {"a report before that carries the motion",
       {{S::Values, 100}, {S::Frame, 100, true}, {S::Values, 150}},
       150,
       150,
       50},
      {"motion alone goes on at the interval",
       {{S::Values, 100}, {S::Frame, 100, true}, {S::Frame, 100 + kAwait, true}},
       100 + kAwait + kInterval,
       100 + kAwait + kInterval,
       kInterval},
      {"a wake-up carries the motion once the rate allows",
       {{S::Values, 100}, {S::Frame, 100, true}, {S::Awake, 140}},
       140,
       140,
       40},
      {"a wake-up too soon after a frame leaves the motion where it was",
       {{S::Values, 100}, {S::Frame, 100, true}, {S::Awake, 120}},
       100 + kAwait,
       120,
       20},
      {"a wake-up with nothing moving brings no frame",
       {{S::Values, 100}, {S::Frame, 100, false}, {S::Awake, 400}},
       std::nullopt,
       400,
       0},
      {"motion that ends stops the frames",
       {{S::Values, 100}, {S::Frame, 100, true}, {S::Frame, 166, true}, {S::Frame, 199, false}},
       std::nullopt,
       300,
       0},
  };
  for (const Case& c : cases) {
    CFrameSchedule schedule;
    for (const Step& s : c.steps) {
      if (s.kind == Step::Values)
        schedule.ValuesArrived(s.at);
      else if (s.kind == Step::Awake)
        schedule.OfferFrame(s.at);
      else
        schedule.FrameDone(s.at, s.moving);
    }
    EXPECT_EQ(schedule.NextFrameAt(), c.next) << c.name;
    EXPECT_EQ(schedule.ElapsedAt(c.probe), c.elapsed) << c.name;
  }
}

TEST(FrameSchedule, ReportsAtTwentyAHertzMakeOneFramePerReportAndNoneBetween) {
  // Reports every 50 ms, peaks always falling; every third report brings no new value to show.
  CFrameSchedule schedule;
  std::int64_t now = 0;
  for (int report = 0; report < 30; ++report, now += 50) {
    if (report % 3 != 2) schedule.ValuesArrived(now);
    schedule.OfferFrame(now);
    ASSERT_EQ(schedule.NextFrameAt(), now) << "a frame with report " << report;
    schedule.FrameDone(now, true);
    EXPECT_GT(*schedule.NextFrameAt(), now + 50) << "no frame of its own before the next report";
  }
}

}  // namespace
}  // namespace orvx
