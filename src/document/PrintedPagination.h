#pragma once

#include <vector>

namespace velantor {

// How the printed lists are split into pages.

// Courses and supporting documents: 35 rows to a page.
inline constexpr int kListRowsPerPage = 35;
// A last page of requested positions longer than this is split after its 31st position,
// so that its barcode and the page foot still fit under the rows.
inline constexpr int kLongRemainderSplit = 31;

// Whether the page of requested positions ends after the position at 1-based place
// `place` of a list of `count`, with `perPage` positions to a full page: after every
// full page, and after the 31st position of a last partial page of more than 31.
bool positionPageEndsAfter(int place, int count, int perPage);

// The number of positions on each page of such a list, in order (empty for no positions).
std::vector<int> positionPageSizes(int count, int perPage);

// As positionPageSizes, for rows of the given printed heights (twips) where a one-line row
// is `lineTwips` high: a page holds at most `perPage` rows and at most the height of
// `perPage` one-line rows, so a page of grown rows ends sooner; a last page of fewer than
// `perPage` rows taller than 31 one-line rows is split where 31 one-line rows would end.
// With every row one line high the pages are those of positionPageSizes.
std::vector<int> positionPageSizesByHeight(const std::vector<int>& rowTwips, int perPage, int lineTwips);

// Pages a list of courses or documents fills (at least one: the template's own table).
int listPageCount(int count);

// The page counter after the courses pages: the courses table is page 2 and every
// 35 further courses add one page.
int pageCounterAfterCourses(int courses);

} // namespace velantor
