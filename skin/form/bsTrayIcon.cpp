#include "skin/form/bsTrayIcon.h"

#include "skin/controls/bsSkinHint.h"
#include "skin/form/bsSkinMenus.h"

#include "platform/controls/Forms.h"
#include "platform/ui/Input.h"
#include "platform/ui/MessageLoop.h"

#include <algorithm>

namespace skin {

using namespace platform;

namespace {

constexpr UINT TrayCallbackMessage = WM_USER + 0x400;   // 0x800
constexpr UINT TrayFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
constexpr intptr_t ShownFromTrayTag = -10000;
// While the main form is in the tray the icon is looked for this often; a
// form whose icon stays missing for UndockedTicksToRestore looks comes back.
constexpr uint32_t TrayWatchMs = 1000;
constexpr int UndockedTicksToRestore = 3;
// How long a balloon stays when nobody clicks it.
constexpr uint32_t BalloonTimeoutMs = 10000;

TShiftState ReadShiftKeys()
{
    TShiftState s = 0;
    if (GetAsyncKeyState(VK_SHIFT) < 0)
        s |= ssShift;
    if (GetAsyncKeyState(VK_CONTROL) < 0)
        s |= ssCtrl;
    if (GetAsyncKeyState(VK_MENU) < 0)
        s |= ssAlt;
    return s;
}

// The pixels the notification area takes: premultiplied, opaque where the
// picture has no alpha of its own.
void PictureToIconData(TBitmap* ABitmap, TNotifyIconData& AData)
{
    AData.Icon.clear();
    AData.IconWidth = AData.IconHeight = 0;
    if (!ABitmap || ABitmap->Empty() || ABitmap->Width() <= 0 || ABitmap->Height() <= 0)
        return;
    const int w = ABitmap->Width(), h = ABitmap->Height();
    const bool withAlpha = ABitmap->PixelFormat() != pf24bit;
    std::vector<uint32_t> px(size_t(w) * size_t(h));
    bool anyAlpha = false;
    for (int y = 0; y < h; ++y) {
        const uint8_t* row = ABitmap->ScanLine(y);
        for (int x = 0; x < w; ++x) {
            uint32_t p;
            if (withAlpha)
                p = reinterpret_cast<const uint32_t*>(row)[x];
            else
                p = uint32_t(row[3 * x]) | uint32_t(row[3 * x + 1]) << 8 | uint32_t(row[3 * x + 2]) << 16;
            anyAlpha = anyAlpha || (p >> 24) != 0;
            px[size_t(y) * size_t(w) + size_t(x)] = p;
        }
    }
    if (!anyAlpha)
        for (uint32_t& p : px)
            p |= 0xFF000000u;
    AData.Icon = std::move(px);
    AData.IconWidth = w;
    AData.IconHeight = h;
}

// The balloon's three signs, drawn by the program: information, warning,
// error.
std::unique_ptr<TCustomImageList> MakeBalloonIcons()
{
    auto list = std::make_unique<TCustomImageList>(nullptr);
    list->SetSize(16, 16);
    struct TSign {
        TColor Fill;
        bool Triangle;
    };
    const TSign signs[] = {{TColor(0xD07820), false}, {TColor(0x10C8F0), true}, {TColor(0x2020D0), false}};
    for (size_t i = 0; i < 3; ++i) {
        TBitmap b;
        b.SetPixelFormat(pf24bit);
        b.SetSize(16, 16);
        TCanvas* c = b.Canvas();
        c->Brush()->SetColor(clFuchsia);
        c->FillRect(Rect(0, 0, 16, 16));
        c->Brush()->SetColor(signs[i].Fill);
        c->Pen()->SetColor(signs[i].Fill);
        if (signs[i].Triangle)
            c->Polygon({Point(8, 1), Point(15, 14), Point(1, 14)});
        else
            c->Ellipse(1, 1, 15, 15);
        c->Brush()->SetColor(signs[i].Triangle ? clBlack : clWhite);
        if (i == 0) {   // an "i"
            c->FillRect(Rect(7, 4, 9, 6));
            c->FillRect(Rect(7, 7, 9, 12));
        } else if (i == 1) {   // a "!"
            c->FillRect(Rect(7, 5, 9, 10));
            c->FillRect(Rect(7, 11, 9, 13));
        } else {   // a cross
            for (int k = 0; k < 6; ++k) {
                c->FillRect(Rect(5 + k, 5 + k, 6 + k, 6 + k));
                c->FillRect(Rect(10 - k, 5 + k, 11 - k, 6 + k));
            }
        }
        list->AddMasked(&b, clFuchsia);
    }
    return list;
}

} // namespace

TbsTrayIcon::TbsTrayIcon(TComponent* AOwner) : TComponent(AOwner), FHookSlot(std::make_shared<THookSlot>())
{
    FHookSlot->Icon = this;
    NotifyAreaCreatedMessage();
    // The icon's message window belongs to the application window.
    static const bool registered = [] {
        TWndClass cls;
        cls.ClassName = "TbsTrayIconWindow";
        RegisterClass(cls);
        return true;
    }();
    (void)registered;
    FWindowHandle = Application()->Handle();
    IconData.hWnd = CreateWindowEx(WS_EX_TOOLWINDOW, "TbsTrayIconWindow", "", WS_POPUP, 0, 0, 0, 0, FWindowHandle);
    std::weak_ptr<THookSlot> slot = FHookSlot;
    SetWindowProc(IconData.hWnd, [slot](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
        if (auto s = slot.lock(); s && s->Icon)
            return s->Icon->TrayWindowProc(m, w, l);
        return DefWindowProc(h, m, w, l);
    });
    IconData.uID = 1;
    IconData.uFlags = TrayFlags;
    IconData.uCallbackMessage = TrayCallbackMessage;
    FAnimateTimer = new TTimer(this);
    FAnimateTimer->SetEnabled(false);
    FAnimateTimer->SetInterval(FAnimateTimerInterval);
    FAnimateTimer->SetOnTimer([this](TObject*) { AnimateTimerTick(); });
    FClickTimer = new TTimer(this);
    FClickTimer->SetEnabled(false);
    FClickTimer->SetInterval(GetDoubleClickTime());
    FClickTimer->SetOnTimer([this](TObject*) { ClickTimerTick(); });
    FBalloonTimer = new TTimer(this);
    FBalloonTimer->SetEnabled(false);
    FBalloonTimer->SetInterval(BalloonTimeoutMs);
    FBalloonTimer->SetOnTimer([this](TObject*) { CloseBalloon(); });
    FTrayWatch = new TTimer(this);
    FTrayWatch->SetEnabled(false);
    FTrayWatch->SetInterval(TrayWatchMs);
    FTrayWatch->SetOnTimer([this](TObject*) { TrayWatchTick(); });
    FTipTimer = new TTimer(this);
    FTipTimer->SetEnabled(false);
    FTipTimer->SetOnTimer([this](TObject*) { TipTimerTick(); });
    if (IsDesigning())
        return;
    if (FIcon.Empty() && DefaultToAppIcon())
        FIcon.Assign(Application()->Icon());
    InstallAppHook();
    if (OwnerControl())
        InstallOwnerHook();
}

TbsTrayIcon::~TbsTrayIcon()
{
    SetIconVisible(false);
    SetDesignPreview(false);
    // Hooks left in the watched windows' chains only pass messages on now.
    FHookSlot->Icon = nullptr;
    // The balloon windows call back into the component: they go first.
    delete FSkinBalloon;
    delete FPlainBalloon;
    if (IsWindow(IconData.hWnd))
        DestroyWindow(IconData.hWnd);
}

TWinControl* TbsTrayIcon::OwnerControl() const { return dynamic_cast<TWinControl*>(Owner()); }

void TbsTrayIcon::InstallAppHook()
{
    const HWND app = Application()->Handle();
    std::weak_ptr<THookSlot> slot = FHookSlot;
    auto old = std::make_shared<TWndProc>();
    *old = SetWindowProc(app, [slot, old](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
        if (auto s = slot.lock(); s && s->Icon)
            s->Icon->AppWindowProc(m, w);
        return CallWindowProc(*old, h, m, w, l);
    });
}

void TbsTrayIcon::InstallOwnerHook()
{
    TWinControl* owner = OwnerControl();
    std::weak_ptr<THookSlot> slot = FHookSlot;
    TWndMethod old = owner->WindowProc;
    owner->WindowProc = [slot, old](TMessage& M) {
        if (auto s = slot.lock(); s && s->Icon)
            s->Icon->OwnerWindowProc(M);
        old(M);
    };
}

void TbsTrayIcon::Loaded()
{
    TComponent::Loaded();
    if (OwnerControl() && MinimizedOnStart && !IsDesigning()) {
        FIconVisible = true;
        FMinimizeToTray = true;
        Application()->ShowMainForm = false;
    }
    UpdateTrayIcon();
    SetIconVisible(FIconVisible);
}

void TbsTrayIcon::Notification(TComponent* AComponent, TOperation AOperation)
{
    TComponent::Notification(AComponent, AOperation);
    if (AOperation != opRemove)
        return;
    if (AComponent == FIconList)
        FIconList = nullptr;
    if (AComponent == FPopupMenu)
        FPopupMenu = nullptr;
}

// ---- the notification area

bool TbsTrayIcon::FillIconData()
{
    if (IsDesigning() && !SettingPreview && !FDesignPreview)
        return false;
    PictureToIconData(&FIcon, IconData);
    IconData.szTip = !FHint.empty() && FShowHint ? CutNotifyText(FHint, NotifyTipSize) : std::string();
    return true;
}

bool TbsTrayIcon::ShellCall(DWORD AMessage)
{
    if (!FillIconData())
        return false;
    return Shell_NotifyIcon(AMessage, IconData);
}

bool TbsTrayIcon::AddTrayIcon()
{
    if (!SettingPreview)
        FIconVisible = true;
    if (IsDesigning() && !SettingPreview)
        return false;
    return ShellCall(NIM_ADD);
}

bool TbsTrayIcon::DeleteTrayIcon()
{
    if (!SettingPreview)
        FIconVisible = false;
    if (IsDesigning() && !SettingPreview)
        return false;
    return Shell_NotifyIcon(NIM_DELETE, IconData);
}

bool TbsTrayIcon::UpdateTrayIcon() { return ShellCall(NIM_MODIFY); }

void TbsTrayIcon::SetIconVisible(bool AValue)
{
    if (AValue)
        AddTrayIcon();
    else
        DeleteTrayIcon();
}

void TbsTrayIcon::SetDesignPreview(bool AValue)
{
    FDesignPreview = AValue;
    SettingPreview = true;
    SetIconVisible(AValue);
    SettingPreview = false;
}

void TbsTrayIcon::SetIcon(TBitmap* AValue)
{
    FIcon.Assign(AValue);
    UpdateTrayIcon();
}

void TbsTrayIcon::SetHint(const std::string& AValue)
{
    FHint = AValue;
    UpdateTrayIcon();
}

void TbsTrayIcon::SetShowHint(bool AValue)
{
    FShowHint = AValue;
    UpdateTrayIcon();
}

void TbsTrayIcon::SetPopupMenu(TbsSkinPopupMenu* AValue)
{
    if (FPopupMenu)
        FPopupMenu->RemoveFreeNotification(this);
    FPopupMenu = AValue;
    if (FPopupMenu)
        FPopupMenu->FreeNotification(this);
}

void TbsTrayIcon::SetIconList(TCustomImageList* AValue)
{
    if (FIconList)
        FIconList->RemoveFreeNotification(this);
    FIconList = AValue;
    if (FIconList)
        FIconList->FreeNotification(this);
    SetIconIndex(0);
}

void TbsTrayIcon::SetIconIndex(int AValue)
{
    if (FIconList && FIconList->Count() > 0) {
        FIconIndex = std::clamp(AValue, 0, FIconList->Count() - 1);
        FIconList->GetBitmap(FIconIndex, &FIcon);
    } else
        FIconIndex = 0;
    UpdateTrayIcon();
}

void TbsTrayIcon::SetCycleIcons(bool AValue)
{
    FCycleIcons = AValue;
    if (AValue)
        SetIconIndex(0);
    FAnimateTimer->SetEnabled(AValue);
}

void TbsTrayIcon::SetAnimateTimerInterval(uint32_t AValue)
{
    FAnimateTimerInterval = AValue;
    FAnimateTimer->SetInterval(AValue);
}

void TbsTrayIcon::AnimateTimerTick()
{
    if (!FIconList || FIconList->Count() == 0)
        return;
    FIconList->GetBitmap(FIconIndex, &FIcon);
    const int next = FIconIndex + 1 < FIconList->Count() ? FIconIndex + 1 : 0;
    DoIconCycle(next);
    UpdateTrayIcon();
    SetIconIndex(next);
}

bool TbsTrayIcon::BitmapToIcon(TBitmap* ABitmap, TBitmap* AIcon, TColor AMaskColor)
{
    if (!ABitmap || !AIcon)
        return false;
    TCustomImageList list(nullptr);
    list.SetSize(16, 16);
    list.AddMasked(ABitmap, AMaskColor);
    return list.GetBitmap(0, AIcon);
}

// ---- the main form

void TbsTrayIcon::ShowMainForm()
{
    TCustomForm* main = Application()->MainForm();
    if (!OwnerControl() || !main)
        return;
    // The application window stands for the application here and is never
    // shown, so only the main form comes back.
    FTrayWatch->SetEnabled(false);
    main->SetVisible(true);
    if (main->WindowState() == wsMinimized)
        main->SetWindowState(wsNormal);
    main->Tag = ShownFromTrayTag;
    PostMessage(main->Handle(), SKN_DEFERREDLAYERSHOW);
}

void TbsTrayIcon::HideMainForm()
{
    TCustomForm* main = Application()->MainForm();
    if (!OwnerControl() || !main)
        return;
    main->SetVisible(false);
    main->Tag = ShownFromTrayTag;
}

void TbsTrayIcon::AdoptFormDefaults(TbsSkinPopupMenu* AMenu, TNotifyEvent ARestore)
{
    if (!FPopupMenu)
        SetPopupMenu(AMenu);
    if (!OnDblClick) {
        OnDblClick = std::move(ARestore);
        FFormDblClick = true;
    }
}

void TbsTrayIcon::ReleaseFormDefaults(TbsSkinPopupMenu* AMenu)
{
    if (FPopupMenu == AMenu)
        SetPopupMenu(nullptr);
    if (FFormDblClick)
        OnDblClick = nullptr;
    FFormDblClick = false;
}

void TbsTrayIcon::DoTrayMinimize()
{
    HideMainForm();
    SetIconVisible(true);
}

void TbsTrayIcon::TrayWatchTick()
{
    TCustomForm* main = Application()->MainForm();
    if (!main || main->Visible()) {
        FTrayWatch->SetEnabled(false);
        return;
    }
    TRect r;
    if (GetNotifyIconRect(IconData.hWnd, IconData.uID, r)) {
        FUndockedTicks = 0;
        return;
    }
    if (++FUndockedTicks >= UndockedTicksToRestore) {
        ShowMainForm();
        Application()->Restore();
    }
}

// ---- window procedures

bool TbsTrayIcon::AppWindowProc(UINT AMsg, WPARAM W)
{
    if (AMsg == WM_SIZE && W == SIZE_MINIMIZED && FMinimizeToTray) {
        // A tray icon whose area is missing keeps the window on the screen:
        // the user would have no way back to it. The same holds later, when
        // the area never takes the icon in or goes away.
        DoTrayMinimize();
        if (!Shell_NotifyIcon(NIM_MODIFY, IconData))
            ShowMainForm();
        else {
            FUndockedTicks = 0;
            FTrayWatch->SetEnabled(true);
        }
        return true;
    }
    if (AMsg == WM_WINDOWPOSCHANGED && SettingMDIForm) {
        if (TCustomForm* main = Application()->MainForm()) {
            if (main->FormStyle() == fsMDIForm && MinimizedOnStart)
                ShowWindow(Application()->Handle(), SW_HIDE);
            SettingMDIForm = false;
        }
        return false;
    }
    if (AMsg == NotifyAreaCreatedMessage() && FIconVisible) {
        AddTrayIcon();
        return true;
    }
    return false;
}

void TbsTrayIcon::OwnerWindowProc(TMessage& M)
{
    if (M.Msg == WM_ACTIVATE && (LOWORD(M.WParam) == WA_ACTIVE || LOWORD(M.WParam) == WA_CLICKACTIVE)) {
        if (FRestoringFocus)
            return;
        // The activated owner gets its focused control back. The screen's
        // active control may still be one of a window just closed (a modal
        // dialog): focusing that would activate the dialog, deactivate and
        // reactivate the owner, and run here again without end. Only a
        // control inside the owner that lacks the focus is given it.
        TWinControl* active = Screen()->ActiveControl();
        TWinControl* owner = OwnerControl();
        if (!active || !owner || !active->HandleAllocated() || !owner->HandleAllocated() ||
            GetAncestor(active->Handle(), GA_ROOT) != owner->Handle() || GetFocus() == active->Handle())
            return;
        TWinControl* w = active->Parent() ? active->Parent() : active;
        if (w->HandleAllocated() && w->Handle() != reinterpret_cast<HWND>(M.LParam)) {
            FRestoringFocus = true;
            SetFocus(active->Handle());
            FRestoringFocus = false;
        }
    } else if (M.Msg == WM_SHOWWINDOW && M.WParam == 1 && M.LParam == 0) {
        if (TWinControl* owner = OwnerControl(); owner && owner->HandleAllocated())
            SetForegroundWindow(owner->Handle());
    }
}

LRESULT TbsTrayIcon::TrayWindowProc(UINT AMsg, WPARAM W, LPARAM L)
{
    switch (AMsg) {
    case TrayCallbackMessage:
        // The tooltip belongs to the area, which shows it whatever the
        // component does with the mouse.
        if (L == WM_MOUSEMOVE)
            PointerOverIcon();
        else if (L != NIN_BALLOONUSERCLICK)
            HideTip();
        if (Enabled)
            TrayMessage(L);
        return 0;
    case WM_DESTROY:
    case WM_CLOSE:
    case WM_QUERYENDSESSION:
    case WM_QUIT:
    case WM_USERCHANGED:
    case WM_NCDESTROY: return 1;
    default: return DefWindowProc(IconData.hWnd, AMsg, W, L);
    }
}

void TbsTrayIcon::TrayMessage(LPARAM AMouseMsg)
{
    const TShiftState shift = ReadShiftKeys();
    const TPoint p = GetCursorPos();
    switch (AMouseMsg) {
    case WM_MOUSEMOVE: DoMouseMove(shift, p.X, p.Y); break;
    case WM_LBUTTONDOWN:
        FClickTimer->SetEnabled(true);
        DoMouseDown(mbLeft, shift | ssLeft, p.X, p.Y);
        FClickStart = true;
        if (PopupByLeftButton)
            ShowPopupAtCursor();
        break;
    case WM_LBUTTONUP:
        if (FClickStart) {
            FClickReady = true;
            if (!FClickTimer->Enabled()) {
                FClickStart = FClickReady = false;
                DoClick();
            }
        }
        FClickStart = false;
        DoMouseUp(mbLeft, shift | ssLeft, p.X, p.Y);
        break;
    case WM_LBUTTONDBLCLK:
        FClickReady = false;
        IsDblClick = true;
        DoDblClick();
        if (FPopupMenu && FPopupMenu->AutoPopup && !PopupByLeftButton) {
            TMenuItem* items = FPopupMenu->Items();
            for (int i = 0; i < items->Count(); ++i)
                if (items->Items(i)->Default) {
                    items->Items(i)->Click();
                    break;
                }
        }
        break;
    case WM_RBUTTONDOWN:
        DoMouseDown(mbRight, shift | ssRight, p.X, p.Y);
        ShowPopupAtCursor();
        break;
    case WM_RBUTTONUP: DoMouseUp(mbRight, shift | ssRight, p.X, p.Y); break;
    case WM_MBUTTONDOWN: DoMouseDown(mbMiddle, shift | ssMiddle, p.X, p.Y); break;
    case WM_MBUTTONUP: DoMouseUp(mbMiddle, shift | ssMiddle, p.X, p.Y); break;
    case NIN_BALLOONUSERCLICK:
        if (OnBalloonHintClick)
            OnBalloonHintClick(this);
        break;
    default: break;
    }
}

void TbsTrayIcon::ClickTimerTick()
{
    FClickTimer->SetEnabled(false);
    if (!IsDblClick && FClickReady) {
        FClickReady = false;
        DoClick();
    }
    IsDblClick = false;
}

void TbsTrayIcon::ShowPopupAtCursor()
{
    if (!FPopupMenu || !FPopupMenu->AutoPopup)
        return;
    const TPoint p = GetCursorPos();
    Application()->ProcessMessages();
    // The menu may have gone while the messages ran.
    if (!FPopupMenu)
        return;
    SetForegroundWindow(IconData.hWnd);
    TWinControl* owner = OwnerControl();
    if (owner && owner->HandleAllocated())
        SetForegroundWindow(owner->Handle());
    FPopupMenu->PopupComponent = this;
    FPopupMenu->Popup(p.X, p.Y);
    if (owner && owner->HandleAllocated())
        PostMessage(owner->Handle(), WM_NULL);
}

// ---- balloon hints: kept in the record like the other texts, shown by the
// program in its own hint window next to the icon.

bool TbsTrayIcon::ShowBalloonHint(const std::string& ATitle, const std::string& AText, TbsBalloonHintIcon AIconType)
{
    HideBalloonHint();
    IconData.uFlags |= NIF_INFO;
    IconData.szInfo = CutNotifyText(AText, NotifyInfoSize);
    IconData.szInfoTitle = CutNotifyText(ATitle, NotifyInfoTitleSize);
    IconData.dwInfoFlags = DWORD(AIconType);
    const bool result = UpdateTrayIcon();
    IconData.uFlags = TrayFlags;
    if (result)
        ShowBalloon();
    return result;
}

bool TbsTrayIcon::HideBalloonHint()
{
    IconData.uFlags |= NIF_INFO;
    IconData.szInfo.clear();
    CloseBalloon();
    return UpdateTrayIcon();
}

THintWindow* TbsTrayIcon::BalloonWindow() const { return FShownBalloon; }

bool TbsTrayIcon::BalloonVisible() const
{
    return FShownBalloon && FShownBalloon->HandleAllocated() && IsWindowVisible(FShownBalloon->Handle());
}

// The icon's place on the screen; the cursor when the area does not tell.
TRect TbsTrayIcon::IconAnchor() const
{
    TRect r;
    if (GetNotifyIconRect(IconData.hWnd, IconData.uID, r))
        return r;
    const TPoint p = GetCursorPos();
    return Rect(p.X, p.Y, p.X + 1, p.Y + 1);
}

// Shows ATitle and AText (with balloon sign AImage, -1 for none) in the
// program's hint window next to the icon, and answers the window.
THintWindow* TbsTrayIcon::ShowNearIcon(const std::string& ATitle, const std::string& AText, int AImage)
{
    // Hints pass clicks through; a balloon takes them, and a click on it is
    // reported as the notification area would.
    auto makeClickable = [this](THintWindow* AWindow) {
        TWndMethod old = AWindow->WindowProc;
        AWindow->WindowProc = [this, old](TMessage& M) {
            if (M.Msg == WM_NCHITTEST) {
                M.Result = HTCLIENT;
                return;
            }
            old(M);
            if (M.Msg == WM_LBUTTONUP && FShownBalloon) {
                CloseBalloon();
                PostMessage(IconData.hWnd, TrayCallbackMessage, WPARAM(IconData.uID), NIN_BALLOONUSERCLICK);
            }
        };
        return AWindow;
    };
    const TRect anchor = IconAnchor();
    if (AImage >= 0 && !FBalloonIcons)
        FBalloonIcons = MakeBalloonIcons();
    THintWindow* shown = nullptr;
    if (TbsSkinHintWindow::GetActiveSkinHint()) {
        if (!FSkinBalloon)
            FSkinBalloon = static_cast<TbsSkinHintWindow*>(makeClickable(new TbsSkinHintWindow(nullptr)));
        FSkinBalloon->ActivateHintEx(anchor, ATitle, AText, AImage, AImage >= 0 ? FBalloonIcons.get() : nullptr);
        shown = FSkinBalloon;
    } else {
        if (!FPlainBalloon)
            FPlainBalloon = makeClickable(new THintWindow(nullptr));
        const std::string all = ATitle.empty() ? AText : ATitle + "\n" + AText;
        FPlainBalloon->ActivateHint(OffsetRect(FPlainBalloon->CalcHintRect(320, all), anchor.Left, anchor.Top), all);
        shown = FPlainBalloon;
    }
    // Above the icon when it sits low on the screen, else below, its right
    // edge at the icon's, inside the screen.
    const TRect screen = GetScreenRect();
    const int w = shown->Width(), h = shown->Height();
    const bool above = anchor.Top > (screen.Top + screen.Bottom) / 2;
    const int x = std::clamp(anchor.Right - w, screen.Left, std::max(screen.Left, screen.Right - w));
    const int y = std::clamp(above ? anchor.Top - h - 2 : anchor.Bottom + 2, screen.Top, std::max(screen.Top, screen.Bottom - h));
    shown->SetBounds(x, y, w, h);
    return shown;
}

void TbsTrayIcon::ShowBalloon()
{
    HideTip();
    FShownBalloon = ShowNearIcon(IconData.szInfoTitle, IconData.szInfo, int(IconData.dwInfoFlags) - 1);
    FBalloonTimer->SetEnabled(false);
    FBalloonTimer->SetEnabled(true);
}

void TbsTrayIcon::CloseBalloon()
{
    FBalloonTimer->SetEnabled(false);
    if (FShownBalloon)
        FShownBalloon->ReleaseHandle();
    FShownBalloon = nullptr;
}

// ---- the icon's tooltip: the desktop's area does not show one, so the
// program does, after the hint pause over the icon, until the pointer leaves
// the icon or presses on it.

bool TbsTrayIcon::TipVisible() const
{
    return FShownTip && FShownTip->HandleAllocated() && IsWindowVisible(FShownTip->Handle());
}

void TbsTrayIcon::PointerOverIcon()
{
    if (FShownTip || FShownBalloon || IconData.szTip.empty() || FTipTimer->Enabled())
        return;
    FTipTimer->SetInterval(uint32_t(std::max(1, Application()->HintPause)));
    FTipTimer->SetEnabled(true);
}

void TbsTrayIcon::TipTimerTick()
{
    TRect icon;
    const bool over = GetNotifyIconRect(IconData.hWnd, IconData.uID, icon) && PtInRect(icon, GetCursorPos());
    if (!over || IconData.szTip.empty() || FShownBalloon) {
        HideTip();
        return;
    }
    if (!FShownTip) {
        FShownTip = ShowNearIcon("", IconData.szTip, -1);
        // From now on the timer watches for the pointer leaving.
        FTipTimer->SetInterval(100);
    }
}

void TbsTrayIcon::HideTip()
{
    FTipTimer->SetEnabled(false);
    if (FShownTip && FShownTip != FShownBalloon)
        FShownTip->ReleaseHandle();
    FShownTip = nullptr;
}

// ---- events

void TbsTrayIcon::DoClick()
{
    if (OnClick)
        OnClick(this);
}

void TbsTrayIcon::DoDblClick()
{
    if (OnDblClick)
        OnDblClick(this);
}

void TbsTrayIcon::DoIconCycle(int ANextIndex)
{
    if (OnCycle)
        OnCycle(this, ANextIndex);
}

void TbsTrayIcon::DoMouseDown(TMouseButtonKind AButton, TShiftState AShift, int X, int Y)
{
    if (OnMouseDown)
        OnMouseDown(this, AButton, AShift, X, Y);
}

void TbsTrayIcon::DoMouseUp(TMouseButtonKind AButton, TShiftState AShift, int X, int Y)
{
    if (OnMouseUp)
        OnMouseUp(this, AButton, AShift, X, Y);
}

void TbsTrayIcon::DoMouseMove(TShiftState AShift, int X, int Y)
{
    if (OnMouseMove)
        OnMouseMove(this, AShift, X, Y);
}

} // namespace skin
