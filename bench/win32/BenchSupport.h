#pragma once
// What the window benchmarks share: the large catalogue they work on, and the clock they time it by.

#include "catalog/Catalog.h"

#include <functional>
#include <vector>

// Debtors "Должник 00001".., items "Предмет 000001".. of eight types; every `lentEvery`-th item is
// lent, so each debtor holds items/debtors/lentEvery of them.
void GenerateCatalogue(Catalog& c, int debtors, int items, int lentEvery = 2);

// The performance counter's time, in milliseconds.
double NowMs();

// The middle one of the times.
double Median(std::vector<double> times);

// Handles the messages now waiting, paints included.
void Pump();

// Runs `step` once from inside the next modal loop of this thread, as soon as its queue is idle;
// StepPending() tells whether it has not run yet.
void WhenIdle(std::function<void()> step);
bool StepPending();
