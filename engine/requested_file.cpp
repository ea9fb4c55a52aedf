#include "requested_file.h"

#include <cerrno>
#include <charconv>
#include <initializer_list>
#include <cstdlib>
#include <cstring>

#include "fail.h"

#if __has_include(<sys/stat.h>)
#include <sys/stat.h>
#endif

// True when the two paths name one file: the same file of the same device
// where the platform tells it and both exist, else the same text.
static bool same_file(const char *a, const char *b)
{
    if (std::strcmp(a, b) == 0)
        return true;
#if __has_include(<sys/stat.h>)
    struct stat sa, sb;
    return stat(a, &sa) == 0 && stat(b, &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
#else
    return false;
#endif
}

// kept or other (either may be null), whichever names the file that path
// names; null when neither does.
static const char *same_as(const char *path, const char *kept, const char *other)
{
    for (const char *taken : {kept, other})
        if (taken != nullptr && same_file(path, taken))
            return taken;
    return nullptr;
}

requested_file open_requested(const char *variable, const std::string &header,
                              const char *kept, const char *other)
{
    const char *path = std::getenv(variable);
    if (path == nullptr || path[0] == '\0')
        return {nullptr, nullptr};
    const char *taken = same_as(path, kept, other);
    if (taken != nullptr)
        fail("%s=%s names the same file as %s", variable, path, taken);
    std::FILE *file = std::fopen(path, "w");
    if (file == nullptr)
        fail("Cannot create %s: %s", path, std::strerror(errno));
    // Two paths to a file that did not exist yet name one file only now; the
    // file just made goes again.
    taken = same_as(path, kept, other);
    if (taken != nullptr) {
        std::fclose(file);
        std::remove(path);
        fail("%s=%s names the same file as %s", variable, path, taken);
    }
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
