// The optimisers make ten runs per execution.
#include "size_cap.h"

int planned_runs()
{
    return 10;
}
