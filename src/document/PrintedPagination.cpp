#include "document/PrintedPagination.h"

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

int listPageCount(int count) {
    return count <= kListRowsPerPage ? 1 : (count + kListRowsPerPage - 1) / kListRowsPerPage;
}

int pageCounterAfterCourses(int courses) {
    return 2 + listPageCount(courses) - 1;
}

} // namespace velantor
