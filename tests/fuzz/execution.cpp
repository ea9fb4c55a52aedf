#include "execution.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <unistd.h>
#include <vector>

#include "refusal.h"
#include "size_cap.h"
#include "store.h"

// The folder the executions run in, made on first use and removed at exit.
static std::string scratch;
static std::string home;

static void remove_scratch()
{
    for (const char *name : {"analiza.txt", "stdout.txt", "input"})
        std::remove((scratch + "/" + name).c_str());
    rmdir(scratch.c_str());
}

static const std::string &scratch_folder()
{
    if (scratch.empty()) {
        const char *tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp != nullptr ? tmp : "/tmp") + "/fuzz-XXXXXX";
        std::vector<char> name(pattern.begin(), pattern.end());
        name.push_back('\0');
        if (mkdtemp(name.data()) == nullptr) {
            std::perror("fuzz target: cannot make a scratch folder");
            std::abort();
        }
        scratch = name.data();
        std::atexit(remove_scratch);
        char here[4096];
        home = getcwd(here, sizeof here) != nullptr ? here : "/";
    }
    return scratch;
}

void write_scratch(const char *name, const std::uint8_t *data, std::size_t size)
{
    std::string path = scratch_folder() + "/" + name;
    // A new file each time: rewriting a truncated one may wait for the disk.
    std::remove(path.c_str());
    std::FILE *f = std::fopen(path.c_str(), "wb");
    if (f == nullptr || std::fwrite(data, 1, size, f) != size || std::fclose(f) != 0) {
        std::perror("fuzz target: cannot write the input");
        std::abort();
    }
}

static std::string contents(const char *path, bool *exists)
{
    std::ifstream in(path, std::ios::binary);
    *exists = static_cast<bool>(in);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// The lowest free file descriptor: it rises when an execution leaves a file
// open.
static int lowest_free_descriptor()
{
    int fd = open("/dev/null", O_RDONLY);
    close(fd);
    return fd;
}

execution run_entry(std::initializer_list<const char *> args, const char *input)
{
    if (chdir(scratch_folder().c_str()) != 0) {
        std::perror("fuzz target: cannot enter the scratch folder");
        std::abort();
    }
    std::remove("analiza.txt");
    std::remove("stdout.txt");
    if (std::freopen(input != nullptr ? input : "/dev/null", "r", stdin) == nullptr ||
        std::freopen("stdout.txt", "w", stdout) == nullptr) {
        std::perror("fuzz target: cannot redirect the standard streams");
        std::abort();
    }
    int descriptors = lowest_free_descriptor();
    std::vector<std::string> words(args.begin(), args.end());
    std::vector<char *> argv;
    for (std::string &w : words)
        argv.push_back(w.data());
    argv.push_back(nullptr);

    execution e;
    refusal_message.clear();
    try {
        e.status = entry_main(static_cast<int>(words.size()), argv.data());
    } catch (const refusal &) {
        e.status = 1;
        e.refused = true;
    } catch (const too_large &) {
        e.skipped = true;
    }
    std::fflush(stdout);
    bool ignored = false;
    e.out = contents("stdout.txt", &ignored);
    e.log = contents("analiza.txt", &e.logged);
    release_store();

    require(e.status == 0 || e.status == 1, "the exit status is 0 or 1", e);
    require(e.refused == (e.status == 1), "status 1 comes exactly with a refusal", e);
    require(!e.refused || !refusal_message.empty(), "a refusal has a message", e);
    require(refusal_message.find('\n') == std::string::npos, "the message is one line", e);
    require(lowest_free_descriptor() == descriptors, "no file is left open", e);
    if (chdir(home.c_str()) != 0)
        std::abort();
    return e;
}

void require_repeatable(const execution &first, const execution &again)
{
    require(again.status == first.status && again.skipped == first.skipped &&
                again.out == first.out && again.logged == first.logged && again.log == first.log,
            "the same input gives the same bytes", again);
}

void require(bool holds, const char *property, const execution &e)
{
    if (holds)
        return;
    std::fprintf(stderr,
                 "\nPROPERTY FAILED: %s\n  status %d%s%s, message \"%s\"\n"
                 "  standard output (first 400 bytes):\n%.400s\n",
                 property, e.status, e.refused ? ", refused" : "",
                 e.skipped ? ", skipped as too large" : "", refusal_message.c_str(),
                 e.out.c_str());
    std::abort();
}

bool ends_with(const std::string &text, const std::string &end)
{
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

int lines_starting(const std::string &text, const std::string &prefix)
{
    int count = 0;
    std::size_t at = 0;
    while (at < text.size()) {
        if (text.compare(at, prefix.size(), prefix) == 0)
            count++;
        std::size_t end = text.find('\n', at);
        if (end == std::string::npos)
            break;
        at = end + 1;
    }
    return count;
}
