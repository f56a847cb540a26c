#pragma once

#include <array>

namespace gw {

// Slot 0 the projection return, 1..4 the projected returns, 5 the break-even
// return (or a filler); fractions, NoReturn where a slot holds none.
using ReturnSlots = std::array<double, 6>;

// Sorts slots 1..5 ascending, four bubble passes; equal values keep their
// order and NoReturn sorts first. Slot 0 is left alone.
void SortReturns(ReturnSlots& returns);

} // namespace gw
