#pragma once

// Sets a flag or a value for the length of a scope and puts back what it held before, on every
// way out; a nested scope leaves the outer one's value in place.
namespace velantro {

template <typename T>
class ScopedAssign {
 public:
  ScopedAssign(T& target, T value) : target_(target), saved_(target) { target_ = value; }
  ~ScopedAssign() { target_ = saved_; }
  ScopedAssign(const ScopedAssign&) = delete;
  ScopedAssign& operator=(const ScopedAssign&) = delete;

 private:
  T& target_;
  T saved_;
};

}  // namespace velantro
