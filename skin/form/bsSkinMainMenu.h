#pragma once
// A skinned form's menu bar, drawn in its client area: the top-level items
// of a main menu as a row of objects, each opening its submenu below itself
// through the form's menu manager; mouse tracking that moves an open menu
// from item to item; the keyboard menu mode the form drives; the items that
// do not fit, offered through a marker at the right end; the merged menu and
// system buttons of a maximised MDI child.

#include "skin/controls/bsSkinCtrls_Base.h"
#include "skin/core/bsSkinData.h"

#include "platform/controls/ExtCtrls.h"
#include "platform/controls/Forms.h"
#include "platform/controls/Menus.h"

#include <memory>
#include <string>
#include <vector>

namespace skin {

class TbsSkinForm;
class TbsSkinMainMenuBar;

// A main menu with the skin its frame buttons use for their submenus.
class TbsSkinMainMenu : public platform::TMainMenu {
public:
    explicit TbsSkinMainMenu(TComponent* AOwner) : TMainMenu(AOwner) {}
    TbsSkinData* SkinData() const { return FSD; }
    void SetSkinData(TbsSkinData* AValue);

protected:
    void Notification(TComponent* AComponent, platform::TOperation AOperation) override;

private:
    TbsSkinData* FSD = nullptr;
};

// An object on the bar (an item or a system button); not a window.
class TbsMenuBarObject : public platform::TObject {
public:
    TbsMenuBarObject(TbsSkinMainMenuBar* AParent, TbsDataSkinObject* AData);

    TbsSkinMainMenuBar* Parent;
    bool FMouseIn = false;
    TBitmap* Picture = nullptr;
    bool FDown = false;
    std::string IDName;
    TRect SkinRect;
    TRect ActiveSkinRect;
    TRect DownRect;
    TRect ObjectRect;
    bool Active = false;
    bool Enabled = true;
    bool Visible = true;
    bool Morphing = false;
    TbsMorphKind MorphKind = mkDefault;

    double MorphKf() const { return FMorphKf; }
    void SetMorphKf(double AValue);

    virtual void ReDraw();
    virtual void Draw(TCanvas* Cnvs) {}
    virtual void MouseDown(int X, int Y, platform::TMouseButtonKind Button) {}
    virtual void MouseUp(int X, int Y, platform::TMouseButtonKind Button) {}
    virtual void DblClick() {}
    virtual void MouseEnter();
    virtual void MouseLeave();
    virtual bool CanMorphing();
    bool EnableMorphing() const;
    void DoMorphing();

protected:
    double FMorphKf = 0;
};

class TbsSkinMainMenuBarButton : public TbsMenuBarObject {
public:
    TbsSkinMainMenuBarButton(TbsSkinMainMenuBar* AParent, TbsDataSkinMainMenuBarButton* AData);

    bool FSkinSupport = false;
    TbsStdCommand Command = cmClose;

    void Draw(TCanvas* Cnvs) override;
    void MouseDown(int X, int Y, platform::TMouseButtonKind Button) override;
    void MouseUp(int X, int Y, platform::TMouseButtonKind Button) override;
    void DblClick() override;
    void MouseEnter() override;
    void MouseLeave() override;
    void DefaultDraw(TCanvas* Cnvs);
    void DoCommand();
};

class TbsSkinMainMenuBarItem : public TbsMenuBarObject {
public:
    TbsSkinMainMenuBarItem(TbsSkinMainMenuBar* AParent, TbsDataSkinMainMenuBarItem* AData);

    bool FSkinSupport = false;
    bool OldEnabled = true;
    bool ItemVisible = true;   // the item fits on the bar
    platform::TMenuItem* MenuItem = nullptr;
    std::string FontName;
    int FontHeight = 0;
    TFontStyles FontStyle;
    TColor UnEnabledFontColor = 0, FontColor = 0, ActiveFontColor = 0, DownFontColor = 0;
    TRect TextRct;
    int LO = 0, RO = 0;
    bool StretchEffect = false;
    TRect AnimateSkinRect;
    int FrameCount = 0;
    int AnimateInterval = 0;
    int CurrentFrame = 0;
    bool InActiveAnimation = false;

    void ReDraw() override;
    void Draw(TCanvas* Cnvs) override;
    void MouseDown(int X, int Y, platform::TMouseButtonKind Button) override;
    void MouseEnter() override;
    void MouseLeave() override;
    bool EnableAnimation() const;
    void DefaultDraw(TCanvas* Cnvs);
    void SetDown(bool AValue);
    void PopupItemMenu();
    void LeaveActiveItem();
    bool ReleaseOtherDownItem();

private:
    // The rectangle the item takes now and whether it fits (hiding it when
    // it does not); false: nothing to draw.
    bool PlaceItem(bool ASkinned);
    int CaptionWidth(bool ASkinned);
    void ImageSize(int& W, int& H) const;
    void CreateItemImage(TBitmap* B, const TRect& R, bool AHot, TCanvas* ATarget);
    void CreateToolBarItemImage(TBitmap* B, bool AHot, bool APressed, TCanvas* ATarget);
    void DrawContent(TBitmap* B, TRect R, bool AHot, bool APressed, bool ACenterVert);
    void PrepareFont(TCanvas* C, bool ASkinFont, const std::string& AName, int AHeight, TFontStyles AStyle);
    TRect GetAnimateFrameRect() const;
};

class TbsSkinMainMenuBar : public TbsSkinControl {
public:
    explicit TbsSkinMainMenuBar(TComponent* AOwner);
    ~TbsSkinMainMenuBar() override;

