#include "checkpoint.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "front_end.h"
#include "host.h"
#include "output.h"
#include "population.h"
#include "random.h"
#include "read_value.h"
#include "requested_file.h"
#include "statistics.h"

#if __has_include(<unistd.h>) && __has_include(<fcntl.h>)
#include <fcntl.h>
#include <unistd.h>
#define DURABLE_FILES 1
#endif

// FILE, or null when no checkpoint is kept.
static const char *path;
static double every_seconds = 60.0;
static std::chrono::steady_clock::time_point last_written;
// The signal that asked for a stop, 0 while none has.
static volatile std::sig_atomic_t stop_signal;

static written_bytes log_written;

// The checkpoint being put together, and the one read with where taking
// stands in it.
static std::string out;
static std::string in;
static std::size_t taken;

static const char MAGIC[] = "genetic-search checkpoint\n";
// A file cut short within the magic and the digest fails the digest.
static_assert(sizeof MAGIC - 1 > 8);
static const long long FORMAT = 1;
static const int STOP_SIGNALS[] = {
    SIGINT, SIGTERM,
#ifdef SIGHUP
    SIGHUP,
#endif
};

void add_written(written_bytes &written, const void *data, std::size_t size)
{
    if (path == nullptr)
        return;
    written.length += size;
    written.digest = add_to_digest(written.digest, data, size);
}

void log_appended(const char *text, std::size_t size)
{
    add_written(log_written, text, size);
}

// Every number as eight bytes, least significant first, so that a
// checkpoint goes on on any machine.
static void put_word(std::uint64_t word)
{
    for (int i = 0; i < 8; i++)
        out += static_cast<char>(word >> (8 * i));
}

void put_count(long long value)
{
    put_word(static_cast<std::uint64_t>(value));
}

void put_number(double value)
{
    std::uint64_t word;
    std::memcpy(&word, &value, sizeof word);
    put_word(word);
}

void put_bits(const unsigned char *bits, int n)
{
    for (int i = 0; i < n; i += 8) {
        unsigned byte = 0;
        for (int k = 0; k < 8 && i + k < n; k++)
            byte |= static_cast<unsigned>(bits[i + k] != 0) << k;
        out += static_cast<char>(byte);
    }
}

static void put_text(const std::string &text)
{
    put_count(static_cast<long long>(text.size()));
    out += text;
}

[[noreturn]] static void damaged()
{
    fail("%s is damaged: it is cut short or was changed", path);
}

static std::uint64_t take_word()
{
    if (in.size() - taken < 8)
        damaged();
    std::uint64_t word = 0;
    for (int i = 0; i < 8; i++)
        word |= static_cast<std::uint64_t>(static_cast<unsigned char>(in[taken + i])) << (8 * i);
    taken += 8;
    return word;
}

long long take_count()
{
    return static_cast<long long>(take_word());
}

double take_number()
{
    std::uint64_t word = take_word();
    double value;
    std::memcpy(&value, &word, sizeof value);
    return value;
}

void take_bits(unsigned char *bits, int n)
{
    if (in.size() - taken < (static_cast<std::size_t>(n) + 7) / 8)
        damaged();
    for (int i = 0; i < n; i++)
        bits[i] = static_cast<unsigned char>(in[taken + i / 8]) >> (i % 8) & 1;
    taken += (static_cast<std::size_t>(n) + 7) / 8;
}

static std::string take_text()
{
    std::uint64_t size = take_word();
    if (in.size() - taken < size)
        damaged();
    std::string text = in.substr(taken, size);
    taken += size;
    return text;
}

// The variable's value, or "" when it is unset.
static std::string environment(const char *variable)
{
    const char *value = std::getenv(variable);
    return value != nullptr ? value : "";
}

// What the execution depends on, in the order it is taken back.
static void put_state()
{
    out.assign(MAGIC);
    put_count(FORMAT);
    put_text(program_name);
    put_text(PROGRAM_VERSION);
    put_count(static_cast<long long>(input_digest()));
    put_text(stats_file.path != nullptr ? stats_file.path : "");
    put_text(bits_file.path != nullptr ? bits_file.path : "");
    for (const written_bytes *w : {&log_written, &stats_file.written, &bits_file.written}) {
        put_count(static_cast<long long>(w->length));
        put_count(static_cast<long long>(w->digest));
    }
    for (long long v : {current_run, current_generation, seed, best})
        put_count(v);
    put_number(eval[best].x);
    put_number(eval[best].fx);
    save_statistics();
    save_front_state();
    put_text(printed());
    for (int i = 0; i < VEL_POP; i++)
        put_bits(pop[i], N);
    put_count(static_cast<long long>(add_to_digest(DIGEST_START, out.data(), out.size())));
}

#if DURABLE_FILES
// The folder that holds the file, synced so that a rename in it lasts.
static void sync_folder()
{
    std::string folder = path;
    std::size_t slash = folder.rfind('/');
    folder = slash == std::string::npos ? "." : slash == 0 ? "/" : folder.substr(0, slash);
    int descriptor = open(folder.c_str(), O_RDONLY);
    if (descriptor >= 0) {
        fsync(descriptor);
        close(descriptor);
    }
}
#endif

