#pragma once
// Gives a variable a value for one scope and restores the value it had when
// the scope ends, also through an exception.

template <class T>
class TValueScope {
public:
  TValueScope(T& variable, T value) : variable_(variable), saved_(variable) { variable_ = value; }
  ~TValueScope() { variable_ = saved_; }
  TValueScope(const TValueScope&) = delete;
  TValueScope& operator=(const TValueScope&) = delete;

private:
  T& variable_;
  T saved_;
};
