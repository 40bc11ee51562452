#pragma once
// Small pieces the skinned push buttons and boxes share: a GUI-thread timer,
// the hover cross-fade ("morph") with its timer and factor, and the frame
// colour of the built-in hot look.

#include "skin/controls/bsSkinCtrls_Base.h"

#include <cstdint>
#include <functional>
#include <memory>

namespace skin {

// The built-in look of a control under the pointer (frame and fill) and
// pressed (fill).
constexpr TColor HotFrameColor = 0xB76B3B;
constexpr TColor HotFillColor = 0xF3D4C1;
constexpr TColor DownFillColor = 0xE4BCA2;

// A GUI-thread timer that may be freed from its own tick.
class TbsGuiTimer {
public:
    TbsGuiTimer(uint32_t AInterval, std::function<void()> AOnTimer);
    ~TbsGuiTimer();
    TbsGuiTimer(const TbsGuiTimer&) = delete;
    TbsGuiTimer& operator=(const TbsGuiTimer&) = delete;
    uint32_t Interval() const { return FInterval; }
    void SetInterval(uint32_t AInterval);

private:
    uint32_t FInterval;
    std::function<void()> FOnTimer;
    uintptr_t FId = 0;
};

// One step of a cross-fade towards the hot picture (AToHot) or back: 0.2
// per tick; answers true when the fade has arrived (AKf then exactly 1 or 0).
bool StepMorph(double& AKf, bool AToHot);

// AFrom blended towards ATo by AKind and AKf (0 to 1), drawn at (0, 0) of C.
void DrawMorph(TCanvas* C, TBitmap& AFrom, TBitmap& ATo, TbsMorphKind AKind, double AKf);

// The hover cross-fade of one control: its factor (0 normal picture, 1 hot
// picture) and the timer that steps it. Each tick asks the control where the
// fade heads (AToHot) and whether it may still fade (ACanFade; when not, the
// factor jumps to its end and the timer stops), then asks it to repaint. The
// timer is owned here, so it never outlives the control that holds this.
class TbsMorph {
public:
    TbsMorph(std::function<bool()> AToHot, std::function<bool()> ACanFade, std::function<void()> ARepaint);
    // The same, repainting AControl.
    TbsMorph(TControl* AControl, std::function<bool()> AToHot, std::function<bool()> ACanFade)
        : TbsMorph(std::move(AToHot), std::move(ACanFade), [AControl] { AControl->Repaint(); })
    {
    }
    TbsMorph(const TbsMorph&) = delete;
    TbsMorph& operator=(const TbsMorph&) = delete;

    double Kf() const { return FKf; }
    void SetKf(double AKf) { FKf = AKf; }
    bool Running() const { return FTimer != nullptr; }
    // Between the ends: the picture is a blend.
    bool Midway() const { return FKf > 0 && FKf < 1; }
    // Draws at (0, 0) of C the blend of AW x AH pictures that ADraw makes:
    // the normal one (AHot false) and the hot one.
    void Paint(TCanvas* C, int AW, int AH, TbsMorphKind AKind, const std::function<void(TBitmap*, bool AHot)>& ADraw) const;
    // Starts the timer unless it already runs.
    void Start();
    // Starts the fade when the control may fade now, else only repaints it.
    void StartOrRepaint(bool AMayFade)
    {
        if (AMayFade)
            Start();
        else
            FRepaint();
    }
    void Stop() { FTimer.reset(); }
    // Stops the fade and puts the factor at AKf.
    void Reset(double AKf)
    {
        Stop();
        FKf = AKf;
    }
    void Tick();

private:
    std::function<bool()> FToHot, FCanFade;
    std::function<void()> FRepaint;
    double FKf = 0;
    std::unique_ptr<TbsGuiTimer> FTimer;
};

} // namespace skin
