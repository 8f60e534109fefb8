// Compiling any formula text and evaluating it with a few sets of values. A
// text that does not compile and a value that cannot be worked out raise
// exceptions of the run-time family; a value that is given is finite. The
// first byte chooses the number format.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "parser/FormulaParser.h"
#include "platform/rtl/Exceptions.h"

namespace {

// A, B, C, D, E, X, Y, T.
constexpr double kValues[][8] = {
    {0, 0, 0, 0, 0, 0, 0, 0},
    {1.5, -2, 3, 0.25, 1e3, 2, -0.5, 7},
    {-1e300, 1e-300, 1e18, -7.5, 0.5, 709.5, -745.5, 2147483648.0},
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  TParser parser;
  parser.SetPascalNumberformat(data[0] & 1);
  try {
    parser.SetExpression(std::string(reinterpret_cast<const char*>(data) + 1, size - 1));
  } catch (const Exception&) {
    return 0;
  }
  for (const auto& v : kValues) {
    parser.SetA(v[0]);
    parser.SetB(v[1]);
    parser.SetC(v[2]);
    parser.SetD(v[3]);
    parser.SetE(v[4]);
    parser.SetX(v[5]);
    parser.SetY(v[6]);
    parser.SetT(v[7]);
    try {
      if (!std::isfinite(parser.Value())) std::abort();
    } catch (const Exception&) {
    }
  }
  return 0;
}
