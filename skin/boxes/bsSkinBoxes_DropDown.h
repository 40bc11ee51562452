#pragma once
// What the drop-downs of both combo boxes share: the popup window their
// list lives in (top-level, never activated, translucent when the combo
// asks), the handling of presses in the open list, the auto-scroll timer
// of a drag, and the rule that an open list closes when its combo moves on
// the screen (its form was dragged).

#include "skin/boxes/bsSkinBoxes_Look.h"
#include "skin/core/bsUtils_Probes.h"

#include "platform/controls/Forms.h"
#include "platform/ui/MessageLoop.h"

namespace skin {

constexpr uintptr_t DropAutoScrollTimer = 1;
constexpr uint32_t DropAutoScrollInterval = 25;
constexpr uintptr_t DropFollowTimer = 2;
constexpr uint32_t DropFollowInterval = 100;

// A message of the open list's window as its combo wants it: a left press
// hands the mouse to the combo (whose release decides the choice), other
// presses and releases are dropped, and the window never activates. True
// when the message is done with.
bool DropListMessage(platform::TMessage& M, platform::TWinControl* ACombo, bool& ALBDown, bool& AWasInLB);

void RestartControlTimer(platform::TWinControl* AControl, uintptr_t AId, uint32_t AInterval);
void StopControlTimer(platform::TWinControl* AControl, uintptr_t AId);

inline bool IsArrowKey(platform::WPARAM AKey)
{
    return AKey == platform::VK_LEFT || AKey == platform::VK_UP || AKey == platform::VK_RIGHT || AKey == platform::VK_DOWN;
}

// Where the combo stood when its list opened; the follow timer checks it.
struct TbsDropFollow {
    platform::TPoint Origin;
    void Start(platform::TWinControl* ACombo);
    void Stop(platform::TWinControl* ACombo);
    bool Moved(platform::TWinControl* ACombo) const;
};

// The alpha settings of the combo that owns a popup list.
struct TbsDropAlpha {
    bool Blend = false;
    bool Animation = false;
    uint8_t Value = 0;
};

// A list class turned into the drop-down window of a combo box.
template <class TList>
class TbsPopupListWindow : public TList {
public:
    explicit TbsPopupListWindow(platform::TComponent* AOwner) : TList(AOwner)
    {
        this->ControlStyle |= platform::csAcceptsControls | platform::csNoDesignVisible | platform::csReplicatable;
        this->FVisible = false;
    }

    // Shows the window with its top-left corner at a screen point, at the
    // size set before.
    void Show(platform::TPoint Origin)
    {
        using namespace platform;
        TbsDropAlpha alpha;
        const bool layered = IsLayeredWindowsAvailable() && OwnerAlpha(alpha);
        this->HandleNeeded();
        if (layered)
            FAlpha.Apply(this->Handle(), alpha.Blend, alpha.Animation, alpha.Value);
        this->FLeft = Origin.X;
        this->FTop = Origin.Y;
        SetWindowPos(this->Handle(), HWND_TOP, Origin.X, Origin.Y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        this->FVisible = true;
        this->UpdateShowing();   // the child windows (the list, the scroll bars) show with it
        if (!layered || !alpha.Blend || !alpha.Animation)
            return;
        Application()->ProcessMessages();
        BeforeFadeIn();
        TbsPopupAlpha::FadeIn(this->Handle(), alpha.Value, [this] { return this->FVisible; });
    }
    void Hide()
    {
        using namespace platform;
        if (this->HandleAllocated())
            SetWindowPos(this->Handle(), nullptr, 0, 0, 0, 0,
                         SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
        this->FVisible = false;
        if (this->HandleAllocated())
            this->UpdateShowing();
    }
    bool Showing() const override { return this->FVisible; }
    void Dispatch(platform::TMessage& M) override
    {
        if (M.Msg == platform::WM_MOUSEACTIVATE) {
            M.Result = platform::MA_NOACTIVATE;
            return;
        }
        TList::Dispatch(M);
    }

protected:
    // False when the owner is no combo box: then the window is only placed.
    virtual bool OwnerAlpha(TbsDropAlpha& AAlpha) = 0;
    virtual void BeforeFadeIn() {}

    void CreateParams(platform::TCreateParams& P) override
    {
        using namespace platform;
        TList::CreateParams(P);
        P.Style = WS_POPUP | WS_CLIPCHILDREN;
        P.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
        P.WindowClass.Style |= CS_SAVEBITS;
        if (IsXPOrLater())
            P.WindowClass.Style |= CS_DROPSHADOW;
        // Owned by the combo's form: above it, never on the task bar.
        auto* combo = dynamic_cast<TControl*>(this->Owner());
        TCustomForm* form = combo ? combo->ParentForm() : nullptr;
        P.WndParent = form && form->HandleAllocated() ? form->Handle() : nullptr;
        P.WinClassName = "TbsPopupListWindow";
    }

private:
    TbsPopupAlpha FAlpha;
};

} // namespace skin
