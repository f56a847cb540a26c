#include "leverage_common.h"

#include <cmath>

namespace gw {

void ReadLeverageReturns(const AnalysisInputs& in, ReturnSlots& returns)
{
    returns[0] = in.projectionReturn / 100;
    for (int i = 0; i < 4; ++i)
        returns[i + 1] = in.returns[i] / 100;
    for (int i = 0; i <= 4; ++i) {
        if (!std::isfinite(returns[i]) || !(returns[i] > -1))
            throw AnalysisError("a return of " + ErrorNumber(returns[i] * 100) + " % leaves nothing to project");
    }
}

} // namespace gw
