#include "selection.h"

#include "front_end.h"
#include "population.h"
#include "random.h"

// Sets best to the lowest index of the greatest fx, then fx_rel and deficit of
// every record.
static void rank()
{
    double fmax = eval[0]->fx;
    double fmin = eval[0]->fx;
    best = 0;
    for (int i = 0; i < VEL_POP; i++) {
        double fx = eval[i]->fx;
        if (fx > fmax) {
            fmax = fx;
            best = i;
        }
        if (fx < fmin)
            fmin = fx;
    }
    for (int i = 0; i < VEL_POP; i++)
        eval[i]->fx_rel = eval[i]->fx - fmin;
    double top = eval[best]->fx_rel;
    for (int i = 0; i < VEL_POP; i++)
        eval[i]->deficit = top - eval[i]->fx_rel;
}

// One spin of the roulette over the chromosomes not among the first `chosen`
// entries of elim; slices are proportional to deficit. Returns the index
// chosen.
static int spin(int chosen)
{
    int j0 = 0;
    while (!not_in_list(elim, j0, chosen))
        j0++;
    double sum = eval[j0]->deficit;
    eval[j0]->cum = sum;
    double kp_max = sum;
    for (int j = j0 + 1; j < VEL_POP; j++) {
        if (not_in_list(elim, j, chosen)) {
            eval[j]->cum = sum + eval[j]->deficit;
            sum = eval[j]->cum;
            kp_max = sum;
        }
    }
    double target = rand01() * kp_max;
    // The first chromosome in the draw whose running sum reaches the target;
    // the cheap comparison comes first, the same chromosome is chosen.
    for (int k = j0; k < VEL_POP; k++)
        if (target <= eval[k]->cum && not_in_list(elim, k, chosen))
            return k;
    // The last chromosome in the draw has cum = kp_max >= target, so the scan
    // ends there at the latest, unless the sums are not numbers at all: then
    // that last chromosome is chosen.
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
    for (int i = 0; i < M; i++)
        elim[i] = spin(i);
    int s = 0;
    for (int j = 0; j < VEL_POP; j++)
        if (not_in_list(elim, j, M))
            surv[s++] = j;
}
