#include "device/SearchSubnet.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>

#include <array>

#include "core/TextParse.h"

namespace orvx {

std::optional<SearchSubnet> SubnetOf(const std::string& ip) {
  if (!IsDottedQuad(ip)) return std::nullopt;
  const std::size_t lastDot = ip.rfind('.');
  const std::optional<int> host = ParseNumber<int>(std::string_view(ip).substr(lastDot + 1), 0, 255);
  if (!host) return std::nullopt;
  SearchSubnet s;
  s.ownIp = ip;
  s.prefix = ip.substr(0, lastDot);
  s.ownHost = *host;
  return s;
}

std::optional<SearchSubnet> PickSearchInterface(const std::vector<InterfaceAddress>& addresses) {
  for (const InterfaceAddress& a : addresses) {
    if (!a.up || !a.running || a.loopback) continue;
    std::optional<SearchSubnet> s = SubnetOf(a.ip);
    if (!s) continue;
    s->interfaceName = a.name;
    return s;
  }
  return std::nullopt;
}

std::vector<InterfaceAddress> CSystemSubnetProvider::ListAddresses() {
  std::vector<InterfaceAddress> out;
  ifaddrs* list = nullptr;
  if (getifaddrs(&list) != 0) return out;
  for (const ifaddrs* a = list; a != nullptr; a = a->ifa_next) {
    if (a->ifa_addr == nullptr || a->ifa_addr->sa_family != AF_INET) continue;
    std::array<char, INET_ADDRSTRLEN> text{};
    const auto* in = reinterpret_cast<const sockaddr_in*>(a->ifa_addr);
    if (inet_ntop(AF_INET, &in->sin_addr, text.data(), text.size()) == nullptr) continue;
    out.push_back(InterfaceAddress{a->ifa_name ? a->ifa_name : "", text.data(), (a->ifa_flags & IFF_UP) != 0,
                                   (a->ifa_flags & IFF_RUNNING) != 0, (a->ifa_flags & IFF_LOOPBACK) != 0});
  }
  freeifaddrs(list);
  return out;
}

std::optional<SearchSubnet> CSystemSubnetProvider::FindSubnet() { return PickSearchInterface(ListAddresses()); }

}  // namespace orvx