// Written whole to FILE.new, flushed to the disk and renamed over FILE: a
// stop at any instant leaves the checkpoint before or this one.
static void write_checkpoint()
{
    put_state();
    std::string fresh = std::string(path) + ".new";
    std::FILE *file = std::fopen(fresh.c_str(), "wb");
    if (file == nullptr)
        fail("Cannot create %s: %s", path, std::strerror(errno));
    bool written = std::fwrite(out.data(), 1, out.size(), file) == out.size() &&
                   std::fflush(file) == 0;
#if DURABLE_FILES
    written = written && fsync(fileno(file)) == 0;
#endif
    int error = errno;
    if (std::fclose(file) != 0 && written) {
        written = false;
        error = errno;
    }
    if (written && std::rename(fresh.c_str(), path) != 0) {
        written = false;
        error = errno;
    }
    if (!written)
        fail("Cannot write %s: %s", path, std::strerror(error));
#if DURABLE_FILES
    sync_folder();
#endif
    last_written = std::chrono::steady_clock::now();
}

// The whole of a file, or false when it cannot be opened; a read error ends
// the process.
static bool read_whole(const char *name, std::string &text)
{
    std::FILE *file = std::fopen(name, "rb");
    if (file == nullptr)
        return false;
    text.clear();
    char block[65536];
    std::size_t got;
    while ((got = std::fread(block, 1, sizeof block, file)) > 0)
        text.append(block, got);
    bool failed = std::ferror(file) != 0;
    int error = errno;
    std::fclose(file);
    if (failed)
        fail("Cannot read %s: %s", name, std::strerror(error));
    return true;
}

// The first `length` bytes of a file (the log, a statistics file): their
// count, fewer where the file is shorter, and their digest, read block by
// block. False when the file cannot be opened.
static bool first_bytes(const char *name, unsigned long long length, written_bytes &found)
{
    std::FILE *file = std::fopen(name, "rb");
    if (file == nullptr)
        return false;
    char block[65536];
    while (found.length < length) {
        std::size_t want = static_cast<std::size_t>(
            std::min<unsigned long long>(sizeof block, length - found.length));
        std::size_t got = std::fread(block, 1, want, file);
        found.length += got;
        found.digest = add_to_digest(found.digest, block, got);
        if (got < want)
            break;
    }
    std::fclose(file);
    return true;
}

// A file that the checkpoint records, unchanged up to where it stood.
static void check_recorded(const char *name, const written_bytes &recorded)
{
    written_bytes found;
    if (!first_bytes(name, recorded.length, found) && recorded.length > 0)
        fail("Cannot open %s, whose first %llu bytes %s records: %s", name, recorded.length,
             path, std::strerror(errno));
    if (found.length < recorded.length)
        fail("%s holds %llu bytes, fewer than the %llu that %s records", name, found.length,
             recorded.length, path);
    if (found.digest != recorded.digest)
        fail("%s has changed since %s was written: its first %llu bytes are not those recorded",
             name, path, recorded.length);
}

static void cut_back(const char *name, unsigned long long length)
{
#if DURABLE_FILES
    if (truncate(name, static_cast<off_t>(length)) != 0 && !(errno == ENOENT && length == 0))
        fail("Cannot write %s: %s", name, std::strerror(errno));
#else
    (void)name;
    (void)length;
#endif
}

// The same statistics files asked for as when the checkpoint was written.
static void check_asked(const char *variable, const std::string &recorded)
{
    std::string now = environment(variable);
    if (now == recorded)
        return;
    if (recorded.empty())
        fail("%s was written without %s: unset it to go on", path, variable);
    if (now.empty())
        fail("%s was written with %s=%s: set it so again to go on", path, variable,
             recorded.c_str());
    fail("%s was written with %s=%s, not %s", path, variable, recorded.c_str(), now.c_str());
}

// How often FILE is written, from GENETIC_CHECKPOINT_SECONDS.
static void read_interval()
{
    std::string text = environment("GENETIC_CHECKPOINT_SECONDS");
    if (text.empty())
        return;
    double seconds = 0.0;
    if (parse_double(text.data(), text.size(), &seconds) != conversion::ok || seconds < 0.0)
        fail("GENETIC_CHECKPOINT_SECONDS=%s is not a number of seconds, 0 or more",
             text.c_str());
    every_seconds = seconds;
}

// Going on: what start_checkpoint puts back begins where open_checkpoint
// stopped reading.
static written_bytes recorded[3];

