#pragma once
// What the skinned popups (menu levels, picture grids) share: a top-level
// tool window that never takes the activation, paints all of itself and
// counts the handlers running in it; the keeper that frees closed popups
// once none of their handlers runs any more; and the hook of the
// application's messages a popup takes while it holds the keyboard.

#include "platform/controls/Controls.h"
#include "platform/controls/Forms.h"

#include <memory>
#include <vector>

namespace skin {

class TbsSkinPopupControl : public platform::TCustomControl {
public:
    explicit TbsSkinPopupControl(platform::TComponent* AOwner);
    // One of the window's message handlers is running.
    bool InHandler() const { return FHandlerDepth > 0; }
    void WndProc(platform::TMessage& M) override;

protected:
    void CreateParams(platform::TCreateParams& P) override;
    // The window's own messages, after the ones every popup answers alike.
    virtual void PopupWndProc(platform::TMessage& M) { TCustomControl::WndProc(M); }

private:
    int FHandlerDepth = 0;
};

// Popups are closed from inside their own mouse and key handlers: they wait
// here and are freed on a timer once no handler of theirs runs.
class TbsClosedPopups {
public:
    TbsClosedPopups() = default;
    TbsClosedPopups(const TbsClosedPopups&) = delete;
    TbsClosedPopups& operator=(const TbsClosedPopups&) = delete;
    // Frees what it can; a popup still inside its handler, under this call,
    // is let go rather than freed beneath that handler.
    ~TbsClosedPopups();
    void Add(TbsSkinPopupControl* AWindow);
    void FreeIdle();

private:
    std::vector<std::unique_ptr<TbsSkinPopupControl>> FWindows;
    uintptr_t FTimer = 0;
};

// Puts a handler in place of the application's message handler and the
// saved one back.
class TbsAppMessageHook {
public:
    TbsAppMessageHook() = default;
    TbsAppMessageHook(const TbsAppMessageHook&) = delete;
    TbsAppMessageHook& operator=(const TbsAppMessageHook&) = delete;
    ~TbsAppMessageHook() { Unhook(); }
    // Nothing when already hooked.
    void Hook(platform::TMessageEvent AHandler);
    void Unhook();
    bool Hooked() const { return FHooked; }

private:
    platform::TMessageEvent FOld;
    bool FHooked = false;
};

} // namespace skin
