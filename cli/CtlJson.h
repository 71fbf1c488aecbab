#pragma once
/// orvxctl's JSON documents, on nlohmann-json. Keys keep the order they are written in, so the
/// documents scripts read stay as they are.

#include <nlohmann/json.hpp>

#include <string>

namespace orvx {

using CtlJson = nlohmann::ordered_json;

/// A document on one line, without spaces; text that is not UTF-8 is replaced, never thrown at.
inline std::string JsonText(const CtlJson& doc) { return doc.dump(-1, ' ', false, CtlJson::error_handler_t::replace); }

/// A document as printed: one line.
inline std::string JsonLine(const CtlJson& doc) { return JsonText(doc) + "\n"; }

}  // namespace orvx
