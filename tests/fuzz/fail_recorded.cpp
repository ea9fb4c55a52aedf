// fail for fuzz targets: records the line the program would write to standard
// error and throws refusal, which the target catches as exit status 1.
#include "fail.h"

#include <cstdarg>
#include <cstdio>

#include "refusal.h"

std::string refusal_message;

void fail(const char *format, ...)
{
    std::va_list args;
    va_start(args, format);
    std::va_list again;
    va_copy(again, args);
    int length = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    refusal_message.assign(length > 0 ? static_cast<std::size_t>(length) : 0, '\0');
    if (length > 0)
        std::vsnprintf(refusal_message.data(), refusal_message.size() + 1, format, again);
    va_end(again);
    throw refusal{};
}
