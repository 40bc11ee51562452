#pragma once
// Forms, the application object and the screen object.

#include "platform/controls/Controls.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace platform {

class TMainMenu;
class TMenuItem;

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TBorderIcon : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
using TBorderIcons = unsigned;
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TPosition { poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter, poMainFormCenter, poOwnerFormCenter };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TScrollBarKind { sbHorizontal, sbVertical };
enum TTileMode { tbHorizontal, tbVertical };
enum TFormStateFlag : unsigned { fsCreating = 1, fsVisible = 2, fsShowing = 4, fsModal = 8, fsCreatedMDIChild = 16, fsActivated = 32 };

using TModalResult = int;
constexpr TModalResult mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6, mrNo = 7,
                       mrAll = 8, mrNoToAll = 9, mrYesToAll = 10;

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;
using TShortCutEvent = std::function<void(TMessage& Msg, bool& Handled)>;

class TCustomForm : public TWinControl {
public:
    explicit TCustomForm(TComponent* AOwner);
    ~TCustomForm() override;

    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle AValue);
    TBorderIcons BorderIcons = biSystemMenu | biMinimize | biMaximize;
    TFormStyle FormStyle() const { return FFormStyle; }
    void SetFormStyle(TFormStyle AValue);
    TPosition Position = poDesigned;
    TWindowState WindowState() const;
    void SetWindowState(TWindowState AValue);
    TBitmap* Icon() { return &FIcon; }
    TMainMenu* Menu() const { return FMenu; }
    void SetMenu(TMainMenu* AValue);
    bool KeyPreview = false;
    // The help file of this form's topics; empty: the application's.
    std::string HelpFile;
    bool AlphaBlend() const { return FAlphaBlend; }
    void SetAlphaBlend(bool AValue);
    uint8_t AlphaBlendValue() const { return FAlphaBlendValue; }
    void SetAlphaBlendValue(uint8_t AValue);
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult AValue) { FModalResult = AValue; }
    unsigned FormState = 0;
    bool Active() const { return FActive; }

    // Focus
    TWinControl* ActiveControl() const { return FActiveControl; }
    void SetActiveControl(TWinControl* AControl);
    void FocusControl(TWinControl* AControl);
    void DefocusControl(TWinControl* AControl, bool ARemoving);
    bool SetFocusedControl(TWinControl* AControl);
    void SetFocus() override;

    // Showing and closing
    void Show();
    void Hide() { SetVisible(false); }
    virtual TModalResult ShowModal();
    void Close();
    bool CloseQuery();
    void Release();   // freed once the messages now waiting are handled
    void SetVisible(bool AValue) override;
    bool Showing() const override { return FShowing; }
    bool IsModal() const { return FormState & fsModal; }
    // OnShortCut, then the form's menu: true when the key ran something.
    virtual bool IsShortCut(TMessage& M);

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnPaint;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;
    TShortCutEvent OnShortCut;

    bool DoKeyDown(TMessage& M) override { return TWinControl::DoKeyDown(M); }
    bool DoKeyUp(TMessage& M) override { return TWinControl::DoKeyUp(M); }
    bool DoKeyPress(TMessage& M) override { return TWinControl::DoKeyPress(M); }

    void Dispatch(TMessage& M) override;
    virtual void WMActivate(TMessage& M);
    virtual void WMClose(TMessage& M);
    virtual void WMGetMinMaxInfo(TMessage& M);
    virtual void WMShowWindow(TMessage& M);
    virtual void WMMDIActivate(TMessage& M);
    void CMDialogKey(TMessage& M) override;
    void WMSetFocus(TMessage& M) override;

    // Called by the application when the form is created through it.
    void AfterConstruction();

    // ---- multiple documents: an fsMDIForm holds a client window below its
    // aligned controls; the fsMDIChild forms are child windows of it.
    HWND ClientHandle() const { return FClientHandle; }
    TCustomForm* ActiveMDIChild() const;
    // The visible children, in the order they were made.
    int MDIChildCount() const;
    TCustomForm* MDIChildren(int AIndex) const;
    TTileMode TileMode = tbHorizontal;
    // The menu that lists the children (the skinned frame fills it).
    TMenuItem* WindowMenu = nullptr;
    void Next();
    void Previous();
    void Tile();
    void Cascade();
    void ArrangeIcons();

