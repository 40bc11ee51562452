#include "platform/controls/Controls.h"

#include "platform/controls/Forms.h"
#include "platform/controls/Menus.h"
#include "platform/core/SysUtils.h"
#include "platform/ui/Input.h"

#include <algorithm>

namespace platform {
namespace {

TControl* GCaptureControl = nullptr;   // a windowless control holding the mouse

} // namespace

TShiftState KeysToShiftState(WPARAM AKeys)
{
    TShiftState s = 0;
    if (AKeys & MK_SHIFT) s |= ssShift;
    if (AKeys & MK_CONTROL) s |= ssCtrl;
    if (AKeys & MK_LBUTTON) s |= ssLeft;
    if (AKeys & MK_RBUTTON) s |= ssRight;
    if (AKeys & MK_MBUTTON) s |= ssMiddle;
    if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
    return s;
}

TShiftState KeyDataToShiftState(LPARAM AKeyData)
{
    TShiftState s = 0;
    if (GetKeyState(VK_SHIFT) < 0) s |= ssShift;
    if (GetKeyState(VK_CONTROL) < 0) s |= ssCtrl;
    if (AKeyData & (1 << 29)) s |= ssAlt;
    return s;
}

TCursorShape CursorShapeOf(TCursor ACursor)
{
    switch (ACursor) {
    case crNone: return TCursorShape::crNone;
    case crCross: return TCursorShape::crCross;
    case crIBeam: return TCursorShape::crIBeam;
    case crSizeNESW: return TCursorShape::crSizeNESW;
    case crSizeNS: return TCursorShape::crSizeNS;
    case crSizeNWSE: return TCursorShape::crSizeNWSE;
    case crSizeWE: return TCursorShape::crSizeWE;
    case crHourGlass: return TCursorShape::crWait;
    case crNo: return TCursorShape::crNo;
    case crHandPoint: return TCursorShape::crHandPoint;
    case crSizeAll: return TCursorShape::crSizeAll;
    default: return TCursorShape::crArrow;
    }
}

bool IsAccel(uint16_t AVirtualKey, const std::string& ACaption)
{
    for (size_t i = 0; i + 1 < ACaption.size(); ++i) {
        if (ACaption[i] != '&')
            continue;
        if (ACaption[i + 1] == '&') {
            ++i;
            continue;
        }
        char c = ACaption[i + 1];
        return std::toupper(static_cast<unsigned char>(c)) == std::toupper(int(AVirtualKey & 0xFF));
    }
    return false;
}

std::string StripHotkey(const std::string& ACaption)
{
    std::string out;
    for (size_t i = 0; i < ACaption.size(); ++i) {
        if (ACaption[i] == '&') {
            if (i + 1 < ACaption.size() && ACaption[i + 1] == '&')
                out += '&';
            ++i;
            if (i < ACaption.size() && ACaption[i] != '&')
                out += ACaption[i];
            continue;
        }
        out += ACaption[i];
    }
    return out;
}

// ---- TControlCanvas

TControlCanvas::~TControlCanvas() { FreeHandle(); }

void TControlCanvas::FreeHandle()
{
    if (FDeviceContext) {
        SetHandle(nullptr);
        ReleaseDC(FWindowHandle, FDeviceContext);
        FDeviceContext = nullptr;
        FWindowHandle = nullptr;
    }
}

void TControlCanvas::CreateHandle()
{
    // A paint lends the canvas its own DC and takes it back; the window DC
    // the canvas held before is given up for a fresh one, so that what is
    // drawn now reaches the screen.
    if (FDeviceContext) {
        ReleaseDC(FWindowHandle, FDeviceContext);
        FDeviceContext = nullptr;
        FWindowHandle = nullptr;
    }
    if (auto* win = dynamic_cast<TWinControl*>(FControl)) {
        FWindowHandle = win->Handle();
        FDeviceContext = GetDC(FWindowHandle);
    } else if (FControl->Parent()) {
        FWindowHandle = FControl->Parent()->Handle();
        FDeviceContext = GetDC(FWindowHandle);
        SetViewportOrgEx(FDeviceContext, FControl->Left(), FControl->Top(), nullptr);
        IntersectClipRect(FDeviceContext, 0, 0, FControl->Width(), FControl->Height());
    }
    if (FDeviceContext)
        SetHandle(FDeviceContext);
}

// ---- TControl

TControl::TControl(TComponent* AOwner) : TComponent(AOwner)
{
    WindowProc = [this](TMessage& M) { WndProc(M); };
    FFont.OnChange = [this](TObject* S) { FontChanged(S); };
}

TControl::~TControl()
{
    if (GCaptureControl == this)
        GCaptureControl = nullptr;
    ControlDestroyed(this);
    if (FParent)
        FParent->RemoveControl(this);
}

LRESULT TControl::Perform(UINT AMsg, WPARAM W, LPARAM L)
{
    TMessage m{AMsg, W, L, 0};
    WindowProc(m);
    return m.Result;
}

void TControl::WndProc(TMessage& M)
{
    switch (M.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (ControlStyle & csCaptureMouse)
            SetMouseCapture(true);
        if (ControlStyle & csClickEvents)
            ControlState |= csClicked;
        ControlState |= csLButtonDown;
        break;
    case WM_LBUTTONUP:
        ControlState &= ~csLButtonDown;
        break;
    default:
        break;
    }
    Dispatch(M);
}

void TControl::Dispatch(TMessage& M)
{
    switch (M.Msg) {
    case WM_PAINT: WMPaint(M); break;
    case WM_ERASEBKGND: WMEraseBkgnd(M); break;
    case WM_MOVE: WMMove(M); break;
    case WM_SIZE: WMSize(M); break;
    case WM_MOUSEMOVE: WMMouseMove(M); break;
    case WM_LBUTTONDOWN: WMLButtonDown(M); break;
    case WM_LBUTTONUP: WMLButtonUp(M); break;
    case WM_LBUTTONDBLCLK: WMLButtonDblClk(M); break;
    case WM_RBUTTONDOWN: WMRButtonDown(M); break;
    case WM_RBUTTONUP: WMRButtonUp(M); break;
    case WM_MBUTTONDOWN: WMMButtonDown(M); break;
    case WM_MBUTTONUP: WMMButtonUp(M); break;
    case WM_CONTEXTMENU: WMContextMenu(M); break;
    case WM_CANCELMODE: WMCancelMode(M); break;
    case CM_MOUSEENTER: CMMouseEnter(M); break;
    case CM_MOUSELEAVE: CMMouseLeave(M); break;
    case CM_ENABLEDCHANGED: CMEnabledChanged(M); break;
    case CM_VISIBLECHANGED: CMVisibleChanged(M); break;
    case CM_TEXTCHANGED: CMTextChanged(M); break;
    case CM_FONTCHANGED: CMFontChanged(M); break;
    case CM_COLORCHANGED: CMColorChanged(M); break;
    case CM_PARENTFONTCHANGED: CMParentFontChanged(M); break;
    case CM_PARENTCOLORCHANGED: CMParentColorChanged(M); break;
    case CM_CANCELMODE: CMCancelMode(M); break;
    case CM_HITTEST: CMHitTest(M); break;
    default: DefaultHandler(M); break;
    }
}

void TControl::DefaultHandler(TMessage& M)
{
    switch (M.Msg) {
    case WM_GETTEXTLENGTH:
        M.Result = LRESULT(FText.size());
        break;
    case WM_SETTEXT:
        FText = M.LParam ? reinterpret_cast<const char*>(M.LParam) : "";
        M.Result = 1;
        break;
    default:
        break;
    }
}

void TControl::SetParent(TWinControl* AParent)
{
    if (FParent == AParent)
        return;
    if (AParent == this)
        throw EInvalidOperation("A control cannot have itself as its parent");
    if (FParent)
        FParent->RemoveControl(this);
    if (AParent)
        AParent->InsertControl(this);
}

TCustomForm* TControl::ParentForm() const { return GetParentForm(const_cast<TControl*>(this)); }

void TControl::ConstrainedResize(int& AWidth, int& AHeight)
{
    if (Constraints.MinWidth > 0) AWidth = std::max(AWidth, Constraints.MinWidth);
    if (Constraints.MaxWidth > 0) AWidth = std::min(AWidth, Constraints.MaxWidth);
    if (Constraints.MinHeight > 0) AHeight = std::max(AHeight, Constraints.MinHeight);
    if (Constraints.MaxHeight > 0) AHeight = std::min(AHeight, Constraints.MaxHeight);
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    ConstrainedResize(AWidth, AHeight);
    if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight)
        return;
    if (FParent && FVisible && FParent->HandleAllocated()) {
        TRect old = BoundsRect();
        InvalidateRect(FParent->FHandle, &old, true);
    }
    const bool sized = AWidth != FWidth || AHeight != FHeight;
    FLeft = ALeft;
    FTop = ATop;
    FWidth = AWidth;
    FHeight = AHeight;
    UpdateAnchorRules();
    Invalidate();
    RequestAlign();
    if (sized)
        Resize();
}

