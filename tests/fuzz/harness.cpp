// The fuzz targets: each input is one execution of a program's real entry in
// a scratch folder, checked for the properties every execution must have.
// Compiled once per target with FUZZ_PARAMS (tarsel's parameter file),
// FUZZ_CONSOLE (tarnox's prompts) or FUZZ_PROBLEM (sakora's problem file) and
// linked with that program's objects, its main renamed entry_main. Two things
// differ from the program: the harness is its host (host.h), so that fail
// throws back here instead of ending the process, and the machine's memory,
// asked for once the sizes are known, is where a cap on the work throws too:
// input asking for hours of evolution is counted as accepted but not run.
// Every execution writes the statistics files too (GENETIC_STATS, GENETIC_BITS).
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "host.h"
#include "population.h"
#include "statistics.h"
#include "store.h"
#if defined(FUZZ_PROBLEM)
#include "report.h"
#include "problem.h"
static int planned_runs() { return runs; }
#else
#include "params.h"
static int planned_runs() { return 10; }
#endif

int entry_main(int argc, char **argv);

struct refusal {};
struct too_large {};
static std::string message;  // the line the latest refusal would have written

void fail(const char *format, ...)
{
    char line[4096];
    std::va_list args;
    va_start(args, format);
    std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    message = line;
    throw refusal{};
}

unsigned long long physical_memory()
{
    // Every generation visits VEL_POP x N bits and spins the roulette M
    // times over VEL_POP chromosomes against up to M eliminated ones.
    double generation = VEL_POP * (static_cast<double>(N) + static_cast<double>(M) * M) + 1000.0;
    if (static_cast<double>(planned_runs()) * std::max(numiter, 1) * generation > 1e6)
        throw too_large{};
    return 1ull << 40;
}

struct execution {
    int status = 0;
    bool refused = false, skipped = false, logged = false;
    std::string out, log, stats, bits;
};

static void require(bool holds, const char *property, const execution &e)
{
    if (holds)
        return;
    std::fprintf(stderr, "\nPROPERTY FAILED: %s\n  status %d%s%s, message \"%s\"\n%.400s\n",
                 property, e.status, e.refused ? ", refused" : "",
                 e.skipped ? ", too large to run" : "", message.c_str(), e.out.c_str());
    std::abort();
}

static std::string contents(const char *path, bool *exists)
{
    std::ifstream in(path, std::ios::binary);
    *exists = static_cast<bool>(in);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

static int lines_starting(const std::string &text, const std::string &prefix)
{
    int count = text.compare(0, prefix.size(), prefix) == 0;
    for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1))
        count += text.compare(at + 1, prefix.size(), prefix) == 0;
    return count;
}