bool open_checkpoint()
{
    const char *asked = asked_file("GENETIC_CHECKPOINT");
    if (asked == nullptr)
        return false;
#if !DURABLE_FILES
    fail("GENETIC_CHECKPOINT needs a system that can flush a file to the disk and cut it short");
#endif
    const char *stats = asked_file("GENETIC_STATS");
    const char *bits = asked_file("GENETIC_BITS");
    refuse_same_file("GENETIC_CHECKPOINT", appended_log, "GENETIC_STATS");
    refuse_same_file("GENETIC_CHECKPOINT", nullptr, "GENETIC_BITS");
    read_interval();
    path = asked;
    if (!read_whole(path, in)) {
        if (errno != ENOENT)
            fail("Cannot read %s: %s", path, std::strerror(errno));
        // A fresh start: the log goes on from what earlier executions left.
        if (appended_log != nullptr)
            first_bytes(appended_log, ULLONG_MAX, log_written);
        return false;
    }
    if (in.compare(0, sizeof MAGIC - 1, MAGIC) != 0)
        fail("GENETIC_CHECKPOINT=%s names a file that is not a checkpoint", path);
    std::size_t body = in.size() - 8;
    taken = body;
    if (static_cast<std::uint64_t>(take_count()) != add_to_digest(DIGEST_START, in.data(), body))
        damaged();
    in.resize(body);
    taken = sizeof MAGIC - 1;
    if (take_count() != FORMAT)
        damaged();
    std::string program = take_text(), version = take_text();
    if (program != program_name)
        fail("%s is a checkpoint of %s, not of %s", path, program.c_str(), program_name);
    if (version != PROGRAM_VERSION)
        fail("%s was written by %s %s, not by this %s %s", path, program.c_str(),
             version.c_str(), program_name, PROGRAM_VERSION);
    if (static_cast<std::uint64_t>(take_count()) != input_digest())
        fail("%s is a checkpoint of another input: give the values it was written for, or"
             " remove it to start afresh", path);
    check_asked("GENETIC_STATS", take_text());
    check_asked("GENETIC_BITS", take_text());
    const char *names[3] = {appended_log, stats, bits};
    for (written_bytes &r : recorded) {
        r.length = static_cast<unsigned long long>(take_count());
        r.digest = static_cast<std::uint64_t>(take_count());
    }
    for (int k = 0; k < 3; k++)
        if (names[k] != nullptr)
            check_recorded(names[k], recorded[k]);
    for (int k = 0; k < 3; k++)
        if (names[k] != nullptr)
            cut_back(names[k], recorded[k].length);
    return true;
}

static const char *signal_name(int number)
{
    switch (number) {
    case SIGINT:
        return "SIGINT";
    case SIGTERM:
        return "SIGTERM";
#ifdef SIGHUP
    case SIGHUP:
        return "SIGHUP";
#endif
    }
    return "a signal";
}

extern "C" void on_stop_signal(int number)
{
    // A second signal ends the process at once; the checkpoint written
    // before it stands.
    if (stop_signal != 0)
        std::_Exit(128 + number);
    stop_signal = number;
}

bool start_checkpoint(bool resumed)
{
    if (path == nullptr)
        return true;
    keep_printed(true);
    // A signal that the process was started to ignore (nohup, a background
    // job) stays ignored.
    for (int number : STOP_SIGNALS)
        if (std::signal(number, on_stop_signal) == SIG_IGN)
            std::signal(number, SIG_IGN);
    if (resumed) {
        log_written = recorded[0];
        stats_file.written = recorded[1];
        bits_file.written = recorded[2];
        current_run = static_cast<int>(take_count());
        current_generation = static_cast<int>(take_count());
        seed = static_cast<int>(take_count());
        best = static_cast<int>(take_count());
        if (best < 0 || best >= VEL_POP)
            damaged();
        eval[best].x = take_number();
        eval[best].fx = take_number();
        restore_statistics();
        restore_front_state();
        printed() = take_text();
        for (int i = 0; i < VEL_POP; i++)
            take_bits(pop[i], N);
        if (taken != in.size())
            damaged();
        in = std::string();
        std::fwrite(printed().data(), 1, printed().size(), stdout);
        flush_output();
        last_written = std::chrono::steady_clock::now();
    } else {
        write_checkpoint();
    }
    return printed().empty();
}

void keep_checkpoint()
{
    if (path == nullptr)
        return;
    int number = stop_signal;
    if (number == 0 && std::chrono::duration<double>(std::chrono::steady_clock::now() -
                                                     last_written).count() < every_seconds)
        return;
    write_checkpoint();
    if (number == 0)
        return;
    std::fflush(stdout);
    if (current_generation == 0)
        std::fprintf(stderr, "Stopped by %s after run %d: %s keeps where it stood, and the same"
                     " command goes on from there\n", signal_name(number), current_run, path);
    else
        std::fprintf(stderr, "Stopped by %s after generation %d of run %d: %s keeps where it"
                     " stood, and the same command goes on from there\n", signal_name(number),
                     current_generation, current_run + 1, path);
    std::exit(128 + number);
}

void close_checkpoint()
{
    if (path == nullptr)
        return;
    for (int number : STOP_SIGNALS)
        if (std::signal(number, SIG_DFL) == SIG_IGN)
            std::signal(number, SIG_IGN);
    if (std::remove(path) != 0)
        fail("Cannot remove %s: %s", path, std::strerror(errno));
    path = nullptr;
    keep_printed(false);
    // A stop asked for after the last generation: the output is whole, and
    // nothing is left to keep.
    if (stop_signal != 0)
        std::exit(128 + stop_signal);
}
