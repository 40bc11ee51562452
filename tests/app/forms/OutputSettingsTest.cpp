// The output settings dialog over the main window: its lists for an audio
// and a video profile, a preset change writing its two digits and its value
// into the selected row, a profile change renaming the row, OK handing the
// choice to the main window and Cancel putting the row and fields back.
#include "FormsTestSupport.h"

#include "app/forms/SkinAssign.h"
#include "app/forms/SettingsDialogParts.h"
#include "app/forms/Unit6.h"
#include "app/forms/Unit7.h"
#include "profiles/LegacyPresetLists.h"

#include "skin/boxes/bsSkinBoxCtrls_ComboBox.h"
#include "skin/boxes/bsSkinExCtrls_OfficeCombo.h"

using namespace app;
using namespace formstest;
using namespace platform;
using profiles::TPreset;

namespace {

class OutputSettingsTest : public TMainWindowFixture {
protected:
    void SetUp() override
    {
        TMainWindowFixture::SetUp();
        Create(std::make_unique<apptest::TFakeEngine>());
    }

    void AddFile(const std::string& AName)
    {
        Choosers->Answers.push_back({Source(AName)});
        Form1->btnAddClick();
    }

    int ProfilePosition(skin::TbsSkinOfficeComboBox* ACombo, const std::string& AExtension)
    {
        for (int i = 0; i < ACombo->Items()->Count(); ++i)
            if (ACombo->Items()->Items(i)->Caption().find("(*" + AExtension + ")") != std::string::npos)
                return i;
        return -1;
    }

    const TTaskRow& Row() { return Form1->Workflow().Rows().Row(0); }
};

} // namespace

// An audio profile shows the no-video texts in four disabled lists; a video
// profile enables them with the catalogue's lists and defaults.
TEST_F(OutputSettingsTest, ListsForAnAudioAndAVideoProfile)
{
    Form7->Opening();
    EXPECT_EQ(Form7->CategoryCombo()->Items()->Count(), 15);
    EXPECT_EQ(Form1->Workflow().Fields().All_Trant_Number, 200);
    const struct {
        TPreset Preset;
        const char* Text;
    } noVideo[] = {{TPreset::Resolution, "该格式无视频"},
                   {TPreset::VideoBitrate, "无视频"},
                   {TPreset::FrameRate, "无视频"},
                   {TPreset::VideoMode, "无视频"}};
    for (const auto& c : noVideo) {
        EXPECT_EQ(Form7->PresetCombo(c.Preset)->Text(), c.Text);
        EXPECT_FALSE(Form7->PresetCombo(c.Preset)->Enabled());
    }
    EXPECT_TRUE(Form7->PresetCombo(TPreset::AudioBitrate)->Enabled());

    Form7->CategoryCombo()->SetItemIndex(1); // "视频格式", first profile: key 100
    EXPECT_EQ(Form1->Workflow().Fields().All_Trant_Number, 100);
    const struct {
        TPreset Preset;
        int Count, Default;
    } video[] = {{TPreset::Resolution, 28, 0}, {TPreset::VideoBitrate, 8, 3}, {TPreset::FrameRate, 12, 9},
                 {TPreset::AudioBitrate, 17, 10}, {TPreset::SampleRate, 6, 4}, {TPreset::VideoMode, 5, 0}};
    for (const auto& c : video) {
        skin::TbsSkinComboBox* combo = Form7->PresetCombo(c.Preset);
        EXPECT_TRUE(combo->Enabled());
        EXPECT_EQ(combo->Items()->Count(), c.Count);
        EXPECT_EQ(combo->ItemIndex(), c.Default);
    }
}

TEST_F(OutputSettingsTest, APresetChangeWritesItsDigitsAndValueIntoTheSelectedRow)
{
    AddFile("song.wav");
    Form1->Workflow().SelectRow(0);
    Form7->Opening();
    const std::string code = Row().Sub(profiles::siPresetCode);
    ASSERT_EQ(code.size(), 12u);
    skin::TbsSkinComboBox* bitrate = Form7->PresetCombo(TPreset::AudioBitrate);
    int other = bitrate->ItemIndex() == 0 ? 1 : 0;
    bitrate->SetItemIndex(other);
    char digits[3];
    std::snprintf(digits, sizeof(digits), "%02d", other);
    EXPECT_EQ(Row().Sub(profiles::siPresetCode), code.substr(0, 4) + digits + code.substr(6));
    const std::string kbps = bitrate->Text().substr(0, bitrate->Text().find("kbps"));
    EXPECT_EQ(Row().Sub(profiles::siAudioBitrate), IntToStr(StrToInt(Trim(kbps)) * 1000));
}

