#include "app/forms/PreviewPane.h"

#include "app/forms/ProgramPictures.h"
#include "app/forms/Unit1.h"
#include "app/workflow/Snapshots.h"

#include "engine/player/FFPlay.h"
#include "engine/probe/AVProbe.h"
#include "skin/controls/bsSkinCtrls_Button.h"
#include "skin/controls/bsSkinCtrls_Panel.h"
#include "skin/controls/bsSkinCtrls_Slider.h"
#include "skin/form/bsSkinMenus.h"

#include "platform/core/Format.h"
#include "platform/core/SysUtils.h"
#include "platform/gfx/GifImg.h"
#include "platform/gfx/Jpeg.h"
#include "platform/gfx/PngImage.h"
#include "platform/shell/ShellExecute.h"
#include "platform/ui/Input.h"
#include "platform/ui/Window.h"

#include <cstring>

namespace app {

using namespace platform;

namespace {

constexpr int SliderLength = 218;
const char* const CaptureFilter = "Bitmaps (*.bmp)|*.bmp|JPEG Image File |*.jpg;*.jpeg";

// A copy of the player's picture as a 24-bit bitmap.
std::unique_ptr<TBitmap> CopyFrame(engine::TFrameBitmap* AFrame)
{
    auto bmp = std::make_unique<TBitmap>();
    if (!AFrame || AFrame->Width() <= 0 || AFrame->Height() <= 0)
        return bmp;
    bmp->SetPixelFormat(pf24bit);
    bmp->SetSize(AFrame->Width(), AFrame->Height());
    const int bytes = AFrame->Width() * 3;
    for (int y = 0; y < AFrame->Height(); ++y)
        std::memcpy(bmp->ScanLine(y), AFrame->ScanLine(y), size_t(bytes));
    return bmp;
}

} // namespace

void SavePicture(TBitmap& ABitmap, const std::string& AFileName)
{
    const std::string ext = LowerCase(ExtractFileExt(AFileName));
    std::unique_ptr<TGraphic> image;
    if (ext == ".jpg" || ext == ".jpeg")
        image = std::make_unique<TJPEGImage>();
    else if (ext == ".gif")
        image = std::make_unique<TGIFImage>();
    else if (ext == ".png")
        image = std::make_unique<TPngImage>();
    if (!image) {
        ABitmap.SaveToFile(AFileName);
        return;
    }
    image->Assign(&ABitmap);
    image->SaveToFile(AFileName);
}

TPreviewPane::TPreviewPane(TForm1& AForm, TConverterWorkflow& AWorkflow, TOptionFile& AOptionFile)
    : FForm(AForm), FWorkflow(AWorkflow), FOptionFile(AOptionFile),
      FPlayer(std::make_unique<engine::TDOVozori>(nullptr))
{
    FPlayer->SetAudioVolume(engine::MaxAudioVolume);
    FPlayer->OnFileOpen = [this](TObject*, int64_t ADuration, int AWidth, int AHeight, int& AScreenWidth,
                                 int& AScreenHeight) {
        if (engine::TAVProbe* probe = FPlayer->AVProbe())
            Log(probe->FileInfoText());
        Log(Format("duration: %f, frame size: %dx%d", double(ADuration) / 1000000.0, AWidth, AHeight));
        AScreenWidth = FScreen->Width();
        AScreenHeight = FScreen->Height();
        FDuration = ADuration;
        FSlider->SetIncrement(5);
        FSlider->SetMaxValue(SliderLength);
        FSlider->SetValue(0);
    };
    FPlayer->OnPosition = [this](TObject*, int64_t APTS) {
        if (!FSliderHeld && APTS >= 0 && FDuration > 0)
            FSlider->SetValue(SliderValueOfTime(APTS, FDuration, FSlider->MaxValue()));
    };
    FPlayer->OnState = [this](TObject*, engine::TPlayState AState) {
        static const char* const names[] = {"Play", "Pause", "Resume", "Step", "Stop", "End"};
        Log(names[int(AState)]);
        // While it plays the window may stay above the others (the developer
        // box "Stay On Top"); paused, stepped or stopped it is a normal window.
        if (AState == engine::psPlay || AState == engine::psResume) {
            if (FForm.StayOnTopBox()->Checked())
                FForm.SetFormStyle(fsStayOnTop);
        } else if (AState != engine::psEnd) {
            FForm.SetFormStyle(fsNormal);
        }
        if (AState == engine::psStop) {
            FScreen->Invalidate();
            FScreen->Update();
        } else if (AState == engine::psEnd) {
            FPlayer->Seek(int64_t(0), engine::TSeekFlags{engine::sfAny}, false);
            FPlayer->Pause();
        }
    };
    CreateControls();
}

TPreviewPane::~TPreviewPane()
{
    Detach();
}

void TPreviewPane::Log(const std::string& ALine)
{
    FForm.Log()->Lines()->Add(ALine);
}

void TPreviewPane::CreateControls()
{
    FGroup = new skin::TbsSkinPanel(&FForm);
    FGroup->SetName("bsSkinPanel3");
    FGroup->SetSkinDataName("groupbox");
    FGroup->SetCaptionMode(true);
    FGroup->SetCaption("视频预览");
    FGroup->SetBounds(584, 99, 226, 261);
    FGroup->SetParent(&FForm);

    FScreen = new TPanel(&FForm);
    FScreen->SetName("Panel6");
    FScreen->SetCaption("");
    FScreen->SetBevelOuter(bvNone);
    FScreen->SetColor(clBtnText);
    FScreen->SetBounds(591, 131, 210, 135);
    FScreen->SetParent(&FForm);
    FLogo = new TImage(&FForm);
    FLogo->SetName("Image18");
    FLogo->SetBounds(0, 0, 210, 135);
    auto logo = MakeLogo(210, 135, TColor(0x202020));
    FLogo->Picture()->Assign(logo.get());
    FLogo->SetParent(FScreen);

    FSlider = new skin::TbsSkinSlider(&FForm);
    FSlider->SetName("bsSkinSlider1");
    FSlider->SetBounds(3, 173, 218, 31);
    FSlider->SetSkinDataName("slider");
    // A seek bar: no ticks, the group's background under it, the skin's knob.
    FSlider->SetOptions(skin::SliderOption(skin::soShowFocus) | skin::SliderOption(skin::soSmooth));
    FSlider->SetTransparent(true);
    FSlider->UseSkinThumb = true;
    FSlider->SetParent(FGroup);
    FSlider->SetMaxValue(SliderLength);
    FSlider->OnMouseDown = [this](TObject*, TMouseButtonKind, TShiftState, int, int) {
        FSliderHeld = true;
        FPlayer->Pause();
    };
    FSlider->OnMouseUp = [this](TObject*, TMouseButtonKind, TShiftState, int, int) { SliderReleased(); };
    // A step by the keys moves the knob too: playback goes there and plays
    // on, as after a drag (whose change is the release's to seek).
    FSlider->OnChanged = [this](TObject*) {
        if (!FSliderHeld)
            SeekToSlider();
    };

    const struct {
        const char* Name;
        const char* Hint;
        int Left;
        TGlyph Glyph;
    } buttons[] = {
        {"bsSkinButton13", "播放", 8, TGlyph::Play},       {"bsSkinButton14", "暂停", 45, TGlyph::PreviewPause},
        {"bsSkinButton15", "停止", 79, TGlyph::PreviewStop}, {"bsSkinButton16", "静音", 115, TGlyph::MuteOn},
        {"bsSkinButton20", "静音", 115, TGlyph::MuteOff},    {"bsSkinButton22", "快照", 151, TGlyph::Snapshot},
        {"bsSkinButton23", "设置", 187, TGlyph::Settings},
    };
    static std::vector<std::unique_ptr<TBitmap>> glyphs;
    for (const auto& b : buttons) {
        auto* button = new skin::TbsSkinButton(&FForm);
        button->SetName(b.Name);
        button->SetSkinDataName("resizetoolbutton");
        button->UseSkinSize = false;
        button->SetBounds(b.Left, 204, 30, 30);
        button->Hint = b.Hint;
        button->ShowHint = true;
        glyphs.push_back(MakeGlyph(b.Glyph, 20));
        button->SetGlyph(glyphs.back().get());
        button->SetParent(FGroup);
        switch (b.Glyph) {
        case TGlyph::Play: button->OnClick = [this](TObject*) { PlayClick(); }; break;
        case TGlyph::PreviewPause: button->OnClick = [this](TObject*) { PauseClick(); }; break;
        case TGlyph::PreviewStop: button->OnClick = [this](TObject*) { StopClick(); }; break;
        case TGlyph::MuteOn: FMuteOn = button; button->OnClick = [this](TObject*) { MuteClick(true); }; break;
        case TGlyph::MuteOff:
            FMuteOff = button;
            button->SetVisible(false);
            button->OnClick = [this](TObject*) { MuteClick(false); };
            break;
        case TGlyph::Snapshot: button->OnClick = [this](TObject*) { SnapshotClick(); }; break;
        default:
            FSettings = button;
            button->OnClick = [this](TObject*) { FollowPictureType(); };
            button->OnMouseDown = [this](TObject*, TMouseButtonKind AButton, TShiftState, int, int) {
                if (AButton != mbLeft)
                    return;
                const TPoint at = GetCursorPos();
                FSnapshotMenu->Popup(at.X, at.Y);
            };
            break;
        }
    }
    // A full-screen button the group keeps hidden; it has no action.
    auto* fullScreen = new skin::TbsSkinButton(&FForm);
    fullScreen->SetName("bsSkinButtonFullScreen");
    fullScreen->SetCaption("全屏");
    fullScreen->UseSkinSize = false;
    fullScreen->SetBounds(8, 238, 60, 20);
    fullScreen->SetVisible(false);
    fullScreen->SetParent(FGroup);
    CreateSnapshotMenu();
    FSettings->SetPopupMenu(FSnapshotMenu);
}

void TPreviewPane::CreateSnapshotMenu()
{
    FSnapshotMenu = new skin::TbsSkinPopupMenu(&FForm);
    FSnapshotMenu->SetName("bsSkinPopupMenu2");
    auto add = [this](TMenuItem* AParent, const char* AName, const char* ACaption, TNotifyEvent AClick) {
        auto* item = new TMenuItem(&FForm);
        item->SetName(AName);
        item->Caption = ACaption;
        item->OnClick = std::move(AClick);
        AParent->Add(item);
        return item;
    };
    add(FSnapshotMenu->Items(), "MenuItem1", "打开快照目录", [this](TObject*) {
        ShellOpenFolder(FOptionFile.ReadSnapshotFolder());
    });
    add(FSnapshotMenu->Items(), "MenuItem2", "设置快照目录", [this](TObject*) {
        const std::string folder = FForm.Choosers->ChooseFolder("选择输出目录", FOptionFile.ReadSnapshotFolder());
        FOptionFile.WriteSnapshotFolder(folder);
    });
    add(FSnapshotMenu->Items(), "MenuItem3", "-", nullptr);
    TMenuItem* types = add(FSnapshotMenu->Items(), "N27", "快照保存类型", nullptr);
    const char* const names[] = {"BMP1", "JPG1", "GIF1", "PNG1"};
    const char* const captions[] = {"BMP文件", "JPG文件", "GIF文件", "PNG文件"};
    for (int i = 0; i < 4; ++i) {
        TMenuItem* item = add(types, names[i], captions[i], [this, i](TObject*) {
            FOptionFile.WritePictureType(TPictureType(i));
        });
        item->RadioItem = true;
        item->GroupIndex = 1;
        FTypeItems[i] = item;
    }
    FTypeItems[0]->SetChecked(true);
}

void TPreviewPane::FollowPictureType()
{
    FTypeItems[int(FOptionFile.ReadPictureType())]->SetChecked(true);
}

bool TPreviewPane::EnsureLibraries()
{
    if (FPlayer->AVLibLoaded() || FPlayer->LoadAVLib(""))
        return true;
    Log(FPlayer->LastErrMsg());
    return false;
}

void TPreviewPane::Open(const std::string& AFileName)
{
    FFileName = AFileName;
    if (!EnsureLibraries())
        return;
    // The video goes into a real X window inside Panel6. Without one (no
    // display) the player would open a window of its own: preview nothing.
    const uintptr_t screen = GetNativeChildWindow(FScreen->Handle());
    if (screen == 0) {
        Log("No window to preview " + AFileName + " in.");
        return;
    }
    static const engine::TVideoDriver videoDrivers[] = {engine::vdDefault, engine::vdDirectDraw, engine::vdGDI};
    static const engine::TAudioDriver audioDrivers[] = {engine::adDefault, engine::adDirectSound, engine::adWaveOut};
    const int video = FForm.VideoDriverList()->ItemIndex(), audio = FForm.AudioDriverList()->ItemIndex();
    FPlayer->VideoDriver = video == 1 || video == 2 ? videoDrivers[video] : engine::vdDefault;
    FPlayer->AudioDriver = audio == 1 || audio == 2 ? audioDrivers[audio] : engine::adDefault;
    if (!FPlayer->Open(AFileName, (unsigned long)screen, FForm.OpenPausedBox()->Checked()))
        Log(FPlayer->LastErrMsg());
}

void TPreviewPane::Stop()
{
    FPlayer->Stop(true);
    FSlider->SetValue(0);
}

void TPreviewPane::Detach()
{
    if (!FPlayer)
        return;
    FPlayer->ClearEventHandlers();
    FPlayer->OnFileOpen = nullptr;
    FPlayer->Stop(true);
}

void TPreviewPane::PlayClick()
{
    FPlayer->Resume();
    FForm.FileList()->SetFocus();
}

void TPreviewPane::PauseClick()
{
    FPlayer->Pause();
    FForm.FileList()->SetFocus();
}

void TPreviewPane::StopClick()
{
    if (FWorkflow.Rows().ItemIndex() < 0)
        return;
    try {
        FPlayer->Stop(true);
        Open(FFileName);
        FForm.FileList()->SetFocus();
    } catch (const std::exception&) {
        FPlayer->Stop(true);
    }
}

void TPreviewPane::MuteClick(bool AMute)
{
    FPlayer->SetMute(AMute);
    FMuteOff->SetVisible(AMute);
    FMuteOn->SetVisible(!AMute);
}

void TPreviewPane::SliderReleased()
{
    SeekToSlider();
    FSliderHeld = false;
}

// Playback always goes on after a seek, also when it was paused before.
void TPreviewPane::SeekToSlider()
{
    FPlayer->Pause();
    FPlayer->Seek(TimeOfSliderValue(FSlider->Value(), FSlider->MaxValue(), FDuration), engine::TSeekFlags{}, false);
    FPlayer->Resume();
}

std::string TPreviewPane::SnapshotClick()
{
    std::unique_ptr<TBitmap> picture = CopyFrame(FPlayer->CurrentFrame());
    const std::string folder = FOptionFile.ReadSnapshotFolder();
    const TPictureType type = FOptionFile.ReadPictureType();
    FTypeItems[int(type)]->SetChecked(true);
    if (picture->Width() <= 0)
        return std::string();
    // Named after the file the player shows, whatever was added since.
    const std::string source = FPlayer->FileName().empty() ? FFileName : FPlayer->FileName();
    const std::string name = NextSnapshotName(folder, source, PictureTypeExt(type));
    return SaveFrame(*picture, name) ? name : std::string();
}

std::string TPreviewPane::CaptureClick()
{
    std::unique_ptr<TBitmap> picture = CopyFrame(FPlayer->CurrentFrame());
    if (picture->Width() <= 0)
        return std::string();
    const std::string name = FForm.Choosers->ChoosePictureName(CaptureFilter, "bmp");
    if (name.empty())
        return std::string();
    return SaveFrame(*picture, name) ? name : std::string();
}

bool TPreviewPane::SaveFrame(TBitmap& APicture, const std::string& AFileName)
{
    try {
        SavePicture(APicture, AFileName);
    } catch (const std::exception& E) {
        FForm.ShowTaskError(std::string("快照保存失败：") + AFileName + "\n" + E.what());
        return false;
    }
    return true;
}

} // namespace app
