#pragma once
// The class library's controls: TControl (bounds, alignment, anchors,
// visibility, enabled state, caption, font, colour, mouse events),
// TWinControl (a window made on demand, a replaceable window procedure,
// children, tab order and focus), TGraphicControl (no window: painted by its
// parent) and TCustomControl (a window with a canvas and Paint).
//
// Messages reach a control through WindowProc (replaceable: a component may
// put its own procedure in front and call the saved one), then WndProc, then
// Dispatch, which calls the handler of the message (virtual, so a descendant
// overrides it and calls the inherited one), then DefaultHandler.

#include "platform/core/Classes.h"
#include "platform/gfx/Graphics.h"
#include "platform/ui/Backend.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Paint.h"
#include "platform/ui/Window.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace platform {

struct TMessage {
    UINT Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;
};

using TWndMethod = std::function<void(TMessage&)>;

class TControl;
class TWinControl;
class TCustomForm;
class TPopupMenu;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
enum TAnchorKind { akLeft, akTop, akRight, akBottom };
using TAnchors = unsigned;   // bits of TAnchorKind
constexpr TAnchors AnchorBit(TAnchorKind K) { return 1u << K; }
constexpr TAnchors akDefault = AnchorBit(akLeft) | AnchorBit(akTop);

enum TMouseButton_ { mbLeft, mbRight, mbMiddle };
using TMouseButtonKind = TMouseButton_;

// Shift state: keys and buttons held.
enum TShiftFlag : unsigned { ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32, ssDouble = 64 };
using TShiftState = unsigned;
TShiftState KeysToShiftState(WPARAM AKeys);
TShiftState KeyDataToShiftState(LPARAM AKeyData);

using TCursor = int;
constexpr TCursor crDefault = 0, crNone = -1, crArrow = -2, crCross = -3, crIBeam = -4, crSizeNESW = -6, crSizeNS = -7,
                  crSizeNWSE = -8, crSizeWE = -9, crHourGlass = -11, crNo = -18, crHandPoint = -21, crSizeAll = -22;
TCursorShape CursorShapeOf(TCursor ACursor);

// Control style: what the control does by itself.
enum TControlStyleFlag : unsigned {
    csAcceptsControls = 1, csCaptureMouse = 2, csDesignInteractive = 4, csClickEvents = 8, csFramed = 16,
    csSetCaption = 32, csOpaque = 64, csDoubleClicks = 128, csFixedWidth = 256, csFixedHeight = 512,
    csNoDesignVisible = 1024, csReplicatable = 2048, csNoStdEvents = 4096, csDisplayDragImage = 8192,
    csReflector = 16384, csActionClient = 32768, csMenuEvents = 65536, csNeedsBorderPaint = 131072,
    csParentBackground = 262144, csPaintCopy = 524288,
};
// Control state: what is happening to it now.
enum TControlStateFlag : unsigned {
    csLButtonDown = 1, csClicked = 2, csPalette = 4, csReadingState = 8, csAlignmentNeeded = 16, csFocusing = 32,
    csCreating = 64, csPaintCopyState = 128, csCustomPaint = 256, csDestroyingHandle = 512, csDocking = 1024,
};

