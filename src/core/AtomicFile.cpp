#include "core/AtomicFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <vector>

namespace orvx {

bool WriteAllTo(int fd, std::string_view text) {
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

std::optional<std::string> WriteTemporaryBeside(const std::string& path, const std::string& text) {
  std::string pattern = path + ".XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  const int fd = ::mkstemp(name.data());
  if (fd < 0) return std::nullopt;
  // The rename must never put a file in place whose bytes are not yet on the disk.
  const bool written = WriteAllTo(fd, text) && ::fsync(fd) == 0;
  const bool closed = ::close(fd) == 0;
  if (!written || !closed) {
    std::remove(name.data());
    return std::nullopt;
  }
  return std::string(name.data());
}

bool WriteFileAtomically(const std::string& path, const std::string& text) {
  const auto temporary = WriteTemporaryBeside(path, text);
  if (!temporary) return false;
  if (std::rename(temporary->c_str(), path.c_str()) != 0) {
    std::remove(temporary->c_str());
    return false;
  }
  return true;
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace orvx
