#pragma once

#include <cmath>
#include <string_view>
#include <utility>

#include "calc/checked.h"

namespace linecalc::detail {

struct FaultSignal {
  Fault fault;
};

// Returns `value` when it is finite; otherwise ends the running computation with a fault named
// `step`. An overflow, a division by zero and an invalid operation all leave a non-finite value,
// so one test right after each operation catches all three.
inline double Verify(double value, std::string_view step) {
  if (!std::isfinite(value)) {
    throw FaultSignal{Fault{step}};
  }
  return value;
}

// The value of `Checked<T>` under a computation that may stop at a Verify.
template <typename T>
T Unwrap(Checked<T> checked) {
  if (!checked) {
    throw FaultSignal{checked.fault()};
  }
  return std::move(checked).value();
}

// Runs `compute`, turning a stopped computation into its fault.
template <typename Compute>
auto Trapping(Compute&& compute) -> Checked<decltype(compute())> {
  try {
    return compute();
  } catch (const FaultSignal& signal) {
    return signal.fault;
  }
}

}  // namespace linecalc::detail
