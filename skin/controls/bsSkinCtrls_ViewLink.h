#pragma once
// The skin link of the skinned platform views (list view, tree view). They
// keep the platform control for items, selection, keyboard and scrolling and
// are not skinned controls of their own; this holds what both add to it: the
// skin model and the index of the view's record, the default font and
// colour used while unskinned, the font and colours read from the record,
// the two external skinned scroll bars, no border and no non-client area.
// TView is the platform view, TRecord the kind of the view's skin record.

#include "skin/controls/bsSkinCtrls_Base.h"
#include "skin/controls/bsSkinCtrls_ScrollBar.h"

#include <string>

namespace skin {

template <class TView, class TRecord>
class TbsSkinViewLink : public TView, public IbsSkinnedControl {
public:
    // ASkinDataName: the view's record name by default.
    TbsSkinViewLink(TComponent* AOwner, const char* ASkinDataName);
    ~TbsSkinViewLink() override;

    TbsSkinData* SkinData() const override { return FSD; }
    // Re-skins at once unless the model is empty.
    void SetSkinData(TbsSkinData* Value);
    std::string SkinDataName;
    std::string ItemSkinDataName = "listbox";
    std::string CheckSkinDataName = "checkbox";
    TFont* DefaultFont() { return &FDefaultFont; }
    // Copies the font; also into Font while unskinned.
    void SetDefaultFont(TFont* Value);
    TColor DefaultColor() const { return FDefaultColor; }
    // Also the view's colour while unskinned.
    void SetDefaultColor(TColor Value);
    bool UseSkinFont = true;
    bool DrawSkin() const { return FDrawSkin; }
    virtual void SetDrawSkin(bool Value) { FDrawSkin = Value; }
    TbsSkinScrollBar* VScrollBar() const { return FVScrollBar; }
    void SetVScrollBar(TbsSkinScrollBar* Value);
    TbsSkinScrollBar* HScrollBar() const { return FHScrollBar; }
    void SetHScrollBar(TbsSkinScrollBar* Value);
    int SkinIndex() const { return FIndex; }

    // Looks the view's record up again: font and colours from it (the
    // defaults without one; a record of another kind changes neither), the
    // charset from the model, the bars brought into step, and repaints.
    void ChangeSkinData() override;
    // Brings the external bars into step with the view's own scroll state.
    virtual void UpDateScrollBars() = 0;

    void Dispatch(TMessage& M) override;
    // The whole window is client area: no border, no platform bars.
    void WMNCCalcSize(TMessage& M) override { M.Result = 0; }
    void WMNCHitTest(TMessage& M) override { M.Result = platform::HTCLIENT; }
    void WMNCPaint(TMessage& M) override { M.Result = 0; }
    // The bars show and hide with the view.
    void CMVisibleChanged(TMessage& M) override;

protected:
    void CreateParams(platform::TCreateParams& AParams) override;
    void Notification(TComponent* AComponent, platform::TOperation AOperation) override;
    // The view's own reading of its record after the link read the font and
    // colours: ARecord nil when the skin has no record of that name.
    virtual void SkinRecordRead(const TRecord* ARecord) {}
    // A move of an attached bar, to be applied to the view.
    virtual void OnVScrollBarChange(TObject* Sender) = 0;
    virtual void OnHScrollBarChange(TObject* Sender) = 0;
    // The index of the model's record AName; -1 without a model, a skin or
    // a record of that name.
    int SkinRecordIndex(const std::string& AName) const
    {
        return (!FSD || FSD->Empty()) ? -1 : FSD->GetControlIndex(AName);
    }
    // The model's record AName when it is of kind T, else nil.
    template <class T>
    T* FindSkinRecord(const std::string& AName) const
    {
        int i = SkinRecordIndex(AName);
        return i == -1 ? nullptr : dynamic_cast<T*>(FSD->CtrlList[size_t(i)].get());
    }

    TbsSkinData* FSD = nullptr;
    int FIndex = -1;
    TFont FDefaultFont;
    TColor FDefaultColor = platform::clWindow;
    bool FDrawSkin = false;
    // Set while the bars are being shown, hidden or re-aligned.
    bool FInCheckScrollBars = false;
    TbsSkinScrollBar* FVScrollBar = nullptr;
    TbsSkinScrollBar* FHScrollBar = nullptr;
};

} // namespace skin
