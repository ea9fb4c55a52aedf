#include "requested_file.h"

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <cstring>

#include "fail.h"

requested_file open_requested(const char *variable, const std::string &header)
{
    const char *path = std::getenv(variable);
    if (path == nullptr || path[0] == '\0')
        return {nullptr, nullptr};
    std::FILE *file = std::fopen(path, "w");
    if (file == nullptr)
        fail("Cannot create %s: %s", path, std::strerror(errno));
    requested_file out = {file, path};
    write_row(out, header);
    return out;
}

// Appends a comma and what to_chars writes of v.
template <typename T> static void add(std::string &row, T v)
{
    char digits[32];  // the longest shortest double, -2.2250738585072014e-308, has 24
    std::to_chars_result end = std::to_chars(digits, digits + sizeof digits, v);
    row += ',';
    row.append(digits, end.ptr);
}

void add_number(std::string &row, double v)
{
    add(row, v);
}

void add_count(std::string &row, long long n)
{
    add(row, n);
}

void write_row(const requested_file &out, const std::string &row)
{
    std::fwrite(row.data(), 1, row.size(), out.file);
    std::fputc('\n', out.file);
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
