#pragma once
// The platform tree view dressed by the skin: no border and no platform
// scroll bars, two external skinned scroll bars kept in step with the view,
// font, colours and expand buttons from a "treeview" record, and, with
// DrawSkin, nodes drawn here: fading lines, skinned or drawn buttons, node
// images and the selected node on a list-box item picture.

#include "skin/controls/bsSkinCtrls_ViewLink.h"
#include "skin/core/bsSkinData_ViewControls.h"

#include "platform/controls/ComCtrls.h"

#include <string>

namespace skin {

using platform::TTreeNode;

class TbsSkinCustomTreeView : public TbsSkinViewLink<platform::TCustomTreeView, TbsDataSkinTreeView> {
public:
    explicit TbsSkinCustomTreeView(TComponent* AOwner);

    void SetDrawSkin(bool Value) override;
    TCustomImageList* ButtonImageList() const { return FButtonImageList; }
    void SetButtonImageList(TCustomImageList* Value);
    int ButtonNoExpandImageIndex = 0;
    int ButtonExpandImageIndex = 1;

    void UpDateScrollBars() override;
    TColor LineColor() const { return FLineColor; }
    TColor ButtonColor() const { return FButtonColor; }
    int ButtonSize() const { return FButtonSize; }
    TBitmap* ExpandImage() { return &FExpandImage; }
    TBitmap* NoExpandImage() { return &FNoExpandImage; }

    void WndProc(TMessage& M) override;

protected:
    void Notification(TComponent* AComponent, platform::TOperation AOperation) override;
    void Change(TTreeNode* ANode) override;
    void SkinRecordRead(const TbsDataSkinTreeView* ARecord) override;
    void OnVScrollBarChange(TObject* Sender) override;
    void OnHScrollBarChange(TObject* Sender) override;

private:
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
};

} // namespace skin
