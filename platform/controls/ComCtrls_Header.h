#pragma once
// The header control: a row of sections with captions that the user clicks
// and resizes by dragging the dividers between them. A list view in report
// style shows its columns on one (window class "SysHeader32").

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
    // Section rectangle in client coordinates (sections in index order).
    TRect SectionRect(int AIndex) const;
    THDHitTestInfo HitTest(TPoint P) const;
    TCustomImageList* Images = nullptr;
    // The section under a press, while the button is down on it.
    int PressedSection() const { return FPressed; }
    bool Tracking() const { return FTracking >= 0; }

    // A section was clicked (pressed and released on it).
    THeaderSectionEvent OnSectionClick;
    // A divider drag changed a section's width.
    THeaderSectionEvent OnSectionResize;

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
    std::vector<THeaderSection> FSections;
    int FPressed = -1;
    bool FPressedIn = false;
    int FTracking = -1;
    int FTrackStart = 0;
    int FTrackWidth = 0;
};

} // namespace platform
