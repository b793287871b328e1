// A small JSON writer for the runner's state dump: objects, arrays, numbers and strings.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vepa {

class JsonWriter {
 public:
  void BeginObject(std::string_view key = {});
  void EndObject();
  void BeginArray(std::string_view key = {});
  void EndArray();
  void Number(std::string_view key, int64_t v);
  void Number(int64_t v);  // inside an array
  // A number with a fraction (positions and speeds kept as floats), shortest exact form.
  void Real(std::string_view key, double v);
  void Real(double v);  // inside an array
  void String(std::string_view key, std::string_view utf8);
  void String(std::string_view utf8);
  template <typename Container>
  void NumberArray(std::string_view key, const Container& values) {
    BeginArray(key);
    for (auto v : values) Number(static_cast<int64_t>(v));
    EndArray();
  }
  const std::string& Text() const { return out_; }

 private:
  void Separator();
  void Key(std::string_view key);
  void Quoted(std::string_view s);
  std::string out_;
  std::vector<bool> first_{true};
};

}  // namespace vepa
