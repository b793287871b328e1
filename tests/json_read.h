// Reading numbers back out of the runner's JSON in tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace vepa::testing {

// The whole number after the first "key": in a JSON text; -1 and a test failure when missing.
inline long long JsonInt(const std::string& json, const std::string& key) {
  const std::string k = "\"" + key + "\":";
  const size_t at = json.find(k);
  if (at == std::string::npos) {
    ADD_FAILURE() << "no " << key << " in " << json;
    return -1;
  }
  return std::strtoll(json.c_str() + at + k.size(), nullptr, 10);
}

// The numbers of the first "key":[...] array (a flat one; nested arrays are read flattened).
inline std::vector<long long> JsonInts(const std::string& json, const std::string& key) {
  std::vector<long long> out;
  const std::string k = "\"" + key + "\":[";
  const size_t at = json.find(k);
  if (at == std::string::npos) {
    ADD_FAILURE() << "no array " << key << " in " << json;
    return out;
  }
  const char* p = json.c_str() + at + k.size();
  int depth = 1;
  while (*p && depth > 0) {
    if (*p == '[') {
      ++depth;
      ++p;
    } else if (*p == ']') {
      --depth;
      ++p;
    } else if (*p == ',' || *p == ' ') {
      ++p;
    } else {
      char* end = nullptr;
      const long long v = std::strtoll(p, &end, 10);
      if (end == p) break;
      out.push_back(v);
      p = end;
    }
  }
  return out;
}

}  // namespace vepa::testing
