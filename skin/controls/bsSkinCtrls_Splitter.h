#pragma once
// The platform splitter with a skinned face: the bar is composed from a
// "splitter" skin record to the splitter's length with a gripper image
// centred on it, and its thickness follows the skin. Dragging, minimum
// sizes, resize styles and events are the platform splitter's.

#include "skin/controls/bsSkinCtrls_Base.h"

#include "platform/controls/ExtCtrls.h"

#include <string>

namespace skin {

class TbsSkinSplitter : public platform::TSplitter, public IbsSkinnedControl {
public:
    explicit TbsSkinSplitter(TComponent* AOwner);

    bool Transparent() const { return FTransparent; }
    // A transparent splitter paints nothing and lets its parent show.
    void SetTransparent(bool Value);
    int DefaultSize = 10;
    const std::string& SkinDataName() const { return FSkinDataName; }
    void SetSkinDataName(const std::string& Value) { FSkinDataName = Value; }
    TbsSkinData* SkinData() const override { return FSD; }
    // Stores and re-skins, whatever the model holds.
    void SetSkinData(TbsSkinData* Value);

    int FIndex = -1;
    // Copied from the record.
    TPoint LTPt, RTPt, LBPt;
    TRect SkinRect;
    TbsPicture* FSkinPicture = nullptr;   // an active picture of the model, not owned
    bool StretchEffect = false;
    TRect GripperRect;
    bool GripperTransparent = false;
    TColor GripperTransparentColor = platform::clFuchsia;

    void GetSkinData();
    // Thickness from the skin (the default without one), then a repaint.
    void ChangeSkinData() override;
    void RequestAlign() override;

protected:
    void Paint() override;
    void Notification(TComponent* AComponent, platform::TOperation AOperation) override;

private:
    bool Horizontal() const { return Align() == platform::alTop || Align() == platform::alBottom; }
    bool HasSkinFace() const { return FIndex != -1 && FSkinPicture; }

    bool FTransparent = false;
    TbsSkinData* FSD = nullptr;
    std::string FSkinDataName = "vsplitter";
};

} // namespace skin