using TMouseEvent = std::function<void(TObject* Sender, TMouseButtonKind Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TMouseWheelEvent = std::function<void(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled)>;
using TKeyEvent = std::function<void(TObject* Sender, uint16_t& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, char16_t& Key)>;
using TContextPopupEvent = std::function<void(TObject* Sender, TPoint MousePos, bool& Handled)>;

struct TSizeConstraints {
    int MinWidth = 0, MinHeight = 0, MaxWidth = 0, MaxHeight = 0;   // 0: no limit
};

// A canvas over a control: its window's DC, or its parent's clipped to it.
class TControlCanvas : public TCanvas {
public:
    explicit TControlCanvas(TControl* AControl) : FControl(AControl) {}
    ~TControlCanvas() override;
    void FreeHandle();
    TControl* Control() const { return FControl; }

protected:
    void CreateHandle() override;

private:
    TControl* FControl;
    HDC FDeviceContext = nullptr;
    HWND FWindowHandle = nullptr;
};

class TControl : public TComponent {
public:
    explicit TControl(TComponent* AOwner);
    ~TControl() override;

    // Messages
    TWndMethod WindowProc;   // initially WndProc
    LRESULT Perform(UINT AMsg, WPARAM W = 0, LPARAM L = 0);
    virtual void WndProc(TMessage& AMessage);
    virtual void Dispatch(TMessage& AMessage);
    virtual void DefaultHandler(TMessage& AMessage);

    // Tree
    TWinControl* Parent() const { return FParent; }
    virtual void SetParent(TWinControl* AParent);
    TCustomForm* ParentForm() const;   // the form it sits on, nil when none

    // Bounds (parent client coordinates)
    int Left() const { return FLeft; }
    int Top() const { return FTop; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void SetLeft(int V) { SetBounds(V, FTop, FWidth, FHeight); }
    void SetTop(int V) { SetBounds(FLeft, V, FWidth, FHeight); }
    void SetWidth(int V) { SetBounds(FLeft, FTop, V, FHeight); }
    void SetHeight(int V) { SetBounds(FLeft, FTop, FWidth, V); }
    TRect BoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
    void SetBoundsRect(const TRect& R) { SetBounds(R.Left, R.Top, R.Width(), R.Height()); }
    virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    virtual TRect ClientRect();
    int ClientWidth() { return ClientRect().Width(); }
    int ClientHeight() { return ClientRect().Height(); }
    void SetClientSize(int AWidth, int AHeight);
    virtual TPoint ClientOrigin();   // screen position of the client area
    TPoint ClientToScreen(TPoint P) { TPoint o = ClientOrigin(); return Point(P.X + o.X, P.Y + o.Y); }
    TPoint ScreenToClient(TPoint P) { TPoint o = ClientOrigin(); return Point(P.X - o.X, P.Y - o.Y); }
    TSizeConstraints Constraints;

    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign AValue);
    TAnchors Anchors() const { return FAnchors; }
    void SetAnchors(TAnchors AValue);

    // State
    bool Visible() const { return FVisible; }
    virtual void SetVisible(bool AValue);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    virtual bool Showing() const;   // visible, and its parents too
    bool Enabled() const { return FEnabled; }
    virtual void SetEnabled(bool AValue);
    unsigned ControlStyle = csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks;
    unsigned ControlState = 0;
    bool MouseCapture() const;
    void SetMouseCapture(bool AValue);

    // Appearance
    std::string Caption() const { return GetText(); }
    void SetCaption(const std::string& AValue) { SetText(AValue); }
    std::string Text() const { return GetText(); }
    virtual std::string GetText() const { return FText; }
    virtual void SetText(const std::string& AValue);
    TFont* Font() { return &FFont; }
    void SetFont(TFont* AValue) { FFont.Assign(AValue); }
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool AValue);
    TColor Color() const { return FColor; }
    void SetColor(TColor AValue);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool AValue);
    std::string Hint;
    bool ShowHint = false;
    bool ParentShowHint = true;
    TCursor Cursor = crDefault;
    TPopupMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TPopupMenu* AValue);
    int HelpContext = 0;

    // Painting
    virtual void Invalidate();
    void Repaint();
    virtual void Update();
    void Refresh() { Repaint(); }
    void BringToFront();
    void SendToBack();

    // Events
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TNotifyEvent OnResize;
    TContextPopupEvent OnContextPopup;

    virtual void Click();
    virtual void DblClick();

    // Handlers, for descendants to override and call back.
    virtual void WMPaint(TMessage& M);
    virtual void WMEraseBkgnd(TMessage& M) { DefaultHandler(M); }
    virtual void WMMove(TMessage& M) { DefaultHandler(M); }
    virtual void WMSize(TMessage& M) { DefaultHandler(M); }
    virtual void WMMouseMove(TMessage& M);
    virtual void WMLButtonDown(TMessage& M);
    virtual void WMLButtonUp(TMessage& M);
    virtual void WMLButtonDblClk(TMessage& M);
    virtual void WMRButtonDown(TMessage& M);
    virtual void WMRButtonUp(TMessage& M);
    virtual void WMMButtonDown(TMessage& M);
    virtual void WMMButtonUp(TMessage& M);
    virtual void WMContextMenu(TMessage& M);
    virtual void WMCancelMode(TMessage& M);
    virtual void CMMouseEnter(TMessage& M);
    virtual void CMMouseLeave(TMessage& M);
    virtual void CMEnabledChanged(TMessage& M) { Invalidate(); }
    virtual void CMVisibleChanged(TMessage& M) { DefaultHandler(M); }
    virtual void CMTextChanged(TMessage& M) { Invalidate(); }
    virtual void CMFontChanged(TMessage& M) { Invalidate(); }
    virtual void CMColorChanged(TMessage& M) { Invalidate(); }
    virtual void CMParentFontChanged(TMessage& M);
    virtual void CMParentColorChanged(TMessage& M);
    virtual void CMCancelMode(TMessage& M) { DefaultHandler(M); }
    virtual void CMHitTest(TMessage& M) { M.Result = 1; }   // HTCLIENT

    // Alignment support, used by the parent.
    virtual void RequestAlign();
    bool IsControlVisibleForLayout() const { return FVisible; }