TEST_F(OutputSettingsTest, AProfileChangeNamesTheRowAfterItsSource)
{
    AddFile("song.wav");
    AddFile("song.wav"); // the second row's name gets "_1"
    Form1->Workflow().SelectRow(1);
    ASSERT_EQ(Form1->Workflow().Rows().Row(1).Sub(profiles::siOutputFileName), "song_1.mp3");
    Form7->Opening();
    const int flac = ProfilePosition(Form7->ProfileCombo(), ".flac");
    ASSERT_GE(flac, 0);
    Form7->ProfileCombo()->SetItemIndex(flac);
    const TTaskRow& row = Form1->Workflow().Rows().Row(1);
    // The name comes from the source, not from the row's earlier name: no
    // other row writes "song.flac", so the "_1" goes.
    EXPECT_EQ(row.Sub(profiles::siOutputFileName), "song.flac");
    EXPECT_EQ(row.Sub(profiles::siProfileCode), IntToStr(100 + flac));
    // The row converts with what the dialog shows.
    EXPECT_EQ(row.Sub(profiles::siAudioBitrate),
              IntToStr(Form1->Workflow().Fields().Video_AudioBitrate));
    EXPECT_TRUE(row.Output.DisableVideo);
    // The first row changed the same way finds its name taken.
    Form1->Workflow().SelectRow(0);
    Form7->Opening();
    Form7->ProfileCombo()->SetItemIndex(flac);
    EXPECT_EQ(Form1->Workflow().Rows().Row(0).Sub(profiles::siOutputFileName), "song_1.flac");
}

TEST_F(OutputSettingsTest, CancelPutsTheRowAndTheFieldsBack)
{
    AddFile("song.wav");
    Form1->Workflow().SelectRow(0);
    Form7->Opening();
    const TTaskRow before = Row();
    const profiles::TOutputFields fields = Form1->Workflow().Fields();
    Form7->ProfileCombo()->SetItemIndex(ProfilePosition(Form7->ProfileCombo(), ".flac"));
    ASSERT_NE(Row().Sub(profiles::siOutputFileName), before.Sub(profiles::siOutputFileName));
    Form7->bsSkinButton3Click();
    EXPECT_EQ(Row().SubItems, before.SubItems);
    EXPECT_EQ(Row().Output.FileName, before.Output.FileName);
    EXPECT_EQ(Form1->Workflow().Fields().All_Trant_Number, fields.All_Trant_Number);
    EXPECT_EQ(Form1->Workflow().Fields().Video_AudioBitrate, fields.Video_AudioBitrate);
    EXPECT_EQ(Form7->ModalResult(), mrCancel);
}

TEST_F(OutputSettingsTest, OkHandsTheChoiceToTheMainWindow)
{
    Form7->Opening();
    Form7->CategoryCombo()->SetItemIndex(1);
    Form7->ProfileCombo()->SetItemIndex(2);
    Form7->PresetCombo(TPreset::Resolution)->SetItemIndex(5);
    Form7->PresetCombo(TPreset::SampleRate)->SetItemIndex(1);
    Form7->bsSkinButton2Click();
    EXPECT_EQ(Form1->Workflow().CategoryIndex(), 1);
    EXPECT_EQ(Form1->Workflow().ProfileIndex(), 2);
    EXPECT_EQ(Form1->Workflow().PresetIndex(TPreset::Resolution), 5);
    EXPECT_EQ(Form1->Workflow().PresetIndex(TPreset::SampleRate), 1);
    EXPECT_EQ(Form1->CategoryCombo()->ItemIndex(), 1);
    EXPECT_EQ(Form1->PresetCombo(TPreset::Resolution)->ItemIndex(), 5);
    EXPECT_EQ(Form7->ModalResult(), mrOk);
}

