#include "core/TextParse.h"

#include <arpa/inet.h>

#include <string>

namespace orvx {

bool IsDottedQuad(std::string_view text) {
  in_addr a{};
  return inet_pton(AF_INET, std::string(text).c_str(), &a) == 1;
}

}  // namespace orvx
