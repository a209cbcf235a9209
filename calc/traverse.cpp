#include "calc/traverse.h"

namespace calc {

void reset_traverse(TraverseJob* job)
{
    *job = TraverseJob {};
}

}  // namespace calc
