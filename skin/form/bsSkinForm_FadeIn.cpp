// The form's own alpha: a constant alpha while AlphaBlend is on, and the
// fade-in from transparent on every show (AlphaBlendAnimation, or the
// skin's AnimationForAllWindows).

#include "skin/form/bsSkinForm.h"

#include "skin/core/bsUtils_Probes.h"

#include "platform/ui/MessageLoop.h"
#include "platform/ui/Window.h"

#include <chrono>
#include <thread>

namespace skin {

using namespace platform;

namespace {

constexpr uintptr_t FadeInTimer = 1;

void SetLayeredStyle(HWND AWnd, bool AOn)
{
    const intptr_t ex = GetWindowLong(AWnd, GWL_EXSTYLE);
    SetWindowLong(AWnd, GWL_EXSTYLE, AOn ? (ex | WS_EX_LAYERED) : (ex & ~intptr_t(WS_EX_LAYERED)));
}

} // namespace

std::vector<int> TbsSkinForm::FadeInSteps(int ATarget)
{
    std::vector<int> steps;
    const int step = ATarget / 15 > 0 ? ATarget / 15 : 1;
    for (int alpha = 0; alpha < ATarget;) {
        alpha = alpha + step > ATarget ? ATarget : alpha + step;
        steps.push_back(alpha);
    }
    return steps;
}

// The steps are more than 5 ms apart; the thread sleeps between them
// rather than spinning.
void TbsSkinForm::FadeIn(int ATarget, const std::function<bool(int AAlpha)>& AApply)
{
    const std::vector<int> steps = FadeInSteps(ATarget);
    for (size_t i = 0; i < steps.size(); ++i) {
        if (i > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(6));
        if (!AApply(steps[i]))
            return;
    }
}

bool TbsSkinForm::FadesIn() const
{
    return IsLayeredWindowsAvailable() && (FAlphaBlend || AlphaBlendAnimation || (FSD && FSD->AnimationForAllWindows));
}

void TbsSkinForm::SetAlphaBlend(bool AValue)
{
    if (AValue == FAlphaBlend)
        return;
    FAlphaBlend = AValue;
    if (!IsLayeredWindowsAvailable() || !FForm->HandleAllocated())
        return;
    SetLayeredStyle(FForm->Handle(), FAlphaBlend);
    if (FAlphaBlend)
        SetLayeredAlpha(FForm->Handle(), FAlphaBlendValue);
}

void TbsSkinForm::SetAlphaBlendValue(uint8_t AValue)
{
    FAlphaBlendValue = AValue;
    if (FAlphaBlend && IsLayeredWindowsAvailable() && FForm->HandleAllocated())
        SetLayeredAlpha(FForm->Handle(), FAlphaBlendValue);
}

// On show the form starts transparent; the fade runs from the first tick
// of the window timer, once the form is on the screen.
void TbsSkinForm::StartFadeIn()
{
    if (FSD && FSD->AnimationForAllWindows && FAlphaBlendValue == 0)
        FAlphaBlendValue = 255;
    if (!FadesIn() || !FForm->HandleAllocated())
        return;
    SetLayeredStyle(FForm->Handle(), true);
    SetLayeredAlpha(FForm->Handle(), 0);
    // The layered border starts as transparent as the form and fades in
    // with it.
    if (CanShowLayeredBorders())
        FBorderLayer->CheckFormAlpha(0, FBorderLayer->FVisible);
    SetTimer(FForm->Handle(), FadeInTimer, 1);
}

bool TbsSkinForm::FadeInTick(uintptr_t AId)
{
    if (AId != FadeInTimer || !FadesIn())
        return false;
    KillTimer(FForm->Handle(), FadeInTimer);
    const bool animate = AlphaBlendAnimation || (FSD && FSD->AnimationForAllWindows);
    const int target = animate && !FAlphaBlend ? 255 : FAlphaBlendValue;
    if (animate) {
        Application()->ProcessMessages();
        bool gone = false;
        FadeIn(target, [this, &gone](int AAlpha) {
            gone = !FForm->HandleAllocated();
            if (gone)
                return false;
            SetLayeredAlpha(FForm->Handle(), uint8_t(AAlpha));
            FBorderLayer->CheckFormAlpha(AAlpha, true);
            return true;
        });
        if (gone)
            return true;
    } else if (target < 255) {
        SetLayeredAlpha(FForm->Handle(), uint8_t(target));
        FBorderLayer->CheckFormAlpha(target, true);
    }
    if (target == 255) {
        SetLayeredStyle(FForm->Handle(), false);
        FBorderLayer->CheckFormAlpha(255, true);
    }
    return true;
}

} // namespace skin