TEST_F(OutputSettingsTest, TheDialogAsItLooks)
{
    Form7->Opening();
    Form7->Show();
    Application()->ProcessMessages();
    // The skin's frame takes its borders from the designed 511 x 418; the
    // rightmost and lowest controls still fit.
    EXPECT_GE(Form7->ClientWidth(), 492);
    EXPECT_GE(Form7->ClientHeight(), 396);
    EXPECT_EQ(Form7->Caption(), "选项设置");
    // Its lists draw their pictures from the main window's.
    EXPECT_EQ(Form7->CategoryCombo()->Images(), Form1->CategoryImages());
    EXPECT_EQ(Form7->ProfileCombo()->Images(), Form1->ProfileImages());
    EXPECT_GT(CountPixels(Form7->Handle(), Form7->CategoryCombo(), 0xE2781E), 300); // the audio tile
    SaveScreenshot(Form7->Handle(), PictureFile("output-settings.png"));
    Form7->Hide();
}

// The legacy dialog is created and filled at start-up, never shown: of the
// main window's output fields it changes only the no-video flag.
TEST_F(OutputSettingsTest, TheLegacyDialogsCreationClearsOnlyTheNoVideoFlag)
{
    // An audio profile of the legacy list turns the no-video flag on first.
    Form1->Workflow().LegacyDialogOk(1, 0, {"该格式无视频", "无视频", "128 kbps", "无视频", "无视频", "44100"});
    const profiles::TOutputFields fields = Form1->Workflow().Fields();
    ASSERT_TRUE(fields.Video_DisableVideo);
    auto* form6 = new TForm6(Form1.get(), Form1->Workflow());
    form6->FormCreate();
    profiles::TOutputFields expected = fields;
    expected.Video_DisableVideo = false;
    EXPECT_EQ(Form1->Workflow().Fields(), expected);
    EXPECT_FALSE(form6->Visible());
    EXPECT_EQ(form6->ProfileCombo()->ItemIndex(), 0);
    EXPECT_EQ(form6->CategoryCombo()->Items()->Count(), 12);
    // Its categories show their own pictures, the item's position its index;
    // its profiles have none.
    ASSERT_NE(form6->CategoryCombo()->Images(), nullptr);
    EXPECT_EQ(form6->CategoryCombo()->Images()->Count(), 12);
    EXPECT_EQ(form6->CategoryCombo()->Items()->Items(11)->ImageIndex(), 11);
    EXPECT_EQ(form6->ProfileCombo()->Images(), nullptr);
    // Key 100's lists, as the catalogue gives them.
    const auto lists = profiles::FindLegacyPresetChoices(100);
    ASSERT_TRUE(lists);
    for (TPreset p : profiles::AllPresets) {
        EXPECT_EQ(form6->PresetCombo(p)->Items()->Count(), int(lists->Pick(p).Texts.size()));
        EXPECT_EQ(form6->PresetCombo(p)->ItemIndex(), lists->Pick(p).DefaultIndex);
    }
    // The program never shows it; a picture of it for whoever reviews it.
    SkinDialog(*form6, Form1->SkinData());
    form6->Show();
    Application()->ProcessMessages();
    SaveScreenshot(form6->Handle(), PictureFile("legacy-settings.png"));
    form6->Hide();
}

