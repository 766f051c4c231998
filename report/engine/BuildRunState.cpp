#include "report/engine/BuildRunState.h"

namespace tovren::engine {

BuildRunState &buildRunState()
{
    static BuildRunState state;
    return state;
}

} // namespace tovren::engine
