#pragma once
// The platform tree view dressed by the skin: no border and no platform
// scroll bars, two external skinned scroll bars kept in step with the view,
// font, colours and expand buttons from a "treeview" record, and, with
// DrawSkin, nodes drawn here: fading lines, skinned or drawn buttons, node
// images and the selected node on a list-box item picture.

#include "skin/controls/bsSkinCtrls_Base.h"
#include "skin/controls/bsSkinCtrls_ScrollBar.h"

#include "platform/controls/ComCtrls.h"

#include <string>

namespace skin {

using platform::TTreeNode;

class TbsSkinCustomTreeView : public platform::TCustomTreeView, public IbsSkinnedControl {
public:
    explicit TbsSkinCustomTreeView(TComponent* AOwner);
    ~TbsSkinCustomTreeView() override;

    TbsSkinData* SkinData() const override { return FSD; }
    void SetSkinData(TbsSkinData* Value);
    std::string SkinDataName = "treeview";
    std::string ItemSkinDataName = "listbox";
    std::string CheckSkinDataName = "checkbox";
    TFont* DefaultFont() { return &FDefaultFont; }
    void SetDefaultFont(TFont* Value);
    TColor DefaultColor() const { return FDefaultColor; }
    void SetDefaultColor(TColor Value);
    bool UseSkinFont = true;
    bool DrawSkin() const { return FDrawSkin; }
    virtual void SetDrawSkin(bool Value);
    TbsSkinScrollBar* VScrollBar() const { return FVScrollBar; }
    void SetVScrollBar(TbsSkinScrollBar* Value);
    TbsSkinScrollBar* HScrollBar() const { return FHScrollBar; }
    void SetHScrollBar(TbsSkinScrollBar* Value);
    TCustomImageList* ButtonImageList() const { return FButtonImageList; }
    void SetButtonImageList(TCustomImageList* Value);
    int ButtonNoExpandImageIndex = 0;
    int ButtonExpandImageIndex = 1;

    void ChangeSkinData() override;
    void UpDateScrollBars();
    int SkinIndex() const { return FIndex; }
    TColor LineColor() const { return FLineColor; }
    TColor ButtonColor() const { return FButtonColor; }
    int ButtonSize() const { return FButtonSize; }
    TBitmap* ExpandImage() { return &FExpandImage; }
    TBitmap* NoExpandImage() { return &FNoExpandImage; }

    void WndProc(TMessage& M) override;
    void Dispatch(TMessage& M) override;
    void WMNCCalcSize(TMessage& M) override { M.Result = 0; }
    void WMNCHitTest(TMessage& M) override { M.Result = platform::HTCLIENT; }
    void WMNCPaint(TMessage& M) override { M.Result = 0; }
    void CMVisibleChanged(TMessage& M) override;

protected:
    void CreateParams(platform::TCreateParams& AParams) override;
    void Notification(TComponent* AComponent, platform::TOperation AOperation) override;
    void Change(TTreeNode* ANode) override;

private:
    void OnVScrollBarChange(TObject* Sender);
    void OnHScrollBarChange(TObject* Sender);
    void SkinCustomDrawItem(TTreeNode* Node, unsigned State, bool& DefaultDraw);
    void DrawNodeLinesAndButton(TRect R, TTreeNode* Node);
    void DrawFadingLine(int X1, int X2, int Y);
    void DrawNodeImage(TRect R, int Index);

    TBitmap FExpandImage;
    TBitmap FNoExpandImage;
    TCustomImageList* FButtonImageList = nullptr;
    TColor FLineColor = platform::clGray;
    TColor FButtonColor = platform::clGray;
    int FButtonSize = 5;
    bool FDrawSkin = false;
    bool FInCheckScrollBars = false;
    TbsSkinData* FSD = nullptr;
    int FIndex = -1;
    TFont FDefaultFont;
    TColor FDefaultColor = platform::clWindow;
    TbsSkinScrollBar* FVScrollBar = nullptr;
    TbsSkinScrollBar* FHScrollBar = nullptr;
};

} // namespace skin
