#include "skin/controls/bsSkinCtrls_Helpers.h"

#include "skin/core/bseffects_EffectBmp.h"

#include "platform/controls/Forms.h"
#include "platform/ui/MessageLoop.h"

namespace skin {

namespace {

constexpr uint32_t MorphInterval = 20;
constexpr double MorphStep = 0.2;

} // namespace

// The tick runs a copy of the handler, so a tick may free its own timer.
TbsGuiTimer::TbsGuiTimer(uint32_t AInterval, std::function<void()> AOnTimer)
    : FInterval(AInterval), FOnTimer(std::move(AOnTimer))
{
    SetInterval(AInterval);
}

TbsGuiTimer::~TbsGuiTimer()
{
    if (FId)
        platform::KillTimer(nullptr, FId);
}

void TbsGuiTimer::SetInterval(uint32_t AInterval)
{
    if (FId)
        platform::KillTimer(nullptr, FId);
    FInterval = AInterval;
    FId = platform::SetTimer(nullptr, 0, AInterval, [handler = FOnTimer](platform::HWND, platform::UINT, uintptr_t, uint32_t) {
        try {
            handler();
        } catch (...) {
            platform::Application()->HandleException(nullptr);
        }
    });
}

// Steps stop at the ends, so that rounding never leaves the factor a hair
// short of them or beyond them.
bool StepMorph(double& AKf, bool AToHot)
{
    // Five steps of 0.2 leave a rounding rest; a rest that small is arrived.
    constexpr double Rest = 1e-9;
    if (AToHot && AKf < 1) {
        AKf = AKf + MorphStep > 1 - Rest ? 1.0 : AKf + MorphStep;
        return false;
    }
    if (!AToHot && AKf > 0) {
        AKf = AKf - MorphStep < Rest ? 0.0 : AKf - MorphStep;
        return false;
    }
    AKf = AToHot ? 1 : 0;
    return true;
}

void DrawMorph(TCanvas* C, TBitmap& AFrom, TBitmap& ATo, TbsMorphKind AKind, double AKf)
{
    std::unique_ptr<TbsEffectBmp> from(TbsEffectBmp::CreateFromhWnd(AFrom.Handle()));
    std::unique_ptr<TbsEffectBmp> to(TbsEffectBmp::CreateFromhWnd(ATo.Handle()));
    switch (AKind) {
    case mkDefault: from->Morph(*to, AKf); break;
    case mkGradient: from->MorphGrad(*to, AKf); break;
    case mkLeftGradient: from->MorphLeftGrad(*to, AKf); break;
    case mkRightGradient: from->MorphRightGrad(*to, AKf); break;
    case mkLeftSlide: from->MorphLeftSlide(*to, AKf); break;
    case mkRightSlide: from->MorphRightSlide(*to, AKf); break;
    case mkPush: from->MorphPush(*to, AKf); break;
    }
    from->Draw(C->Handle(), 0, 0);
}

TbsMorph::TbsMorph(std::function<bool()> AToHot, std::function<bool()> ACanFade, std::function<void()> ARepaint)
    : FToHot(std::move(AToHot)), FCanFade(std::move(ACanFade)), FRepaint(std::move(ARepaint))
{
}

void TbsMorph::Paint(TCanvas* C, int AW, int AH, TbsMorphKind AKind,
                     const std::function<void(TBitmap*, bool AHot)>& ADraw) const
{
    TBitmap normal, hot;
    normal.SetSize(AW, AH);
    hot.SetSize(AW, AH);
    ADraw(&normal, false);
    ADraw(&hot, true);
    DrawMorph(C, normal, hot, AKind, FKf);
}

void TbsMorph::Start()
{
    if (!FTimer)
        FTimer = std::make_unique<TbsGuiTimer>(MorphInterval, [this] { Tick(); });
}

void TbsMorph::Tick()
{
    const bool toHot = FToHot();
    if (!FCanFade()) {
        Reset(toHot ? 1 : 0);
        return;
    }
    if (StepMorph(FKf, toHot))
        Stop();
    FRepaint();
}

} // namespace skin
