// The program tests click the main window's controls from outside at the
// places their table names (tests/program/ProgramControls.h): the table
// must say where the created forms put them, and in which font they write.

#include "FormsTestSupport.h"

#include "program/ProgramControls.h"

#include "skin/controls/bsSkinCtrls_Slider.h"
#include "skin/controls/bsSkinHint.h"

namespace formstest {
namespace {

using namespace platform;

class ProgramControlsTest : public TMainWindowFixture {
protected:
    // The created form a table entry names; a form of a new entry is added here.
    TForm* FormNamed(const std::string& AName)
    {
        if (AName == "Form1")
            return Form1.get();
        if (AName == "Form5")
            return Form5;
        if (AName == "Form7")
            return Form7;
        if (AName == "Form2")
            return Form2;
        return nullptr;
    }
};

TEST_F(ProgramControlsTest, TheTableOfControlsMatchesTheForms)
{
    Create(std::make_unique<apptest::TFakeEngine>());
    Form5->Show();
    Form7->Show();
    Form2->Show();
    Application()->ProcessMessages();
    for (const programtest::TControlSpot* spot : programtest::Controls::All) {
        const programtest::TFormSpot& spotForm = *spot->Form;
        TForm* form = FormNamed(spotForm.Name);
        ASSERT_NE(form, nullptr) << "no form " << spotForm.Name << " for " << spot->Name;
        ASSERT_EQ(form->Name(), spotForm.Name) << spot->Name;
        EXPECT_EQ(form->Caption(), spotForm.Title) << spot->Name;
        TRect window;
        GetWindowRect(form->Handle(), window);
        const TPoint client = form->ClientToScreen(TPoint{0, 0});
        EXPECT_EQ(TPoint(client.X - window.Left, client.Y - window.Top), spotForm.ClientInWindow) << spotForm.Name;
        auto* control = dynamic_cast<TControl*>(form->FindComponent(spot->Name));
        ASSERT_NE(control, nullptr) << spot->Name;
        ASSERT_NE(control->Parent(), nullptr) << spot->Name;
        const TPoint at = control->Parent()->ClientToScreen(control->BoundsRect().TopLeft());
        EXPECT_EQ(Bounds(at.X - client.X, at.Y - client.Y, control->Width(), control->Height()), spot->Bounds)
            << spot->Name;
        if (spot->FontName) {
            EXPECT_EQ(control->Font()->Name(), spot->FontName) << spot->Name;
            EXPECT_EQ(control->Font()->Height(), spot->FontHeight) << spot->Name;
        }
    }
}

// The scenarios drag the preview slider's knob from where it lies at the
// first place, and read the hints in the font the hint window writes in.
TEST_F(ProgramControlsTest, TheKnobAndTheHintFontMatchTheForm)
{
    Create(std::make_unique<apptest::TFakeEngine>());
    Application()->ProcessMessages();
    const programtest::TKnobSpot& knob = programtest::Controls::PreviewKnob;
    auto* slider = dynamic_cast<skin::TbsSkinSlider*>(Form1->FindComponent(knob.Slider->Name));
    ASSERT_NE(slider, nullptr);
    EXPECT_EQ(slider->MaxValue(), knob.Places);
    const TPoint client = Form1->ClientToScreen(TPoint{0, 0});
    slider->SetValue(0);
    const TRect first = slider->ThumbRect();
    const TPoint at = slider->ClientToScreen(first.TopLeft());
    EXPECT_EQ(Bounds(at.X - client.X, at.Y - client.Y, first.Width(), first.Height()), knob.AtFirst);
    slider->SetValue(slider->MaxValue());
    EXPECT_EQ(slider->ThumbRect().Left - first.Left, knob.Travel);
    slider->SetValue(0);

    auto* hint = dynamic_cast<skin::TbsSkinHint*>(Form1->FindComponent("bsSkinHint1"));
    ASSERT_NE(hint, nullptr);
    ASSERT_NE(hint->HintWindow(), nullptr);
    // The hint window takes its font from the main form's active skin hint.
    Application()->SetMainForm(Form1.get());
    hint->HintWindow()->ActivateHint(Bounds(client.X, client.Y, 40, 20), "播放");
    EXPECT_EQ(hint->HintWindow()->Text(), "播放");
    EXPECT_EQ(hint->HintWindow()->Font()->Name(), programtest::HintFont.Name);
    EXPECT_EQ(hint->HintWindow()->Font()->Height(), programtest::HintFont.Height);
    hint->HideHint();
    Application()->SetMainForm(nullptr);
}

} // namespace
} // namespace formstest
