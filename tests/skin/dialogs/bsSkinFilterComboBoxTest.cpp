// The filter combo box: the filter string's lines and masks, the chosen
// line's mask, and what a filter write changes.

#include "skin/dialogs/bsSkinFilterComboBox.h"

#include "../controls/SkinControlsTestSupport.h"

#include <gtest/gtest.h>

namespace {

using namespace skin;
using TLines = std::vector<std::string>;

struct TFilterCase {
    const char* Filter;
    TLines Descriptions, Masks;
};

TEST(FilterString, PairsBecomeLinesAndAMaskLessLastDescriptionIsDropped)
{
    const TFilterCase cases[] = {
        {"All files (*.*)|*.*", {"All files (*.*)"}, {"*.*"}},
        {"A|*.a|B|*.b;*.c|", {"A", "B"}, {"*.a", "*.b;*.c"}},
        {"A|*.a|B|*.b|C", {"A", "B"}, {"*.a", "*.b"}},
        {"Only|", {"Only"}, {""}},
        {"|*.x", {""}, {"*.x"}},
        {"no bar at all", {}, {}},
        {"", {}, {}},
    };
    for (const TFilterCase& c : cases) {
        TLines descriptions, masks;
        ParseFilter(c.Filter, descriptions, masks);
        EXPECT_EQ(descriptions, c.Descriptions) << c.Filter;
        EXPECT_EQ(masks, c.Masks) << c.Filter;
    }
}

struct FilterComboTest : skintest::TSkinFixture {
    TbsSkinFilterComboBox* Combo = nullptr;
    int Clicks = 0;
    void SetUp() override
    {
        skintest::TSkinFixture::SetUp();
        Combo = Add(new TbsSkinFilterComboBox(Form.get()), platform::Rect(10, 10, 210, 31));
        Combo->OnClick = [this](platform::TObject*) { ++Clicks; };
        ShowAndPaint();
    }
    TLines Lines() const
    {
        TLines lines;
        for (int i = 0; i < Combo->Items()->Count(); ++i)
            lines.push_back(Combo->Items()->Strings(i));
        return lines;
    }
};

TEST_F(FilterComboTest, TheWindowParsesTheFilterAndChoosesTheFirstLine)
{
    EXPECT_EQ(Lines(), (TLines{"All files (*.*)"}));
    EXPECT_EQ(Combo->ItemIndex(), 0);
    EXPECT_EQ(Combo->Mask(), "*.*");
    Combo->SetFilter("Sounds|*.mp3;*.wav|Videos|*.mp4");
    EXPECT_EQ(Lines(), (TLines{"Sounds", "Videos"}));
    EXPECT_EQ(Combo->Mask(), "*.mp3;*.wav");
    Combo->SetItemIndex(1);
    EXPECT_EQ(Combo->Mask(), "*.mp4");
    EXPECT_EQ(Combo->Text(), "Videos");
}

TEST_F(FilterComboTest, AFilterDifferingOnlyInCaseChangesNothing)
{
    Combo->SetFilter("Sounds|*.mp3|Videos|*.mp4");
    Combo->SetItemIndex(1);
    const int clicks = Clicks;
    Combo->SetFilter("SOUNDS|*.MP3|videos|*.mp4");
    EXPECT_EQ(Combo->ItemIndex(), 1);
    EXPECT_EQ(Lines(), (TLines{"Sounds", "Videos"}));
    EXPECT_EQ(Clicks, clicks);
}

TEST_F(FilterComboTest, WithNothingChosenTheLastLineIsChosenAndAnEmptyListAnswersAllFiles)
{
    Combo->SetFilter("A|*.a|B|*.b");
    Combo->SetItemIndex(-1);
    EXPECT_EQ(Combo->Mask(), "*.b");
    EXPECT_EQ(Combo->ItemIndex(), 1);
    Combo->SetFilter("nothing");
    EXPECT_EQ(Combo->Items()->Count(), 0);
    EXPECT_EQ(Combo->Mask(), "*.*");
    EXPECT_EQ(Combo->ItemIndex(), -1);
}

} // namespace
