#pragma once
/// `orvxctl params`: every entry of the parameter table as scripts need it — its address form, raw
/// range (with the records whose range differs), units or captions, the command that carries it
/// and the report that reads it back. Everything is derived from the table itself, so the list
/// cannot fall behind it.

#include <string>

namespace orvx {

std::string FormatParamList(bool json);

}  // namespace orvx
