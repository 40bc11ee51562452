#pragma once
// A multiple-document main form with a skin component and documents that
// each have one, for the MDI management and tabs bar tests.

#include "../controls/SkinControlsTestSupport.h"

#include "skin/form/bsSkinForm.h"
#include "skin/form/bsSkinMDITabsBar.h"

#include <memory>
#include <string>
#include <vector>

namespace mditest {

using namespace platform;

struct TMdiSkinForms {
    TForm* Main = nullptr;
    skin::TbsSkinForm* MainSkin = nullptr;
    skin::TbsSkinMDITabsBar* Bar = nullptr;
    std::vector<TForm*> Docs;

    // AWithBar: a tabs bar AW wide aligned at the top.
    TMdiSkinForms(int AWidth, int AHeight, bool AWithBar = false, int ABarWidth = 400)
    {
        Application()->CreateForm(Main);
        Main->SetName("Main");
        Main->SetCaption("Main");
        Main->SetBorderStyle(bsNone);
        Main->SetFormStyle(fsMDIForm);
        Main->SetBounds(20, 20, AWidth, AHeight);
        MainSkin = new skin::TbsSkinForm(Main);
        if (AWithBar) {
            Bar = new skin::TbsSkinMDITabsBar(Main);
            Bar->SetBounds(0, 0, ABarWidth, 21);
            Bar->SetParent(Main);
            Bar->SetSkinForm(MainSkin);
            MainSkin->SetMDITabsBar(Bar);
        }
        Main->Show();
        Pump();
    }
    ~TMdiSkinForms()
    {
        delete Main;
        Pump();
    }
    TForm* Add(const std::string& AName, TRect ABounds = Bounds(10, 10, 200, 150))
    {
        auto* f = new TForm(Main);
        f->SetName(AName);
        f->SetCaption(AName);
        f->SetFormStyle(fsMDIChild);
        f->SetBoundsRect(ABounds);
        new skin::TbsSkinForm(f);
        f->Show();
        Pump();
        Docs.push_back(f);
        return f;
    }
    void AddMany(int ACount)
    {
        for (int i = 0; i < ACount; ++i)
            Add("Doc" + std::to_string(i));
    }
    static skin::TbsSkinForm* SkinOf(TForm* F) { return skin::FindSkinFormComponent(F); }
    static void Pump() { Application()->ProcessMessages(); }
};

} // namespace mditest
