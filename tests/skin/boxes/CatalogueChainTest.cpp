// The output catalogue driving the combo boxes as the main window does:
// the category's change refills the profile list, the profile's change
// refills the six preset lists, and each preset list shows the catalogue's
// default; checked against the catalogue's own tables.
#include "skin/boxes/bsSkinBoxCtrls_ComboBox.h"
#include "skin/boxes/bsSkinExCtrls_OfficeCombo.h"

#include "skin/boxes/BoxesTestSupport.h"

#include "profiles/PresetLists.h"
#include "profiles/ProfileCatalogue.h"

namespace {

using namespace skintest;
using profiles::TPreset;

struct CatalogueChainTest : TBoxesFixture {
    skin::TbsSkinOfficeComboBox* Category = nullptr;
    skin::TbsSkinOfficeComboBox* Profile = nullptr;
    std::array<skin::TbsSkinComboBox*, profiles::PresetCount> Presets{};
    std::vector<std::string> Events;

    void SetUp() override
    {
        TBoxesFixture::SetUp();
        Category = Add(new skin::TbsSkinOfficeComboBox(Form.get()), Rect(5, 5, 125, 46));
        Profile = Add(new skin::TbsSkinOfficeComboBox(Form.get()), Rect(130, 5, 250, 46));
        for (int i = 0; i < profiles::PresetCount; ++i) {
            Presets[size_t(i)] = Add(new skin::TbsSkinComboBox(Form.get()), Rect(5 + 45 * i, 60, 45 + 45 * i, 80));
            Presets[size_t(i)]->OnChange = [this, i](TObject*) { Events.push_back("preset" + std::to_string(i)); };
        }
        Category->OnChange = [this](TObject*) { CategoryChange(); };
        Profile->OnChange = [this](TObject*) { ProfileChange(); };
        ShowAndPaint();
        for (const profiles::TCategory& c : profiles::Categories()) {
            auto* item = Category->Items()->Add();
            item->SetCaption(c.Caption);
            item->SetImageIndex(c.Number);
        }
    }
    void CategoryChange()
    {
        Events.push_back("category");
        Profile->Items()->Clear();
        const auto names = profiles::ProfileNamesAt(Category->ItemIndex());
        for (size_t i = 0; i < names.size(); ++i) {
            auto* item = Profile->Items()->Add();
            item->SetCaption(names[i]);
            item->SetImageIndex(profiles::ProfileImageIndex(int(i)));
        }
        if (!names.empty())
            Profile->SetItemIndex(0);
    }
    void ProfileChange()
    {
        Events.push_back("profile");
        const auto key = profiles::CatalogueKey(Category->ItemIndex(), Profile->ItemIndex());
        const auto choices = key ? profiles::FindPresetChoices(*key) : std::nullopt;
        for (TPreset p : profiles::PresetFillOrder) {
            skin::TbsSkinComboBox* combo = Presets[size_t(profiles::PresetIndex(p))];
            combo->Items()->Clear();
            if (!choices)
                continue;
            const profiles::TPresetPick& pick = choices->Pick(p);
            for (const char* text : pick.Texts)
                combo->Items()->Add(text);
            combo->SetItemIndex(pick.DefaultIndex);
        }
    }
};

TEST_F(CatalogueChainTest, EveryCategoryFillsItsProfilesAndThePresetDefaults)
{
    for (int c = 0; c < profiles::CategoryCount; ++c) {
        Events.clear();
        Category->SetItemIndex(c);
        const auto names = profiles::ProfileNamesAt(c);
        ASSERT_EQ(Profile->Items()->Count(), int(names.size())) << "category " << c;
        for (size_t i = 0; i < names.size(); ++i)
            EXPECT_EQ(Profile->Items()->Items(int(i))->Caption(), names[i]);
        ASSERT_GE(Events.size(), 2u);
        EXPECT_EQ(Events[0], "category");
        EXPECT_EQ(Events[1], "profile");
        const auto key = profiles::CatalogueKey(c, 0);
        ASSERT_TRUE(key);
        const auto choices = profiles::FindPresetChoices(*key);
        if (!choices)
            continue;
        const auto texts = choices->DefaultTexts();
        for (int p = 0; p < profiles::PresetCount; ++p)
            EXPECT_EQ(Presets[size_t(p)]->Text(), texts[size_t(p)]) << "key " << *key << " preset " << p;
    }
}

TEST_F(CatalogueChainTest, ChoosingAProfileByKeyRefillsThePresetsOfItsKey)
{
    Category->SetItemIndex(0);
    const int count = Profile->Items()->Count();
    ASSERT_GT(count, 1);
    Events.clear();
    Profile->SetFocus();
    Profile->Perform(WM_KEYDOWN, VK_DOWN, 0);   // a key step fires the change at once
    EXPECT_EQ(Profile->ItemIndex(), 1);
    ASSERT_FALSE(Events.empty());
    EXPECT_EQ(Events[0], "profile");
    const auto choices = profiles::FindPresetChoices(*profiles::CatalogueKey(0, 1));
    ASSERT_TRUE(choices);
    const auto texts = choices->DefaultTexts();
    for (int p = 0; p < profiles::PresetCount; ++p)
        EXPECT_EQ(Presets[size_t(p)]->Text(), texts[size_t(p)]);
    // A preset list fires its change only for the lists whose shown text moved.
    Events.clear();
    Profile->SetItemIndex(1);
    EXPECT_EQ(Events, std::vector<std::string>{"profile"});
}

} // namespace
