// The list view with 10,000 rows: filling it, scrolling it page by page and
// updating one cell of a visible row 1,000 times, with how many rows each
// step draws (a one-cell update must draw one row, not the page).
#include "platform/controls/ComCtrls.h"
#include "platform/controls/Forms.h"
#include "platform/core/MainThread.h"
#include "platform/core/SysUtils.h"
#include "platform/x11/X11Backend.h"

#include <chrono>
#include <cstdio>

using namespace platform;

namespace {

using TClock = std::chrono::steady_clock;
double Ms(TClock::time_point AStart) { return std::chrono::duration<double, std::milli>(TClock::now() - AStart).count(); }

} // namespace

int main()
{
    SetMainThread();
    bool x11 = !GetEnvironmentVariable("DISPLAY").empty() && InstallX11Backend();
    std::printf("presenter: %s\n", x11 ? "X11" : "headless");

    std::unique_ptr<TForm> form(new TForm(nullptr));
    form->SetBorderStyle(bsNone);
    form->SetBounds(0, 0, 827, 489);
    auto* view = new TListView(form.get());
    view->SetAlign(alClient);
    view->SetViewStyle(vsReport);
    view->SetRowSelect(true);
    view->SetGridLines(true);
    for (int c = 0; c < 25; ++c) {
        TListColumn* col = view->Columns()->Add();
        col->SetCaption("column " + std::to_string(c));
        col->SetWidth(c < 7 ? 100 : 0);
    }
    view->SetParent(form.get());
    long drawn = 0;
    view->OnCustomDrawItem = [&](TCustomListView*, TListItem*, TCustomDrawState, bool&) { ++drawn; };
    form->Show();
    Application()->ProcessMessages();

    constexpr int kRows = 10000;
    auto start = TClock::now();
    view->Items()->BeginUpdate();
    for (int i = 0; i < kRows; ++i) {
        TListItem* item = view->Items()->Add();
        item->SetCaption("/home/user/media/file " + std::to_string(i) + ".mp4");
        for (int s = 0; s < 24; ++s)
            item->SubItems()->Add(std::to_string(i * s));
    }
    view->Items()->EndUpdate();
    Application()->ProcessMessages();
    std::printf("fill %d rows of 25 columns: %.1f ms\n", kRows, Ms(start));

    int perPage = view->VisibleRowCount();
    drawn = 0;
    int pages = 0;
    start = TClock::now();
    while (view->TopIndex() + perPage < kRows && pages < 2000) {
        SendMessage(view->Handle(), WM_VSCROLL, SB_PAGEDOWN, 0);
        Application()->ProcessMessages();
        ++pages;
    }
    double scrolled = Ms(start);
    std::printf("scroll page by page: %d pages of %d rows, %.3f ms per page, %.1f rows drawn per page\n", pages,
                perPage, scrolled / pages, double(drawn) / pages);

    constexpr int kUpdates = 1000;
    TListItem* row = view->Items()->Item(view->TopIndex() + perPage / 2);
    drawn = 0;
    start = TClock::now();
    for (int i = 0; i < kUpdates; ++i) {
        row->SubItems()->SetStrings(3, std::to_string(i % 100) + "%");
        Application()->ProcessMessages();
    }
    double updated = Ms(start);
    std::printf("update one cell of a visible row %d times: %.3f ms per update, %.2f rows drawn per update\n",
                kUpdates, updated / kUpdates, double(drawn) / kUpdates);
    return 0;
}
