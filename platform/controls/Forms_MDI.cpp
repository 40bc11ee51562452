// Multiple-document forms: the frame's client window and its document forms.
#include "platform/controls/Forms.h"

#include "platform/ui/MdiClient.h"

#include <algorithm>

namespace platform {

void TCustomForm::MDIChildParams(TCreateParams& P)
{
    TCustomForm* main = Application()->MainForm();
    if (!main || main == this || main->FormStyle() != fsMDIForm)
        throw EInvalidOperation("Cannot create the document form \"" + Name() + "\": the main form is not a multiple-document form");
    main->HandleNeeded();
    if (!main->FClientHandle)
        throw EInvalidOperation("Cannot create the document form \"" + Name() + "\": the main form has no client window");
    P.Style = (P.Style & ~WS_POPUP) | WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    P.ExStyle |= WS_EX_MDICHILD;
    P.ExStyle &= ~DWORD(WS_EX_TOPMOST | WS_EX_LAYERED);
    P.WndParent = main->FClientHandle;
}

// A maximised document's frame lies outside the client window: only its
// client area shows, and its caption appears in the frame's.
void TCustomForm::MDIChildMaxInfo(TMinMaxInfo& AInfo)
{
    if (!FHandle)
        return;
    TRect window, client;
    GetWindowRect(FHandle, window);
    GetClientRect(FHandle, client);
    const TPoint origin = platform::ClientToScreen(FHandle, Point(0, 0));
    const int left = origin.X - window.Left, top = origin.Y - window.Top;
    const int right = window.Width() - client.Width() - left, bottom = window.Height() - client.Height() - top;
    AInfo.ptMaxPosition = Point(AInfo.ptMaxPosition.X - left, AInfo.ptMaxPosition.Y - top);
    AInfo.ptMaxSize = Point(AInfo.ptMaxSize.X + left + right, AInfo.ptMaxSize.Y + top + bottom);
    AInfo.ptMaxTrackSize = Point(std::max(AInfo.ptMaxTrackSize.X, AInfo.ptMaxSize.X),
                                 std::max(AInfo.ptMaxTrackSize.Y, AInfo.ptMaxSize.Y));
}

void TCustomForm::WMMDIActivate(TMessage& M)
{
    DefaultHandler(M);
    if (FFormStyle != fsMDIChild)
        return;
    const bool active = reinterpret_cast<HWND>(M.LParam) == FHandle;
    if (active == FActive)
        return;
    FActive = active;
    if (active)
        Activate();
    else
        Deactivate();
}

void TCustomForm::DestroyWnd()
{
    TWinControl::DestroyWnd();
    FClientHandle = nullptr;
}

void TCustomForm::AlignControls(TControl* AControl, TRect& ARect)
{
    TWinControl::AlignControls(AControl, ARect);
    // The client window takes what the aligned controls leave.
    if (FClientHandle)
        SetWindowPos(FClientHandle, nullptr, ARect.Left, ARect.Top, std::max(0, ARect.Width()),
                     std::max(0, ARect.Height()), SWP_NOZORDER | SWP_NOACTIVATE);
}

TCustomForm* TCustomForm::ActiveMDIChild() const
{
    if (!FClientHandle)
        return nullptr;
    return dynamic_cast<TCustomForm*>(FindControl(reinterpret_cast<HWND>(SendMessage(FClientHandle, WM_MDIGETACTIVE))));
}

int TCustomForm::MDIChildCount() const
{
    return FClientHandle ? int(GetMDIChildren(FClientHandle).size()) : 0;
}

TCustomForm* TCustomForm::MDIChildren(int AIndex) const
{
    if (!FClientHandle)
        return nullptr;
    const std::vector<HWND> list = GetMDIChildren(FClientHandle);
    if (AIndex < 0 || size_t(AIndex) >= list.size())
        return nullptr;
    return dynamic_cast<TCustomForm*>(FindControl(list[size_t(AIndex)]));
}

void TCustomForm::Next()
{
    if (FClientHandle)
        SendMessage(FClientHandle, WM_MDINEXT, 0, 0);
}

void TCustomForm::Previous()
{
    if (FClientHandle)
        SendMessage(FClientHandle, WM_MDINEXT, 0, 1);
}

void TCustomForm::Tile()
{
    if (FClientHandle)
        SendMessage(FClientHandle, WM_MDITILE, TileMode == tbHorizontal ? MDITILE_HORIZONTAL : MDITILE_VERTICAL);
}

void TCustomForm::Cascade()
{
    if (FClientHandle)
        SendMessage(FClientHandle, WM_MDICASCADE);
}

void TCustomForm::ArrangeIcons()
{
    if (FClientHandle)
        SendMessage(FClientHandle, WM_MDIICONARRANGE);
}

} // namespace platform
