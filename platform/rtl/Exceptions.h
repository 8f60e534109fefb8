#pragma once
// The run-time exception family. Messages are UTF-8.

#include <exception>
#include <string>
#include <utility>

class Exception : public std::exception {
public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  const char* what() const noexcept override { return message_.c_str(); }
  const std::string& Message() const noexcept { return message_; }
  void SetMessage(std::string message) { message_ = std::move(message); }

private:
  std::string message_;
};

#define TQ_DECLARE_EXCEPTION(Name, Base) \
  class Name : public Base {             \
  public:                                \
    using Base::Base;                    \
  };

// Silent abort: stops the current operation without a message.
class EAbort : public Exception {
public:
  EAbort() : Exception("Operation aborted") {}
  using Exception::Exception;
};

TQ_DECLARE_EXCEPTION(EConvertError, Exception)
TQ_DECLARE_EXCEPTION(EListError, Exception)
TQ_DECLARE_EXCEPTION(EAbstractError, Exception)
TQ_DECLARE_EXCEPTION(EStreamError, Exception)
TQ_DECLARE_EXCEPTION(EReadError, EStreamError)
TQ_DECLARE_EXCEPTION(EWriteError, EStreamError)
TQ_DECLARE_EXCEPTION(EFileStreamError, EStreamError)
TQ_DECLARE_EXCEPTION(EFCreateError, EFileStreamError)
TQ_DECLARE_EXCEPTION(EFOpenError, EFileStreamError)
TQ_DECLARE_EXCEPTION(EDatabaseError, Exception)
TQ_DECLARE_EXCEPTION(EInvalidPointer, Exception)

// Floating-point faults, raised by explicit checks.
TQ_DECLARE_EXCEPTION(EMathError, Exception)
TQ_DECLARE_EXCEPTION(EZeroDivide, EMathError)
TQ_DECLARE_EXCEPTION(EInvalidOp, EMathError)
TQ_DECLARE_EXCEPTION(EOverflow, EMathError)

// Integer faults.
TQ_DECLARE_EXCEPTION(EIntError, Exception)
TQ_DECLARE_EXCEPTION(EDivByZero, EIntError)
TQ_DECLARE_EXCEPTION(EIntOverflow, EIntError)

inline constexpr const char* kMsgZeroDivide = "Divisão por zero.";
inline constexpr const char* kMsgInvalidOp = "Operação de ponto flutuante inválida.";
inline constexpr const char* kMsgOverflow = "Estouro de ponto flutuante.";

// Index error of lists and collections.
[[noreturn]] void ThrowListIndexError(long long index);
