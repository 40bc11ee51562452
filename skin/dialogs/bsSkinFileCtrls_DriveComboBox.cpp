#include "skin/dialogs/bsSkinFileCtrls.h"

#include "skin/dialogs/bsDialogPictures.h"
#include "skin/dialogs/bsSkinFilterComboBox_Paths.h"

#include "platform/core/SysUtils.h"

namespace skin {

using namespace platform;

TbsSkinDriveComboBox::TbsSkinDriveComboBox(TComponent* AOwner) : TbsSkinComboBox(AOwner)
{
    OnChange = [this](TObject*) { SelectedDriveChanged(); };
    TbsDrawSkinItemEvent draw = [this](TCanvas* C, int Index, int, int, TRect TxtRect, TOwnerDrawState) {
        DrawDriveItem(C, Index, TxtRect);
    };
    SetOnListBoxDrawItem(draw);
    OnComboBoxDrawItem = draw;
    for (auto [bitmap, name] : {std::pair{&FloppyBMP, "BS_FLOPPY"}, std::pair{&FixedBMP, "BS_HARD"},
                                std::pair{&NetworkBMP, "BS_NETWORK"}, std::pair{&CDROMBMP, "BS_CDROM"},
                                std::pair{&RAMBMP, "BS_RAM"}}) {
        *bitmap = std::make_unique<TBitmap>();
        LoadControlBitmap(name, **bitmap);
    }
    TVolumeInfo volume;
    if (VolumeOfPath(GetCurrentDir(), volume, VolumeSources))
        FDrive = volume.MountPoint;
}

TbsSkinDriveComboBox::~TbsSkinDriveComboBox()
{
    if (FDirList)
        FDirList->FDriveCombo = nullptr;
    // The lines point at the bitmaps, which go first.
    Items()->Clear();
}

void TbsSkinDriveComboBox::CreateWnd()
{
    TbsSkinComboBox::CreateWnd();
    FillDriveList();
    SetDrive(FDrive);
}

void TbsSkinDriveComboBox::Notification(TComponent* AComponent, TOperation AOperation)
{
    TbsSkinComboBox::Notification(AComponent, AOperation);
    if (AOperation == opRemove && AComponent == FDirList)
        FDirList = nullptr;
}

void TbsSkinDriveComboBox::SetDirList(TbsSkinDirectoryListBox* AValue)
{
    if (FDirList && FDirList != AValue)
        FDirList->FDriveCombo = nullptr;
    ChangeReference(this, FDirList, AValue);
    if (FDirList)
        FDirList->FDriveCombo = this;
}

TBitmap* TbsSkinDriveComboBox::BitmapOf(int AKind) const
{
    switch (AKind) {
    case dkRemovable: return FloppyBMP.get();
    case dkRemote: return NetworkBMP.get();
    case dkCDRom: return CDROMBMP.get();
    case dkRamDisk: return RAMBMP.get();
    default: return FixedBMP.get();
    }
}

void TbsSkinDriveComboBox::FillDriveList()
{
    Items()->Clear();
    FLineDrives.clear();
    for (const TVolumeInfo& volume : ListVolumes(VolumeSources)) {
        const TbsDriveKind kind = bsDriveKind(volume);
        // A removable medium is not asked for its label, so a slow stick
        // or an empty reader is not touched.
        std::string label;
        if (kind == dkRemote)
            label = bsDriveRemoteName(volume);
        else if (kind != dkRemovable)
            label = bsVolumeLabel(volume);
        label = FTextCase == tcUpperCase ? UpperCase(label) : LowerCase(label);
        Items()->AddObject(label.empty() ? volume.MountPoint : volume.MountPoint + " " + label, BitmapOf(kind));
        FLineDrives.push_back(volume.MountPoint);
    }
}

std::string TbsSkinDriveComboBox::DriveOfLine(int AIndex) const
{
    return AIndex >= 0 && AIndex < int(FLineDrives.size()) ? FLineDrives[size_t(AIndex)] : std::string();
}

void TbsSkinDriveComboBox::SetDrive(const std::string& AValue)
{
    if (ItemIndex() >= 0 && AValue == FDrive)
        return;
    FDrive = AValue;
    if (AValue.empty()) {
        SetItemIndex(-1);
    } else {
        for (size_t i = 0; i < FLineDrives.size(); ++i)
            if (FLineDrives[i] == AValue) {
                SetItemIndex(int(i));
                break;
            }
    }
    if (FDirList)
        FDirList->SwitchDrive(FDrive);
    Change();
}

void TbsSkinDriveComboBox::SetTextCase(TTextCase AValue)
{
    FTextCase = AValue;
    FillDriveList();
    SetDrive(FDrive);
}

void TbsSkinDriveComboBox::SelectedDriveChanged()
{
    if (ItemIndex() >= 0)
        SetDrive(DriveOfLine(ItemIndex()));
}

void TbsSkinDriveComboBox::DrawDriveItem(TCanvas* C, int Index, TRect TxtRect)
{
    if (Index < 0 || Index >= Items()->Count())
        return;
    int w = 0;
    if (auto* bitmap = dynamic_cast<TBitmap*>(Items()->Objects(Index))) {
        C->Draw(TxtRect.Left, (TxtRect.Top + TxtRect.Bottom - bitmap->Height()) / 2, bitmap);
        w = bitmap->Width();
    }
    C->Brush()->SetStyle(bsClear);
    C->TextOut(TxtRect.Left + w + 6, TxtRect.Top + TxtRect.Height() / 2 - C->TextHeight("Wg") / 2,
               Items()->Strings(Index));
}

} // namespace skin
