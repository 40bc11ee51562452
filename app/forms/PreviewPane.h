#pragma once
// The "视频预览" group of the main window: the selected row's source plays
// paused in a real X child window of Panel6, with a position slider, play,
// pause, stop, mute and snapshot buttons and the snapshot menu.

#include "app/workflow/OptionFile.h"

#include "platform/controls/ExtCtrls.h"
#include "platform/controls/Menus.h"

#include <memory>
#include <string>

namespace engine {
class TCustomPlayer;
}
namespace skin {
class TbsSkinPanel;
class TbsSkinSlider;
class TbsSkinButton;
} // namespace skin

namespace app {

class TForm1;
class TConverterWorkflow;

// Writes a picture in the format its file extension names: ".jpg" or
// ".jpeg" JPEG, ".gif" GIF, ".png" PNG, anything else BMP.
void SavePicture(platform::TBitmap& ABitmap, const std::string& AFileName);

class TPreviewPane {
public:
    TPreviewPane(TForm1& AForm, TConverterWorkflow& AWorkflow, TOptionFile& AOptionFile);
    ~TPreviewPane();

    // Opens a file paused on its first picture (Button31's routine).
    void Open(const std::string& AFileName);
    // Stops the player, waiting for its threads; the slider goes to 0.
    void Stop();
    // The window closes: the player's events are detached and it stops.
    void Detach();

    void PlayClick();
    void PauseClick();
    void StopClick();   // stop and reopen at the start
    void MuteClick(bool AMute);
    // Saves the picture shown; the file's name, or empty when none was saved.
    std::string SnapshotClick();
    // Saves the picture shown under a name the user gives, encoded as that
    // name's extension says; the name, or empty when nothing was saved.
    std::string CaptureClick();
    // The duration of the file open, µs; 0 before one is open.
    int64_t Duration() const { return FDuration; }
    void SliderReleased();

    engine::TCustomPlayer* Player() { return FPlayer.get(); }
    skin::TbsSkinSlider* Slider() { return FSlider; }
    platform::TPanel* Screen() { return FScreen; }
    platform::TPopupMenu* SnapshotMenu() { return FSnapshotMenu; }
    // Ticks the stored picture type's item, writing the default when needed.
    void FollowPictureType();

private:
    void CreateControls();
    void CreateSnapshotMenu();
    bool EnsureLibraries();
    // Seeks to the knob's place and plays on from there.
    void SeekToSlider();
    void Log(const std::string& ALine);
    bool SaveFrame(platform::TBitmap& APicture, const std::string& AFileName);

    TForm1& FForm;
    TConverterWorkflow& FWorkflow;
    TOptionFile& FOptionFile;
    std::unique_ptr<engine::TCustomPlayer> FPlayer;
    skin::TbsSkinPanel* FGroup = nullptr;
    platform::TPanel* FScreen = nullptr;  // Panel6
    platform::TImage* FLogo = nullptr;    // Image18
    skin::TbsSkinSlider* FSlider = nullptr;
    skin::TbsSkinButton* FMuteOn = nullptr;
    skin::TbsSkinButton* FMuteOff = nullptr;
    skin::TbsSkinButton* FSettings = nullptr;   // "设置": the snapshot menu
    platform::TPopupMenu* FSnapshotMenu = nullptr;
    platform::TMenuItem* FTypeItems[4] = {};
    std::string FFileName;
    int64_t FDuration = 0;
    bool FSliderHeld = false;
};

} // namespace app
