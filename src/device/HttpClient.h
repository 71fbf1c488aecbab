#pragma once
/// HTTP GET for the remote update: the version page and the two image downloads.

#include <optional>
#include <string>

namespace orvx {

class IHttpClient {
public:
  virtual ~IHttpClient() = default;
  /// The page's body, or nothing on any failure (no connection, a status other than 200, a read
  /// cut short, a body larger than the page limit).
  virtual std::optional<std::string> FetchPageText(const std::string& url) = 0;
  /// Writes the body to `path`: first under a temporary name beside it, renamed only once the
  /// status was 200 and the whole, non-empty body arrived. False (and `path` untouched) otherwise.
  virtual bool DownloadToFile(const std::string& url, const std::string& path) = 0;
};

}  // namespace orvx
