#pragma once
/// A strict reader of the JSON orvxctl prints, enough to check its shape: objects, arrays,
/// strings (with \" \\ and \u escapes kept as written), numbers, true, false and null.

#include <cctype>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvx::test {

struct Json {
  enum Kind { Null, Bool, Number, String, Array, Object } kind = Null;
  double number = 0;
  std::string text;
  std::vector<Json> items;
  std::map<std::string, Json> fields;
  bool Has(const std::string& key) const { return fields.count(key) != 0; }
  const Json& operator[](const std::string& key) const { return fields.at(key); }
};

class JsonReader {
public:
  /// The whole text as one value, or nothing when it is not valid JSON.
  static std::optional<Json> Read(std::string_view text) {
    JsonReader r(text);
    Json v;
    if (!r.Value(v)) return std::nullopt;
    r.Blank();
    if (r.m_at != text.size()) return std::nullopt;
    return v;
  }

private:
  explicit JsonReader(std::string_view t) : m_t(t) {}

  void Blank() {
    while (m_at < m_t.size() && std::isspace(static_cast<unsigned char>(m_t[m_at]))) ++m_at;
  }
  bool Eat(char c) {
    Blank();
    if (m_at < m_t.size() && m_t[m_at] == c) {
      ++m_at;
      return true;
    }
    return false;
  }
  bool Word(std::string_view w) {
    if (m_t.substr(m_at, w.size()) != w) return false;
    m_at += w.size();
    return true;
  }
  bool Str(std::string& out) {
    if (!Eat('"')) return false;
    while (m_at < m_t.size() && m_t[m_at] != '"') {
      const char c = m_t[m_at++];
      if (static_cast<unsigned char>(c) < 0x20) return false;
      if (c == '\\') {
        if (m_at >= m_t.size() || std::string_view("\"\\/bfnrtu").find(m_t[m_at]) == std::string_view::npos)
          return false;
        out += c;
        out += m_t[m_at++];
        continue;
      }
      out += c;
    }
    return Eat('"');
  }
  bool Value(Json& v) {
    Blank();
    if (m_at >= m_t.size()) return false;
    const char c = m_t[m_at];
    if (c == '{') {
      ++m_at;
      v.kind = Json::Object;
      if (Eat('}')) return true;
      do {
        std::string key;
        Json item;
        if (!Str(key) || !Eat(':') || !Value(item) || v.fields.count(key)) return false;
        v.fields.emplace(key, std::move(item));
      } while (Eat(','));
      return Eat('}');
    }
    if (c == '[') {
      ++m_at;
      v.kind = Json::Array;
      if (Eat(']')) return true;
      do {
        v.items.emplace_back();
        if (!Value(v.items.back())) return false;
      } while (Eat(','));
      return Eat(']');
    }
    if (c == '"') {
      v.kind = Json::String;
      return Str(v.text);
    }
    if (Word("true") || Word("false")) {
      v.kind = Json::Bool;
      v.number = m_t[m_at - 1] == 'e' && m_t[m_at - 2] == 'u';
      return true;
    }
    if (Word("null")) return true;
    std::size_t end = m_at;
    while (end < m_t.size() && std::string_view("+-.eE0123456789").find(m_t[end]) != std::string_view::npos) ++end;
    if (end == m_at) return false;
    v.kind = Json::Number;
    try {
      std::size_t used = 0;
      v.number = std::stod(std::string(m_t.substr(m_at, end - m_at)), &used);
      if (used != end - m_at) return false;
    } catch (...) {
      return false;
    }
    m_at = end;
    return true;
  }

  std::string_view m_t;
  std::size_t m_at = 0;
};

}  // namespace orvx::test
