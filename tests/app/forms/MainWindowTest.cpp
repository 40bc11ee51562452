// The main window on a recording engine: its first look, the command twins
// and menu items following one state per command, the options dialog's
// values reaching Start and Cancel undoing them, and renaming in place.
#include "FormsTestSupport.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <sys/stat.h>

#include "app/forms/ShutdownCountdown.h"
#include "app/forms/SkinAssign.h"
#include "app/forms/TaskListView.h"
#include "app/forms/OutputPictures.h"
#include "app/forms/PreviewPane.h"
#include "app/forms/SettingsDialogParts.h"
#include "app/forms/Unit2.h"

#include "engine/player/FFPlay.h"
#include "profiles/ProfileCatalogue.h"

#include "skin/boxes/bsSkinBoxCtrls_ComboBox.h"
#include "skin/boxes/bsSkinBoxes_SkinEdit.h"
#include "skin/boxes/bsSkinExCtrls_OfficeCombo.h"
#include "skin/controls/bsSkinCtrls_Button.h"
#include "skin/controls/bsSkinCtrls_CheckRadio.h"
#include "skin/controls/bsSkinCtrls_ScrollBar.h"
#include "skin/controls/bsSkinCtrls_Slider.h"
#include "skin/core/bsSkinData_StoredList.h"
#include "skin/dialogs/bsMessages.h"
#include "skin/dialogs/bsSelectSkinDialog.h"

#include "../../skin/dialogs/DialogsTestSupport.h"

using namespace app;
using namespace formstest;
using namespace platform;

namespace {

class MainWindowTest : public TMainWindowFixture {
protected:
    void SetUp() override
    {
        TMainWindowFixture::SetUp();
        auto engine = std::make_unique<apptest::TFakeEngine>();
        Engine = engine.get();
        Create(std::move(engine));
    }

    // "A" for a command whose twin is on, "-" for off, in TCommand order.
    std::string Twins()
    {
        std::string text;
        for (int i = 1; i < CommandCount; ++i)
            text += Form1->Twin(TCommand(i))->Enabled() ? 'A' : '-';
        return text;
    }

    void AddFile(const std::string& AName)
    {
        Choosers->Answers.push_back({Source(AName)});
        Form1->btnAddClick();
    }

    apptest::TFakeEngine* Engine = nullptr;
};

} // namespace

TEST_F(MainWindowTest, FirstLook)
{
    EXPECT_EQ(Form1->ClientWidth(), 827);
    EXPECT_EQ(Form1->ClientHeight(), 489);
    EXPECT_EQ(Form1->Caption(), "ZarveloMP3格式转换器");
    EXPECT_EQ(Form1->CategoryCombo()->ItemIndex(), 0);
    EXPECT_EQ(Form1->CategoryCombo()->Items()->Items(0)->Caption(), "音频格式");
    EXPECT_EQ(Form1->ProfileCombo()->Items()->Items(Form1->ProfileCombo()->ItemIndex())->Caption(),
              "MP3 - MPEG Layer-3音频格式(*.mp3)");
    EXPECT_EQ(Form1->OutputFolderEdit()->GetText(), Home.Path() + "/Zarvelo视频软件/输出");
    // The lists show their items' pictures: the audio category's tile, and
    // the profiles alternating between two.
    EXPECT_EQ(Form1->CategoryCombo()->Images(), Form1->CategoryImages());
    EXPECT_EQ(Form1->CategoryImages()->Count(), 20);
    EXPECT_EQ(Form1->ProfileCombo()->Images(), Form1->ProfileImages());
    for (int i = 0; i < Form1->ProfileCombo()->Items()->Count(); ++i)
        EXPECT_EQ(Form1->ProfileCombo()->Items()->Items(i)->ImageIndex(), i % 2);
    Application()->ProcessMessages();
    EXPECT_GT(CountPixels(Form1->Handle(), Form1->CategoryCombo(), 0xE2781E), 300);
    EXPECT_TRUE(Form1->EmptyPictureShown());
    // Only Add is on.
    EXPECT_EQ(Twins(), "-------");
    EXPECT_TRUE(Form1->Primary(TCommand::Add)->Enabled());
    EXPECT_TRUE(Form1->MenuItem("Item111")->Enabled);
    EXPECT_FALSE(Form1->MenuItem("N7")->Enabled);
    EXPECT_TRUE(Form1->MenuItem("N24")->Enabled);
    // What the user never sees lies beyond the client area.
    for (const char* name : {"Panel1", "bsSkinPanel4", "Panel5"}) {
        auto* panel = dynamic_cast<TControl*>(Form1->FindComponent(name));
        ASSERT_NE(panel, nullptr) << name;
        EXPECT_GE(panel->Left(), 905) << name;
    }
    EXPECT_EQ(Form1->Screens()->Items()->Strings(0), "Panel6");
    EXPECT_EQ(Form1->Screens()->ItemIndex(), 0);
    // The audio profile's video presets are off.
    EXPECT_FALSE(Form1->PresetCombo(profiles::TPreset::Resolution)->Enabled());
    EXPECT_TRUE(Form1->PresetCombo(profiles::TPreset::AudioBitrate)->Enabled());
    // The list shows its column header.
    THeaderControl* header = Form1->TaskList()->Header();
    ASSERT_NE(header, nullptr);
    EXPECT_TRUE(header->Visible());
    EXPECT_GT(header->Height(), 10) << header->Width();
    // The settings file was made on the way.
    EXPECT_TRUE(FileExists(Home.File("option.ini")));
    Application()->ProcessMessages();
    SaveScreenshot(Form1->Handle(), PictureFile("main-window-first-look.png"));
}

