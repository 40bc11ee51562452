#pragma once
// The skinned scroll box: a container whose children may be larger than its
// client area. It owns no scroll bars: the form places two skinned bars and
// links them; the box computes their ranges from the extent of its visible
// children, shows and hides them, and moves the children with them. Its
// border is the "scrollbox" record's frame in the non-client area (none when
// the record names a background picture), or a one-pixel bevel.

#include "skin/controls/bsSkinCtrls_Base.h"
#include "skin/controls/bsSkinCtrls_Panel.h"
#include "skin/controls/bsSkinCtrls_ScrollBar.h"

namespace skin {

class TbsSkinScrollBox : public TbsSkinCustomControl {
public:
    explicit TbsSkinScrollBox(TComponent* AOwner);

    TbsSkinScrollBar* VScrollBar() const { return FVScrollBar; }
    void SetVScrollBar(TbsSkinScrollBar* AValue);
    TbsSkinScrollBar* HScrollBar() const { return FHScrollBar; }
    void SetHScrollBar(TbsSkinScrollBar* AValue);
    TbsSkinBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TbsSkinBorderStyle AValue);
    bool CanFocused = false;
    // A picture of the skin that fills the client instead of the record's client part; -1 none.
    int BGPictureIndex = -1;

    void UpDateScrollRange();
    void GetVRange();
    void GetHRange();
    void VScroll(int APosition);
    void HScroll(int APosition);
    void ScrollToControl(TControl* C);

    void GetSkinData() override;
    void ChangeSkinData() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void AdjustClientRect(TRect& ARect) override;
    void WndProc(TMessage& M) override;
    void Dispatch(TMessage& M) override;
    void WMSize(TMessage& M) override;
    void WMNCHitTest(TMessage& M) override { M.Result = platform::HTCLIENT; }
    void WMNCCalcSize(TMessage& M) override;
    void WMNCPaint(TMessage& M) override;
    void WMWindowPosChanging(TMessage& M) override;
    void CMVisibleChanged(TMessage& M) override;

protected:
    void Paint() override;
    void CreateControlDefaultImage(TBitmap* B) override;
    void CreateParams(platform::TCreateParams& P) override;
    void Notification(TComponent* AComponent, platform::TOperation AOperation) override;
    void PaintFrame(TCanvas* C);
    bool HasFrame() const { return BGPictureIndex == -1 && FBorderStyle != bvNone; }
    void ScrollVert(int D);
    void ScrollHorz(int D);
    // Moves the children by (DX, DY).
    void ScrollChildren(int DX, int DY);
    // One bar's range from the children's extent along it (the range rule
    // shared by both directions).
    void GetRange(bool AVertical);
    void LinkBar(TbsSkinScrollBar*& AField, TbsSkinScrollBar* AValue, bool AVertical);

private:
    bool FClicksDisabled = false;
    bool FInCheckScrollBars = false;
    TbsSkinScrollBar* FVScrollBar = nullptr;
    TbsSkinScrollBar* FHScrollBar = nullptr;
    int FOldVScrollBarPos = 0, FOldHScrollBarPos = 0;
    int FVSizeOffset = 0, FHSizeOffset = 0;
    TbsSkinBorderStyle FBorderStyle = bvFrame;
};

} // namespace skin
