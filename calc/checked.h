#pragma once

#include <string_view>
#include <utility>
#include <variant>

namespace linecalc {

// An arithmetic fault: a computed value overflowed, divided by zero, was not a number, or left
// the range of the type that holds it. `step` names the operation that produced it.
struct Fault {
  std::string_view step;
  friend bool operator==(const Fault&, const Fault&) = default;
};

// A value, or the fault that stopped its computation.
template <typename T>
class Checked {
 public:
  Checked(T value) : content_(std::move(value)) {}  // NOLINT: implicit by design
  Checked(Fault fault) : content_(fault) {}         // NOLINT: implicit by design

  bool ok() const { return std::holds_alternative<T>(content_); }
  explicit operator bool() const { return ok(); }

  const T& value() const& { return std::get<T>(content_); }
  T& value() & { return std::get<T>(content_); }
  T&& value() && { return std::get<T>(std::move(content_)); }
  Fault fault() const { return std::get<Fault>(content_); }

 private:
  std::variant<T, Fault> content_;
};

}  // namespace linecalc