TEST_F(MainWindowTest, EveryVisibleControlLiesAtItsPlace)
{
    // Bounds within the parent; a hidden control keeps its place too.
    ExpectPlaces(*Form1, {
        {"bsSkinMainMenuBar1", "Form1", {0, 0, 827, 22}, true, ""},
        {"bsSkinToolBar2", "Form1", {0, 22, 827, 91}, true, ""},
        {"bsSkinPanel1", "Form1", {5, 99, 575, 359}, true, "", ""},
        {"lvFiles", "bsSkinPanel1", {13, 10, 536, 212}, true, "", ""},
        // The bars take the skin's thickness; the shown columns are wider
        // than the list from the start.
        {"bsSkinScrollBar1", "bsSkinPanel1", {13, 212, 475, 231}, true, ""},
        {"bsSkinScrollBar2", "bsSkinPanel1", {536, 10, 555, 212}, false, ""},
        {"bsSkinButton4", "bsSkinPanel1", {13, 233, 47, 257}, true, "", "下移"},
        {"bsSkinButton3", "bsSkinPanel1", {53, 233, 87, 257}, true, "", "上移"},
        {"bsSkinButton21", "bsSkinPanel1", {93, 233, 127, 257}, true, "", "重命名"},
        {"bsSkinPanel5", "Form1", {5, 99, 575, 359}, true, "", ""},
        {"bsSkinPanel3", "Form1", {584, 99, 810, 360}, true, "视频预览", ""},
        {"Panel6", "Form1", {591, 131, 801, 266}, true, "", ""},
        {"bsSkinSlider1", "bsSkinPanel3", {3, 173, 221, 204}, true, "", ""},
        {"bsSkinButton13", "bsSkinPanel3", {8, 204, 38, 234}, true, "", "播放"},
        {"bsSkinButton14", "bsSkinPanel3", {45, 204, 75, 234}, true, "", "暂停"},
        {"bsSkinButton15", "bsSkinPanel3", {79, 204, 109, 234}, true, "", "停止"},
        {"bsSkinButton16", "bsSkinPanel3", {115, 204, 145, 234}, true, "", "静音"},
        {"bsSkinButton20", "bsSkinPanel3", {115, 204, 145, 234}, false, "", "静音"},
        {"bsSkinButton22", "bsSkinPanel3", {151, 204, 181, 234}, true, "", "快照"},
        {"bsSkinButton23", "bsSkinPanel3", {187, 204, 217, 234}, true, "", "设置"},
        {"bsSkinButtonFullScreen", "bsSkinPanel3", {8, 238, 68, 258}, false, "全屏", ""},
        {"bsSkinPanel2", "Form1", {3, 367, 575, 476}, true, "", ""},
        {"bsSkinButton24", "bsSkinPanel2", {492, 17, 562, 43}, true, "设置...", ""},
        {"bsSkinButton5", "bsSkinPanel2", {416, 62, 486, 88}, true, "浏览...", ""},
        {"bsSkinButton6", "bsSkinPanel2", {492, 62, 562, 88}, true, "打开", ""},
        {"bsSkinButton1", "bsSkinPanel2", {492, 62, 562, 88}, false, "设置", ""},
        {"bsSkinButton2", "Form1", {584, 366, 709, 477}, true, "开始", ""},
        {"bsSkinButton11", "Form1", {724, 366, 810, 426}, true, "暂停", ""},
        // "继续" waits under "暂停" until the first pause.
        {"bsSkinButton12", "Form1", {724, 366, 810, 426}, false, "继续", ""},
        {"bsSkinButton10", "Form1", {724, 432, 810, 476}, true, "停止", ""},
        {"bsSkinMenuSpeedButton1", "bsSkinToolBar2", {8, 4, 80, 64}, true, "添加", ""},
        {"bsSkinButton7", "bsSkinToolBar2", {84, 4, 156, 64}, true, "删除", ""},
        {"bsSkinButton8", "bsSkinToolBar2", {160, 4, 232, 64}, true, "清空", ""},
        {"bsSkinButton19", "bsSkinToolBar2", {236, 4, 308, 64}, true, "选项", ""},
    });
}

TEST_F(MainWindowTest, TheDeveloperControlsLieOffScreenWithTheirStartValues)
{
    const TControlPlace controls[] = {
        {"cboVideoDriver", "Panel5", {300, 8, 440, 32}, true, ""},
        {"cboAudioDriver", "Panel5", {300, 38, 440, 62}, true, ""},
        {"chkOpenPaused", "Panel5", {300, 68, 440, 88}, true, "Open Paused"},
        {"TrackBar2", "Panel5", {300, 96, 440, 122}, true, ""},
        {"chkStayOnTop", "Panel5", {300, 128, 440, 148}, true, "Stay On Top"},
        {"btnCapture", "Panel5", {300, 156, 375, 181}, true, "Capture"},
        {"cboScreens", "Panel5", {8, 206, 148, 230}, true, ""},
        {"TrackBar1", "Panel5", {156, 206, 292, 232}, true, ""},
        {"mmoLog", "Panel5", {8, 8, 292, 198}, true, ""},
        {"Button1", "Panel1", {8, 100, 76, 125}, true, "help"},
        {"Button26", "Panel1", {80, 100, 148, 125}, true, "Button26"},
        {"Button9", "Panel1", {152, 100, 220, 125}, true, "播放视频"},
        {"Button19", "Panel1", {224, 100, 292, 125}, false, "Button19"},
        {"ProgressBar1", "Panel1", {8, 130, 292, 146}, true, ""},
        {"ListBox1", "Panel1", {8, 150, 292, 194}, true, ""},
        {"chkThreadMode", "Panel1", {8, 72, 128, 92}, true, "Thread Mode"},
        {"bsSkinButton9", "Panel4", {8, 8, 88, 32}, true, "皮肤"},
        {"chkPreview", "Panel5", {380, 158, 444, 178}, true, "Preview"},
        {"Panel3", "Form1", {905, 730, 1025, 770}, true, ""},
        {"bsSkinPanel6", "Form1", {905, 780, 1025, 820}, true, ""},
    };
    for (const TControlPlace& c : controls) {
        ExpectPlaces(*Form1, {c});
        auto* control = dynamic_cast<TControl*>(Form1->FindComponent(c.Name));
        ASSERT_NE(control, nullptr) << c.Name;
        EXPECT_GE(control->Parent() == Form1.get() ? control->Left() : control->Parent()->Left(), 905) << c.Name;
    }
    // The primary buttons of the inert routines run nothing when clicked.
    for (const char* name : {"Button9", "Button19"}) {
        auto* button = dynamic_cast<TButton*>(Form1->FindComponent(name));
        ASSERT_NE(button, nullptr) << name;
        EXPECT_FALSE(button->OnClick) << name;
    }
    // The second track bar starts at its default and moving it reaches no one.
    auto* spare = dynamic_cast<TTrackBar*>(Form1->FindComponent("TrackBar1"));
    ASSERT_NE(spare, nullptr);
    EXPECT_FALSE(spare->OnChange);
    EXPECT_EQ(Form1->AddProgress()->Position(), 0);
    EXPECT_EQ(Form1->FolderNames()->Items()->Count(), 0);
    // The developer's preview box switches the engine's live preview.
    auto* preview = dynamic_cast<TCheckBox*>(Form1->FindComponent("chkPreview"));
    ASSERT_NE(preview, nullptr);
    EXPECT_FALSE(preview->Checked());
    for (bool on : {true, false, true}) {
        preview->SetChecked(on);
        EXPECT_EQ(Engine->Preview, on);
    }
    // The player's drivers as the player names them on Linux; the default first.
    const struct {
        TComboBox* List;
        std::vector<std::string> Entries;
    } lists[] = {{Form1->VideoDriverList(), {"Default", "x11"}},
                 {Form1->AudioDriverList(), {"Default", "alsa", "pulse"}}};
    for (const auto& l : lists) {
        std::vector<std::string> entries;
        for (int i = 0; i < l.List->Items()->Count(); ++i)
            entries.push_back(l.List->Items()->Strings(i));
        EXPECT_EQ(entries, l.Entries) << l.List->Name();
        EXPECT_EQ(l.List->ItemIndex(), 0) << l.List->Name();
    }
    EXPECT_EQ(Form1->OpenPausedBox()->Caption(), "Open Paused");
    EXPECT_TRUE(Form1->OpenPausedBox()->Checked());
    EXPECT_EQ(Form1->StayOnTopBox()->Caption(), "Stay On Top");
    EXPECT_FALSE(Form1->StayOnTopBox()->Checked());
    EXPECT_EQ(Form1->VolumeBar()->Min(), 0);
    EXPECT_EQ(Form1->VolumeBar()->Max(), 128);
    EXPECT_EQ(Form1->VolumeBar()->Position(), 128);
    // The output panel's own way to the options dialog stays hidden.
    auto* hidden = dynamic_cast<TControl*>(Form1->FindComponent("bsSkinButton1"));
    ASSERT_NE(hidden, nullptr);
    EXPECT_FALSE(hidden->Visible());
}