TRect TControl::ClientRect() { return Rect(0, 0, FWidth, FHeight); }

void TControl::SetClientSize(int AWidth, int AHeight)
{
    TRect c = ClientRect();
    SetBounds(FLeft, FTop, FWidth + AWidth - c.Width(), FHeight + AHeight - c.Height());
}

TPoint TControl::ClientOrigin()
{
    if (!FParent)
        return Point(FLeft, FTop);
    TPoint p = FParent->ClientOrigin();
    return Point(p.X + FLeft, p.Y + FTop);
}

void TControl::SetAlign(TAlign AValue)
{
    if (FAlign == AValue)
        return;
    FAlign = AValue;
    RequestAlign();
}

void TControl::SetAnchors(TAnchors AValue)
{
    FAnchors = AValue;
    UpdateAnchorRules();
}

void TControl::UpdateAnchorRules()
{
    if (!FParent || FParent->FAlignLevel > 0)
        return;
    TRect c = FParent->ClientRect();
    FAnchorRight = c.Width() - (FLeft + FWidth);
    FAnchorBottom = c.Height() - (FTop + FHeight);
    FAnchorRulesValid = true;
}

void TControl::RequestAlign()
{
    if (FParent && (FAlign != alNone || FParent->FAlignLevel == 0))
        FParent->Realign();
}

