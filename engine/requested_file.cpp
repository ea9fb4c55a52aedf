#include "requested_file.h"

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <cstring>

#include "fail.h"

requested_file open_requested(const char *variable, const char *header)
{
    const char *path = std::getenv(variable);
    if (path == nullptr || path[0] == '\0')
        return {nullptr, nullptr};
    std::FILE *file = std::fopen(path, "w");
    if (file == nullptr)
        fail("Cannot create %s: %s", path, std::strerror(errno));
    requested_file out = {file, path};
    std::fprintf(file, "%s\n", header);
    end_row(out);
    return out;
}

void write_number(std::FILE *file, double v)
{
    char digits[32];  // the longest shortest form, -2.2250738585072014e-308, has 24
    std::to_chars_result end = std::to_chars(digits, digits + sizeof digits, v);
    std::fprintf(file, ",%.*s", static_cast<int>(end.ptr - digits), digits);
}

void end_row(const requested_file &out)
{
    // A write that failed set the error indicator and errno; a flush that
    // fails sets both as well.
    if (std::fflush(out.file) != 0 || std::ferror(out.file))
        fail("Cannot write %s: %s", out.path, std::strerror(errno));
}

void close_requested(requested_file *out)
{
    if (out->file == nullptr)
        return;
    std::FILE *file = out->file;
    out->file = nullptr;
    if (std::fclose(file) != 0)
        fail("Cannot write %s: %s", out->path, std::strerror(errno));
}
