#pragma once
// Building component-stream images byte by byte in tests.

#include <initializer_list>
#include <string>
#include <string_view>

// Raw bytes.
inline std::string H(std::initializer_list<int> bytes) {
  std::string s;
  for (int b : bytes) s.push_back(static_cast<char>(b));
  return s;
}

// A short string: length byte and the bytes.
inline std::string S(std::string_view text) {
  return static_cast<char>(text.size()) + std::string(text);
}
