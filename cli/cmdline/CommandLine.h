#pragma once
/// What orvxctl and orvx-sim share on CLI11: numbers and addresses read by the strict, locale-free
/// parsers, errors that name the option and the word, and one parse that yields options, the help
/// asked for, or the one line that went wrong.

#include "CommandLineHelp.h"
#include "core/TextParse.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <charconv>
#include <functional>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace orvx {

/// Reads an option's word; an error text refuses it.
using ReadWord = std::function<std::optional<std::string>(const std::string& word)>;

/// A number as the help and the errors show it ("0.1", "65535").
template <typename T>
std::string NumberWord(T value) {
  char buf[32];
  const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
  return ec == std::errc() ? std::string(buf, end) : std::string();
}

/// An option of one word, read by `read`; a refusal fails the parse as "NAME: reason".
inline CLI::Option* AddWordOption(CLI::App& app, const std::string& name, const std::string& type, ReadWord read,
                                  const std::string& help) {
  const std::string shown = name.substr(name.rfind(',') + 1);  // "--port" of "-p,--port"
  auto* option = app.add_option_function<std::string>(
      name,
      [shown, type, read = std::move(read)](const std::string& word) {
        // CLI11 gives an option the next word whatever it is: another option means the value was left out.
        if (word.rfind("--", 0) == 0) throw CLI::ValidationError(shown, "missing " + type + " before " + word);
        if (const auto error = read(word)) throw CLI::ValidationError(shown, *error);
      },
      help);
  return option->type_name(type);
}

/// A number option within lo..hi, written into `into` (which keeps its default when absent).
template <typename T>
CLI::Option* AddNumberOption(CLI::App& app, const std::string& name, const std::string& type, T& into, T lo, T hi,
                             const std::string& help) {
  return AddWordOption(
      app, name, type,
      [&into, lo, hi](const std::string& word) -> std::optional<std::string> {
        const auto v = ParseNumber<T>(word, lo, hi);
        if (!v) return "'" + word + "' is not a number within " + NumberWord(lo) + ".." + NumberWord(hi);
        into = *v;
        return std::nullopt;
      },
      help);
}

/// An IPv4 address option in dotted-quad form (host names are never resolved).
inline CLI::Option* AddAddressOption(CLI::App& app, const std::string& name, std::string& into,
                                     const std::string& help) {
  return AddWordOption(
      app, name, "IP",
      [&into](const std::string& word) -> std::optional<std::string> {
        if (!IsDottedQuad(word)) return "'" + word + "' is not a dotted-quad address such as 127.0.0.2";
        into = word;
        return std::nullopt;
      },
      help);
}

/// The look both programs share: "usage:" as people type it, an option given twice keeps the last.
inline void ShapeCommandLine(CLI::App& app) {
  app.get_formatter()->label("Usage", "usage");
  app.get_formatter()->column_width(34);
  app.option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
}

/// Parses `args` (the words after the program name) with `app`: nothing when they were read, the
/// help asked for (of the command it was asked on), or the error in one line naming the bad word.
inline std::optional<std::variant<std::string, CommandLineHelp>> ParseCommandLine(CLI::App& app,
                                                                                  std::vector<std::string> args) {
  const auto end = std::find(args.begin(), args.end(), "--");  // after it, every word is a value
  const bool helpAsked =
      std::find_if(args.begin(), end, [](const std::string& w) { return w == "--help" || w == "-h"; }) != end;
  // Whatever no option or command takes ends at the top (a command's unknown options fall
  // through to it), so the first such word can be named.
  app.allow_extras();
  std::reverse(args.begin(), args.end());  // CLI11 takes the words last first
  try {
    app.parse(args);
  } catch (const CLI::CallForHelp&) {
    return CommandLineHelp{app.help()};
  } catch (const CLI::ParseError& e) {
    // Help wins over a bad word beside it; the words were read up to the error, so the command
    // asked about is known.
    if (helpAsked) return CommandLineHelp{app.help()};
    return std::string(e.what());
  }
  const std::vector<std::string> extra = app.remaining();
  if (extra.empty()) return std::nullopt;
  if (helpAsked) return CommandLineHelp{app.help()};
  if (extra.front().rfind('-', 0) == 0) return "unknown option " + extra.front();
  const bool commandless = app.get_subcommands({}).size() > 0 && app.get_subcommands().empty();
  return (commandless ? "unknown command " : "unexpected argument ") + extra.front();
}

}  // namespace orvx
