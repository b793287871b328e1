#include "app/json.h"

#include <cmath>
#include <cstdio>

namespace vepa {

void JsonWriter::Separator() {
  if (!first_.back()) out_ += ',';
  first_.back() = false;
}

void JsonWriter::Quoted(std::string_view s) {
  out_ += '"';
  for (unsigned char c : s) {
    if (c == '"' || c == '\\') {
      out_ += '\\';
      out_ += static_cast<char>(c);
    } else if (c < 0x20) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\u%04x", c);
      out_ += buf;
    } else {
      out_ += static_cast<char>(c);
    }
  }
  out_ += '"';
}

void JsonWriter::Key(std::string_view key) {
  Separator();
  if (!key.empty()) {
    Quoted(key);
    out_ += ':';
  }
}

void JsonWriter::Open(std::string_view key, char bracket) {
  Key(key);
  out_ += bracket;
  first_.push_back(true);
}

void JsonWriter::Close(char bracket) {
  first_.pop_back();
  out_ += bracket;
}

void JsonWriter::BeginObject(std::string_view key) { Open(key, '{'); }
void JsonWriter::EndObject() { Close('}'); }
void JsonWriter::BeginArray(std::string_view key) { Open(key, '['); }
void JsonWriter::EndArray() { Close(']'); }

void JsonWriter::Number(std::string_view key, int64_t v) {
  Key(key);
  out_ += std::to_string(v);
}

void JsonWriter::Number(int64_t v) { Number({}, v); }

void JsonWriter::Real(std::string_view key, double v) {
  Key(key);
  if (!std::isfinite(v)) {
    out_ += "null";
    return;
  }
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.9g", v);
  out_ += buf;
}

void JsonWriter::Real(double v) { Real({}, v); }

void JsonWriter::String(std::string_view key, std::string_view utf8) {
  Key(key);
  Quoted(utf8);
}

void JsonWriter::String(std::string_view utf8) { String({}, utf8); }

}  // namespace vepa
