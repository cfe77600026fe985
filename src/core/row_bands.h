#pragma once
// Choosing the bands of rows the fonts of a screen cover: for every number of
// bands up to a limit, the division of the 24 rows with the least summed band cost
// (dynamic programming over the row boundaries).

#include <functional>
#include <vector>

namespace korvex {

struct RowDivision {
    std::vector<int> starts; // first row of each band, ascending, starting at 0
    double cost = 0;
    int bandEnd(size_t band, int rows) const {
        return band + 1 < starts.size() ? starts[band + 1] : rows;
    }
};

// Entry k - 1 is the best division into exactly k bands, k = 1 .. min(maxBands, rows).
// `bandCost(first, end)` is the cost of one band of rows first .. end - 1; it is
// asked only for the bands the search needs.
std::vector<RowDivision> bestRowDivisions(int rows, int maxBands,
                                          const std::function<double(int, int)>& bandCost);

} // namespace korvex
