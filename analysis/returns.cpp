#include "returns.h"

#include <utility>

namespace gw {

void SortReturns(ReturnSlots& returns)
{
    for (int pass = 0; pass < 4; ++pass) {
        for (int j = 1; j <= 4; ++j) {
            if (returns[j] > returns[j + 1])
                std::swap(returns[j], returns[j + 1]);
        }
    }
}

} // namespace gw