void TControl::SetVisible(bool AValue)
{
    if (FVisible == AValue)
        return;
    VisibleChanging();
    FVisible = AValue;
    Perform(CM_VISIBLECHANGED, WPARAM(AValue));
    if (FParent) {
        FParent->Invalidate();
        RequestAlign();
    }
}

bool TControl::Showing() const { return FVisible && FParent && FParent->Showing(); }

void TControl::SetEnabled(bool AValue)
{
    if (FEnabled == AValue)
        return;
    FEnabled = AValue;
    Perform(CM_ENABLEDCHANGED);
}

bool TControl::MouseCapture() const
{
    if (auto* win = dynamic_cast<const TWinControl*>(this))
        return win->HandleAllocated() && GetCapture() == win->FHandle;
    return GCaptureControl == this;
}

void TControl::SetMouseCapture(bool AValue)
{
    if (MouseCapture() == AValue)
        return;
    auto* win = dynamic_cast<TWinControl*>(this);
    if (AValue) {
        if (win) {
            GCaptureControl = nullptr;
            SetCapture(win->Handle());
        } else if (FParent) {
            GCaptureControl = this;
            SetCapture(FParent->Handle());
        }
    } else {
        GCaptureControl = nullptr;
        ReleaseCapture();
    }
}

void TControl::SetText(const std::string& AValue)
{
    if (FText == AValue)
        return;
    FText = AValue;
    Perform(CM_TEXTCHANGED);
}

void TControl::FontChanged(TObject*)
{
    FParentFont = false;
    Perform(CM_FONTCHANGED);
}

void TControl::SetParentFont(bool AValue)
{
    FParentFont = AValue;
    if (AValue && FParent)
        Perform(CM_PARENTFONTCHANGED);
}

void TControl::SetColor(TColor AValue)
{
    if (FColor == AValue)
        return;
    FColor = AValue;
    FParentColor = false;
    Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool AValue)
{
    FParentColor = AValue;
    if (AValue && FParent)
        Perform(CM_PARENTCOLORCHANGED);
}

void TControl::CMParentFontChanged(TMessage&)
{
    if (!FParentFont || !FParent)
        return;
    auto handler = FFont.OnChange;
    FFont.OnChange = nullptr;
    FFont.Assign(FParent->Font());
    FFont.OnChange = handler;
    Perform(CM_FONTCHANGED);
}

void TControl::CMParentColorChanged(TMessage&)
{
    if (!FParentColor || !FParent)
        return;
    FColor = FParent->Color();
    Perform(CM_COLORCHANGED);
}

void TControl::SetPopupMenu(TPopupMenu* AValue)
{
    FPopupMenu = AValue;
    if (AValue)
        AValue->FreeNotification(this);
}

void TControl::Notification(TComponent* AComponent, TOperation AOperation)
{
    TComponent::Notification(AComponent, AOperation);
    if (AOperation == opRemove && AComponent == FPopupMenu)
        FPopupMenu = nullptr;
}

