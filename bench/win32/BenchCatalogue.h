#pragma once
// The large catalogue the window benchmarks work on.

#include "catalog/Catalog.h"

// Debtors "Должник 00001".., items "Предмет 000001".. of eight types; every `lentEvery`-th item is
// lent, so each debtor holds items/debtors/lentEvery of them.
void GenerateCatalogue(Catalog& c, int debtors, int items, int lentEvery = 2);
