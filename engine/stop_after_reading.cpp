#include "stop_after_reading.h"

#include <cstdlib>

void stop_after_reading()
{
    const char *value = std::getenv("GENETIC_SEARCH_STOP_AFTER_READING");
    if (value != nullptr && value[0] != '\0')
        std::exit(0);
}