static bool ends_with(const std::string &text, const std::string &end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

static std::string scratch, home;

static void remove_scratch()
{
    for (const char *name : {"/analiza.txt", "/stdout.txt", "/input", "/stats.csv", "/bits.csv"})
        std::remove((scratch + name).c_str());
    rmdir(scratch.c_str());
}

static int lowest_free_descriptor()  // rises when an execution leaves a file open
{
    int fd = open("/dev/null", O_RDONLY);
    close(fd);
    return fd;
}

// One execution with the arguments (the program name first) and standard
// input from the scratch file `input` when `console`; the store, and what
// sakora allocates besides it, are released afterwards.
static execution run(std::vector<std::string> words, bool console)
{
    if (chdir(scratch.c_str()) != 0)
        std::abort();
    for (const char *name : {"analiza.txt", "stats.csv", "bits.csv"})
        if (std::remove(name) != 0 && errno != ENOENT)
            std::abort();
    if (std::freopen(console ? "input" : "/dev/null", "r", stdin) == nullptr ||
        std::freopen("stdout.txt", "w", stdout) == nullptr)
        std::abort();
    int descriptors = lowest_free_descriptor();
    std::vector<char *> argv;
    for (std::string &w : words)
        argv.push_back(w.data());
    argv.push_back(nullptr);
    execution e;
    message.clear();
    try {
        e.status = entry_main(static_cast<int>(words.size()), argv.data());
    } catch (const refusal &) {
        e.status = 1;
        e.refused = true;
    } catch (const too_large &) {
        e.skipped = true;
    }
    std::fflush(stdout);
    bool printed;
    e.out = contents("stdout.txt", &printed);
    e.log = contents("analiza.txt", &e.logged);
    try {
        close_statistics();  // a refusal or a skip left them open
    } catch (const refusal &) {
    }
    bool asked;
    e.stats = contents("stats.csv", &asked);
    e.bits = contents("bits.csv", &asked);
    release_store();
#if defined(FUZZ_PROBLEM)
    for (void *p : {static_cast<void *>(weights), static_cast<void *>(profits),
                    static_cast<void *>(best_packing)})
        std::free(p);
    weights = profits = nullptr;
    best_packing = nullptr;
#endif
    require(e.status == 0 || e.status == 1, "the exit status is 0 or 1", e);
    require(e.refused == (e.status == 1), "status 1 comes exactly with a refusal", e);
    require(!e.refused || (!message.empty() && message.find('\n') == std::string::npos),
            "a refusal has a message of one line", e);
    require(lowest_free_descriptor() == descriptors, "no file is left open", e);
    if (chdir(home.c_str()) != 0)
        std::abort();
    return e;
}

// What an accepted execution that ran must show.
static void require_complete(const execution &e)
{
#if defined(FUZZ_PROBLEM)
    std::string announced = "Procitao prvi dio i N " + std::to_string(N) + "\n";
    require(e.out.compare(0, announced.size(), announced) == 0, "the problem is announced first", e);
    require(lines_starting(e.out, "Najbolja jedinka:") == runs, "one report line per run", e);
    require(lines_starting(e.out, "Prosjek profita: ") == 1, "one average line", e);
    require(ends_with(e.out, "\nUcitajte neki znak za kraj..."), "the closing prompt comes last", e);
    require(!e.logged, "sakora writes no log", e);
#else
    require(lines_starting(e.out, "Najbolja jedinka ") == 10, "one report line per run", e);
    require(ends_with(e.out, closing_prompt), "the closing prompt comes last", e);
    long generations = 10L * std::max(numiter, 0);
    require(e.logged == (generations > 0) &&
                std::count(e.log.begin(), e.log.end(), '\n') == generations &&
                lines_starting(e.log, "  ") == generations,
            "one log line per generation", e);
#endif
    long rows = static_cast<long>(planned_runs()) * std::max(numiter, 0);
    require(std::count(e.stats.begin(), e.stats.end(), '\n') == 1 + rows &&
                std::count(e.bits.begin(), e.bits.end(), '\n') == 1 + rows,
            "a header and one statistics row per generation", e);
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (scratch.empty()) {
        char here[4096], name[4096];
        const char *tmp = std::getenv("TMPDIR");
        std::snprintf(name, sizeof name, "%s/fuzz-XXXXXX", tmp != nullptr ? tmp : "/tmp");
        if (getcwd(here, sizeof here) == nullptr || mkdtemp(name) == nullptr)
            std::abort();
        home = here;
        scratch = name;
        setenv("GENETIC_STATS", "stats.csv", 1);
        setenv("GENETIC_BITS", "bits.csv", 1);
        std::atexit(remove_scratch);
    }
    std::string input = scratch + "/input";
    std::remove(input.c_str());  // a new file: rewriting a truncated one may wait for the disk
    std::FILE *f = std::fopen(input.c_str(), "wb");
    if (f == nullptr || std::fwrite(data, 1, size, f) != size || std::fclose(f) != 0)
        std::abort();
#if defined(FUZZ_CONSOLE)
    const std::vector<std::string> args = {"tarnox"};
    const bool console = true;
#elif defined(FUZZ_PROBLEM)
    const std::vector<std::string> args = {"sakora", "input"};
    const bool console = false;
#else
    const std::vector<std::string> args = {"tarsel", "input"};
    const bool console = false;
#endif
    execution e = run(args, console);
    // What comes before the store is allocated.
#if defined(FUZZ_CONSOLE)
    int prompts = lines_starting(e.out, "Upisite ");
    int value = 0;
    if (e.refused && std::sscanf(message.c_str(), "value %d (", &value) == 1)
        require(prompts == value && ends_with(e.out, " \n"),
                "a refused value ends the output right after its prompt", e);
    else if (e.refused)
        require(prompts >= 2 && (prompts == 7 ? ends_with(e.out, " \n\n") : ends_with(e.out, " \n")),
                "a value out of bounds ends the output right after a prompt", e);
    else
        require(prompts == 7 && (!e.skipped || ends_with(e.out, " \n\n")),
                "the seven prompts, and only them before the store is allocated", e);
#else
    if (e.refused || e.skipped)
        require(e.out.empty(), "nothing is printed before the store is allocated", e);
#endif
    if (e.refused || e.skipped) {
        require(!e.logged, "no log before the runs", e);
        return 0;
    }
    require_complete(e);
    execution again = run(args, console);
    require(again.status == e.status && again.out == e.out && again.logged == e.logged &&
                again.log == e.log && again.stats == e.stats && again.bits == e.bits,
            "the same input gives the same bytes", again);
    return 0;
}
