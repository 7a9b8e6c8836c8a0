#pragma once
// A sample household for demonstrations, benchmarks and tests: years of daily expenses, a
// monthly salary and rent, savings accounts, a car loan and a credit card, transfers between
// accounts and diary days, the same for the same seed on every machine.

#include <cstdint>

#include "rules/Day.h"

namespace sorami {

class CHinmeiList;

// The last day of every sample; a fixed day keeps a seed's ledger the same whenever it is made.
inline constexpr Day kSampleLastDay = dayFromYmdUnchecked(2025, 12, 31);
inline constexpr int kSampleMaxYears = 100;
// Dated entries one sample may hold; a store of this size still fits a few hundred megabytes.
inline constexpr uint64_t kSampleMaxEntries = 5'000'000;

struct SampleRequest {
  uint64_t entries = 10'000;  // dated entries: ledger lines and diary days
  uint64_t seed = 1;
  int years = 0;  // 0: chosen from the number of entries
};

// The years a request covers: as asked, or about three thousand entries a year.
int sampleYears(const SampleRequest& request);

// Fills a ledger that holds the default data of a new file (with its sample names) with the
// household: registers its accounts and loans, then appends exactly `request.entries` dated
// entries in day order before the end marker and rebuilds the tables.
void fillSampleHousehold(CHinmeiList& list, const SampleRequest& request);

}  // namespace sorami
