#include "skin/form/bsSkinPopupControl.h"

#include "skin/core/bsUtils_Probes.h"

#include "platform/ui/Messages.h"

#include <algorithm>

namespace skin {

using namespace platform;

TbsSkinPopupControl::TbsSkinPopupControl(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetVisible(false);
    // Presses never hold the mouse by themselves.
    ControlStyle &= ~csCaptureMouse;
}

void TbsSkinPopupControl::CreateParams(TCreateParams& P)
{
    TCustomControl::CreateParams(P);
    P.Style = WS_POPUP;
    P.ExStyle = WS_EX_TOOLWINDOW;
    P.WndParent = nullptr;
    P.WindowClass.Style |= CS_SAVEBITS;
    if (IsXPOrLater())
        P.WindowClass.Style |= CS_DROPSHADOW;
    // A window class of their own: the class style is the first registrant's,
    // and the popups' shadow would be lost under the controls' shared class.
    P.WinClassName = "TbsSkinPopupControl";
}

void TbsSkinPopupControl::WndProc(TMessage& M)
{
    ++FHandlerDepth;
    struct TLeave {
        int& Depth;
        ~TLeave() { --Depth; }
    } leave{FHandlerDepth};
    switch (M.Msg) {
    case WM_MOUSEACTIVATE:
        M.Result = MA_NOACTIVATE;
        return;
    case WM_ERASEBKGND:
        // The paint covers the whole window.
        M.Result = 1;
        return;
    default:
        PopupWndProc(M);
    }
}

TbsClosedPopups::~TbsClosedPopups()
{
    FreeIdle();
    if (FTimer)
        KillTimer(nullptr, FTimer);
    for (auto& window : FWindows)
        window.release();
}

void TbsClosedPopups::Add(TbsSkinPopupControl* AWindow)
{
    FWindows.emplace_back(AWindow);
    if (!FTimer)
        FTimer = SetTimer(nullptr, 0, 1, [this](HWND, UINT, uintptr_t, uint32_t) { FreeIdle(); });
}

void TbsClosedPopups::FreeIdle()
{
    std::erase_if(FWindows, [](const std::unique_ptr<TbsSkinPopupControl>& W) { return !W->InHandler(); });
    if (FWindows.empty() && FTimer) {
        KillTimer(nullptr, FTimer);
        FTimer = 0;
    }
}

void TbsAppMessageHook::Hook(TMessageEvent AHandler)
{
    if (FHooked)
        return;
    FOld = Application()->OnMessage;
    Application()->OnMessage = std::move(AHandler);
    FHooked = true;
}

void TbsAppMessageHook::Unhook()
{
    if (!FHooked)
        return;
    Application()->OnMessage = FOld;
    FOld = nullptr;
    FHooked = false;
}

} // namespace skin
