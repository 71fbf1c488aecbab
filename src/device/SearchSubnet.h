#pragma once
/// Where a device search looks: the PC's network interface, its /24 subnet and its own host number.

#include <optional>
#include <string>
#include <vector>

namespace orvx {

/// One IPv4 address of one network interface, as the system lists it.
struct InterfaceAddress {
  std::string name;  ///< interface name, e.g. "eth0"
  std::string ip;    ///< dotted quad
  bool up = false;
  bool running = false;
  bool loopback = false;
};

/// The subnet a search probes.
struct SearchSubnet {
  std::string interfaceName;
  std::string ownIp;   ///< the PC's address on that interface; never probed
  std::string prefix;  ///< first three bytes, "a.b.c"
  int ownHost = -1;    ///< last byte of ownIp, -1 when the PC has no address there
};

/// Splits a dotted quad into its subnet prefix "a.b.c" and host byte; nothing for other text.
std::optional<SearchSubnet> SubnetOf(const std::string& ip);

/// The first interface that is up, running and not loopback, with its subnet. Nothing when the PC
/// has no such IPv4 interface (then there is nowhere sensible to search).
std::optional<SearchSubnet> PickSearchInterface(const std::vector<InterfaceAddress>& addresses);

/// Says where to search; the real one asks the system, tests and scripts give fixed values.
class ISubnetProvider {
public:
  virtual ~ISubnetProvider() = default;
  virtual std::optional<SearchSubnet> FindSubnet() = 0;
};

/// The PC's active non-loopback IPv4 interface (getifaddrs).
class CSystemSubnetProvider final : public ISubnetProvider {
public:
  std::optional<SearchSubnet> FindSubnet() override;
  /// Every IPv4 address of every interface, in the system's order.
  static std::vector<InterfaceAddress> ListAddresses();
};

/// A subnet given by the caller (a loopback subnet in tests, `--subnet` in scripts).
class CFixedSubnetProvider final : public ISubnetProvider {
public:
  explicit CFixedSubnetProvider(SearchSubnet subnet) : m_subnet(std::move(subnet)) {}
  std::optional<SearchSubnet> FindSubnet() override { return m_subnet; }

private:
  SearchSubnet m_subnet;
};

}  // namespace orvx