void TControl::Invalidate()
{
    if (FParent && FParent->HandleAllocated() && FVisible) {
        TRect r = BoundsRect();
        InvalidateRect(FParent->FHandle, &r, !(ControlStyle & csOpaque));
    }
}

void TControl::Repaint()
{
    Invalidate();
    Update();
}

void TControl::Update()
{
    if (FParent)
        FParent->Update();
}

void TControl::BringToFront()
{
    if (!FParent)
        return;
    auto& list = FParent->FControls;
    list.erase(std::find(list.begin(), list.end(), this));
    list.push_back(this);
    if (auto* win = dynamic_cast<TWinControl*>(this); win && win->HandleAllocated())
        SetWindowPos(win->FHandle, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Invalidate();
}

void TControl::SendToBack()
{
    if (!FParent)
        return;
    auto& list = FParent->FControls;
    list.erase(std::find(list.begin(), list.end(), this));
    list.insert(list.begin(), this);
    if (auto* win = dynamic_cast<TWinControl*>(this); win && win->HandleAllocated())
        SetWindowPos(win->FHandle, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    FParent->Invalidate();
}

void TControl::Click()
{
    if (OnClick)
        OnClick(this);
}

void TControl::DblClick()
{
    if (OnDblClick)
        OnDblClick(this);
}

void TControl::Resize()
{
    if (OnResize)
        OnResize(this);
}

void TControl::MouseDown(TMouseButtonKind AButton, TShiftState AShift, int X, int Y)
{
    if (OnMouseDown)
        OnMouseDown(this, AButton, AShift, X, Y);
}

void TControl::MouseUp(TMouseButtonKind AButton, TShiftState AShift, int X, int Y)
{
    if (OnMouseUp)
        OnMouseUp(this, AButton, AShift, X, Y);
}

void TControl::MouseMove(TShiftState AShift, int X, int Y)
{
    if (OnMouseMove)
        OnMouseMove(this, AShift, X, Y);
}

void TControl::WMPaint(TMessage& M) { DefaultHandler(M); }

void TControl::WMMouseMove(TMessage& M)
{
    MouseMove(KeysToShiftState(M.WParam), GET_X_LPARAM(M.LParam), GET_Y_LPARAM(M.LParam));
}

void TControl::WMLButtonDown(TMessage& M)
{
    SendCancelMode(this);
    MouseDown(mbLeft, KeysToShiftState(M.WParam), GET_X_LPARAM(M.LParam), GET_Y_LPARAM(M.LParam));
}

void TControl::WMLButtonDblClk(TMessage& M)
{
    if (ControlStyle & csDoubleClicks)
        DblClick();
    MouseDown(mbLeft, KeysToShiftState(M.WParam) | ssDouble, GET_X_LPARAM(M.LParam), GET_Y_LPARAM(M.LParam));
}

void TControl::WMLButtonUp(TMessage& M)
{
    if (ControlStyle & csCaptureMouse)
        SetMouseCapture(false);
    if (ControlState & csClicked) {
        ControlState &= ~csClicked;
        if (PtInRect(ClientRect(), Point(GET_X_LPARAM(M.LParam), GET_Y_LPARAM(M.LParam))))
            Click();
    }
    MouseUp(mbLeft, KeysToShiftState(M.WParam), GET_X_LPARAM(M.LParam), GET_Y_LPARAM(M.LParam));
}

void TControl::WMRButtonDown(TMessage& M)
{
    SendCancelMode(this);
    MouseDown(mbRight, KeysToShiftState(M.WParam), GET_X_LPARAM(M.LParam), GET_Y_LPARAM(M.LParam));
}

void TControl::WMRButtonUp(TMessage& M)
{
    MouseUp(mbRight, KeysToShiftState(M.WParam), GET_X_LPARAM(M.LParam), GET_Y_LPARAM(M.LParam));
    // The context menu follows the right button's release.
    TPoint p = ClientToScreen(Point(GET_X_LPARAM(M.LParam), GET_Y_LPARAM(M.LParam)));
    Perform(WM_CONTEXTMENU, 0, MAKELPARAM(p.X, p.Y));
}

void TControl::WMMButtonDown(TMessage& M)
{
    MouseDown(mbMiddle, KeysToShiftState(M.WParam), GET_X_LPARAM(M.LParam), GET_Y_LPARAM(M.LParam));
}

void TControl::WMMButtonUp(TMessage& M)
{
    MouseUp(mbMiddle, KeysToShiftState(M.WParam), GET_X_LPARAM(M.LParam), GET_Y_LPARAM(M.LParam));
}

void TControl::WMContextMenu(TMessage& M)
{
    TPoint p = Point(GET_X_LPARAM(M.LParam), GET_Y_LPARAM(M.LParam));
    // From the keyboard (-1, -1) the menu opens at the control's centre.
    bool keyboard = p.X == -1 && p.Y == -1;
    if (keyboard)
        p = ClientToScreen(Point(FWidth / 2, FHeight / 2));
    bool handled = false;
    if (OnContextPopup)
        OnContextPopup(this, keyboard ? Point(-1, -1) : ScreenToClient(p), handled);
    if (handled) {
        M.Result = 1;
        return;
    }
    if (FPopupMenu && FPopupMenu->AutoPopup) {
        FPopupMenu->PopupComponent = this;
        FPopupMenu->Popup(p.X, p.Y);
        M.Result = 1;
        return;
    }
    DefaultHandler(M);
}

void TControl::WMCancelMode(TMessage& M)
{
    if (MouseCapture())
        SetMouseCapture(false);
    DefaultHandler(M);
}

void TControl::SendCancelMode(TControl* ASender)
{
    if (TCustomForm* form = ParentForm())
        if (TWinControl* active = form->ActiveControl(); active && active != ASender)
            active->Perform(CM_CANCELMODE, 0, reinterpret_cast<LPARAM>(ASender));
}

void TControl::CMMouseEnter(TMessage& M)
{
    if (FParent)
        FParent->Perform(CM_MOUSEENTER, 0, M.LParam ? M.LParam : reinterpret_cast<LPARAM>(this));
    if (M.LParam == 0 && OnMouseEnter)
        OnMouseEnter(this);
}

void TControl::CMMouseLeave(TMessage& M)
{
    if (FParent)
        FParent->Perform(CM_MOUSELEAVE, 0, M.LParam ? M.LParam : reinterpret_cast<LPARAM>(this));
    if (M.LParam == 0 && OnMouseLeave)
        OnMouseLeave(this);
}

// ---- TGraphicControl

TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner), FCanvas(std::make_unique<TControlCanvas>(this)) {}

TGraphicControl::~TGraphicControl() = default;

void TGraphicControl::WMPaint(TMessage& M)
{
    if (M.WParam)
        PaintOnCanvas(FCanvas.get(), reinterpret_cast<HDC>(M.WParam), [this] { Paint(); });
}

// ---- TCustomControl

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner), FCanvas(std::make_unique<TControlCanvas>(this)) {}