TEST_F(MainWindowTest, TheOpenCategoryListShowsEachCategorysPicture)
{
    skin::TbsSkinOfficeComboBox* categories = Form1->CategoryCombo();
    categories->DropDown();
    Application()->ProcessMessages();
    ASSERT_TRUE(categories->IsPopupVisible());
    platform::TWinControl* list = categories->ListBox();
    list->Invalidate();
    Application()->ProcessMessages();
    // The rows the list shows, each with its category's tile.
    const int rows = std::min(categories->Items()->Count(), list->ClientHeight() / categories->ListBoxItemHeight());
    EXPECT_GE(rows, 8);
    for (int i = 0; i < rows; ++i) {
        const int n = profiles::Categories()[size_t(i)].Number;
        const TImageData picture = DrawCategoryPicture(n);
        const uint32_t tile = picture.At(3, 16) & 0xFFFFFF;
        EXPECT_GT(CountPixels(list->Handle(), list, tile), 100) << "category " << i << " picture " << n;
    }
    SaveScreenshot(list->Handle(), PictureFile("main-window-categories.png"));
    categories->CloseUp(false);
    EXPECT_EQ(categories->ItemIndex(), 0);
}

TEST_F(MainWindowTest, TheVolumeBarSetsThePlayersVolume)
{
    for (int volume : {0, 37, 128, 5}) {
        Form1->VolumeBar()->SetPosition(volume);
        EXPECT_EQ(Form1->Preview()->Player()->AudioVolume(), volume);
    }
}

TEST_F(MainWindowTest, AFolderScanFillsTheHiddenListAndEveryAddResetsTheProgress)
{
    for (const char* name : {"one.mp4", "two.mp3", "three.avi"})
        Source(name);
    const struct {
        std::string Folder;
        std::vector<std::string> Listed;
        int Rows;
    } scans[] = {
        {Media.Path(), {Media.File("one.mp4"), Media.File("three.avi"), Media.File("two.mp3")}, 3},
        {Home.Path() + "/Zarvelo视频软件", {}, 3}, // holds only folders
    };
    for (const auto& scan : scans) {
        Form1->AddProgress()->SetPosition(60);
        Choosers->Answers.push_back({scan.Folder});
        Form1->Button12Click();
        std::vector<std::string> listed;
        for (int i = 0; i < Form1->FolderNames()->Items()->Count(); ++i)
            listed.push_back(Form1->FolderNames()->Items()->Strings(i));
        std::sort(listed.begin(), listed.end());
        EXPECT_EQ(listed, scan.Listed) << scan.Folder;
        EXPECT_EQ(Form1->Workflow().Rows().Count(), scan.Rows) << scan.Folder;
        // Only a file that became a row resets the bar.
        EXPECT_EQ(Form1->AddProgress()->Position(), scan.Listed.empty() ? 60 : 0) << scan.Folder;
    }
    Form1->AddProgress()->SetPosition(30);
    AddFile("four.mkv");
    EXPECT_EQ(Form1->AddProgress()->Position(), 0);
}

TEST_F(MainWindowTest, PlayingKeepsTheWindowOnTopOnlyWhileStayOnTopIsTicked)
{
    const struct {
        bool Ticked;
        engine::TPlayState State;
        TFormStyle Style;
    } steps[] = {
        {false, engine::psPlay, fsNormal},    {true, engine::psPlay, fsStayOnTop},  {true, engine::psPause, fsNormal},
        {true, engine::psResume, fsStayOnTop}, {true, engine::psStep, fsNormal},    {false, engine::psResume, fsNormal},
        {true, engine::psPlay, fsStayOnTop},  {true, engine::psStop, fsNormal},
    };
    engine::TCustomPlayer* player = Form1->Preview()->Player();
    for (const auto& step : steps) {
        Form1->StayOnTopBox()->SetChecked(step.Ticked);
        player->OnState(player, step.State);
        EXPECT_EQ(Form1->FormStyle(), step.Style) << int(step.State) << " ticked " << step.Ticked;
    }
    EXPECT_EQ(Form1->Log()->Lines()->Strings(Form1->Log()->Lines()->Count() - 1), "Stop");
}

