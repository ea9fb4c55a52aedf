#include "selection.h"

#include <bit>
#include <cstdint>

#include "front_end.h"
#include "not_in_list_blocks.h"
#include "population.h"
#include "random.h"
#include "statistics.h"

// Sets best to the lowest index of the greatest fx, then fx_rel and deficit of
// every record.
static void rank()
{
    double fmax = eval[0].fx;
    double fmin = eval[0].fx;
    best = 0;
    for (int i = 0; i < VEL_POP; i++) {
        double fx = eval[i].fx;
        if (fx > fmax) {
            fmax = fx;
            best = i;
        }
        if (fx < fmin)
            fmin = fx;
    }
    // One pass for both: fx_rel of best is known before the pass, the same
    // difference that the pass stores in its record.
    double top = eval[best].fx - fmin;
    for (int i = 0; i < VEL_POP; i++) {
        eval_record &r = eval[i];
        r.fx_rel = r.fx - fmin;
        r.deficit = top - r.fx_rel;
    }
}

// Adds deficit to the running sum for every chromosome of [first, end) in
// the draw, in index order, and leaves each sum in its cum.
static double add_up(double sum, int first, int end, const std::uint64_t *in_draw)
{
    eval_record *block = eval + first;
    for (int b = 0; b < blocks(first, end); b++, block += 64)
        for (std::uint64_t bits = in_draw[b]; bits != 0; bits &= bits - 1) {
            eval_record &r = block[static_cast<unsigned>(std::countr_zero(bits))];
            r.cum = sum + r.deficit;
            sum = r.cum;
        }
    return sum;
}

// The first chromosome of [first, end) in the draw whose running sum reaches
// target, or -1. The sums never decrease along the draw, so a block whose
// last chromosome in the draw falls short is passed over whole; once a sum is
// not a number, so are all after it, kp_max and the target, and none reaches.
static int first_reaching(double target, int first, int end, const std::uint64_t *in_draw)
{
    for (int b = 0; b < blocks(first, end); b++) {
        std::uint64_t bits = in_draw[b];
        int base = first + 64 * b;
        if (bits == 0 || !(target <= eval[base + 63 - std::countl_zero(bits)].cum))
            continue;
        for (; bits != 0; bits &= bits - 1)
            if (target <= eval[base + std::countr_zero(bits)].cum)
                return base + std::countr_zero(bits);
    }
    return -1;
}

// One spin of the roulette over the chromosomes not among the first `chosen`
// entries of elim; slices are proportional to deficit. Returns the index
// chosen.
static int spin(int chosen)
{
    // Which chromosomes are in the draw, for one range of indices at a time.
    std::uint64_t in_draw[KEYS_AT_ONCE / 64];
    // -0.0 + d is d for every d: the first sum is the first deficit itself.
    double sum = -0.0;
    for (int first = 0, end; first < VEL_POP; first = end) {
        end = range_end(first, VEL_POP);
        not_in_list_blocks(elim, chosen, VEL_POP, first, end, in_draw);
        sum = add_up(sum, first, end, in_draw);
    }
    double kp_max = sum;
    double target = rand01() * kp_max;
    for (int first = 0, end; first < VEL_POP; first = end) {
        end = range_end(first, VEL_POP);
        // A single range is still at hand; more are found again.
        if (VEL_POP > KEYS_AT_ONCE)
            not_in_list_blocks(elim, chosen, VEL_POP, first, end, in_draw);
        int k = first_reaching(target, first, end, in_draw);
        if (k >= 0)
            return k;
    }
    // The last chromosome in the draw has cum = kp_max >= target, so the
    // search ends there at the latest, unless the sums are not numbers at
    // all: then that last chromosome is chosen.
    int last = VEL_POP - 1;
    while (!not_in_list(elim, last, chosen))
        last--;
    return last;
}

void evaluate_and_select()
{
    for (int i = 0; i < VEL_POP; i++)
        evaluate_chromosome(i);
    rank();
    record_best();
    record_statistics();
    for (int i = 0; i < M; i++)
        elim[i] = spin(i);
    std::uint64_t in_draw[KEYS_AT_ONCE / 64];
    int s = 0;
    for (int first = 0, end; first < VEL_POP; first = end) {
        end = range_end(first, VEL_POP);
        not_in_list_blocks(elim, M, VEL_POP, first, end, in_draw);
        for (int b = 0; b < blocks(first, end); b++)
            for (std::uint64_t bits = in_draw[b]; bits != 0; bits &= bits - 1)
                surv[s++] = first + 64 * b + std::countr_zero(bits);
    }
}
