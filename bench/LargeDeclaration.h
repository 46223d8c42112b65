#pragma once

#include "model/DeclClasses.h"

#include <memory>

// The benchmarks' large declaration: 999 payers with 50 rows each, 999 currency
// incomes, 999 business activities and 100 pension contracts, texts in Cyrillic.
std::unique_ptr<mTDeclaration> MakeLargeDeclaration();

// Every sheet busy: foreign income at 13 percent, standard deductions over the
// payers' rows, social deductions with the pension contracts, housing.
void GrantEverything(mTDeclaration& d);