protected:
    void CreateParams(TCreateParams& P) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void AlignControls(TControl* AControl, TRect& ARect) override;
    void UpdateShowing() override;
    void PaintWindow(HDC ADC) override;
    virtual void DoShow();
    virtual void DoHide();
    virtual void DoClose(TCloseAction& AAction);
    virtual void Activate();
    virtual void Deactivate();
    virtual void Paint();
    void SetActive(bool AValue);
    void ApplyPosition();
    void MDIChildParams(TCreateParams& P);
    void MDIChildMaxInfo(TMinMaxInfo& AInfo);
    void Notification(TComponent* AComponent, TOperation AOperation) override;

    TFormBorderStyle FBorderStyle = bsSizeable;
    TFormStyle FFormStyle = fsNormal;
    TWindowState FWindowState = wsNormal;
    TBitmap FIcon;
    TMainMenu* FMenu = nullptr;
    bool FAlphaBlend = false;
    uint8_t FAlphaBlendValue = 255;
    TModalResult FModalResult = mrNone;
    TWinControl* FActiveControl = nullptr;
    TWinControl* FFocusedControl = nullptr;
    bool FActive = false;
    bool FPositioned = false;
    HWND FClientHandle = nullptr;
    std::unique_ptr<TControlCanvas> FCanvas;

public:
    TCanvas* Canvas() { return FCanvas.get(); }
};

class TForm : public TCustomForm {
public:
    explicit TForm(TComponent* AOwner) : TCustomForm(AOwner) {}
};

// The small window that shows a control's hint. Descendants (the skinned
// hint) draw their own and may measure differently.
class THintWindow : public TCustomControl {
public:
    explicit THintWindow(TComponent* AOwner);
    virtual TRect CalcHintRect(int AMaxWidth, const std::string& AHint);
    virtual void ActivateHint(TRect ARect, const std::string& AHint);   // screen coordinates
    virtual void ReleaseHandle();
    bool HintShowing() const { return FHintShowing; }

protected:
    void CreateParams(TCreateParams& P) override;
    void Paint() override;
    bool Showing() const override { return FHintShowing; }
    void Dispatch(TMessage& M) override;

private:
    bool FHintShowing = false;
};

using THintWindowClass = std::function<THintWindow*(TComponent* AOwner)>;

// What a hint will show; the control (CM_HINTSHOW, lParam) and OnShowHint may change it.
struct THintInfo {
    TControl* HintControl = nullptr;
    TPoint CursorPos;
    TRect CursorRect;     // the hint goes when the pointer leaves it (screen)
    TPoint HintPos;       // where the hint window goes (screen)
    int HintMaxWidth = 0;
    std::string HintStr;
    int HideTimeout = 0;
};

using TMessageEvent = std::function<void(TMsg& Msg, bool& Handled)>;
using TIdleEvent = std::function<void(TObject* Sender, bool& Done)>;
using TExceptionEvent = std::function<void(TObject* Sender, const std::exception& E)>;
using TShowHintEvent = std::function<void(std::string& HintStr, bool& CanShow, THintInfo& HintInfo)>;

class TApplication : public TComponent {
public:
    explicit TApplication(TComponent* AOwner);
    ~TApplication() override;

    std::string Title;
    std::string HelpFile;
    // The help system: shows topic AContext of AHelpFile and answers whether
    // it could. Without a handler there is no help to show.
    std::function<bool(const std::string& AHelpFile, int AContext)> OnHelp;
    // Topic AContext of AHelpFile, or of HelpFile when that is empty.
    bool HelpContext(int AContext, const std::string& AHelpFile = std::string());
    TBitmap* Icon() { return &FIcon; }
    // The picture a desktop shows for the program's windows (task bar,
    // switcher), apart from Icon, which the forms' captions draw.
    void SetDesktopIcon(TBitmap* APicture);
    TCustomForm* MainForm() const { return FMainForm; }
    bool Terminated() const { return FTerminated; }
    bool ShowMainForm = true;
    bool MainFormOnTaskBar = false;
    int HintPause = 500;
    int HintHidePause = 2500;
    int HintShortPause = 50;
    bool ShowHint = true;
    // The hidden window of the application (other components hook it).
    HWND Handle();