TEST_F(MainWindowTest, TheDeveloperHelpButtonOpensTheHelpFileBesideTheProgram)
{
    auto* help = dynamic_cast<TButton*>(Form1->FindComponent("Button1"));
    ASSERT_NE(help, nullptr);
    help->Click(); // without the file nothing opens
    EXPECT_TRUE(Actions.empty());
    testsupport::WriteFile(Home.File("help.chm"), "help");
    help->Click();
    ASSERT_EQ(Actions.size(), 1u);
    EXPECT_EQ(Actions.back(), "xdg-open " + Home.Path() + "/help.chm");
}

TEST_F(MainWindowTest, CaptureWithoutAPictureAsksNothingAndSavesNothing)
{
    Choosers->Answers.push_back({Home.File("never.bmp")});
    dynamic_cast<TButton*>(Form1->FindComponent("btnCapture"))->Click();
    EXPECT_EQ(Choosers->Answers.size(), 1u);
    EXPECT_FALSE(FileExists(Home.File("never.bmp")));
}

// A task that fails while another failure's box is open gets its box after
// that one closes, never one over it.
TEST_F(MainWindowTest, FailureBoxesComeOneAfterAnother)
{
    std::vector<std::string> shown;
    int open = 0, mostOpen = 0;
    Form1->MessageBoxHook = [&](const std::string& ACaption, const std::string& AText, platform::TMsgDlgType) {
        mostOpen = std::max(mostOpen, ++open);
        shown.push_back(ACaption + ": " + AText);
        // The box keeps the messages flowing: two more tasks end meanwhile.
        if (AText == "first") {
            Form1->ShowTaskError("second");
            Form1->ShowTaskError("third");
        }
        --open;
    };
    Form1->ShowTaskError("first");
    EXPECT_EQ(shown, (std::vector<std::string>{"ZarveloMP3格式转换器: first", "ZarveloMP3格式转换器: second",
                                               "ZarveloMP3格式转换器: third"}));
    EXPECT_EQ(mostOpen, 1);
    Form1->ShowTaskError("later");
    EXPECT_EQ(shown.back(), "ZarveloMP3格式转换器: later");
}

TEST_F(MainWindowTest, TwinsAndMenusFollowTheCommands)
{
    AddFile("song.wav");
    ASSERT_EQ(Form1->Workflow().Rows().Count(), 1);
    EXPECT_FALSE(Form1->EmptyPictureShown());
    // Start Stop Pause Resume Remove Rename Clear
    EXPECT_EQ(Twins(), "A---AAA");
    EXPECT_TRUE(Form1->MenuItem("N13")->Enabled);

    Form1->Twin(TCommand::Start)->ButtonClick();
    EXPECT_EQ(Engine->StartedWith, 1);
    EXPECT_EQ(Twins(), "-AA----");
    EXPECT_FALSE(Form1->Primary(TCommand::Add)->Enabled());
    EXPECT_FALSE(Form1->CategoryCombo()->Enabled());

    Form1->Twin(TCommand::Pause)->ButtonClick();
    EXPECT_FALSE(Form1->Twin(TCommand::Pause)->Visible());
    EXPECT_TRUE(Form1->Twin(TCommand::Resume)->Visible());
    EXPECT_EQ(Twins(), "-A-A---");
    Form1->MenuItem("N11")->Click();
    EXPECT_TRUE(Form1->Twin(TCommand::Pause)->Visible());
    EXPECT_FALSE(Form1->Twin(TCommand::Resume)->Visible());

    Form1->Twin(TCommand::Stop)->ButtonClick();
    EXPECT_TRUE(Form1->CategoryCombo()->Enabled());
    Engine->EndRun();
    EXPECT_EQ(Twins(), "A-----A");
    EXPECT_FALSE(Form1->Primary(TCommand::Start)->Enabled());
    EXPECT_FALSE(Form1->MenuItem("N7")->Enabled);
    // A stopped run ends without the after-finish action.
    EXPECT_TRUE(Actions.empty());

    Form1->Twin(TCommand::Clear)->ButtonClick();
    EXPECT_TRUE(Form1->EmptyPictureShown());
    EXPECT_EQ(Twins(), "-------");
    EXPECT_TRUE(Form1->Primary(TCommand::Add)->Enabled());
}

TEST_F(MainWindowTest, ChoosingAProfileThroughTheListsRewritesTheSelectedRow)
{
    AddFile("song.wav");
    skin::TbsSkinOfficeComboBox* profile = Form1->ProfileCombo();
    const int flac = [&] {
        for (int i = 0; i < profile->Items()->Count(); ++i)
            if (profile->Items()->Items(i)->Caption().find("(*.flac)") != std::string::npos)
                return i;
        return -1;
    }();
    ASSERT_GE(flac, 0);
    profile->SetItemIndex(flac);
    EXPECT_EQ(Form1->Workflow().Rows().Row(0).Sub(profiles::siOutputFileName), "song.flac");
    EXPECT_EQ(Form1->Workflow().ProfileIndex(), flac);

    Form1->CategoryCombo()->SetItemIndex(1);
    EXPECT_EQ(Form1->Workflow().Rows().Row(0).Sub(profiles::siProfileCode), "200");
    EXPECT_TRUE(Form1->PresetCombo(profiles::TPreset::Resolution)->Enabled());
}

