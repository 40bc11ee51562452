#pragma once
// The scroll state of a view (list view, tree view) and the plain scroll
// bars that show it. The bars are drawn inside the view's client area along
// its right and bottom edges, and only when the view's window style asks for
// them (WS_VSCROLL, WS_HSCROLL): a view that is dressed with bars of its own
// drops those styles and keeps the state, which its dressing reads.

#include "platform/controls/Controls.h"

namespace platform {

struct TScrollInfo {
    int Min = 0;
    int Max = 0;    // the last unit; a range of Max - Min + 1 units
    int Page = 0;   // units shown at once
    int Pos = 0;
};

class TViewScrollBars {
public:
    explicit TViewScrollBars(TWinControl* AView) : FView(AView) {}
    static constexpr int Size = 16;   // thickness of a bar

    const TScrollInfo& Info(int ABar) const { return FInfo[Index(ABar)]; }
    // Stores the range and page and clamps the position; answers whether the position moved.
    bool SetInfo(int ABar, TScrollInfo AInfo);
    // Clamped to the range; answers whether it moved.
    bool SetPos(int ABar, int APos);
    int Pos(int ABar) const { return Info(ABar).Pos; }
    // The largest position that still fills a page.
    int MaxPos(int ABar) const;
    // More units than a page: the content does not fit.
    bool Needed(int ABar) const;
    // Drawn: the window style has the bar and the content does not fit.
    bool Shown(int ABar) const;

    // The client area less the bars shown.
    TRect ViewRect(const TRect& AClient) const;
    TRect BarRect(int ABar, const TRect& AClient) const;
    void Paint(TCanvas* ACanvas, const TRect& AClient);

    // Mouse on the bars. A press on a bar answers true and sends the view
    // WM_VSCROLL / WM_HSCROLL: a line for an arrow, a page for the track,
    // thumb tracking while the thumb is dragged and its position at release.
    // Holding an arrow or the track repeats its step after FirstRepeatDelay
    // and then every RepeatInterval, paused while the mouse is off the arrow
    // or while the thumb is under the mouse; the view hands its WM_TIMER to
    // Timer for that.
    static constexpr uintptr_t RepeatTimerId = 0x5642;
    static constexpr uint32_t FirstRepeatDelay = 500;
    static constexpr uint32_t RepeatInterval = 50;
    bool MouseDown(TPoint P, const TRect& AClient);
    // Answers true when the timer was the bars' repeat.
    bool Timer(uintptr_t AId, const TRect& AClient);
    bool Repeating() const { return FRepeatBar >= 0; }
    bool MouseMove(TPoint P, const TRect& AClient);
    bool MouseUp();
    bool Dragging() const { return FDragBar >= 0; }

    // The position a scroll request asks for. AThumb is the 16-bit position of
    // the message; while the thumb is dragged here its full position counts.
    int Target(int ABar, int ACode, int AThumb, int ALine) const;

private:
    static int Index(int ABar) { return ABar == SB_VERT ? 1 : 0; }
    bool StyleHas(int ABar) const;
    TRect ThumbRect(int ABar, const TRect& ABarRect) const;
    void Send(int ABar, int ACode, int APos);
    // The step code a press at P asks for (SB_LINEUP .. SB_PAGEDOWN), -1 for the thumb or none.
    int StepAt(int ABar, TPoint P, const TRect& AClient) const;
    void StopRepeat();

    TWinControl* FView;
    TScrollInfo FInfo[2];
    int FDragBar = -1;
    int FDragOffset = 0;
    int FTrackPos = 0;
    int FRepeatBar = -1;   // SB_HORZ / SB_VERT while an arrow or the track is held
    int FRepeatCode = 0;
    bool FRepeatWaiting = false;
    TPoint FRepeatPoint{};
};

} // namespace platform
