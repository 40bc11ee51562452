#pragma once
// The platform list view dressed by the skin: no border and no platform
// scroll bars, two external skinned scroll bars kept in step with the view,
// font and colours from a "listview" record, the column header painted from
// a button record, and, with DrawSkin, items drawn from a list-box record.

#include "skin/controls/bsSkinCtrls_ViewLink.h"
#include "skin/core/bsSkinData_ViewControls.h"

#include "platform/controls/ComCtrls.h"

#include <functional>
#include <string>

namespace skin {

using platform::TCustomListView;
using platform::TListColumn;
using platform::TListItem;
using platform::HWND;

using TbsDrawSkinSubItemEvent = std::function<void(TCustomListView* Sender, TListItem* Item, int SubItemIndex,
                                                   platform::TCustomDrawState State, TCanvas* ACanvas, TRect ADrawRect)>;
using TbsDrawHeaderSectionEvent = std::function<void(TCanvas* Cnvs, TListColumn* Column, bool Pressed, TRect R)>;

class TbsSkinCustomListView : public TbsSkinViewLink<platform::TCustomListView, TbsDataSkinListView> {
public:
    explicit TbsSkinCustomListView(TComponent* AOwner);
    ~TbsSkinCustomListView() override;

    std::string HeaderSkinDataName = "header";
    void SetDrawSkin(bool Value) override;
    bool DrawSkinLines() const { return FDrawSkinLines; }
    void SetDrawSkinLines(bool Value) { FDrawSkinLines = Value; }
    TbsDrawHeaderSectionEvent OnDrawHeaderSection;
    TbsDrawSkinSubItemEvent OnDrawSkinSubItem;

    // Also repaints the column header.
    void ChangeSkinData() override;
    void UpDateScrollBars() override;
    HWND HeaderHandle() const { return FHeaderHandle; }
    TColor LineColor() const { return FLineColor; }

    void WndProc(TMessage& M) override;
    void Dispatch(TMessage& M) override;

protected:
    void Change(TListItem* AItem, platform::TItemChange AChange) override;
    void SkinRecordRead(const TbsDataSkinListView* ARecord) override;
    void OnVScrollBarChange(TObject* Sender) override;
    void OnHScrollBarChange(TObject* Sender) override;

private:
    // A move of ABar applied by AScroll(the bar's move since AOldPos) while
    // FromSB holds; an edit in progress is cancelled first.
    void ScrollFromBar(TObject* Sender, TbsSkinScrollBar* ABar, int& AOldPos, const std::function<void(int)>& AScroll);
    void SubclassHeader(HWND AHeader);
    void ReleaseHeader();
    platform::LRESULT HeaderWndProc(HWND AWnd, platform::UINT AMsg, platform::WPARAM W, platform::LPARAM L);
    void GetHeaderSkinData();
    TRect GetHeaderSectionRect(int AIndex);
    void PaintHeader(platform::HDC ADC);
    void DrawHeaderSection(TCanvas* Cnvs, TListColumn* Column, TRect R, bool Pressed);
    void DrawHeaderRest(TCanvas* Cnvs, TRect E);
    // The header record's piece ASrc fitted to the whole of B; the rest
    // right of the last section (ARest) has no right end.
    void DrawHeaderPicture(TBitmap* B, const TRect& ASrc, bool ARest);
    void SkinCustomDrawItem(TCustomListView* Sender, TListItem* Item, platform::TCustomDrawState State, bool& DefaultDraw);
    void DrawSkinSubItems(TCanvas* C, TListItem* Item, const TRect& BR, int AOffsetX, platform::TCustomDrawState State, bool AOddFont);

    TColor FLineColor = platform::clGray;
    bool FDrawSkinLines = false;
    bool FromSB = false;
    int FOldVScrollBarPos = 0;
    int FOldHScrollBarPos = 0;
    HWND FHeaderHandle = nullptr;
    platform::TWndProc FDefHeaderProc;
    int FActiveSection = -1;
    bool FHeaderDown = false;
    bool FDevDown = false;
    // Copies of the header record, made at every header paint: its
    // geometry and picture, and what a button record adds.
    int FHIndex = -1;
    TbsSkinLayout FHeaderLayout;
    TRect HActiveSkinRect, HDownSkinRect;
    TColor HFontColor = 0, HActiveFontColor = 0, HDownFontColor = 0;
};

class TbsSkinListView : public TbsSkinCustomListView {
public:
    explicit TbsSkinListView(TComponent* AOwner) : TbsSkinCustomListView(AOwner) {}
};

} // namespace skin
