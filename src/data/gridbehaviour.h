#pragma once
// What every grid of the list windows, selection dialogs and code lists does alike: read-only
// look, title-click sorting (ascending, descending, ascending; the sorted title in bold), and
// Enter in the grid.
#include <functional>

class GridModel;
class QTableView;

namespace grid {
// The look of every list grid: titles that stay regular unless sorted (a selected row does not
// make them bold), grey behind the rows.
void standardLook(QTableView *view);
// A click on a column title sorts the fetched result by that column.
void enableTitleSort(QTableView *view, GridModel *model);
// The click itself: nothing when the dataset is closed; "field ASC" unless the sort is already
// exactly "field ASC", then "field DESC"; the clicked title becomes the only bold one.
void sortByTitle(GridModel *model, int column);
// Enter (Return) in the grid runs fn.
void onEnter(QTableView *view, std::function<void()> fn);
// Enter in the grid moves the focus on as Tab does.
void enterMovesOn(QTableView *view);
}
