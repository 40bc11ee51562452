#include "platform/ui/WindowSystem.h"

#include "platform/core/MainThread.h"
#include "platform/core/SysUtils.h"
#include "platform/ui/Paint.h"

#include <algorithm>
#include <cstring>

namespace platform {
namespace detail {

TWindowData::~TWindowData()
{
    if (Region)
        DeleteObject(Region);
    if (BlurRegion)
        DeleteObject(BlurRegion);
    if (Update)
        DeleteObject(Update);
}

TWindowSystem& WS()
{
    static TWindowSystem ws;
    return ws;
}

TWindowData* Find(HWND AWnd)
{
    if (!AWnd)
        return nullptr;
    auto& map = WS().Windows;
    auto it = map.find(AWnd);
    return it == map.end() ? nullptr : it->second.get();
}

LRESULT Send(HWND AWnd, UINT AMsg, WPARAM W, LPARAM L)
{
    TWindowData* w = Find(AWnd);
    if (!w)
        return 0;
    // The procedure is held while it runs: it may replace itself or destroy
    // its window.
    std::shared_ptr<const TWndProc> proc = w->Proc;
    if (!proc || !*proc)
        return DefWindowProc(AWnd, AMsg, W, L);
    return (*proc)(AWnd, AMsg, W, L);
}

TPoint WindowOriginOnScreen(const TWindowData* W)
{
    if (W->IsTopLevel())
        return Point(W->Rect.Left, W->Rect.Top);
    TPoint p = ClientOriginOnScreen(Find(W->Parent));
    return Point(p.X + W->Rect.Left, p.Y + W->Rect.Top);
}

TPoint ClientOriginOnScreen(const TWindowData* W)
{
    if (!W)
        return TPoint{};
    TPoint p = WindowOriginOnScreen(W);
    return Point(p.X + W->Client.Left, p.Y + W->Client.Top);
}

TWindowData* TopLevelOf(TWindowData* W)
{
    while (W && !W->IsTopLevel())
        W = Find(W->Parent);
    return W;
}

TRect RectInTopLevel(const TWindowData* W)
{
    if (W->IsTopLevel())
        return Rect(0, 0, W->Rect.Width(), W->Rect.Height());
    const TWindowData* parent = Find(W->Parent);
    TRect pr = RectInTopLevel(parent);
    return OffsetRect(W->Rect, pr.Left + parent->Client.Left, pr.Top + parent->Client.Top);
}

bool IsVisibleChain(const TWindowData* W)
{
    for (; W; W = W->IsTopLevel() ? nullptr : Find(W->Parent)) {
        if (!(W->Style & WS_VISIBLE))
            return false;
        if (W->IsTopLevel())
            return true;
    }
    return false;
}

std::vector<HWND>& SiblingList(TWindowData* W)
{
    return W->IsTopLevel() ? WS().TopLevels : Find(W->Parent)->Children;
}

TRect FrameInsets(DWORD AStyle, DWORD AExStyle)
{
    TRect in;
    int border = 0;
    if (AStyle & WS_THICKFRAME)
        border = GetSystemMetrics(SM_CXFRAME);
    else if (AStyle & WS_DLGFRAME)
        border = GetSystemMetrics(SM_CXDLGFRAME);
    else if (AStyle & WS_BORDER)
        border = GetSystemMetrics(SM_CXBORDER);
    if (AExStyle & WS_EX_CLIENTEDGE)
        border += 2;
    in = Rect(border, border, border, border);
    if ((AStyle & WS_CAPTION) == WS_CAPTION)
        in.Top += (AExStyle & WS_EX_TOOLWINDOW) ? 15 : GetSystemMetrics(SM_CYCAPTION);
    return in;
}

namespace {

std::string ClassKey(const std::string& AName) { return UpperCase(AName); }

void InsertTopLevel(HWND AWnd, bool ATopMost)
{
    auto& list = WS().TopLevels;
    auto it = list.begin();
    if (!ATopMost)
        while (it != list.end() && (Find(*it)->ExStyle & WS_EX_TOPMOST))
            ++it;
    list.insert(it, AWnd);
}

void NotifyParents(TWindowData* AChild, WPARAM AEvent, LPARAM L)
{
    TWindowData* w = AChild;
    while (w && !w->IsTopLevel() && !(w->ExStyle & WS_EX_NOPARENTNOTIFY)) {
        HWND parent = w->Parent;
        Send(parent, WM_PARENTNOTIFY, AEvent, L);
        w = Find(parent);
    }
}

void CollectSubtree(HWND AWnd, std::vector<HWND>& AOut)
{
    TWindowData* w = Find(AWnd);
    if (!w)
        return;
    AOut.push_back(AWnd);
    for (HWND c : w->Children)
        CollectSubtree(c, AOut);
}

void SendDestroy(HWND AWnd)
{
    Send(AWnd, WM_DESTROY);
    TWindowData* w = Find(AWnd);
    if (!w)
        return;
    std::vector<HWND> children = w->Children;
    for (HWND c : children)
        SendDestroy(c);
}

void SendNCDestroyAndFree(HWND AWnd)
{
    TWindowData* w = Find(AWnd);
    if (!w)
        return;
    std::vector<HWND> children = w->Children;
    for (HWND c : children)
        SendNCDestroyAndFree(c);
    Send(AWnd, WM_NCDESTROY);
    w = Find(AWnd);
    if (!w)
        return;
    auto& ws = WS();
    if (w->NativeChild)
        Backend().DestroyNativeChild(w->NativeChild);
    RemoveWindowTimers(AWnd);
    ForgetPaint(AWnd);
    auto& siblings = SiblingList(w);
    siblings.erase(std::remove(siblings.begin(), siblings.end(), AWnd), siblings.end());
    if (w->IsTopLevel())
        Backend().WindowDestroyed(AWnd);
    if (ws.Focus == AWnd)
        ws.Focus = nullptr;
    if (ws.Active == AWnd)
        ws.Active = nullptr;
    if (ws.Capture == AWnd)
        ws.Capture = nullptr;
    if (ws.PopupGrab == AWnd) {
        ws.PopupGrab = nullptr;
        Backend().GrabPointer(nullptr);
    }
    ws.Windows.erase(AWnd);
}

} // namespace
} // namespace detail

using namespace detail;

bool RegisterClass(const TWndClass& AClass)
{
    EnsureInitialized();
    if (AClass.ClassName.empty())
        return false;
    auto& classes = WS().Classes;
    std::string key = ClassKey(AClass.ClassName);
    if (classes.count(key))
        return false;
    classes[key] = std::make_shared<const TWndClass>(AClass);
    return true;
}

bool GetClassInfo(const std::string& AClassName, TWndClass& AClass)
{
    EnsureInitialized();
    auto& classes = WS().Classes;
    auto it = classes.find(ClassKey(AClassName));
    if (it == classes.end())
        return false;
    AClass = *it->second;
    return true;
}

HWND CreateWindowEx(DWORD AExStyle, const std::string& AClassName, const std::string& AText, DWORD AStyle,
                    int X, int Y, int AWidth, int AHeight, HWND AParent, intptr_t AId, void* AParam)
{
    EnsureInitialized();
    auto& ws = WS();
    auto cls = ws.Classes.find(ClassKey(AClassName));
    if (cls == ws.Classes.end())
        return nullptr;
    if ((AStyle & WS_CHILD) && !Find(AParent))
        return nullptr;
    auto data = std::make_unique<TWindowData>();
    HWND h = reinterpret_cast<HWND>(ws.NextHandle);
    ws.NextHandle += 4;
    data->Handle = h;
    data->Class = cls->second;
    data->Proc = std::make_shared<const TWndProc>(cls->second->WndProc);
    data->Style = AStyle & ~WS_VISIBLE;
    data->ExStyle = AExStyle;
    data->Id = AId;
    data->Rect = Bounds(X, Y, std::max(0, AWidth), std::max(0, AHeight));
    if (AStyle & WS_CHILD) {
        data->Parent = AParent;
    } else if (AParent) {
        // Owned windows are owned by the top-level window of whatever was given.
        TWindowData* owner = TopLevelOf(Find(AParent));
        data->Owner = owner ? owner->Handle : nullptr;
    }
    TWindowData* w = data.get();
    ws.Windows[h] = std::move(data);
    if (w->IsTopLevel())
        InsertTopLevel(h, AExStyle & WS_EX_TOPMOST);
    else
        Find(AParent)->Children.insert(Find(AParent)->Children.begin(), h);
    if (w->IsTopLevel()) {
        ResizeBackBuffer(w);
        Backend().WindowCreated(h);
    }

    TCreateStruct cs{AParam, AParent, AId, X, Y, AWidth, AHeight, AStyle, AExStyle, AText, AClassName};
    if (w->IsTopLevel() && (AStyle & (WS_THICKFRAME | WS_CAPTION))) {
        TMinMaxInfo mmi;
        TRect screen = GetScreenRect();
        mmi.ptMaxSize = Point(screen.Width(), screen.Height());
        mmi.ptMaxTrackSize = mmi.ptMaxSize;
        Send(h, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
    }
    if (!Send(h, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) {
        DestroyWindow(h);
        return nullptr;
    }
    if ((w = Find(h)) == nullptr)
        return nullptr;
    TRect client = w->Rect;
    Send(h, WM_NCCALCSIZE, 0, reinterpret_cast<LPARAM>(&client));
    if ((w = Find(h)) == nullptr)
        return nullptr;
    w->Client = OffsetRect(client, -w->Rect.Left, -w->Rect.Top);
    if (Send(h, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        DestroyWindow(h);
        return nullptr;
    }
    if ((w = Find(h)) == nullptr)
        return nullptr;
    Send(h, WM_SIZE, SIZE_RESTORED, MAKELPARAM(w->Client.Width(), w->Client.Height()));
    if ((w = Find(h)) == nullptr)
        return nullptr;
    Send(h, WM_MOVE, 0, MAKELPARAM(w->Rect.Left + w->Client.Left, w->Rect.Top + w->Client.Top));
    if ((w = Find(h)) == nullptr)
        return nullptr;
    if (!w->IsTopLevel())
        NotifyParents(w, MAKELPARAM(WM_CREATE, int(AId)), reinterpret_cast<LPARAM>(h));
    if ((AStyle & WS_VISIBLE) && IsWindow(h))
        ShowWindow(h, (AStyle & WS_CHILD) ? SW_SHOWNA : SW_SHOW);
    return IsWindow(h) ? h : nullptr;
}

bool DestroyWindow(HWND AWnd)
{
    TWindowData* w = Find(AWnd);
    if (!w)
        return false;
    if (w->Destroying)
        return true;
    auto& ws = WS();
    // Owned windows go first.
    for (HWND top : std::vector<HWND>(ws.TopLevels))
        if (TWindowData* t = Find(top); t && t->Owner == AWnd)
            DestroyWindow(top);
    if (!(w = Find(AWnd)))
        return true;
    std::vector<HWND> subtree;
    CollectSubtree(AWnd, subtree);
    for (HWND h : subtree)
        Find(h)->Destroying = true;
    if (w->Style & WS_VISIBLE)
        SetWindowPos(AWnd, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | (w->IsTopLevel() ? 0 : SWP_NOACTIVATE));
    if (!(w = Find(AWnd)))
        return true;
    if (!w->IsTopLevel())
        NotifyParents(w, MAKELPARAM(WM_DESTROY, int(w->Id)), reinterpret_cast<LPARAM>(AWnd));
    if (std::find(subtree.begin(), subtree.end(), ws.Capture) != subtree.end())
        ReleaseCapture();
    if (std::find(subtree.begin(), subtree.end(), ws.Focus) != subtree.end()) {
        // The focus leaves with its window; the window is told while it can still listen.
        HWND old = ws.Focus;
        ws.Focus = nullptr;
        Send(old, WM_KILLFOCUS, 0);
    }
    if (w->IsTopLevel() && ws.Active == AWnd)
        ActivateOtherWindow(AWnd);
    SendDestroy(AWnd);
    SendNCDestroyAndFree(AWnd);
    return true;
}

bool IsWindow(HWND AWnd) { return Find(AWnd) != nullptr; }

TWndProc GetWindowProc(HWND AWnd)
{
    TWindowData* w = Find(AWnd);
    return w && w->Proc ? *w->Proc : TWndProc();
}

TWndProc SetWindowProc(HWND AWnd, TWndProc AProc)
{
    TWindowData* w = Find(AWnd);
    if (!w)
        return TWndProc();
    TWndProc old = w->Proc ? *w->Proc : TWndProc();
    w->Proc = std::make_shared<const TWndProc>(std::move(AProc));
    return old;
}

LRESULT CallWindowProc(const TWndProc& AProc, HWND AWnd, UINT AMsg, WPARAM W, LPARAM L)
{
    if (!AProc)
        return DefWindowProc(AWnd, AMsg, W, L);
    return AProc(AWnd, AMsg, W, L);
}

intptr_t GetWindowLong(HWND AWnd, int AIndex)
{
    TWindowData* w = Find(AWnd);
    if (!w)
        return 0;
    switch (AIndex) {
    case GWL_STYLE: return intptr_t(w->Style);
    case GWL_EXSTYLE: return intptr_t(w->ExStyle);
    case GWL_ID: return w->Id;
    case GWLP_USERDATA: return w->UserData;
    default: return 0;
    }
}

intptr_t SetWindowLong(HWND AWnd, int AIndex, intptr_t AValue)
{
    TWindowData* w = Find(AWnd);
    if (!w)
        return 0;
    intptr_t old = GetWindowLong(AWnd, AIndex);
    switch (AIndex) {
    case GWL_STYLE: {
        // Visibility and the child bit change only through their own functions.
        const DWORD offered = WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_SYSMENU | WS_THICKFRAME;
        const DWORD before = w->Style;
        w->Style = (DWORD(AValue) & ~(WS_VISIBLE | WS_CHILD)) | (w->Style & (WS_VISIBLE | WS_CHILD));
        if (w->IsTopLevel() && ((before ^ w->Style) & offered))
            Backend().WindowStyleChanged(AWnd);
        break;
    }
    case GWL_EXSTYLE: {
        bool wasLayered = w->ExStyle & WS_EX_LAYERED;
        const DWORD before = w->ExStyle;
        w->ExStyle = DWORD(AValue);
        if (w->IsTopLevel() && ((before ^ w->ExStyle) & WS_EX_TRANSPARENT))
            Backend().WindowStyleChanged(AWnd);
        if (w->IsTopLevel() && wasLayered != bool(w->ExStyle & WS_EX_LAYERED)) {
            if (!(w->ExStyle & WS_EX_LAYERED)) {
                w->LayeredAlpha = 255;
                w->LayeredFlags = 0;
            }
            Backend().WindowAlphaChanged(AWnd);
        }
        break;
    }
    case GWL_ID: w->Id = AValue; break;
    case GWLP_USERDATA: w->UserData = AValue; break;
    default: break;
    }
    return old;
}

intptr_t GetClassLong(HWND AWnd, int AIndex)
{
    TWindowData* w = Find(AWnd);
    return w && AIndex == GCL_STYLE ? intptr_t(w->Class->Style) : 0;
}

intptr_t SetClassLong(HWND AWnd, int AIndex, intptr_t AValue)
{
    TWindowData* w = Find(AWnd);
    if (!w || AIndex != GCL_STYLE)
        return 0;
    intptr_t old = intptr_t(w->Class->Style);
    auto changed = std::make_shared<TWndClass>(*w->Class);
    changed->Style = DWORD(AValue);
    std::shared_ptr<const TWndClass> cls = changed;
    // The class is shared by every window of it, as the window system has it.
    for (auto& [h, data] : WS().Windows)
        if (data->Class.get() == w->Class.get() && data.get() != w)
            data->Class = cls;
    WS().Classes[ClassKey(cls->ClassName)] = cls;
    w->Class = cls;
    // Asking for a drop shadow, or no longer, takes effect at once.
    if ((DWORD(old) ^ cls->Style) & CS_DROPSHADOW)
        for (auto& [h, data] : WS().Windows)
            if (data->Class == cls)
                SyncDropShadow(data.get());
    return old;
}

std::string GetClassName(HWND AWnd)
{
    TWindowData* w = Find(AWnd);
    return w ? w->Class->ClassName : std::string();
}

void SetProp(HWND AWnd, const std::string& AName, intptr_t AValue)
{
    if (TWindowData* w = Find(AWnd))
        w->Props[AName] = AValue;
}

intptr_t GetProp(HWND AWnd, const std::string& AName)
{
    TWindowData* w = Find(AWnd);
    if (!w)
        return 0;
    auto it = w->Props.find(AName);
    return it == w->Props.end() ? 0 : it->second;
}

void RemoveProp(HWND AWnd, const std::string& AName)
{
    if (TWindowData* w = Find(AWnd))
        w->Props.erase(AName);
}

std::string GetWindowText(HWND AWnd)
{
    if (!IsWindow(AWnd))
        return std::string();
    LRESULT len = Send(AWnd, WM_GETTEXTLENGTH);
    if (len <= 0)
        return std::string();
    std::string buf(size_t(len) + 1, '\0');
    LRESULT got = Send(AWnd, WM_GETTEXT, WPARAM(buf.size()), reinterpret_cast<LPARAM>(buf.data()));
    buf.resize(size_t(std::clamp<LRESULT>(got, 0, len)));
    return buf;
}

bool SetWindowText(HWND AWnd, const std::string& AText)
{
    if (!IsWindow(AWnd))
        return false;
    return Send(AWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(AText.c_str())) != 0;
}

HWND GetParent(HWND AWnd)
{
    TWindowData* w = Find(AWnd);
    if (!w)
        return nullptr;
    return w->IsTopLevel() ? w->Owner : w->Parent;
}

HWND GetAncestor(HWND AWnd, UINT AFlags)
{
    TWindowData* w = Find(AWnd);
    if (!w)
        return nullptr;
    switch (AFlags) {
    case GA_PARENT: return w->IsTopLevel() ? nullptr : w->Parent;
    case GA_ROOT: return TopLevelOf(w)->Handle;
    case GA_ROOTOWNER: {
        TWindowData* t = TopLevelOf(w);
        while (t->Owner && Find(t->Owner))
            t = Find(t->Owner);
        return t->Handle;
    }
    default: return nullptr;
    }
}

HWND GetWindow(HWND AWnd, UINT ACmd)
{
    TWindowData* w = Find(AWnd);
    if (!w)
        return nullptr;
    if (ACmd == GW_OWNER)
        return w->IsTopLevel() ? w->Owner : nullptr;
    if (ACmd == GW_CHILD)
        return w->Children.empty() ? nullptr : w->Children.front();
    auto& list = SiblingList(w);
    auto it = std::find(list.begin(), list.end(), AWnd);
    switch (ACmd) {
    case GW_HWNDFIRST: return list.front();
    case GW_HWNDLAST: return list.back();
    case GW_HWNDNEXT: return it + 1 == list.end() ? nullptr : *(it + 1);
    case GW_HWNDPREV: return it == list.begin() ? nullptr : *(it - 1);
    default: return nullptr;
    }
}

HWND SetParent(HWND AWnd, HWND ANewParent)
{
    TWindowData* w = Find(AWnd);
    TWindowData* np = Find(ANewParent);
    if (!w || w->IsTopLevel() || !np || np == w || IsChild(AWnd, ANewParent))
        return nullptr;
    HWND old = w->Parent;
    if (old == ANewParent)
        return old;
    if (w->Style & WS_VISIBLE)
        InvalidateParentArea(w, w->Rect);
    auto& list = Find(old)->Children;
    list.erase(std::remove(list.begin(), list.end(), AWnd), list.end());
    np->Children.insert(np->Children.begin(), AWnd);
    w->Parent = ANewParent;
    if (w->Style & WS_VISIBLE)
        InvalidateWindowArea(w, true);
    SyncNativeChildren(TopLevelOf(w));
    return old;
}

std::vector<HWND> GetChildWindows(HWND AWnd)
{
    if (!AWnd)
        return WS().TopLevels;
    TWindowData* w = Find(AWnd);
    return w ? w->Children : std::vector<HWND>();
}

bool IsChild(HWND AParent, HWND AWnd)
{
    TWindowData* w = Find(AWnd);
    while (w && !w->IsTopLevel()) {
        if (w->Parent == AParent)
            return true;
        w = Find(w->Parent);
    }
    return false;
}

HWND GetDesktopWindow() { return nullptr; }

bool IsWindowVisible(HWND AWnd) { return IsVisibleChain(Find(AWnd)); }

bool IsWindowEnabled(HWND AWnd)
{
    TWindowData* w = Find(AWnd);
    return w && !(w->Style & WS_DISABLED);
}

bool IsIconic(HWND AWnd)
{
    TWindowData* w = Find(AWnd);
    return w && (w->Style & WS_MINIMIZE);
}

bool IsZoomed(HWND AWnd)
{
    TWindowData* w = Find(AWnd);
    return w && (w->Style & WS_MAXIMIZE);
}

bool GetWindowRect(HWND AWnd, TRect& ARect)
{
    TWindowData* w = Find(AWnd);
    if (!w)
        return false;
    TPoint p = WindowOriginOnScreen(w);
    ARect = Bounds(p.X, p.Y, w->Rect.Width(), w->Rect.Height());
    return true;
}

bool GetClientRect(HWND AWnd, TRect& ARect)
{
    TWindowData* w = Find(AWnd);
    if (!w)
        return false;
    ARect = Rect(0, 0, w->Client.Width(), w->Client.Height());
    return true;
}

TPoint ClientToScreen(HWND AWnd, TPoint P)
{
    TPoint o = ClientOriginOnScreen(Find(AWnd));
    return Point(P.X + o.X, P.Y + o.Y);
}

TPoint ScreenToClient(HWND AWnd, TPoint P)
{
    TPoint o = ClientOriginOnScreen(Find(AWnd));
    return Point(P.X - o.X, P.Y - o.Y);
}

TRect MapWindowRect(HWND AFrom, HWND ATo, TRect R)
{
    TPoint a = AFrom ? ClientOriginOnScreen(Find(AFrom)) : TPoint{};
    TPoint b = ATo ? ClientOriginOnScreen(Find(ATo)) : TPoint{};
    return OffsetRect(R, a.X - b.X, a.Y - b.Y);
}

bool BringWindowToTop(HWND AWnd)
{
    return SetWindowPos(AWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

bool SetWindowRgn(HWND AWnd, HRGN ARegion, bool ARedraw)
{
    TWindowData* w = Find(AWnd);
    if (!w)
        return false;
    if ((w->Style & WS_VISIBLE) && !w->IsTopLevel())
        InvalidateParentArea(w, w->Rect);
    if (w->Region && w->Region != ARegion)
        DeleteObject(w->Region);
    w->Region = ARegion;
    if (w->IsTopLevel())
        Backend().WindowRegionChanged(AWnd);
    SetWindowPos(AWnd, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED | (ARedraw ? 0 : SWP_NOREDRAW));
    return true;
}

int GetWindowRgn(HWND AWnd, HRGN ARegion)
{
    TWindowData* w = Find(AWnd);
    if (!w || !w->Region || !ARegion)
        return ERROR;
    return CombineRgn(ARegion, w->Region, nullptr, RGN_COPY);
}

bool SetWindowBlurBehind(HWND AWnd, bool AEnable, HRGN ARegion)
{
    TWindowData* w = Find(AWnd);
    if (!w || !w->IsTopLevel())
        return false;
    if (w->BlurRegion)
        DeleteObject(w->BlurRegion);
    w->BlurRegion = nullptr;
    w->BlurBehind = AEnable;
    if (AEnable && ARegion) {
        w->BlurRegion = CreateRectRgn(0, 0, 0, 0);
        CombineRgn(w->BlurRegion, ARegion, nullptr, RGN_COPY);
    }
    Backend().WindowBlurChanged(AWnd);
    return true;
}

bool GetWindowBlurBehind(HWND AWnd, HRGN ARegion)
{
    TWindowData* w = Find(AWnd);
    if (!w || !w->BlurBehind)
        return false;
    if (ARegion) {
        if (w->BlurRegion)
            CombineRgn(ARegion, w->BlurRegion, nullptr, RGN_COPY);
        else {
            HRGN all = CreateRectRgn(0, 0, w->Rect.Width(), w->Rect.Height());
            CombineRgn(ARegion, all, nullptr, RGN_COPY);
            DeleteObject(all);
        }
    }
    return true;
}

bool GetRestoreBounds(HWND AWnd, TRect& ARect)
{
    TWindowData* w = Find(AWnd);
    if (!w)
        return false;
    ARect = w->HasRestoreRect ? w->RestoreRect : w->Rect;
    return true;
}

bool SetLayeredWindowAttributes(HWND AWnd, uint32_t AKey, uint8_t AAlpha, DWORD AFlags)
{
    TWindowData* w = Find(AWnd);
    if (!w || !(w->ExStyle & WS_EX_LAYERED))
        return false;
    w->LayeredKey = AKey;
    w->LayeredAlpha = AAlpha;
    w->LayeredFlags = AFlags;
    if (w->IsTopLevel())
        Backend().WindowAlphaChanged(AWnd);
    return true;
}

bool GetLayeredWindowAttributes(HWND AWnd, uint32_t* AKey, uint8_t* AAlpha, DWORD* AFlags)
{
    TWindowData* w = Find(AWnd);
    if (!w || !(w->ExStyle & WS_EX_LAYERED))
        return false;
    if (AKey)
        *AKey = w->LayeredKey;
    if (AAlpha)
        *AAlpha = w->LayeredAlpha;
    if (AFlags)
        *AFlags = w->LayeredFlags;
    return true;
}

int GetSystemMetrics(int AIndex)
{
    switch (AIndex) {
    case SM_CXSCREEN: return GetScreenRect().Width();
    case SM_CYSCREEN: return GetScreenRect().Height();
    case SM_CXBORDER: case SM_CYBORDER: return 1;
    case SM_CXDLGFRAME: case SM_CYDLGFRAME: return 3;
    case SM_CXFRAME: case SM_CYFRAME: return 4;
    case SM_CYCAPTION: return 19;
    case SM_CXICON: case SM_CYICON: return 32;
    case SM_CXSIZE: case SM_CYSIZE: return 18;
    case SM_CXSMICON: case SM_CYSMICON: return 16;
    case SM_CXDOUBLECLK: case SM_CYDOUBLECLK: return 4;
    default: return 0;
    }
}

TRect GetScreenRect() { return Backend().ScreenRect(); }
TRect GetWorkArea() { return Backend().WorkArea(); }
uint32_t GetDoubleClickTime() { return 500; }

bool MessageBeep(UINT)
{
    Backend().Beep();
    return true;
}

void detail::SyncNativeChildren(TWindowData* ATop)
{
    if (!ATop)
        return;
    std::vector<HWND> all;
    CollectSubtree(ATop->Handle, all);
    for (HWND h : all) {
        TWindowData* w = Find(h);
        if (w->NativeChild) {
            TRect r = OffsetRect(w->Client, RectInTopLevel(w).Left, RectInTopLevel(w).Top);
            Backend().MoveNativeChild(w->NativeChild, r, IsVisibleChain(w));
        }
    }
}

uintptr_t GetNativeChildWindow(HWND AWnd)
{
    TWindowData* w = Find(AWnd);
    if (!w)
        return 0;
    if (!w->NativeChild) {
        TRect inTop = RectInTopLevel(w);
        TRect client = OffsetRect(w->Client, inTop.Left, inTop.Top);
        w->NativeChild = Backend().CreateNativeChild(TopLevelOf(w)->Handle, client);
        if (w->NativeChild)
            Backend().MoveNativeChild(w->NativeChild, client, IsVisibleChain(w));
    }
    return w->NativeChild;
}

HWND WindowOfNativeChild(uintptr_t AId)
{
    if (AId == 0)
        return nullptr;
    for (const auto& [handle, w] : WS().Windows)
        if (w->NativeChild == AId)
            return handle;
    return nullptr;
}

void ReleaseNativeChildWindow(HWND AWnd)
{
    TWindowData* w = Find(AWnd);
    if (w && w->NativeChild) {
        Backend().DestroyNativeChild(w->NativeChild);
        w->NativeChild = 0;
    }
}

} // namespace platform