protected:
    virtual void Paint() {}
    virtual void MouseDown(TMouseButtonKind AButton, TShiftState AShift, int X, int Y);
    virtual void MouseUp(TMouseButtonKind AButton, TShiftState AShift, int X, int Y);
    virtual void MouseMove(TShiftState AShift, int X, int Y);
    virtual void Resize();
    virtual void ChangeScale(int, int) {}
    virtual bool CanResize(int& AWidth, int& AHeight) { return true; }
    virtual void ConstrainedResize(int& AWidth, int& AHeight);
    virtual void VisibleChanging() {}
    void Notification(TComponent* AComponent, TOperation AOperation) override;
    void FontChanged(TObject* Sender);
    void SendCancelMode(TControl* ASender);
    // Places the control anew within its parent after a bounds change.
    void UpdateAnchorRules();

    TWinControl* FParent = nullptr;
    int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
    TAlign FAlign = alNone;
    TAnchors FAnchors = akDefault;
    bool FVisible = true;
    bool FEnabled = true;
    std::string FText;
    TFont FFont;
    bool FParentFont = true;
    TColor FColor = clWindow;
    bool FParentColor = false;
    TPopupMenu* FPopupMenu = nullptr;
    // Distances kept for anchored controls: from the parent's right and bottom edges.
    int FAnchorRight = 0, FAnchorBottom = 0;
    bool FAnchorRulesValid = false;

    friend class TWinControl;
};

class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* AOwner);
    ~TGraphicControl() override;
    TCanvas* Canvas() { return FCanvas.get(); }
    void WMPaint(TMessage& M) override;

protected:
    std::unique_ptr<TControlCanvas> FCanvas;
};

struct TCreateParams {
    std::string Caption;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    int X = 0, Y = 0, Width = 0, Height = 0;
    HWND WndParent = nullptr;
    TWndClass WindowClass;
    std::string WinClassName;
};

class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* AOwner);
    ~TWinControl() override;

    // The window, made when first asked for.
    HWND Handle();
    bool HandleAllocated() const { return FHandle != nullptr; }
    void HandleNeeded();
    void RecreateWnd();
    // The procedure the window had before the control took it over.
    TWndProc DefWndProc;

    // Children
    int ControlCount() const { return int(FControls.size()); }
    TControl* Controls(int AIndex) const { return FControls[size_t(AIndex)]; }
    void InsertControl(TControl* AControl);
    void RemoveControl(TControl* AControl);
    bool ContainsControl(TControl* AControl) const;
    // The topmost visible child at a client point (windowless ones only unless AllowWinControls).
    TControl* ControlAtPos(TPoint APos, bool AAllowDisabled, bool AAllowWinControls = false);
    void Broadcast(TMessage& AMessage);
    void PaintControls(HDC ADC, TControl* AFirst);
    // Paints the control and all its children into a foreign DC, its top-left
    // corner at (X, Y): background, face, windowless and windowed children.
    void PaintTo(HDC ADC, int X, int Y);

    // Alignment
    void DisableAlign();
    void EnableAlign();
    void Realign();
    virtual void AdjustClientRect(TRect& ARect);
    virtual void AlignControls(TControl* AControl, TRect& ARect);

    // Focus and tab order
    int TabOrder() const;
    void SetTabOrder(int AValue);
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool AValue);
    std::vector<TWinControl*> TabOrderList();   // every windowed descendant in tab order
    virtual bool CanFocus();
    bool Focused();
    virtual void SetFocus();
    TWinControl* FindNextControl(TWinControl* ACurrent, bool AGoForward, bool ACheckTabStop, bool ACheckParent);
    void SelectNext(TWinControl* ACurrent, bool AGoForward, bool ACheckTabStop);

    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TMouseWheelEvent OnMouseWheel;
    TBrush* Brush() { return &FBrush; }

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    TRect ClientRect() override;
    TPoint ClientOrigin() override;
    bool Showing() const override { return FShowing; }
    void SetParent(TWinControl* AParent) override;
    void Invalidate() override;
    void Update() override;
    void SetText(const std::string& AValue) override;

    void WndProc(TMessage& AMessage) override;
    void Dispatch(TMessage& AMessage) override;
    void DefaultHandler(TMessage& AMessage) override;
    void WMPaint(TMessage& M) override;
    void WMEraseBkgnd(TMessage& M) override;
    void WMSize(TMessage& M) override;
    virtual void WMWindowPosChanged(TMessage& M);
    virtual void WMWindowPosChanging(TMessage& M) { DefaultHandler(M); }
    virtual void WMSetFocus(TMessage& M);
    virtual void WMKillFocus(TMessage& M);
    virtual void WMKeyDown(TMessage& M);
    virtual void WMKeyUp(TMessage& M);
    virtual void WMChar(TMessage& M);
    virtual void WMSysKeyDown(TMessage& M);
    virtual void WMMouseWheel(TMessage& M);
    virtual void WMNCHitTest(TMessage& M) { DefaultHandler(M); }
    virtual void WMNCCalcSize(TMessage& M) { DefaultHandler(M); }
    virtual void WMNCPaint(TMessage& M) { DefaultHandler(M); }
    virtual void WMSetCursor(TMessage& M);
    virtual void WMGetDlgCode(TMessage& M) { DefaultHandler(M); }
    virtual void WMTimer(TMessage& M) { DefaultHandler(M); }
    virtual void WMCommand(TMessage& M);
    virtual void CMEnter(TMessage& M);
    virtual void CMExit(TMessage& M);
    virtual void CMDialogKey(TMessage& M);
    virtual void CMDialogChar(TMessage& M);
    virtual void CMWantSpecialKey(TMessage& M) { DefaultHandler(M); }
    virtual void CMFocusChanged(TMessage& M);
    void CMEnabledChanged(TMessage& M) override;
    void CMVisibleChanged(TMessage& M) override;
    void CMColorChanged(TMessage& M) override;
    void CMFontChanged(TMessage& M) override;

