#pragma once
// A headless form with a skin form component and a ribbon, a small ribbon
// skin made by the tests over the standard test picture (the tab record's
// frame is the red block, its tabs the green, blue and grey blocks), and the
// application menu with items and pages.

#include "skin/form/bsRibbon.h"
#include "skin/form/bsSkinForm.h"

#include "../controls/SkinControlsTestSupport.h"

#include "platform/controls/StdCtrls.h"

#include <string>
#include <vector>

namespace ribbontest {

using namespace platform;
using skin::TbsAppMenu;
using skin::TbsAppMenuItem;
using skin::TbsAppMenuPage;
using skin::TbsRibbon;
using skin::TbsRibbonPage;
using skintest::Rgb;
using skintest::SysRgb;

constexpr uint32_t TabRowShadow = 0x404040;   // the test skin's cbtnshadow

// The ribbon's "officetab" record: frame of the red block (3-pixel edges),
// tabs of the green (plain), blue (selected) and grey (hot) blocks; and an
// "appmenu" record over the same picture.
inline std::string RibbonSkinIni(const std::string& AAppMenuExtra = "")
{
    return skintest::SkinIni("officetab:tab\r\nappmenu:appmenu\r\nresizetoolbutton:button",
                             "[officetab]\r\npictureindex=0\r\nskinrect=0,0,30,20\r\nclientrect=3,3,27,17\r\n"
                             "lefttoppoint=3,3\r\nrighttoppoint=27,3\r\nleftbottompoint=3,17\r\nrightbottompoint=27,17\r\n"
                             "tabrect=30,0,60,20\r\nactivetabrect=60,0,90,20\r\nmouseintabrect=90,0,120,20\r\n"
                             "fontname=Tahoma\r\nfontheight=13\r\nfontcolor=0\r\nactivefontcolor=16777215\r\n"
                             "mdicloserect=60,0,80,20\r\n"
                             "[appmenu]\r\npictureindex=0\r\nskinrect=0,0,30,20\r\nclientrect=3,3,27,17\r\n"
                             "lefttoppoint=3,3\r\nrighttoppoint=27,3\r\nleftbottompoint=3,17\r\nrightbottompoint=27,17\r\n"
                             "itemrect=30,0,60,20\r\npageitemrect=60,0,90,20\r\npageitemactiverect=90,0,120,20\r\n"
                             "fontname=Tahoma\r\nfontheight=13\r\n" +
                                 AAppMenuExtra +
                                 "[resizetoolbutton]\r\npictureindex=0\r\nskinrect=0,0,30,20\r\nclientrect=3,3,27,17\r\n"
                                 "lefttoppoint=3,3\r\nrighttoppoint=27,3\r\nleftbottompoint=3,17\r\n"
                                 "rightbottompoint=27,17\r\nactiveskinrect=30,0,60,20\r\ndownskinrect=60,0,90,20\r\n");
}

struct TRibbonFixture : skintest::TSkinFixture {
    skin::TbsSkinForm* SkinForm = nullptr;
    TbsRibbon* Ribbon = nullptr;
    std::vector<std::string> Log;

    void SetUp() override
    {
        skintest::TSkinFixture::SetUp();
        Folder.Rewrite(RibbonSkinIni());
        Form->SetBounds(100, 100, 400, 300);
        SkinForm = new skin::TbsSkinForm(Form.get());
        Ribbon = new TbsRibbon(Form.get());
        Ribbon->SetParent(Form.get());
        SkinForm->SetSkinRibbon(Ribbon);
        Ribbon->OnChangingPage = [this](TObject*) { Log.push_back("changing " + std::to_string(Ribbon->TabIndex())); };
        Ribbon->OnChangePage = [this](TObject*) { Log.push_back("change " + std::to_string(Ribbon->TabIndex())); };
        Ribbon->OnMenuClose = [this](TObject*) { Log.push_back("menu close"); };
    }
    // Tabs with the given captions; the pages come from the ribbon.
    void AddTabs(const std::vector<std::string>& ACaptions)
    {
        for (const std::string& c : ACaptions)
            Ribbon->Tabs()->Add()->Page()->SetCaption(c);
        Log.clear();
    }
    void Skin()
    {
        LoadSkin();
        Ribbon->SetSkinData(Data);
    }
    TbsRibbonPage* Page(int AIndex) { return Ribbon->Tabs()->Items(AIndex)->Page(); }
    std::vector<bool> PagesShown()
    {
        std::vector<bool> shown;
        for (int i = 0; i < Ribbon->Tabs()->Count(); ++i)
            shown.push_back(Page(i)->Visible());
        return shown;
    }
    TPoint Middle(const TRect& R) { return Point((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2); }
    void ClickRibbonAt(TPoint P) { Click(Ribbon, P.X, P.Y); }
};

} // namespace ribbontest
