#include "CtlParamList.h"

#include "CtlParamArgs.h"
#include "CtlJson.h"
#include "session/ParamReport.h"
#include "session/ParamTable.h"

#include <algorithm>
#include <span>
#include <sstream>
#include <vector>

namespace orvx {
namespace {

/// Numbers (from 1) where `on` holds, as runs: "1..12, 17..18"; empty when none.
std::string Runs(const std::vector<bool>& on) {
  std::string text;
  for (std::size_t i = 0; i < on.size(); ++i) {
    if (!on[i]) continue;
    std::size_t j = i;
    while (j + 1 < on.size() && on[j + 1]) ++j;
    if (!text.empty()) text += ", ";
    text += std::to_string(i + 1);
    if (j > i) text += ".." + std::to_string(j + 1);
    i = j;
  }
  return text;
}

template <typename Pred>
std::vector<bool> OverRecords(const ParamDef& d, Pred pred) {
  std::vector<bool> on;
  for (int r = 0; r < d.records; ++r) on.push_back(pred(ParamAddr{d.id, r, 0}));
  return on;
}

template <typename Pred>
std::vector<bool> OverIndices(const ParamDef& d, Pred pred) {
  std::vector<bool> on;
  for (int i = 0; i < d.indices; ++i) on.push_back(pred(ParamAddr{d.id, 0, i}));
  return on;
}

bool All(const std::vector<bool>& on) {
  for (bool b : on) {
    if (!b) return false;
  }
  return true;
}

/// "CH 1..12" or "CH 1..12 BAND 1..4", naming only the parts that do not cover everything.
std::string Where(const ParamDef& d, const std::vector<bool>& records, const std::vector<bool>& indices) {
  std::string text;
  if (!All(records)) text = std::string(RecordWord(d)) + " " + Runs(records);
  if (!All(indices)) text += (text.empty() ? "" : " ") + std::string(IndexWord(d)) + " " + Runs(indices);
  return text;
}

const char* KindName(DisplayKind k) {
  switch (k) {
    case DisplayKind::Number: return "number";
    case DisplayKind::Toggle: return "toggle";
    case DisplayKind::List: return "list";
    case DisplayKind::Text: return "text";
  }
  return "";
}

std::vector<std::string> Captions(std::span<const Caption> items) {
  std::vector<std::string> out;
  for (const Caption& c : items) out.emplace_back(Text(c, Language::English));
  return out;
}

/// Records whose raw range or captions differ from the first record's.
struct Exception {
  std::vector<bool> records;
  std::int32_t rawMax;
  std::vector<std::string> captions;
};

std::vector<Exception> Exceptions(const ParamDef& d) {
  std::vector<Exception> out;
  for (int r = 0; r < d.records; ++r) {
    const std::int32_t max = RawMaxFor(d, r);
    const auto items = d.display.kind == DisplayKind::List ? ItemsFor(d, r) : d.display.items;
    if (max == RawMaxFor(d, 0) && items.data() == d.display.items.data()) continue;
    const auto captions = Captions(items);
    if (out.empty() || out.back().rawMax != max || out.back().captions != captions)
      out.push_back({std::vector<bool>(static_cast<std::size_t>(d.records), false), max, captions});
    out.back().records[static_cast<std::size_t>(r)] = true;
  }
  return out;
}

std::string CommandLetter(const ParamDef& d) {
  for (int r = 0; r < d.records; ++r) {
    const auto keys = CommandsFor({d.id, r, 0});
    if (!keys.empty()) return std::string(1, keys.front().letter);
  }
  return "state only";
}

const char* ReportName(ReportedBy by) {
  switch (by) {
    case ReportedBy::Z: return "Z";
    case ReportedBy::Y: return "Y";
    case ReportedBy::None: break;
  }
  return "none";
}

ReportedBy ReportOfAny(const ParamDef& d) {
  for (int r = 0; r < d.records; ++r) {
    if (const ReportedBy by = ReportOf({d.id, r, 0}); by != ReportedBy::None) return by;
  }
  return ReportedBy::None;
}

std::string JoinCaptions(const std::vector<std::string>& items) {
  std::string out;
  for (std::size_t i = 0; i < items.size(); ++i) out += (i ? "|" : "") + items[i];
  return out;
}

struct Facts {
  std::string address, units, shownMin, shownMax, command, commandWhere, report, reportWhere;
  std::vector<std::string> captions;
  std::vector<Exception> exceptions;
};

Facts FactsOf(const ParamDef& d) {
  Facts f;
  f.address = AddressForm(d);
  f.units = d.display.kind == DisplayKind::Number ? UnitText(d) : "";
  if (d.display.kind != DisplayKind::Text) {
    f.shownMin = FormatParam({d.id, 0, 0}, {d.rawMin, {}}, Language::English);
    f.shownMax = FormatParam({d.id, 0, 0}, {d.rawMax, {}}, Language::English);
  }
  f.captions = Captions(d.display.items);
  f.exceptions = Exceptions(d);
  f.command = CommandLetter(d);
  auto carried = [](const ParamAddr& a) { return !CommandsFor(a).empty(); };
  if (f.command != "state only") f.commandWhere = Where(d, OverRecords(d, carried), OverIndices(d, carried));
  const ReportedBy by = ReportOfAny(d);
  f.report = ReportName(by);
  auto reported = [](const ParamAddr& a) { return ReportOf(a) != ReportedBy::None; };
  if (by != ReportedBy::None) f.reportWhere = Where(d, OverRecords(d, reported), OverIndices(d, reported));
  return f;
}

CtlJson JsonOf(const ParamDef& d, const Facts& f) {
  auto count = [](std::string_view word, int n) {
    return word.empty() ? CtlJson(nullptr) : CtlJson{{"word", word}, {"first", 1}, {"last", n}};
  };
  const bool text = d.display.kind == DisplayKind::Text;
  CtlJson exceptions = CtlJson::array();
  for (const Exception& e : f.exceptions)
    exceptions.push_back({{"records", Runs(e.records)}, {"rawMax", e.rawMax}, {"captions", e.captions}});
  return {{"name", d.name},
          {"address", f.address},
          {"record", count(RecordWord(d), d.records)},
          {"index", count(IndexWord(d), d.indices)},
          {"kind", KindName(d.display.kind)},
          {"rawMin", text ? CtlJson(nullptr) : CtlJson(d.rawMin)},
          {"rawMax", text ? CtlJson(nullptr) : CtlJson(d.rawMax)},
          {"min", f.shownMin},
          {"max", f.shownMax},
          {"unit", f.units},
          {"captions", f.captions},
          {"exceptions", exceptions},
          {"command", f.command},
          {"commandOnly", f.commandWhere},
          {"readBack", f.report},
          {"readBackOnly", f.reportWhere}};
}

void WriteText(std::ostringstream& o, const ParamDef& d, const Facts& f) {
  std::string line = f.address;
  line.resize(std::max<std::size_t>(line.size() + 1, 30), ' ');
  if (d.display.kind == DisplayKind::Text) {
    line += "text (8 GBK bytes)";
  } else {
    line += "raw " + std::to_string(d.rawMin) + ".." + std::to_string(d.rawMax);
    if (d.display.kind == DisplayKind::Number) line += " = " + f.shownMin + " .. " + f.shownMax;
    if (!f.captions.empty()) line += std::string(" ") + KindName(d.display.kind) + " " + JoinCaptions(f.captions);
    for (const Exception& e : f.exceptions) {
      line += " (" + std::string(RecordWord(d)) + " " + Runs(e.records) + ": raw " + std::to_string(d.rawMin) + ".." +
              std::to_string(e.rawMax);
      if (!e.captions.empty()) line += " " + JoinCaptions(e.captions);
      line += ")";
    }
  }
  line += "; command " + f.command;
  if (!f.commandWhere.empty()) line += " (" + f.commandWhere + ")";
  line += "; read back " + f.report;
  if (!f.reportWhere.empty()) line += " (" + f.reportWhere + ")";
  o << line << "\n";
}

}  // namespace

std::string FormatParamList(bool json) {
  std::ostringstream o;
  // JSON: one entry a line, so a line-oriented tool can pick one out.
  if (json) o << "{\"params\":[";
  bool first = true;
  for (const ParamDef& d : AllParams()) {
    const Facts f = FactsOf(d);
    if (json)
      o << (first ? "" : ",") << "\n" << JsonText(JsonOf(d, f));
    else
      WriteText(o, d, f);
    first = false;
  }
  if (json) o << "\n]}\n";
  return o.str();
}

}  // namespace orvx