// The catalogue's two hidden steps: Button13 reads the texts the preset
// lists show into the output fields, Button18 refills the lists of the
// current profile with their default entries and looks its key up afresh.
TEST_F(MainWindowTest, TheHiddenPresetButtonsReadTheListsAndRefillThem)
{
    using profiles::TPreset;
    const struct {
        const char* What;
        int Category;
        TPreset Preset;
        int Chosen;
        int Key;
        int DefaultIndex;
        std::string FrameSize, SampleRate;
        int VideoBitrate, AudioBitrate;
    } cases[] = {
        {"a video profile, another resolution", 1, TPreset::Resolution, 4, 100, 0, "320*240", "44100", 816000, 128000},
        {"an audio profile, another sample rate", 0, TPreset::SampleRate, 2, 200, 4, "", "22050", -1000, 128000},
    };
    auto* readTexts = dynamic_cast<TButton*>(Form1->FindComponent("Button13"));
    auto* refill = dynamic_cast<TButton*>(Form1->FindComponent("Button18"));
    ASSERT_TRUE(readTexts && refill);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.What);
        Form1->CategoryCombo()->SetItemIndex(c.Category);
        skin::TbsSkinComboBox* list = Form1->PresetCombo(c.Preset);
        list->SetItemIndex(c.Chosen);
        // Without a selected row a choice reaches no output field until
        // Button13 reads the lists.
        EXPECT_NE(Form1->Workflow().Fields().Video_AudioSampleRate, c.SampleRate);
        readTexts->Click();
        const profiles::TOutputFields& fields = Form1->Workflow().Fields();
        EXPECT_EQ(fields.Video_FrameSize, c.FrameSize);
        EXPECT_EQ(fields.Video_AudioSampleRate, c.SampleRate);
        EXPECT_EQ(fields.Video_VideoBitrate, c.VideoBitrate);
        EXPECT_EQ(fields.Video_AudioBitrate, c.AudioBitrate);

        refill->Click();
        EXPECT_EQ(list->ItemIndex(), c.DefaultIndex);
        EXPECT_EQ(Form1->Workflow().PresetIndex(c.Preset), c.DefaultIndex);
        EXPECT_EQ(fields.All_Trant_Number, c.Key);
        EXPECT_FALSE(fields.Video_DisableVideo);
        // The refill leaves the fields to the next read of the lists.
        EXPECT_EQ(fields.Video_AudioSampleRate, c.SampleRate);
    }
}

TEST_F(MainWindowTest, TheHiddenMultithreadSwitchGatesTheThreadCount)
{
    skin::TbsSkinCheckRadioBox* box = Form5->MultiThreadBox();
    EXPECT_EQ(box->Name(), "bsSkinCheckRadioBox7");
    EXPECT_EQ(box->Caption(), "启用多线程模式   （同时进行转换的视频个数）");
    EXPECT_FALSE(box->Visible());
    EXPECT_TRUE(box->Checked());
    Form5->ThreadCount()->SetItemIndex(3);
    Form5->OkClick();
    // Cleared, the count is off, a run uses one thread and OK keeps the
    // stored count; ticked again, all is as before.
    const struct {
        bool Ticked;
        int ItemIndex;
        int Threads;
        const char* Stored;
    } steps[] = {{false, 6, 1, "4"}, {true, 6, 7, "7"}};
    for (const auto& step : steps) {
        box->SetChecked(step.Ticked);
        EXPECT_EQ(Form5->ThreadCount()->Enabled(), step.Ticked);
        Form5->ThreadCount()->SetItemIndex(step.ItemIndex);
        EXPECT_EQ(Form5->Options().ThreadCount, step.Threads);
        Form5->OkClick();
        EXPECT_EQ(TMemIniFile(Home.File("option.ini")).ReadString("Options", "Thread_Count", ""), step.Stored);
    }
}

TEST_F(MainWindowTest, TheOptionsDialogReachesStartAndCancelUndoes)
{
    Form5->Opening();
    Form5->ThreadCount()->SetItemIndex(4);
    Form5->PriorityRadio(TRunPriority::Lowest)->SetChecked(true);
    Form5->AfterDoneRadio(TAfterDone::PlaySound)->SetChecked(true);
    Form5->OkClick();
    TMemIniFile ini(Home.File("option.ini"));
    EXPECT_EQ(ini.ReadString("Options", "Thread_Count", ""), "5");
    EXPECT_EQ(ini.ReadString("Options", "Thread_Priority", ""), "1");
    EXPECT_EQ(ini.ReadString("Options", "After_Done", ""), "2");

    // Cancel puts back what the dialog showed when it opened, preview included.
    Form5->Opening();
    Form5->ThreadCount()->SetItemIndex(9);
    Form5->AfterDoneRadio(TAfterDone::Shutdown)->SetChecked(true);
    Form5->PreviewBox()->SetChecked(true);
    Form5->PreviewBox()->OnClick(Form5->PreviewBox());
    EXPECT_TRUE(Engine->Preview);
    Form5->CancelClick();
    EXPECT_FALSE(Engine->Preview);
    EXPECT_EQ(Form5->Options().AfterDone, TAfterDone::PlaySound);

    AddFile("a.wav");
    Form1->btnStartClick();
    EXPECT_EQ(Engine->StartedWith, 5);
    EXPECT_EQ(Engine->Priority, TThreadPriority::tpLowest);
    Engine->EndRun();
    EXPECT_TRUE(Actions.empty()); // no chime file in the test's program folder
    EXPECT_EQ(ShutdownQuestions, 0);
}

TEST_F(MainWindowTest, TheOptionsDialogsChoicesCountWhereTheyAreRead)
{
    ForceDirectories(Form1->Workflow().OutputFolder());
    testsupport::WriteFile(Form1->Workflow().OutputFolder() + "/tone.mp3", "an earlier result");
    AddFile("tone.wav");
    EXPECT_EQ(Form1->Workflow().Rows().Row(0).Sub(profiles::siOutputFileName), "tone_1.mp3");
    // Chosen in the dialog (OK or not), it reaches the next add.
    Form5->OverwriteRadio(true)->SetChecked(true);
    Form5->OverwriteRadio(false)->SetChecked(false);
    ForceDirectories(Media.File("again"));
    Choosers->Answers.push_back({Source("again/tone.wav")});
    Form1->btnAddClick();
    EXPECT_EQ(Form1->Workflow().Rows().Row(1).Sub(profiles::siOutputFileName), "tone.mp3");

    // An after-finish choice changed while a run goes on counts for it.
    Form5->AfterDoneRadio(TAfterDone::OpenFolder)->SetChecked(false);
    Form5->AfterDoneRadio(TAfterDone::Nothing)->SetChecked(true);
    Form1->btnStartClick();
    Form5->AfterDoneRadio(TAfterDone::Nothing)->SetChecked(false);
    Form5->AfterDoneRadio(TAfterDone::OpenFolder)->SetChecked(true);
    Engine->EndRun();
    EXPECT_EQ(Actions, std::vector<std::string>{"xdg-open " + Form1->Workflow().OutputFolder()});
}

