#include "requested_file.h"

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <cstring>

#include "host.h"

#if __has_include(<sys/stat.h>)
#include <sys/stat.h>
#endif

#if __has_include(<sys/stat.h>)
// The folder of a path and its last part: "." and the path itself when it
// names no folder.
static std::string folder_of(const char *path, const char **name)
{
    const char *slash = std::strrchr(path, '/');
    *name = slash == nullptr ? path : slash + 1;
    return slash == nullptr ? "." : slash == path ? "/" : std::string(path, slash);
}

static bool same_node(const char *a, const char *b)
{
    struct stat sa, sb;
    return stat(a, &sa) == 0 && stat(b, &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}
#endif

bool same_file(const char *a, const char *b)
{
    if (std::strcmp(a, b) == 0)
        return true;
#if __has_include(<sys/stat.h>)
    struct stat s;
    bool a_there = stat(a, &s) == 0, b_there = stat(b, &s) == 0;
    if (a_there || b_there)
        return a_there && b_there && same_node(a, b);
    // Neither is there yet: the same name in the same folder.
    const char *name_a, *name_b;
    std::string folder_a = folder_of(a, &name_a), folder_b = folder_of(b, &name_b);
    return std::strcmp(name_a, name_b) == 0 && same_node(folder_a.c_str(), folder_b.c_str());
#else
    return false;
#endif
}

const char *asked_file(const char *variable)
{
    const char *path = std::getenv(variable);
    return path == nullptr || path[0] == '\0' ? nullptr : path;
}

// How a message names the file, `kept` or the one that the variable `other`
// asks for (either may be null), that path names too; empty when neither.
static std::string shared_with(const char *path, const char *kept, const char *other)
{
    if (kept != nullptr && same_file(path, kept))
        return kept;
    const char *taken = other != nullptr ? asked_file(other) : nullptr;
    if (taken != nullptr && same_file(path, taken))
        return std::string(other) + "=" + taken;
    return "";
}

void refuse_same_file(const char *variable, const char *kept, const char *other)
{
    const char *path = asked_file(variable);
    std::string taken = path != nullptr ? shared_with(path, kept, other) : "";
    if (!taken.empty())
        fail("%s=%s names the same file as %s", variable, path, taken.c_str());
}

requested_file open_requested(const char *variable, const std::string &header, bool append,
                              const char *kept, const char *other)
{
    const char *path = asked_file(variable);
    if (path == nullptr)
        return {nullptr, nullptr, {}};
    refuse_same_file(variable, kept, other);
    std::FILE *file = std::fopen(path, append ? "ab" : "wb");
    if (file == nullptr)
        fail("Cannot create %s: %s", path, std::strerror(errno));
    // Two paths to a file that did not exist yet name one file only now; the
    // file just made goes again. (A file appended to was there before.)
    if (!append && !shared_with(path, kept, other).empty()) {
        std::fclose(file);
        std::remove(path);
        refuse_same_file(variable, kept, other);
    }
    requested_file out = {file, path, {}};
    if (!append)
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

void write_row(requested_file &out, const std::string &row)
{
    std::fwrite(row.data(), 1, row.size(), out.file);
    std::fputc('\n', out.file);
    add_written(out.written, row.data(), row.size());
    add_written(out.written, "\n", 1);
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
