#pragma once
// The platform list view dressed by the skin: no border and no platform
// scroll bars, two external skinned scroll bars kept in step with the view,
// font and colours from a "listview" record, the column header painted from
// a button record, and, with DrawSkin, items drawn from a list-box record.

#include "skin/controls/bsSkinCtrls_Base.h"
#include "skin/controls/bsSkinCtrls_ScrollBar.h"

#include "platform/controls/ComCtrls.h"

#include <string>

namespace skin {

using platform::TCustomListView;
using platform::TListColumn;
using platform::TListItem;
using platform::HWND;

using TbsDrawSkinSubItemEvent = std::function<void(TCustomListView* Sender, TListItem* Item, int SubItemIndex,
                                                   platform::TCustomDrawState State, TCanvas* ACanvas, TRect ADrawRect)>;
using TbsDrawHeaderSectionEvent = std::function<void(TCanvas* Cnvs, TListColumn* Column, bool Pressed, TRect R)>;

class TbsSkinCustomListView : public platform::TCustomListView, public IbsSkinnedControl {
public:
    explicit TbsSkinCustomListView(TComponent* AOwner);
    ~TbsSkinCustomListView() override;

    TbsSkinData* SkinData() const override { return FSD; }
    // Re-skins at once unless the model is empty.
    void SetSkinData(TbsSkinData* Value);
    std::string SkinDataName = "listview";
    std::string HeaderSkinDataName = "header";
    std::string ItemSkinDataName = "listbox";
    std::string CheckSkinDataName = "checkbox";
    TFont* DefaultFont() { return &FDefaultFont; }
    // Copies the font; also into Font while unskinned.
    void SetDefaultFont(TFont* Value);
    TColor DefaultColor() const { return FDefaultColor; }
    void SetDefaultColor(TColor Value);
    bool UseSkinFont = true;
    bool DrawSkin() const { return FDrawSkin; }
    virtual void SetDrawSkin(bool Value);
    bool DrawSkinLines() const { return FDrawSkinLines; }
    void SetDrawSkinLines(bool Value) { FDrawSkinLines = Value; }
    TbsSkinScrollBar* VScrollBar() const { return FVScrollBar; }
    void SetVScrollBar(TbsSkinScrollBar* Value);
    TbsSkinScrollBar* HScrollBar() const { return FHScrollBar; }
    void SetHScrollBar(TbsSkinScrollBar* Value);
    TbsDrawHeaderSectionEvent OnDrawHeaderSection;
    TbsDrawSkinSubItemEvent OnDrawSkinSubItem;

    void ChangeSkinData() override;
    void UpDateScrollBars();
    int SkinIndex() const { return FIndex; }
    HWND HeaderHandle() const { return FHeaderHandle; }
    TColor LineColor() const { return FLineColor; }

    void WndProc(TMessage& M) override;
    void Dispatch(TMessage& M) override;
    void WMNCCalcSize(TMessage& M) override { M.Result = 0; }
    void WMNCHitTest(TMessage& M) override { M.Result = platform::HTCLIENT; }
    void WMNCPaint(TMessage& M) override { M.Result = 0; }
    void CMVisibleChanged(TMessage& M) override;

protected:
    void CreateParams(platform::TCreateParams& AParams) override;
    void Notification(TComponent* AComponent, platform::TOperation AOperation) override;
    void Change(TListItem* AItem, platform::TItemChange AChange) override;

private:
    void OnVScrollBarChange(TObject* Sender);
    void OnHScrollBarChange(TObject* Sender);
    void SubclassHeader(HWND AHeader);
    void ReleaseHeader();
    platform::LRESULT HeaderWndProc(HWND AWnd, platform::UINT AMsg, platform::WPARAM W, platform::LPARAM L);
    void GetHeaderSkinData();
    TRect GetHeaderSectionRect(int AIndex);
    void PaintHeader(platform::HDC ADC);
    void DrawHeaderSection(TCanvas* Cnvs, TListColumn* Column, TRect R, bool Pressed);
    void DrawHeaderRest(TCanvas* Cnvs, TRect E);
    void SkinCustomDrawItem(TCustomListView* Sender, TListItem* Item, platform::TCustomDrawState State, bool& DefaultDraw);
    void DrawSkinSubItems(TCanvas* C, TListItem* Item, const TRect& BR, int AOffsetX, platform::TCustomDrawState State, bool AOddFont);

    TbsSkinData* FSD = nullptr;
    int FIndex = -1;
    TFont FDefaultFont;
    TColor FDefaultColor = platform::clWindow;
    TColor FLineColor = platform::clGray;
    bool FDrawSkin = false;
    bool FDrawSkinLines = false;
    bool FInCheckScrollBars = false;
    bool FromSB = false;
    TbsSkinScrollBar* FVScrollBar = nullptr;
    TbsSkinScrollBar* FHScrollBar = nullptr;
    int FOldVScrollBarPos = 0;
    int FOldHScrollBarPos = 0;
    HWND FHeaderHandle = nullptr;
    platform::TWndProc FDefHeaderProc;
    int FActiveSection = -1;
    bool FHeaderDown = false;
    bool FDevDown = false;
    // Copies of the header record, made at every header paint.
    int FHIndex = -1;
    TPoint HLTPt, HRTPt, HLBPt, HRBPt;
    TRect HSkinRect, HClRect, HActiveSkinRect, HDownSkinRect;
    TbsPicture* HPicture = nullptr;   // an active picture of the model, not owned
    TColor HFontColor = 0, HActiveFontColor = 0, HDownFontColor = 0;
    bool HStretchEffect = false, HLeftStretch = false, HTopStretch = false, HRightStretch = false, HBottomStretch = false;
    TbsStretchType HStretchType = bsstFull;
};

class TbsSkinListView : public TbsSkinCustomListView {
public:
    explicit TbsSkinListView(TComponent* AOwner) : TbsSkinCustomListView(AOwner) {}
};

} // namespace skin
