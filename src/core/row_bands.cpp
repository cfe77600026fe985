#include "core/row_bands.h"

#include <algorithm>
#include <limits>

namespace korvex {

std::vector<RowDivision> bestRowDivisions(int rows, int maxBands,
                                          const std::function<double(int, int)>& bandCost) {
    std::vector<RowDivision> out;
    if (rows <= 0 || maxBands <= 0)
        return out;
    const int bands = std::min(maxBands, rows);
    constexpr double kNone = std::numeric_limits<double>::infinity();
    // best[k][r]: rows 0 .. r - 1 in k bands; from[k][r]: where the last band starts.
    std::vector<std::vector<double>> best(size_t(bands) + 1,
                                          std::vector<double>(size_t(rows) + 1, kNone));
    std::vector<std::vector<int>> from(size_t(bands) + 1, std::vector<int>(size_t(rows) + 1, 0));
    best[0][0] = 0;
    for (int k = 1; k <= bands; ++k) {
        // Only the whole screen matters for the last band count.
        const int firstEnd = k == bands ? rows : k;
        for (int end = firstEnd; end <= rows; ++end)
            for (int start = k - 1; start < end; ++start) {
                if (best[size_t(k - 1)][size_t(start)] == kNone)
                    continue;
                const double c = best[size_t(k - 1)][size_t(start)] + bandCost(start, end);
                if (c < best[size_t(k)][size_t(end)]) {
                    best[size_t(k)][size_t(end)] = c;
                    from[size_t(k)][size_t(end)] = start;
                }
            }
        RowDivision division;
        division.cost = best[size_t(k)][size_t(rows)];
        for (int kk = k, end = rows; kk > 0; --kk) {
            end = from[size_t(kk)][size_t(end)];
            division.starts.push_back(end);
        }
        std::reverse(division.starts.begin(), division.starts.end());
        out.push_back(division);
    }
    return out;
}

} // namespace korvex
