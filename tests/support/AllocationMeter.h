// Measures the memory a piece of code holds at its peak, for tests that
// bound what a reader takes for hostile input. Counts what operator new hands
// out (C libraries' own malloc calls are not seen). A program that uses the
// meter gets the meter's global operator new and delete.
//
//   AllocationMeter meter;
//   Parse(input);
//   EXPECT_LT(meter.PeakBytes(), 3 * input.size());
#pragma once

#include <cstddef>

namespace skerrow {

class AllocationMeter {
 public:
  // Measures from now on.
  AllocationMeter();
  // The most held at once since the meter was made, beyond what was held
  // when it was made.
  std::size_t PeakBytes() const;

 private:
  std::size_t start_;
};

}  // namespace skerrow
