#pragma once
// One line of an error list as the error window shows it.

#include <string>

struct ErrorLine {
  int code = 0;
  std::string text;
};
