#include "report/model/RunState.h"

namespace tovren::model {

RunState &runState()
{
    static RunState state;
    return state;
}

} // namespace tovren::model
