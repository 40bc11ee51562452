// The combo side of a drop-down: presses in the open list, timers and the
// follow rule.
#include "skin/boxes/bsSkinBoxes_DropDown.h"

#include "platform/ui/Window.h"

namespace skin {

using namespace platform;

bool DropListMessage(TMessage& M, TWinControl* ACombo, bool& ALBDown, bool& AWasInLB)
{
    switch (M.Msg) {
    case WM_LBUTTONDOWN:
        ALBDown = true;
        AWasInLB = true;
        SetCapture(ACombo->Handle());
        return true;
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        return true;
    case WM_MOUSEACTIVATE:
        M.Result = MA_NOACTIVATE;
        return false;
    default:
        return false;
    }
}

void RestartControlTimer(TWinControl* AControl, uintptr_t AId, uint32_t AInterval)
{
    KillTimer(AControl->Handle(), AId);
    SetTimer(AControl->Handle(), AId, AInterval, nullptr);
}

void StopControlTimer(TWinControl* AControl, uintptr_t AId)
{
    if (AControl->HandleAllocated())
        KillTimer(AControl->Handle(), AId);
}

void TbsDropFollow::Start(TWinControl* ACombo)
{
    Origin = ACombo->ClientToScreen(Point(0, 0));
    RestartControlTimer(ACombo, DropFollowTimer, DropFollowInterval);
}

void TbsDropFollow::Stop(TWinControl* ACombo) { StopControlTimer(ACombo, DropFollowTimer); }

bool TbsDropFollow::Moved(TWinControl* ACombo) const { return ACombo->ClientToScreen(Point(0, 0)) != Origin; }

} // namespace skin
