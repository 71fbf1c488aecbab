#include "session/AppOptions.h"

#include <cstdio>

namespace orvx {

std::string AppUsage() {
  return "Usage: orvx-editor [options]\n"
         "The ORVX-64Q editor: every setting of the processor and its conference units, live meters,\n"
         "presets and scenes.\n"
         "\n"
         "Options:\n"
         "  --demo             start orvx-sim on 127.0.0.2 and connect to it\n"
         "  --device IP        processor address for this run\n"
         "  --local-ip IP      local address the link binds\n"
         "  --search-subnet A.B.C  subnet the SYSTEM page's search probes (default: the PC's active\n"
         "                     non-loopback interface; the demo searches 127.0.0)\n"
         "  --data-dir DIR     presets, scenes and firmware (default $XDG_DATA_HOME/orvx-editor)\n"
         "  --lang en|zh       caption language\n"
         "  --screenshot DIR   render every view to DIR as PNG files and exit\n"
         "  --screenshot-size WxH  window size of the screenshots (default 1920x1080)\n"
         "  --only NAME        render only the views whose file name contains NAME\n"
         "  --help             this text\n";
}

AppOptionsResult ParseAppOptions(const std::vector<std::string>& args) {
  AppOptionsResult r;
  AppOptions& o = r.options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&](std::string& out) {
      if (i + 1 >= args.size() || args[i + 1].empty()) {
        r.error = a + " needs a value";
        return false;
      }
      out = args[++i];
      return true;
    };
    std::string v;
    if (a == "--demo") {
      o.demo = true;
    } else if (a == "--help" || a == "-h") {
      o.help = true;
    } else if (a == "--device" || a == "--local-ip") {
      if (!value(v)) return r;
      if (!IsDottedQuad(v)) {
        r.error = a + ": not an IPv4 address: " + v;
        return r;
      }
      (a == "--device" ? o.deviceIp : o.localIp) = v;
    } else if (a == "--search-subnet") {
      if (!value(v)) return r;
      if (!IsDottedQuad(v + ".1")) {
        r.error = "--search-subnet must be the first three bytes of an IPv4 address, e.g. 127.0.0";
        return r;
      }
      o.searchSubnet = v;
    } else if (a == "--data-dir") {
      if (!value(v)) return r;
      o.dataDir = v;
    } else if (a == "--screenshot") {
      if (!value(v)) return r;
      o.screenshotDir = v;
    } else if (a == "--screenshot-size") {
      if (!value(v)) return r;
      int w = 0, h = 0;
      char x = 0, rest = 0;
      if (std::sscanf(v.c_str(), "%d%c%d%c", &w, &x, &h, &rest) != 3 || x != 'x' || w < 640 || h < 480 || w > 8192 ||
          h > 8192) {
        r.error = "--screenshot-size must be WIDTHxHEIGHT, at least 640x480";
        return r;
      }
      o.screenshotWidth = w;
      o.screenshotHeight = h;
    } else if (a == "--only") {
      if (!value(v)) return r;
      o.screenshotOnly = v;
    } else if (a == "--lang") {
      if (!value(v)) return r;
      if (v == "en")
        o.language = Language::English;
      else if (v == "zh")
        o.language = Language::Chinese;
      else {
        r.error = "--lang must be en or zh";
        return r;
      }
    } else {
      r.error = "unknown option: " + a;
      return r;
    }
  }
  if (o.demo && o.deviceIp) {
    r.error = "--demo and --device cannot be combined";
    return r;
  }
  return r;
}

}  // namespace orvx
