#pragma once
// The header control: a row of sections with captions that the user clicks
// and resizes by dragging the dividers between them, and, when DragReorder is
// on, drags into another order. A list view in report style shows its
// columns on one (window class "SysHeader32").

#include "platform/controls/Controls.h"
#include "platform/controls/ImgList.h"

#include <string>
#include <vector>

namespace platform {

// The header's messages, for code written against its window.
constexpr UINT HDM_FIRST = 0x1200;
constexpr UINT HDM_GETITEMCOUNT = HDM_FIRST + 0;
constexpr UINT HDM_HITTEST = HDM_FIRST + 6;        // lParam: THDHitTestInfo*
constexpr UINT HDM_GETITEMRECT = HDM_FIRST + 7;    // wParam: index; lParam: TRect*
constexpr UINT HDM_GETORDERARRAY = HDM_FIRST + 17; // wParam: count; lParam: int[count]
constexpr UINT HDM_SETORDERARRAY = HDM_FIRST + 18; // wParam: count; lParam: const int[count]
constexpr UINT HHT_NOWHERE = 0x0001;
constexpr UINT HHT_ONHEADER = 0x0002;
constexpr UINT HHT_ONDIVIDER = 0x0004;
constexpr UINT HHT_TORIGHT = 0x0800;

struct THDHitTestInfo {
    TPoint Pt;
    UINT Flags = 0;
    int Item = -1;
};

struct THeaderSection {
    std::string Text;
    int Width = 50;
    int MinWidth = 0;
    int MaxWidth = 0;   // 0: no limit
    TAlignment Alignment = taLeftJustify;
    int ImageIndex = -1;
};

using THeaderSectionEvent = std::function<void(TObject* Sender, int Index)>;

class THeaderControl : public TCustomControl {
public:
    explicit THeaderControl(TComponent* AOwner);

    int SectionCount() const { return int(FSections.size()); }
    // Raises EListError outside 0 .. SectionCount - 1.
    const THeaderSection& Section(int AIndex) const;
    void SetSections(std::vector<THeaderSection> ASections);
    void SetSectionWidth(int AIndex, int AWidth);
    // Section rectangle in client coordinates, the sections placed in display
    // order and moved left by ScrollOffset.
    TRect SectionRect(int AIndex) const;
    // Pixels the sections are scrolled left: a view scrolled sideways keeps
    // its header inside its own width, beside its vertical scroll bar.
    int ScrollOffset() const { return FScrollOffset; }
    void SetScrollOffset(int AValue);
    // Display order: the section index shown at each place, left to right.
    const std::vector<int>& Order() const { return FOrder; }
    // Takes a permutation of 0 .. SectionCount - 1; answers false and keeps
    // the order for anything else.
    bool SetOrder(const std::vector<int>& AOrder);
    // Whether AOrder holds each of 0 .. ACount - 1 once.
    static bool IsOrder(const std::vector<int>& AOrder, int ACount);
    // A section pressed and moved sideways past a few pixels is dragged; its
    // release puts it at the place under the mouse.
    bool DragReorder = false;
    // The section being dragged into another place, -1 none.
    int DraggedSection() const { return FDragging ? FPressed : -1; }
    THDHitTestInfo HitTest(TPoint P) const;
    TCustomImageList* Images = nullptr;
    // The section under a press, while the button is down on it.
    int PressedSection() const { return FPressed; }
    bool Tracking() const { return FTracking >= 0; }

    // A section was clicked (pressed and released on it).
    THeaderSectionEvent OnSectionClick;
    // A divider drag changed a section's width.
    THeaderSectionEvent OnSectionResize;
    // A section was dragged to another place; Order holds the new order.
    THeaderSectionEvent OnSectionEndDrag;

    void Dispatch(TMessage& M) override;

protected:
    void CreateParams(TCreateParams& AParams) override;
    void Paint() override;
    void MouseDown(TMouseButtonKind AButton, TShiftState AShift, int X, int Y) override;
    void MouseMove(TShiftState AShift, int X, int Y) override;
    void MouseUp(TMouseButtonKind AButton, TShiftState AShift, int X, int Y) override;
    void Notification(TComponent* AComponent, TOperation AOperation) override;
    virtual void DrawSection(TCanvas* ACanvas, int AIndex, const TRect& ARect, bool APressed);

private:
    int PlaceAt(int X) const;
    void PaintDragged(TCanvas* ACanvas);

    std::vector<THeaderSection> FSections;
    std::vector<int> FOrder;
    int FScrollOffset = 0;
    bool FDragging = false;
    int FDragStart = 0;   // X of the press
    int FDragX = 0;       // X of the mouse while dragging
    int FPressed = -1;
    bool FPressedIn = false;
    int FTracking = -1;
    int FTrackStart = 0;
    int FTrackWidth = 0;
};

} // namespace platform
