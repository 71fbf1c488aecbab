#include "device/SearchMissText.h"

#include "link/SocketErrorText.h"

#include "device/SearchSubnet.h"

namespace orvx {
namespace {

std::string N(long v) { return std::to_string(v); }

/// True when the PC's own address lies in the probed range (and so was skipped).
bool OwnHostInRange(const SearchFacts& f) {
  const auto own = SubnetOf(f.ownIp);
  return own && own->prefix == f.prefix && own->ownHost >= f.firstHost && own->ownHost <= f.lastHost;
}

std::string English(const SearchFacts& f) {
  const std::string port = N(f.port);
  std::string t = "No processor answered the search.\nWhat was searched:\n";
  t += "- " + (f.interfaceName.empty() ? std::string("the given subnet") : "interface " + f.interfaceName) +
       " (this PC: " + (f.ownIp.empty() ? std::string("not in this subnet") : f.ownIp) + "), subnet " + f.prefix +
       ".0/24, hosts " + N(f.firstHost) + " to " + N(f.lastHost) + "\n";
  t += "- " + N(f.hostsProbed) + " hosts probed with " + N(f.probesSent) + " probes" +
       (OwnHostInRange(f) ? "; this PC's own address was skipped" : "") + "\n";
  t += "- UDP port " + port + " was free and the search listened on it\n";
  if (f.cancelled) t += "- the search was cancelled before it reached every host\n";
  t += "What to check:\n";
  t += "- the network cable and the link lamps on the processor and on this PC\n";
  t += "- the processor is powered on and has finished starting\n";
  t += "- the processor and this PC are in the same subnet (" + f.prefix + ".x)\n";
  t += "- the firewall lets UDP port " + port + " through in both directions\n";
  return t;
}

std::string Chinese(const SearchFacts& f) {
  const std::string port = N(f.port);
  std::string t = "搜索未发现任何处理器。\n本次搜索：\n";
  t += "- " + (f.interfaceName.empty() ? std::string("指定的网段") : "网络接口 " + f.interfaceName) + "（本机：" +
       (f.ownIp.empty() ? std::string("不在此网段") : f.ownIp) + "），网段 " + f.prefix + ".0/24，主机 " +
       N(f.firstHost) + " 至 " + N(f.lastHost) + "\n";
  t += "- 已探测 " + N(f.hostsProbed) + " 台主机，共发送 " + N(f.probesSent) + " 个探测包" +
       (OwnHostInRange(f) ? "；已跳过本机地址" : "") + "\n";
  t += "- UDP 端口 " + port + " 空闲，搜索已在该端口监听\n";
  if (f.cancelled) t += "- 搜索在探测完所有主机之前被取消\n";
  t += "请检查：\n";
  t += "- 处理器和本机的网线及网口指示灯\n";
  t += "- 处理器已通电并已完成启动\n";
  t += "- 处理器与本机在同一网段（" + f.prefix + ".x）\n";
  t += "- 防火墙允许 UDP 端口 " + port + " 双向通过\n";
  return t;
}

}  // namespace

std::string ExplainSearchMiss(const SearchFacts& facts, Language language) {
  return language == Language::Chinese ? Chinese(facts) : English(facts);
}

BilingualText PortInUseReason(std::uint16_t port) {
  return {"port " + N(port) + " " + captions::kPortHeldElsewhere.en,
          "本机端口 " + N(port) + " " + captions::kPortHeldElsewhere.zh};
}

BilingualText OwnLinkHoldsPortReason(std::uint16_t port) {
  return {"port " + N(port) +
              " is still held by this editor's own connection while it finishes sending to the "
              "processor; search again when the progress bar has finished",
          "本机端口 " + N(port) + " 仍由本编辑器的连接占用，正在向处理器发送；请在进度条结束后再搜索"};
}

BilingualText NoInterfaceReason() {
  return {"no active network interface with an IPv4 address was found on this PC", "本机没有已启用的 IPv4 网络接口"};
}

}  // namespace orvx