TEST_F(MainWindowTest, WithoutTheLibrariesNoChooserOpens)
{
    Engine->LoadFails = true;
    Choosers->Answers.push_back({Source("a.wav")});
    Choosers->Answers.push_back({Source("b.wav")});
    Choosers->Answers.push_back({Media.Path()});
    Form1->btnAddClick();
    Form1->Button8Click();
    Form1->Button12Click();
    EXPECT_EQ(Choosers->Answers.size(), 3u) << "a chooser opened";
    EXPECT_TRUE(Form1->Workflow().Rows().Empty());
    EXPECT_EQ(Form1->Workflow().Log().back(), "libavcodec.so.59: cannot open shared object file");
}

TEST_F(MainWindowTest, RenamingInPlace)
{
    AddFile("one.wav");
    AddFile("two.wav");
    Form1->RenameClick(true);
    ASSERT_TRUE(Form1->RenameEdit()->Visible());
    EXPECT_EQ(Form1->RenameEdit()->GetText(), "two");
    Form1->RenameEdit()->SetText("one");
    Form1->edtExit();
    EXPECT_EQ(Boxes.size(), 1u); // taken by the other row
    EXPECT_EQ(Form1->Workflow().Rows().Row(1).Sub(profiles::siOutputFileName), "two.mp3");
    // The refused text does not stay over the row in an edit nobody types in.
    EXPECT_FALSE(Form1->RenameEdit()->Visible());
    Form1->RenameClick(true);
    EXPECT_EQ(Form1->RenameEdit()->GetText(), "two");
    Form1->RenameEdit()->SetText("song");
    Form1->edtExit();
    EXPECT_FALSE(Form1->RenameEdit()->Visible());
    EXPECT_EQ(Form1->Workflow().Rows().Row(1).Sub(profiles::siOutputFileName), "song.mp3");

    Form1->Workflow().Rows().SetItemIndex(-1);
    Form1->RenameClick(true);
    EXPECT_EQ(Boxes.back(), "提示: 请先选中您需要重命名的项目！");
    Form1->btnRemoveClick();
    EXPECT_EQ(Boxes.back(), "提示: 请先选择您需要删除的项目！");
}


// The model a skinned control reads its look from, and the index of its
// record in that model (-1: drawn without a skin).
skin::TbsSkinData* ModelOf(TComponent* AComponent)
{
    auto* control = dynamic_cast<skin::IbsSkinnedControl*>(AComponent);
    return control ? control->SkinData() : nullptr;
}

int RecordOf(TComponent* AComponent)
{
    if (auto* windowed = dynamic_cast<skin::TbsSkinLink<TCustomControl>*>(AComponent))
        return windowed->FIndex;
    if (auto* graphic = dynamic_cast<skin::TbsSkinLink<TGraphicControl>*>(AComponent))
        return graphic->FIndex;
    ADD_FAILURE() << "not a skinned control";
    return -1;
}

// The controls the second model draws, by owner: the main window's tool-bar
// buttons, start, stop and pause, skin chooser button and preset lists, and
// the options dialog's radios.
const char* const SecondModelOnMainWindow[] = {
    "bsSkinMenuSpeedButton1", "bsSkinButton7",   "bsSkinButton8",   "bsSkinButton19",  "bsSkinButton2",
    "bsSkinButton10",         "bsSkinButton11",  "bsSkinButton9",   "bsSkinComboBox1", "bsSkinComboBox2",
    "bsSkinComboBox3",        "bsSkinComboBox4", "bsSkinComboBox9", "bsSkinComboBox10"};
const char* const SecondModelOnOptions[] = {
    "bsSkinCheckRadioBox9", "bsSkinCheckRadioBox10", "bsSkinCheckRadioBox11", "bsSkinCheckRadioBox12",
    "bsSkinCheckRadioBox3", "bsSkinCheckRadioBox6",  "bsSkinCheckRadioBox1",  "bsSkinCheckRadioBox2",
    "bsSkinCheckRadioBox4", "bsSkinCheckRadioBox5"};
// A sample of what the first model draws.
const char* const FirstModelOnMainWindow[] = {"bsSkinToolBar2", "bsSkinButton12", "bsSkinButton24", "bsSkinButton5",
                                              "bsSkinButton6",  "bsSkinButton3",  "bsSkinButton21", "bsSkinPanel1",
                                              "bsSkinPanel4",   "bsSkinOfficeComboBox1", "bsSkinOfficeComboBox2"};
const char* const FirstModelOnOptions[] = {"bsSkinComboBox2", "bsSkinCheckRadioBox7", "bsSkinCheckRadioBox8",
                                           "bsSkinButton6", "bsSkinButton1"};

TEST_F(MainWindowTest, TheSecondSkinModelDrawsItsOwnControlsFromItsOwnList)
{
    skin::TbsSkinData* first = Form1->SkinData();
    skin::TbsSkinData* second = Form1->SkinData2();
    ASSERT_NE(second, nullptr);
    ASSERT_NE(second, first);
    EXPECT_EQ(second->Name(), "bsSkinData2");
    EXPECT_EQ(second->Owner(), Form1.get());
    // Its own list, holding the same one skin, loaded at item 0.
    ASSERT_NE(second->SkinList(), nullptr);
    EXPECT_NE(second->SkinList(), first->SkinList());
    EXPECT_EQ(second->SkinList()->Name(), "bsCompressedSkinList2");
    ASSERT_EQ(second->SkinList()->Skins().Count(), 1);
    EXPECT_EQ(second->SkinList()->Skins().Items(0)->Skin().CompressedStream().Data(),
              first->SkinList()->Skins().Items(0)->Skin().CompressedStream().Data());
    EXPECT_EQ(second->SkinIndex(), 0);
    EXPECT_FALSE(second->Empty());
    EXPECT_FALSE(first->Empty());

    const struct {
        TComponent* Owner;
        const char* const* Names;
        size_t Count;
        skin::TbsSkinData* Model;
    } groups[] = {{Form1.get(), SecondModelOnMainWindow, std::size(SecondModelOnMainWindow), second},
                  {Form5, SecondModelOnOptions, std::size(SecondModelOnOptions), second},
                  {Form1.get(), FirstModelOnMainWindow, std::size(FirstModelOnMainWindow), first},
                  {Form5, FirstModelOnOptions, std::size(FirstModelOnOptions), first}};
    for (const auto& g : groups)
        for (size_t i = 0; i < g.Count; ++i) {
            TComponent* control = g.Owner->FindComponent(g.Names[i]);
            ASSERT_NE(control, nullptr) << g.Names[i];
            EXPECT_EQ(ModelOf(control), g.Model) << g.Names[i];
            EXPECT_NE(RecordOf(control), -1) << g.Names[i] << " is drawn with a skin";
        }
    // The window as the user first sees it.
    Application()->ProcessMessages();
    SaveScreenshot(Form1->Handle(), PictureFile("main-window-two-skin-models.png"));
}