    // Creates a form; the first one becomes the main form. Forms are not shown.
    template <class T>
    void CreateForm(T*& AReference)
    {
        T* form = new T(this);
        AReference = form;
        if (!FMainForm)
            FMainForm = form;
        form->AfterConstruction();
    }
    void Run();
    void Terminate();
    // Handles one message when there is one; answers whether there was.
    bool ProcessMessage();
    void ProcessMessages();
    // Handles one message, or waits for one and runs the idle handlers first.
    void HandleMessage();
    void HandleException(TObject* Sender);
    void Minimize();
    void Restore();
    // Hints: a control under the pointer with ShowHint and a Hint shows it
    // after HintPause, for HintHidePause.
    THintWindowClass HintWindowClass;
    void CancelHint();
    THintWindow* HintWindow() const { return FHintWindow; }
    void ActivateHint(TPoint ACursorPos);

    TMessageEvent OnMessage;
    TIdleEvent OnIdle;
    TExceptionEvent OnException;
    TShowHintEvent OnShowHint;
    TNotifyEvent OnRestore;
    TNotifyEvent OnMinimize;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;

    // The control under the mouse, told of it by CM_MOUSEENTER / CM_MOUSELEAVE.
    TControl* MouseControl() const { return FMouseControl; }
    void UpdateMouseControl();
    void ForgetControl(TControl* AControl);
    // The texts of exceptions nobody handled, last first (for tests and logs).
    std::string LastExceptionMessage;
    // For a main form made otherwise than by CreateForm (a test's own).
    void SetMainForm(TCustomForm* AForm) { FMainForm = AForm; }

private:
    friend class TCustomForm;
    bool IsKeyMsg(TMsg& AMsg);
    void Idle(const TMsg& AMsg);

    TCustomForm* FMainForm = nullptr;
    bool FTerminated = false;
    void StartHintTimer(uint32_t AInterval);
    void HintTimerExpired();
    void HideHintTimerExpired();

    TControl* FMouseControl = nullptr;
    THintWindow* FHintWindow = nullptr;
    TControl* FHintControl = nullptr;
    uintptr_t FHintTimer = 0;
    bool FHintActive = false;
    TRect FHintCursorRect;
    TPoint FLastCursor{-100000, -100000};
    HWND FHandle = nullptr;
    TBitmap FIcon;
};

struct TMonitor {
    TRect BoundsRect;
    TRect WorkareaRect;
    bool Primary = true;
};

class TScreen : public TComponent {
public:
    explicit TScreen(TComponent* AOwner) : TComponent(AOwner) {}
    int FormCount() const { return int(FForms.size()); }
    TCustomForm* Forms(int AIndex) const { return FForms[size_t(AIndex)]; }
    int CustomFormCount() const { return FormCount(); }
    TCustomForm* CustomForms(int AIndex) const { return Forms(AIndex); }
    TCustomForm* ActiveForm() const { return FActiveForm; }
    TCustomForm* ActiveCustomForm() const { return FActiveForm; }
    TWinControl* ActiveControl() const { return FActiveControl; }
    int Width() const { return GetScreenRect().Width(); }
    int Height() const { return GetScreenRect().Height(); }
    TRect WorkAreaRect() const { return GetWorkArea(); }
    TMonitor MonitorFromWindow(HWND) const { return TMonitor{GetScreenRect(), GetWorkArea(), true}; }
    TMonitor PrimaryMonitor() const { return TMonitor{GetScreenRect(), GetWorkArea(), true}; }
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor AValue);

private:
    friend class TCustomForm;
    friend class TApplication;
    friend void ControlDestroyed(TControl*);
    std::vector<TCustomForm*> FForms;
    TCustomForm* FActiveForm = nullptr;
    TWinControl* FActiveControl = nullptr;
    TCursor FCursor = crDefault;
};

TApplication* Application();
TScreen* Screen();

} // namespace platform
