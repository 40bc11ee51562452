#pragma once
// Skinned tooltips. TbsSkinHint, placed on the main form, makes the
// application's hint window a TbsSkinHintWindow and copies the hint title
// and image of the skinned control under the pointer; it also shows hints
// of its own (caption buttons, menu items) after the hint pause. The window
// draws the skin's hint picture stretched to the text, cut to the skin's
// mask, optionally faded in.

#include "skin/controls/bsSkinCtrls_Base.h"

#include "platform/controls/ExtCtrls.h"
#include "platform/controls/Forms.h"

#include <functional>
#include <string>

namespace skin {

using platform::TCustomImageList;

class TbsSkinHint;

class TbsSkinHintWindow : public platform::THintWindow {
public:
    explicit TbsSkinHintWindow(TComponent* AOwner);

    // The stretched picture's client rectangle and corner points.
    TRect NewClRect;
    TPoint NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint;
    TbsSkinHint* FspHint = nullptr;
    TbsSkinData* FSD = nullptr;   // the skin of the shown hint, nil: unskinned
    platform::HRGN FRgn = nullptr;   // the region the window was given, nil for none
    bool FOldAlphaBlend = false;
    uint8_t FOldAlphaBlendValue = 0;
    // The shown hint has the title-and-image layout.
    bool AExtendedStyle = false;

    // The platform's entry: ARect's top-left is where the hint goes.
    void ActivateHint(TRect ARect, const std::string& AHint) override;
    void ActivateHintEx(TRect ARect, const std::string& AHintTitle, const std::string& AHint, int AImageIndex,
                        TCustomImageList* AImageList);
    // Centred on ARect, above it (ATop) or below it.
    void ActivateHintFromRect(TRect ARect, const std::string& AHint, bool ATop);
    // The first active hint component of the main form, nil for none.
    static TbsSkinHint* GetActiveSkinHint();

    // The clock of the fade-in's busy loop (milliseconds); tests make it run fast.
    static std::function<uint64_t()> FadeClock;

protected:
    void CreateParams(platform::TCreateParams& P) override;
    void Paint() override;
    void Dispatch(TMessage& M) override;

private:
    struct TShowRequest {
        TRect At;
        std::string Hint;
        bool Extended = false;
        const TRect* FromRect = nullptr;   // centred on it instead of at At
        bool Top = false;
    };
    void ShowHintWindow(const TShowRequest& ARequest);
    TbsDataSkinHintWindow* SkinRecord() const;
    TbsPicture* HintPicture() const;
    void AssignHintFont(TFont* AFont);
    platform::TSize TextExtent(const std::string& AText, bool ABold);
    void CalcHintSize(int& W, int& H);
    void CalcHintSizeEx(int& W, int& H);
    void SkinnedSize(int W, int H, int AMargin, int& AWidth, int& AHeight);
    void FitToArea(TRect& R);
    void UpdateLayered();
    void UpdateHintRegion();
    void FadeIn();
    void PaintPlain(TCanvas* C);
    void PaintEx(TCanvas* C);
    bool ValidImage() const;

    std::string FTitle;
    int FImageIndex = 0;
    TCustomImageList* FImageList = nullptr;
};

class TbsSkinHint : public TComponent {
public:
    explicit TbsSkinHint(TComponent* AOwner);
    ~TbsSkinHint() override;

    bool Active() const { return FActive; }
    // Only one hint component of the main form serves hints.
    void SetActive(bool Value);
    TbsSkinData* SkinData() const { return FSD; }
    void SetSkinData(TbsSkinData* Value);
    bool AlphaBlend = false;
    uint8_t AlphaBlendValue = 0;
    bool AlphaBlendAnimation = false;
    TFont* DefaultFont() { return &FDefaultFont; }
    void SetDefaultFont(TFont* Value) { FDefaultFont.Assign(Value); }
    bool UseSkinFont = true;
    std::string LineSeparator = "@";
    platform::TShowHintEvent OnShowHint;

    // What the pending or shown hint holds.
    std::string HintText;
    TRect FromRect;
    bool Top = false;
    std::string FHintTitle;
    int FHintImageIndex = 0;
    TCustomImageList* FHintImageList = nullptr;

    TbsSkinHintWindow* HintWindow() const { return HW; }
    // A show or hide is waiting for its timer.
    bool HintTimerPending() const { return FHintTimer->Enabled(); }
    uint32_t HintTimerInterval() const { return FHintTimer->Interval(); }

    // Shown after the hint pause at the pointer, hidden after the hide pause.
    void ActivateHint2(const std::string& AHint);
    void ActivateTntHint2(const std::string& AHint) { ActivateHint2(AHint); }
    void ActivateHintEx2(const std::string& AHintTitle, const std::string& AHint, int AImageIndex,
                         TCustomImageList* AImageList);
    void ActivateHint3(TRect AFromRect, const std::string& AHint, bool ATop);
    // Shown at once at P; the caller hides it.
    void ActivateHint(TPoint P, const std::string& AHint);
    void ActivateTntHint(TPoint P, const std::string& AHint) { ActivateHint(P, AHint); }
    void ActivateHintEx(TPoint P, const std::string& AHintTitle, const std::string& AHint, int AImageIndex,
                        TCustomImageList* AImageList);
    bool IsVisible() const { return HW->Visible(); }
    void HideHint();
    // How far below the pointer a hint starts so as not to cover it.
    int GetCursorHeightMargin() const;

    // The application's show-hint hook.
    void ShowHintHandler(std::string& HintStr, bool& CanShow, platform::THintInfo& HintInfo);

protected:
    void Notification(TComponent* AComponent, platform::TOperation AOperation) override;

private:
    void ClearTitleAndImage();
    enum class TExpiry { ShowAtCursor, ShowExAtCursor, ShowFromRect, Hide };
    void StartTimer(uint32_t AInterval, TExpiry AExpiry);
    void HintTimerExpired();
    void ReArmHide();
    void ShowHintAtCursor();
    void ShowHintExAtCursor();
    void ShowHintFromRect();
    void InstallHandler();

    bool FActive = true;
    TbsSkinData* FSD = nullptr;
    TbsSkinHintWindow* HW = nullptr;   // owned by the component
    TFont FDefaultFont;
    // The one timer of the component: enabled while a show or hide waits.
    platform::TTimer* FHintTimer = nullptr;
    TExpiry FExpiry = TExpiry::Hide;
};

} // namespace skin