    bool ToolBarMode = false;
    bool ToolBarModeItemTransparent = false;
    std::function<void(platform::TMenuItem*)> OnItemMouseEnter;
    std::function<void(platform::TMenuItem*)> OnItemMouseLeave;
    bool ScrollMenu = true;
    TFont* DefItemFont() { return &FDefItemFont; }
    void SetDefItemFont(TFont* AValue);
    bool UseSkinFont = true;
    bool UseSkinSize = true;
    bool FSkinSupport = false;
    int ButtonsCount = 0;
    bool FMDIChildMax = false;
    bool PopupToUp = false;
    bool MenuActive = false;
    bool Scroll = false;
    bool MarkerActive = false;
    TbsSkinForm* SkinForm() const { return BSF; }
    void SetSkinForm(TbsSkinForm* AValue);
    platform::TMainMenu* MainMenu() const { return FMainMenu; }
    void SetMainMenu(platform::TMainMenu* AValue);
    int ActiveObject = -1;
    int OldActiveObject = -1;
    int MouseCaptureObject = -1;
    TRect NewItemsRect;
    int DefaultWidth() const { return FDefaultWidth; }
    void SetDefaultWidth(int AValue);
    int DefaultHeight() const { return FDefaultHeight; }
    void SetDefaultHeight(int AValue);
    // The skin record's values.
    TRect SkinRect;
    TRect ItemsRect;
    std::string MenuBarItem;
    std::string MaxButton, MinButton, SysMenuButton, CloseButton;
    int TrackMarkColor = 0, TrackMarkActiveColor = 0;
    TBitmap* Picture = nullptr;
    bool StretchEffect = false;
    bool ItemTransparent = false;
    bool ChildMenuIn = false;

    int ObjectCount() const { return int(FObjects.size()); }
    TbsMenuBarObject* Object(int AIndex) const { return FObjects[size_t(AIndex)].get(); }
    TbsSkinMainMenuBarItem* ItemOf(int AIndex) const;
    platform::TTimer* MorphTimer() const { return FMorphTimer; }
    platform::TTimer* AnimateTimer() const { return FAnimateTimer; }
    platform::TTimer* MouseTimer() const { return FMouseTimer; }

    void CreateMenu();
    void UpDateItems();
    void UpDateEnabledItems();
    void Merge(platform::TMainMenu* Menu);
    void UnMerge();
    platform::TMainMenu* GetChildMainMenu() const;

    void EnterMainMenuMode();
    bool CheckAccelItem(uint16_t Key);
    void NextMainMenuItem();
    void PriorMainMenuItem();
    bool PressActiveItem();
    void ReleaseDownItem();
    void LeaveMainMenuMode();

    void MDIChildMaximize();
    void MDIChildRestore();

    void DrawSkinObject(TbsMenuBarObject* Obj);
    void CalcObjectRects();
    void PaintMenuBar(TCanvas* C);
    void TestActive(int X, int Y);
    void MouseTimerProc();
    void MorphTimerProc();
    void AnimateTimerProc();
    void PopupHiddenItems();
    TRect GetMarkerRect() const;
    // The form whose skin component and MDI children the bar serves.
    platform::TCustomForm* BarForm() const;

    void GetSkinData() override;
    void BeforeChangeSkinData() override;
    void ChangeSkinData() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void Dispatch(TMessage& M) override;
    void CMMouseEnter(TMessage& M) override;
    void CMMouseLeave(TMessage& M) override;

protected:
    // The whole bar goes through one off-screen picture.
    void Paint() override;
    void MouseDown(platform::TMouseButtonKind Button, platform::TShiftState Shift, int X, int Y) override;
    void MouseUp(platform::TMouseButtonKind Button, platform::TShiftState Shift, int X, int Y) override;
    void MouseMove(platform::TShiftState Shift, int X, int Y) override;
    void Notification(TComponent* AComponent, platform::TOperation AOperation) override;

private:
    void ClearObjects();
    void CreateMDIButtons();
    void AddMDIButton(const std::string& AName, TbsStdCommand ACommand, bool AExplicit);
    void DeleteMDIButtons();
    void UpdateMDIButtons(platform::TBorderIcons Icons);
    void ReleaseSysMenuButton();
    void DrawMarker(TCanvas* C);
    void CreateToolBarModeImage(TBitmap* B);
    bool Eligible(int AIndex) const;
    int KeyboardItem() const;
    int FirstItemIndex() const { return ButtonsCount; }

    TFont FDefItemFont;
    TbsSkinForm* BSF = nullptr;
    platform::TMainMenu* FMainMenu = nullptr;
    platform::TMainMenu* FMergeMenu = nullptr;
    platform::TTimer* FMouseTimer = nullptr;
    platform::TTimer* FMorphTimer = nullptr;
    platform::TTimer* FAnimateTimer = nullptr;
    int FDefaultWidth = 0;
    int FDefaultHeight = 22;
    std::vector<std::unique_ptr<TbsMenuBarObject>> FObjects;
};

} // namespace skin