TCustomControl::~TCustomControl() = default;

void TCustomControl::PaintWindow(HDC ADC) { PaintOnCanvas(FCanvas.get(), ADC, [this] { Paint(); }); }

void PaintOnCanvas(TCanvas* ACanvas, HDC ADC, const std::function<void()>& APaint)
{
    ACanvas->Lock();
    ACanvas->SetHandle(ADC);
    try {
        APaint();
    } catch (...) {
        ACanvas->SetHandle(nullptr);
        ACanvas->Unlock();
        throw;
    }
    ACanvas->SetHandle(nullptr);
    ACanvas->Unlock();
}

// ---- look-ups

TWinControl* FindControl(HWND AWnd)
{
    return AWnd ? reinterpret_cast<TWinControl*>(GetProp(AWnd, "TWinControl")) : nullptr;
}

TControl* FindDragTarget(TPoint AScreen, bool AAllowDisabled)
{
    HWND h = WindowFromPoint(AScreen);
    TWinControl* win = FindControl(h);
    if (!win)
        return nullptr;
    TControl* inner = win->ControlAtPos(win->ScreenToClient(AScreen), AAllowDisabled);
    return inner ? inner : win;
}

TCustomForm* GetParentForm(TControl* AControl)
{
    while (AControl && AControl->Parent())
        AControl = AControl->Parent();
    return dynamic_cast<TCustomForm*>(AControl);
}

int FontLineHeight(TFont* AFont)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT old = SelectObject(dc, AFont->Handle());
    TEXTMETRIC tm{};
    GetTextMetrics(dc, &tm);
    SelectObject(dc, old);
    DeleteDC(dc);
    return std::max<int>(1, tm.tmHeight);
}

TSize FontTextExtent(TFont* AFont, std::string_view AText)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT old = SelectObject(dc, AFont->Handle());
    TSize size{};
    GetTextExtentPoint32(dc, AText, &size);
    SelectObject(dc, old);
    DeleteDC(dc);
    return size;
}

} // namespace platform