protected:
    virtual void CreateParams(TCreateParams& AParams);
    virtual void CreateWnd();
    virtual void CreateHandle();
    virtual void DestroyWnd();
    virtual void DestroyHandle();
    virtual void CreateWindowHandle(const TCreateParams& AParams);
    virtual void PaintWindow(HDC ADC);
    virtual void PaintHandler(TMessage& M);
    virtual bool DoKeyDown(TMessage& M);
    bool DoKeyEvent(TMessage& M, bool AUp);
    virtual bool DoKeyPress(TMessage& M);
    virtual bool DoKeyUp(TMessage& M);
    virtual void KeyDown(uint16_t& AKey, TShiftState AShift);
    virtual void KeyUp(uint16_t& AKey, TShiftState AShift);
    virtual void KeyPress(char16_t& AKey);
    virtual void DoEnter();
    virtual void DoExit();
    virtual void UpdateShowing();
    void UpdateControlState();
    void UpdateBounds();
    void Notification(TComponent* AComponent, TOperation AOperation) override;
    // The window procedure given to the handle.
    LRESULT MainWndProc(HWND AWnd, UINT AMsg, WPARAM W, LPARAM L);

    HWND FHandle = nullptr;
    std::vector<TControl*> FControls;      // every child, in z-order bottom first
    std::vector<TWinControl*> FTabList;    // windowed children in tab order
    bool FTabStop = false;
    bool FShowing = false;
    int FAlignLevel = 0;
    TBrush FBrush;
    TPoint FLastClientSize{-1, -1};

    friend class TControl;
    friend class TCustomForm;
    friend LRESULT InitWndProc(HWND, UINT, WPARAM, LPARAM);
};

class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* AOwner);
    ~TCustomControl() override;
    TCanvas* Canvas() { return FCanvas.get(); }

protected:
    void PaintWindow(HDC ADC) override;
    std::unique_ptr<TControlCanvas> FCanvas;
};

// Lends ADC to ACanvas while APaint runs (locked, handed back even when it throws).
void PaintOnCanvas(TCanvas* ACanvas, HDC ADC, const std::function<void()>& APaint);

// Tells the application and the screen that a control goes away.
void ControlDestroyed(TControl* AControl);
// Where exceptions raised in message handlers go (the application's handler).
void HandleControlException();

// The control whose window this is, nil for windows of no control.
TWinControl* FindControl(HWND AWnd);
// The deepest control (windowed or not) at a screen point.
TControl* FindDragTarget(TPoint AScreen, bool AAllowDisabled);
TCustomForm* GetParentForm(TControl* AControl);

// Measuring text in a font outside painting: the height of a line and the
// extent of a text.
int FontLineHeight(TFont* AFont);
TSize FontTextExtent(TFont* AFont, std::string_view AText);

// Mnemonics: "&File" answers to Alt+F.
bool IsAccel(uint16_t AVirtualKey, const std::string& ACaption);
std::string StripHotkey(const std::string& ACaption);

} // namespace platform
