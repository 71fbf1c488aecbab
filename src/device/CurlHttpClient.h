#pragma once
/// IHttpClient on libcurl: one GET per call, no cache (always from the server), the system's
/// proxy settings, a user-agent "Agent<milliseconds>" and "Accept: */*". Only http and https.

#include <cstddef>

#include "device/HttpClient.h"

namespace orvx {

struct HttpLimits {
  long connectTimeoutS = 10;
  long pageTimeoutS = 30;
  long downloadTimeoutS = 300;
  std::size_t maxPageBytes = 1024 * 1024;
  std::size_t maxFileBytes = 16u * 1024u * 1024u;
};

class CCurlHttpClient final : public IHttpClient {
public:
  explicit CCurlHttpClient(HttpLimits limits = {});
  std::optional<std::string> FetchPageText(const std::string& url) override;
  bool DownloadToFile(const std::string& url, const std::string& path) override;

private:
  HttpLimits m_limits;
};

}  // namespace orvx
