// Values only the editor keeps, on the real session against the simulator: every one of them
// survives a restart of the editor and the full reload a connection brings.
#include "SimSessionFixture.h"
#include "common/TempDir.h"

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/AtomicFile.h"
#include "session/KeptValues.h"

namespace orvx {
namespace {

using KeptValuesAgainstSim = SimSessionFixture;

/// A value other than the start-up one, within the range, differing from record to record (so no
/// two sources clash and a value landing on another record shows).
ParamValue Another(const ParamAddr& a, ParamValue v) {
  const ParamDef& d = Param(a.id);
  if (d.display.kind == DisplayKind::Text) {
    v.text = "KEPT" + std::to_string(a.record);
    return v;
  }
  const std::int32_t span = d.rawMax - d.rawMin + 1;
  std::int32_t raw = d.rawMin + (a.record + a.index + 1) % span;
  if (raw == v.raw) raw = d.rawMin + (raw - d.rawMin + 1) % span;
  v.raw = raw;
  return v;
}

/// The value a full reload gives `a` whatever it was, if it gives one.
std::optional<std::int32_t> SetByFullReload(const ParamAddr& a) {
  if (a.id == ParamId::InPeqOn && a.record < kWireInputs) return 1;
  if ((a.id == ParamId::InHpfKind || a.id == ParamId::InLpfKind) && a.record < kFilterInputs) return 2;
  return std::nullopt;
}

TEST_F(KeptValuesAgainstSim, EveryKeptValueSurvivesARestartAndAFullReload) {
  const test::CTempDir scratch;
  const std::filesystem::path& dir = scratch.Path();
  const std::string file = (dir / "kept-values.txt").string();
  StartSim({});
  StartSession();
  EXPECT_EQ(m_session->KeepValuesIn(file), 0) << "no file yet";
  ChangeRequest change;
  for (const ParamAddr& a : CKeptValues::Addresses()) change.writes.push_back({a, Another(a, ReadParam(Editor(), a))});
  ASSERT_EQ(m_session->Changes().Apply(change), ChangeResult::Applied);
  std::vector<std::pair<ParamAddr, ParamValue>> kept;
  for (const ParamAddr& a : CKeptValues::Addresses()) kept.emplace_back(a, ReadParam(Editor(), a));
  m_session.reset();  // the editor closes before any tick wrote the file

  StartSession();
  EXPECT_EQ(m_session->KeepValuesIn(file), static_cast<int>(kept.size()));
  const auto written = ReadWholeFile(file);
  ASSERT_TRUE(ConnectAfterQueries(1));
  // The names and the reports after the full state arrive too, and the ticks that would write.
  ASSERT_TRUE(Drive([&] { return sim->ReportsSent() >= 3; }, 0));
  int ticks = 0;
  Drive([&] { return ++ticks > 10; }, CConnectionSupervisor::kTickMs);
  for (const auto& [a, v] : kept) {
    SCOPED_TRACE(std::string(Param(a.id).name) + " " + std::to_string(a.record) + " " + std::to_string(a.index));
    // Every full reload sets the EQ flag of inputs 1-12 and the filter kinds of inputs 1-16 by rule
    // (the processor's full state fixes them); every other kept value stays as the editor had it.
    if (const auto forced = SetByFullReload(a))
      EXPECT_EQ(ReadParam(Editor(), a).raw, *forced);
    else
      EXPECT_EQ(ReadParam(Editor(), a), v);
  }
  // A reload and a refresh are no change of the operator's: the file stands as it was.
  m_session.reset();
  EXPECT_EQ(ReadWholeFile(file), written);
}

}  // namespace
}  // namespace orvx
