#pragma once

#include "RecordStore.h"

#include <vector>

// The order of one column as ranks, one per record in stored order: -1 for Null, then
// 0, 1, 2 ... by value for numbers and by collation for texts (so an empty text comes
// first among them); values the order cannot tell apart share a rank. A text's collation
// key is made once per distinct text. Sorting by the column then compares two integers.
std::vector<int> ColumnRanks(const RecordStore &records, int field, bool numbers);
