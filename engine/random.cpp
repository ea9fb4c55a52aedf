#include "random.h"

int seed;
