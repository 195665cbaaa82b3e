#include "document/PrintedPagination.h"

#include <cstddef>

namespace velantor {

bool positionPageEndsAfter(int place, int count, int perPage) {
    if (perPage < 1)
        return false;
    if (place % perPage == 0)
        return true;
    const int remainder = count % perPage;
    return remainder > kLongRemainderSplit && count - place == remainder - kLongRemainderSplit;
}

std::vector<int> positionPageSizes(int count, int perPage) {
    std::vector<int> sizes;
    int onPage = 0;
    for (int place = 1; place <= count; ++place) {
        ++onPage;
        if (positionPageEndsAfter(place, count, perPage) || place == count) {
            sizes.push_back(onPage);
            onPage = 0;
        }
    }
    return sizes;
}

namespace {

// How many rows from `first` fit in `limit` rows and `budget` twips (at least one).
std::size_t rowsFitting(const std::vector<int>& rows, std::size_t first, std::size_t limit, long long budget) {
    std::size_t taken = 0;
    long long used = 0;
    while (first + taken < rows.size() && taken < limit) {
        const long long next = used + rows[first + taken];
        if (taken > 0 && next > budget)
            break;
        used = next;
        ++taken;
    }
    return taken;
}

long long heightOf(const std::vector<int>& rows, std::size_t first, std::size_t count) {
    long long total = 0;
    for (std::size_t i = first; i < first + count; ++i)
        total += rows[i];
    return total;
}

} // namespace

std::vector<int> positionPageSizesByHeight(const std::vector<int>& rowTwips, int perPage, int lineTwips) {
    std::vector<int> sizes;
    if (perPage < 1)
        return rowTwips.empty() ? sizes : std::vector<int>{int(rowTwips.size())};
    const long long pageBudget = (long long)perPage * lineTwips;
    const long long lastPageBudget = (long long)kLongRemainderSplit * lineTwips;
    std::size_t first = 0;
    while (first < rowTwips.size()) {
        std::size_t taken = rowsFitting(rowTwips, first, std::size_t(perPage), pageBudget);
        const bool last = first + taken == rowTwips.size();
        if (last && taken < std::size_t(perPage) && heightOf(rowTwips, first, taken) > lastPageBudget)
            taken = rowsFitting(rowTwips, first, std::size_t(perPage), lastPageBudget);
        sizes.push_back(int(taken));
        first += taken;
    }
    return sizes;
}

int listPageCount(int count) {
    return count <= kListRowsPerPage ? 1 : (count + kListRowsPerPage - 1) / kListRowsPerPage;
}

int pageCounterAfterCourses(int courses) {
    return 2 + listPageCount(courses) - 1;
}

} // namespace velantor
