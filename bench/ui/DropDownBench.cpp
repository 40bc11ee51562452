// How long a drop-down of 500 items takes to open: from the call to the
// list's pixels in its back buffer (composed, ready to present), for the
// skinned combo box and the office combo box, unskinned, over many opens.
// A frame at 60 Hz is 16.7 ms.
#include "skin/boxes/bsSkinBoxCtrls_ComboBox.h"
#include "skin/boxes/bsSkinExCtrls_OfficeCombo.h"

#include "platform/controls/Forms.h"
#include "platform/ui/Paint.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

using namespace platform;

namespace {

using TClock = std::chrono::steady_clock;

// The median and the slowest of ARuns opens, in milliseconds.
void Measure(const char* AName, int ARuns, const std::function<void()>& AOpen, const std::function<void()>& AClose)
{
    std::vector<double> times;
    for (int i = 0; i < ARuns; ++i) {
        const auto start = TClock::now();
        AOpen();
        Application()->ProcessMessages();   // paints the list into its buffer
        times.push_back(std::chrono::duration<double, std::milli>(TClock::now() - start).count());
        AClose();
        Application()->ProcessMessages();
    }
    std::sort(times.begin(), times.end());
    std::printf("%-40s median %7.3f ms   slowest %7.3f ms   (%d opens)\n", AName, times[times.size() / 2],
                times.back(), ARuns);
}

} // namespace

int main()
{
    TForm form(nullptr);
    form.SetBounds(100, 100, 400, 300);
    form.Show();
    auto* combo = new skin::TbsSkinComboBox(&form);
    combo->SetBounds(10, 10, 200, 20);
    combo->SetParent(&form);
    combo->SetDropDownCount(20);
    for (int i = 0; i < 500; ++i)
        combo->Items()->Add("Item number " + std::to_string(i));
    combo->SetItemIndex(250);

    auto* office = new skin::TbsSkinOfficeComboBox(&form);
    office->SetBounds(10, 50, 200, 41);
    office->SetParent(&form);
    office->SetDropDownCount(12);
    office->BeginUpdateItems();
    for (int i = 0; i < 500; ++i) {
        auto* item = office->Items()->Add();
        item->SetTitle("Title " + std::to_string(i));
        item->SetCaption("Caption of item " + std::to_string(i));
    }
    office->EndUpdateItems();
    office->SetItemIndex(250);
    Application()->ProcessMessages();

    Measure("skinned combo box, 500 items", 200, [&] { combo->DropDown(); }, [&] { combo->CloseUp(false); });
    Measure("office combo box, 500 items", 200, [&] { office->DropDown(); }, [&] { office->CloseUp(false); });
    return 0;
}