TEST_F(MainWindowTest, ChoosingASkinLeavesTheSecondModelsControlsAsTheyWere)
{
    // A second skin for the chooser: the program's skin without any control
    // records, so every control the first model draws loses its skin.
    skin::TbsCompressedSkinList* list = Form1->SkinData()->SkinList();
    {
        skin::TbsSkinData bare(nullptr);
        ASSERT_TRUE(bare.LoadCompressedStoredSkin(&list->Skins().Items(0)->Skin()).Ok());
        bare.CtrlList.clear();
        skin::TbsSkinListItem* item = list->Skins().Add();
        ASSERT_TRUE(item->Skin().LoadFromSkinData(bare).Ok());
        item->Description = "Bare";
    }
    int firstLoads = 0, secondLoads = 0;
    Form1->SkinData()->OnLoadData = [&](TObject*) { ++firstLoads; };
    Form1->SkinData2()->OnLoadData = [&](TObject*) { ++secondLoads; };

    dialogtest::TWhenModal pick([](TCustomForm* F) {
        auto* chooser = dynamic_cast<skin::TbsSelectSkinDlgForm*>(F);
        ASSERT_NE(chooser, nullptr);
        chooser->SkinsListBox->SetItemIndex(1);
        chooser->SLBOnChange(chooser->SkinsListBox);
        chooser->SetModalResult(mrOk);
    });
    Form1->bsSkinButton9Click();
    ASSERT_TRUE(pick.Done());
    Application()->ProcessMessages();

    EXPECT_EQ(Form1->SkinData()->SkinIndex(), 1);
    EXPECT_EQ(firstLoads, 1);
    EXPECT_EQ(Form1->SkinData2()->SkinIndex(), 0);
    EXPECT_EQ(secondLoads, 0) << "the chooser never loads the second model";
    EXPECT_EQ(TMemIniFile(Home.File("option.ini")).ReadString("Skin", "SetSkin", ""), "1");
    const struct {
        TComponent* Owner;
        const char* const* Names;
        size_t Count;
        skin::TbsSkinData* Model;
        bool Skinned;
    } groups[] = {
        {Form1.get(), SecondModelOnMainWindow, std::size(SecondModelOnMainWindow), Form1->SkinData2(), true},
        {Form5, SecondModelOnOptions, std::size(SecondModelOnOptions), Form1->SkinData2(), true},
        {Form1.get(), FirstModelOnMainWindow, std::size(FirstModelOnMainWindow), Form1->SkinData(), false},
        {Form5, FirstModelOnOptions, std::size(FirstModelOnOptions), Form1->SkinData(), false}};
    for (const auto& g : groups)
        for (size_t i = 0; i < g.Count; ++i) {
            TComponent* control = g.Owner->FindComponent(g.Names[i]);
            EXPECT_EQ(ModelOf(control), g.Model) << g.Names[i];
            EXPECT_EQ(RecordOf(control) != -1, g.Skinned) << g.Names[i];
        }
    SaveScreenshot(Form1->Handle(), PictureFile("main-window-after-choosing-a-bare-skin.png"));
}

TEST_F(MainWindowTest, TheDialogsLook)
{
    Form5->Show();
    Form5->SetClientSize(526, 464);
    Application()->ProcessMessages();
    EXPECT_EQ(Form5->ClientWidth(), 526);
    EXPECT_EQ(Form5->ClientHeight(), 464);
    EXPECT_EQ(Form5->Caption(), "选项");
    SaveScreenshot(Form5->Handle(), PictureFile("options-dialog-general.png"));
    Form5->ShowPage(0);
    Application()->ProcessMessages();
    SaveScreenshot(Form5->Handle(), PictureFile("options-dialog-cpu.png"));
    Form5->Hide();

    TForm2 about(Form1.get(), Form1->HelpPage());
    about.SkinWith(Form1->SkinData());
    about.Show();
    Application()->ProcessMessages();
    EXPECT_EQ(about.ClientWidth(), 368);
    EXPECT_EQ(about.ClientHeight(), 238);
    EXPECT_EQ(about.Caption(), "关于");
    SaveScreenshot(about.Handle(), PictureFile("about-box.png"));
}

TEST_F(TMainWindowFixture, StoredOptionsAreShownWhenTheDialogIsCreated)
{
    testsupport::WriteFile(Home.File("option.ini"), "[Options]\r\nThread_Count=7\r\nAfter_Done=x\r\nShow_Preview=1\r\n");
    auto engine = std::make_unique<apptest::TFakeEngine>();
    apptest::TFakeEngine* fake = engine.get();
    Create(std::move(engine));
    EXPECT_EQ(Form5->ThreadCount()->ItemIndex(), 6);
    EXPECT_TRUE(Form5->AfterDoneRadio(TAfterDone::OpenFolder)->Checked());
    // The stored live preview reaches the conversion component at start-up.
    EXPECT_TRUE(fake->Preview);
    TMemIniFile ini(Home.File("option.ini"));
    EXPECT_EQ(ini.ReadString("Options", "After_Done", ""), "0");
}

TEST(ShutdownCountdownTest, RunsOutWithoutAnAnswerAndSaysHowLongIsLeft)
{
    EXPECT_EQ(ShutdownCountdownText(60), "转换工作已经完成，计算机将在 60 秒后自动关闭。\n如果不想关闭计算机，请点击“取消”。");
    EXPECT_TRUE(RunShutdownCountdown(nullptr, 1));
}

