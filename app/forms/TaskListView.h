#pragma once
// The file list of the main window: a skinned report-style list whose rows
// are the workflow's task rows, fetched as they are shown; its header and
// its two external scroll bars are drawn by the skin. Progress only marks a
// row; the list repaints marked rows together at its next paint, so many
// progress records cost one repaint.

#include "app/workflow/TaskRows.h"

#include "skin/controls/bsSkinCtrls_ListView.h"

#include <functional>

namespace app {

class TTaskListView : public skin::TbsSkinListView {
public:
    TTaskListView(platform::TComponent* AOwner, TTaskList& ARows);

    // The row count and the selection follow the rows.
    void RowsChanged();
    // One row's texts changed.
    void RowChanged(int AIndex);
    // Left edge and width of a column in the list's client area.
    int ColumnLeft(int AColumn);

    // The user selected a row (-1: none), clicked or double-clicked.
    std::function<void(int AIndex)> OnUserSelect;
    std::function<void()> OnListClick;
    std::function<void()> OnListDblClick;

private:
    TTaskList& FRows;
    bool FSyncing = false;
};

} // namespace app
