#include "device/CurlHttpClient.h"

#include <curl/curl.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <mutex>

namespace orvx {
namespace {

constexpr long kHttpOk = 200;

/// libcurl's process-wide set-up, once, before the first handle.
void InitCurlOnce() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

/// Where the body goes: a string or a file, never past `limit` bytes.
struct BodySink {
  std::string* text = nullptr;
  std::FILE* file = nullptr;
  std::size_t written = 0;
  std::size_t limit = 0;
  bool overflow = false;
};

std::size_t WriteBody(char* data, std::size_t size, std::size_t count, void* user) {
  auto* sink = static_cast<BodySink*>(user);
  const std::size_t bytes = size * count;
  if (sink->written + bytes > sink->limit) {
    sink->overflow = true;
    return 0;  // ends the transfer with an error
  }
  if (sink->text) sink->text->append(data, bytes);
  if (sink->file && std::fwrite(data, 1, bytes, sink->file) != bytes) return 0;
  sink->written += bytes;
  return bytes;
}

struct CurlDeleter {
  void operator()(CURL* c) const { curl_easy_cleanup(c); }
};
struct SlistDeleter {
  void operator()(curl_slist* l) const { curl_slist_free_all(l); }
};

/// One GET into `sink`; true when it completed with status 200 and nothing was cut.
bool Get(const std::string& url, BodySink& sink, long connectTimeoutS, long timeoutS) {
  InitCurlOnce();
  std::unique_ptr<CURL, CurlDeleter> curl(curl_easy_init());
  if (!curl) return false;
  const auto ticks = std::chrono::duration_cast<std::chrono::milliseconds>(
                         std::chrono::steady_clock::now().time_since_epoch())
                         .count();
  const std::string agent = "Agent" + std::to_string(static_cast<long>(ticks));
  std::unique_ptr<curl_slist, SlistDeleter> headers;
  for (const char* h : {"Accept: */*", "Cache-Control: no-cache", "Pragma: no-cache"})
    headers.reset(curl_slist_append(headers.release(), h));
  CURL* c = curl.get();
  curl_easy_setopt(c, CURLOPT_URL, url.c_str());
  curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(c, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(c, CURLOPT_MAXREDIRS, 5L);
  curl_easy_setopt(c, CURLOPT_USERAGENT, agent.c_str());
  curl_easy_setopt(c, CURLOPT_HTTPHEADER, headers.get());
  curl_easy_setopt(c, CURLOPT_FRESH_CONNECT, 1L);
  curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, connectTimeoutS);
  curl_easy_setopt(c, CURLOPT_TIMEOUT, timeoutS);
  curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, &WriteBody);
  curl_easy_setopt(c, CURLOPT_WRITEDATA, &sink);
  // A body shorter than its announced length ends in CURLE_PARTIAL_FILE: a cut-off transfer fails.
  if (curl_easy_perform(c) != CURLE_OK || sink.overflow) return false;
  long status = 0;
  curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &status);
  return status == kHttpOk;
}

}  // namespace

CCurlHttpClient::CCurlHttpClient(HttpLimits limits) : m_limits(limits) {}

std::optional<std::string> CCurlHttpClient::FetchPageText(const std::string& url) {
  std::string text;
  BodySink sink;
  sink.text = &text;
  sink.limit = m_limits.maxPageBytes;
  if (!Get(url, sink, m_limits.connectTimeoutS, m_limits.pageTimeoutS)) return std::nullopt;
  return text;
}

bool CCurlHttpClient::DownloadToFile(const std::string& url, const std::string& path) {
  const std::string temporary = path + ".part";
  std::FILE* file = std::fopen(temporary.c_str(), "wb");
  if (!file) return false;
  BodySink sink;
  sink.file = file;
  sink.limit = m_limits.maxFileBytes;
  const bool got = Get(url, sink, m_limits.connectTimeoutS, m_limits.downloadTimeoutS);
  const bool closed = std::fclose(file) == 0;
  if (!got || !closed || sink.written == 0 || std::rename(temporary.c_str(), path.c_str()) != 0) {
    std::remove(temporary.c_str());
    return false;
  }
  return true;
}

}  // namespace orvx
