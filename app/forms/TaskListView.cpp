#include "app/forms/TaskListView.h"

namespace app {

using namespace platform;

TTaskListView::TTaskListView(TComponent* AOwner, TTaskList& ARows) : TbsSkinListView(AOwner), FRows(ARows)
{
    // The skin draws the header from the tool buttons' record; the rows
    // keep the platform's drawing.
    HeaderSkinDataName = "resizetoolbutton";
    SetViewStyle(vsReport);
    SetRowSelect(true);
    SetGridLines(true);
    SetHideSelection(false);
    ReadOnly = true;
    SetOwnerData(true);
    for (const TColumnSpec& spec : TaskColumns) {
        TListColumn* column = Columns()->Add();
        column->SetCaption(spec.Header);
        // Hidden columns stay at most one pixel wide.
        if (spec.Width == 0)
            column->SetMaxWidth(1);
        column->SetWidth(spec.Width);
    }
    OnData = [this](TObject*, TListItem* AItem) {
        const int index = AItem->Index();
        if (index < 0 || index >= FRows.Count())
            return;
        const TTaskRow& row = FRows.Row(index);
        AItem->SetCaption(row.Caption);
        TStringList* subs = AItem->SubItems();
        subs->Clear();
        for (const std::string& text : row.SubItems)
            subs->Add(text);
    };
    OnSelectItem = [this](TObject*, TListItem*, bool) {
        if (FSyncing || !OnUserSelect)
            return;
        OnUserSelect(ItemIndex());
    };
    OnClick = [this](TObject*) {
        if (OnListClick)
            OnListClick();
    };
    OnDblClick = [this](TObject*) {
        if (OnListDblClick)
            OnListDblClick();
    };
}

void TTaskListView::RowsChanged()
{
    FSyncing = true;
    Items()->SetCount(FRows.Count());
    SetItemIndex(FRows.ItemIndex());
    FSyncing = false;
    Invalidate();
}

void TTaskListView::RowChanged(int AIndex)
{
    if (AIndex >= 0 && AIndex < Items()->Count())
        UpdateItems(AIndex, AIndex);
}

int TTaskListView::ColumnLeft(int AColumn)
{
    int left = 0;
    for (int i = 0; i < AColumn && i < Columns()->Count(); ++i)
        left += Column(i)->Width();
    return left;
}

} // namespace app