// The box is the skin's "提示" message box: each second's tick lowers the
// count it shows, Cancel answers no, the last tick answers yes.
TEST_F(MainWindowTest, TheShutdownBoxIsTheSkinsMessageBoxCountingDown)
{
    const struct {
        const char* What;
        int Ticks;
        bool Cancel;
        int SecondsShown;
        bool Shutdown;
    } cases[] = {
        {"cancel at once", 0, true, 60, false},
        {"cancel after a second", 1, true, 59, false},
        {"the time runs out", 60, false, 1, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.What);
        std::string caption, text, button;
        skin::TbsSkinData* frameSkin = nullptr;
        dialogtest::TWhenModal act([&](TCustomForm* F) {
            auto* box = dynamic_cast<skin::TbsMessageForm*>(F);
            ASSERT_NE(box, nullptr);
            caption = box->Caption();
            frameSkin = box->BSF->SkinData();
            auto* timer = dynamic_cast<TTimer*>(box->FindComponent("CountdownTimer"));
            ASSERT_NE(timer, nullptr);
            // What the box shows once it has painted what is pending, as the
            // message loop does after each tick.
            auto shown = [&] {
                RedrawWindow(F->Handle(), nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
                return ControlPixels(F->Handle(), box->Message);
            };
            const std::vector<uint32_t> before = shown();
            for (int i = 0; i < c.Ticks; ++i)
                timer->OnTimer()(timer);
            text = box->Message->Caption();
            if (c.Ticks > 0) {
                EXPECT_NE(shown(), before) << "the new count is not on the screen";
            }
            auto* cancel = dynamic_cast<skin::TbsSkinButton*>(box->FindComponent("Cancel"));
            ASSERT_NE(cancel, nullptr);
            button = cancel->Caption();
            if (c.Ticks == 1)
                SaveScreenshot(F->Handle(), PictureFile("shutdown-countdown.png"));
            if (c.Cancel)
                dialogtest::Click(cancel);
        });
        EXPECT_EQ(RunShutdownCountdown(Form1->SkinData(), 60), c.Shutdown);
        ASSERT_TRUE(act.Done());
        EXPECT_EQ(caption, "提示");
        EXPECT_EQ(frameSkin, Form1->SkinData());
        EXPECT_EQ(text, ShutdownCountdownText(c.SecondsShown));
        EXPECT_EQ(button, "取消");
    }
}

// The file list is the skin's list view: its header drawn from the tool
// buttons' record, its rows in the platform's report style, and the two
// skinned bars beside it showing only while the rows can scroll that way.
TEST_F(MainWindowTest, TheFileListIsTheSkinsListViewWithItsBars)
{
    TTaskListView* list = Form1->TaskList();
    EXPECT_EQ(list->HeaderSkinDataName, "resizetoolbutton");
    EXPECT_FALSE(list->DrawSkin());
    EXPECT_FALSE(list->DrawSkinLines());
    EXPECT_EQ(list->SkinData(), Form1->SkinData());
    EXPECT_NE(list->SkinIndex(), -1);
    EXPECT_NE(list->HeaderHandle(), nullptr) << "the skin paints the header";
    skin::TbsSkinScrollBar* h = list->HScrollBar();
    skin::TbsSkinScrollBar* v = list->VScrollBar();
    ASSERT_NE(h, nullptr);
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(h->Kind(), sbHorizontal);
    EXPECT_EQ(v->Kind(), sbVertical);
    EXPECT_FALSE(v->Visible()) << "nothing to scroll down to yet";

    for (int i = 0; i < 14; ++i)
        AddFile("file" + IntToStr(i) + ".wav");
    Form1->SetClientSize(827, 489);
    Application()->ProcessMessages();
    EXPECT_TRUE(v->Visible()) << "14 rows do not fit";
    EXPECT_TRUE(h->Visible()) << "the shown columns are wider than the list";
    EXPECT_EQ(v->Max() - v->Min() + 1, 14);
    // Moving the bar scrolls the rows.
    v->SetPosition(0);
    EXPECT_EQ(list->TopIndex(), 0);
    const int last = v->Max() - v->PageSize() + 1;
    ASSERT_GT(last, 0);
    v->SetPosition(last);
    EXPECT_EQ(list->TopIndex(), last);
    Application()->ProcessMessages();
    SaveScreenshot(Form1->Handle(), PictureFile("main-window-with-rows.png"));

    // The wheel scrolls the rows, and the bar follows at the next paint.
    v->SetPosition(0);
    SendMessage(list->Handle(), WM_MOUSEWHEEL, WPARAM(uint16_t(int16_t(-WHEEL_DELTA))) << 16, 0);
    Application()->ProcessMessages();
    EXPECT_GT(list->TopIndex(), 0);
    EXPECT_EQ(v->Position(), list->TopIndex());
    SendMessage(list->Handle(), WM_MOUSEWHEEL, WPARAM(uint16_t(int16_t(WHEEL_DELTA))) << 16, 0);
    Application()->ProcessMessages();
    EXPECT_EQ(list->TopIndex(), 0);
    EXPECT_EQ(v->Position(), 0);
}

TEST_F(TMainWindowFixture, AnUnusableOptionFileNeverStopsTheProgramAndIsNamedInOneBox)
{
    const std::string name = Home.File("option.ini");
    const struct {
        const char* What;
        std::function<void()> Make;
        const char* Reason;
    } cases[] = {
        {"a folder", [&] { ForceDirectories(name); }, "Is a directory"},
        {"read-only with missing keys",
         [&] {
             std::filesystem::remove(name);
             testsupport::WriteFile(name, "[Options]\r\nAfter_Done=3\r\n");
             chmod(name.c_str(), 0444);
         },
         "Permission denied"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.What);
        Form5 = nullptr;
        Form1.reset();
        c.Make();
        Boxes.clear();
        Create(std::make_unique<apptest::TFakeEngine>());
        const std::string problem = "提示: Unable to write to " + name + ": " + c.Reason;
        EXPECT_EQ(Boxes, std::vector<std::string>{problem});
        EXPECT_EQ(Form1->OutputFolderEdit()->Text(), Home.Path() + "/Zarvelo视频软件/输出");

        // A choice that cannot be stored says so and stays in force.
        Form5->Opening();
        Form5->ThreadCount()->SetItemIndex(2);
        Form5->OkClick();
        EXPECT_EQ(Boxes, (std::vector<std::string>{problem, problem}));
        EXPECT_EQ(Form5->Options().ThreadCount, 3);
    }
}