// The legacy dialog's panel of named steps: each button at its place, the
// steps of OK one by one giving what OK gives, the reset, and the labels.
TEST_F(OutputSettingsTest, TheLegacyDialogsStepButtonsRunItsSteps)
{
    auto* form6 = new TForm6(Form1.get(), Form1->Workflow());
    form6->FormCreate();
    ExpectPlaces(*form6, {
        {"Panel1", "Form6", {704, 77, 1009, 382}, true, "Panel1"},
        {"Button6", "Panel1", {32, 47, 107, 72}, true, "初始化数据"},
        {"Button5", "Panel1", {113, 47, 239, 72}, true, "根据combox添加数据"},
        {"Button7", "Panel1", {230, 47, 305, 72}, true, "确认oo数据"},
        {"Button2", "Panel1", {32, 78, 136, 103}, true, "添加combox"},
        {"Button13", "Panel1", {32, 109, 145, 134}, true, "确认预置选项数据"},
        {"Button11", "Panel1", {151, 78, 246, 103}, true, "onchange用"},
        {"Button18", "Panel1", {42, 163, 185, 188}, true, "根据combox添加预设选项"},
        {"Image1", "Panel1", {46, 158, 217, 261}, true, ""},
        {"bsSkinButton1", "bsSkinPanel2", {621, 139, 676, 190}, false, "设置"},
        {"bsSkinTextLabel5", "bsSkinPanel2", {17, 48, 0, 0}, true, ""},
        {"bsSkinTextLabel3", "bsSkinTabSheet1", {19, 24, 0, 0}, true, ""},
        {"bsSkinTextLabel2", "bsSkinTabSheet1", {342, 24, 0, 0}, true, ""},
        {"bsSkinTextLabel6", "bsSkinTabSheet1", {16, 69, 0, 0}, true, ""},
        {"bsSkinTextLabel4", "bsSkinTabSheet1", {16, 114, 0, 0}, true, ""},
        {"bsSkinTextLabel7", "bsSkinTabSheet1", {342, 114, 0, 0}, true, ""},
        {"bsSkinTextLabel9", "bsSkinTabSheet1", {342, 69, 0, 0}, true, ""},
    });
    const auto click = [&](const char* AName) {
        auto* button = dynamic_cast<TButton*>(form6->FindComponent(AName));
        ASSERT_NE(button, nullptr) << AName;
        button->Click();
    };
    for (const char* name : {"Button7", "Button11"})
        EXPECT_FALSE(dynamic_cast<TButton*>(form6->FindComponent(name))->OnClick) << name;

    // A profile without output settings: the no-video flag is cleared and
    // the name already there kept free; the rest stays and nothing is told.
    form6->CategoryCombo()->SetItemIndex(2);
    form6->ProfileCombo()->SetItemIndex(1);
    Form1->Workflow().LegacyDialogOk(1, 0, {"该格式无视频", "无视频", "128 kbps", "无视频", "无视频", "44100"});
    const profiles::TOutputFields audioOnly = Form1->Workflow().Fields();
    ASSERT_TRUE(audioOnly.Video_DisableVideo);
    ASSERT_FALSE(audioOnly.Video_OutPutFileName.empty());
    const size_t logLines = Form1->Workflow().Log().size();
    click("Button5");
    profiles::TOutputFields expected = audioOnly;
    expected.Video_DisableVideo = false;
    EXPECT_EQ(Form1->Workflow().Fields(), expected);
    EXPECT_EQ(Form1->Workflow().Log().size(), logLines);

    // An audio profile: defaults, then the shown presets, step by step, end
    // where OK ends.
    form6->CategoryCombo()->SetItemIndex(1);
    form6->ProfileCombo()->SetItemIndex(0);
    const profiles::TOutputFields before = Form1->Workflow().Fields();
    TPresetCombos combos{};
    for (TPreset p : profiles::AllPresets)
        combos[size_t(p)] = form6->PresetCombo(p);
    Form1->Workflow().LegacyDialogOk(1, 0, ShownPresetTexts(combos));
    const profiles::TOutputFields byOk = Form1->Workflow().Fields();
    ASSERT_FALSE(byOk == before) << (Form1->Workflow().Log().empty() ? "" : Form1->Workflow().Log().back());
    click("Button6");
    profiles::TOutputFields reset = byOk;
    profiles::ResetOutputFields(reset);
    EXPECT_EQ(Form1->Workflow().Fields(), reset);
    EXPECT_EQ(Form1->Workflow().Fields().Video_AudioVolume, "256");
    click("Button5");
    click("Button13");
    EXPECT_EQ(Form1->Workflow().Fields().Video_VideoCodec, byOk.Video_VideoCodec);
    EXPECT_EQ(Form1->Workflow().Fields().Video_FrameSize, byOk.Video_FrameSize);
    EXPECT_EQ(Form1->Workflow().Fields().Video_OutPutFileName, byOk.Video_OutPutFileName);
    EXPECT_EQ(Form1->Workflow().Fields().Video_AudioBitrate, byOk.Video_AudioBitrate);
    EXPECT_EQ(Form1->Workflow().Fields().Video_DisableVideo, byOk.Video_DisableVideo);
    EXPECT_TRUE(byOk.Video_DisableVideo);
    // Button2 refills the profiles of the category shown and picks the first.
    click("Button2");
    EXPECT_EQ(form6->ProfileCombo()->ItemIndex(), 0);
}
