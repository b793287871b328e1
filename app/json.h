// A small JSON writer for the runner's state dump: objects, arrays, numbers and strings.
#pragma once

#include <concepts>
#include <cstdint>
#include <ranges>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace vepa {

// What JsonWriter::Fields writes as a number, and what as an array of numbers.
template <typename T>
concept JsonWhole = std::integral<T> || std::is_enum_v<T>;
template <typename T>
concept JsonWholes =
    std::ranges::input_range<T> && !std::convertible_to<const T&, std::string_view>;

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

  // A run of fields in the order given, key and value by turns:
  // j.Fields("Phase", Phase, "Caption", utf8, "DartX", DartX). A value is a whole number, a
  // string or a container of whole numbers.
  template <typename Value, typename... More>
  void Fields(std::string_view key, const Value& value, const More&... more) {
    Field(key, value);
    if constexpr (sizeof...(more) > 0) Fields(more...);
  }

  const std::string& Text() const { return out_; }

 private:
  void Open(std::string_view key, char bracket);
  void Close(char bracket);
  void Separator();
  void Key(std::string_view key);
  void Quoted(std::string_view s);
  template <JsonWhole T>
  void Field(std::string_view key, T v) {
    Number(key, static_cast<int64_t>(v));
  }
  void Field(std::string_view key, std::string_view utf8) { String(key, utf8); }
  template <JsonWholes Container>
  void Field(std::string_view key, const Container& values) {
    NumberArray(key, values);
  }
  std::string out_;
  std::vector<bool> first_{true};
};

}  // namespace vepa
