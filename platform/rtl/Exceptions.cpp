#include "platform/rtl/Exceptions.h"

#include "platform/rtl/FloatChecks.h"

void ThrowListIndexError(long long index) {
  throw EListError("Índice de lista fora dos limites (" + std::to_string(index) + ")");
}

void RaiseZeroDivide() {
  throw EZeroDivide(kMsgZeroDivide);
}
void RaiseInvalidOp() {
  throw EInvalidOp(kMsgInvalidOp);
}
void RaiseOverflow() {
  throw EOverflow(kMsgOverflow);
}

std::int64_t IntDiv(std::int64_t a, std::int64_t b) {
  if (b == 0) throw EDivByZero(kMsgZeroDivide);
  if (a == INT64_MIN && b == -1) throw EIntOverflow("Estouro de inteiro.");
  return a / b;
}

std::int64_t IntMod(std::int64_t a, std::int64_t b) {
  if (b == 0) throw EDivByZero(kMsgZeroDivide);
  if (b == -1) return 0;
  return a % b;
}
