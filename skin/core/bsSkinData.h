#pragma once
// The skin model: one loaded skin in memory (pictures, frame geometry,
// window, object and control records) and the component that tells the
// application's forms when that skin changes.
//
// A skin is loaded transactionally: it is read and checked into a staging
// model first, and only a skin that was read whole replaces the current one
// and is announced to the forms. A skin that fails leaves the current skin
// in place, sends nothing and reports why.

#include "skin/core/bsSkinData_BarControls.h"
#include "skin/core/bsSkinData_EditControls.h"
#include "skin/core/bsSkinData_Objects.h"
#include "skin/core/bsSkinData_PanelControls.h"
#include "skin/core/bsSkinData_Pictures.h"
#include "skin/core/bsSkinData_ResStr.h"
#include "skin/core/bsSkinData_ViewControls.h"
#include "skin/core/bsSkinData_Windows.h"

#include "platform/core/Classes.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace skin {

class TbsCompressedStoredSkin;
class TbsCompressedSkinList;

// Messages the model sends to forms, each with the model as wParam and
// SKN_LPARAM as lParam.
constexpr unsigned SKN_BEFORESKINCHANGE = 1225;
constexpr unsigned SKN_SKINCHANGE = 1226;
constexpr unsigned SKN_AFTERSKINCHANGE = 1227;
constexpr unsigned SKN_UISTRINGSCHANGE = 1274;
constexpr unsigned SKN_SKINNABLEFORMCHANGE = 1294;
constexpr unsigned SKN_LAYEREDBORDERSCHANGE = 1427;
constexpr unsigned SKN_AEROBLURCHANGE = 1428;
constexpr intptr_t SKN_LPARAM = 1000;

// A form as the model sees it: something with a class name that takes a
// message at once (the window system's SendMessage to the form's window).
class IbsSkinMessageReceiver {
public:
    virtual ~IbsSkinMessageReceiver() = default;
    virtual std::string ReceiverClassName() const = 0;
    virtual void ReceiveSkinMessage(unsigned AMsg, intptr_t AWParam, intptr_t ALParam) = 0;
    // What the receiver stands for: two receivers of one form are one form.
    virtual const void* ReceiverIdentity() const { return this; }
};

// The application's forms in screen order. Without a provider the model
// sends to the forms of the application's screen (bsSkinData_FormList.h);
// a provider replaces them, for hosts without the window system.
using TbsSkinFormList = std::function<std::vector<IbsSkinMessageReceiver*>()>;
void SetSkinFormList(TbsSkinFormList AProvider);

// The border windows of layered frames never receive skin messages.
constexpr const char* LayerWindowClassName = "TbsFormLayerWindow";

enum class TbsSkinStatusCode : uint8_t {
    Done,            // loaded, saved or stored
    NotASkin,        // the INI file lacks one of the five required sections
    UnknownVersion,  // a stored skin newer than this program reads
    EmptyStoredSkin, // nothing stored
    Failed,          // the skin could not be read or written; see Message
};

struct TbsSkinStatus {
    TbsSkinStatusCode Code = TbsSkinStatusCode::Done;
    std::string Message; // why it failed or did nothing, naming the file
    bool Ok() const { return Code == TbsSkinStatusCode::Done; }
};

using TbsPictureList = std::vector<std::unique_ptr<TbsPicture>>;

// Everything a load replaces. Fields keep the names the form frame and the
// controls use.
struct TbsSkinContent {
    TbsSkinContent();

    std::string SkinName, SkinAuthor, AuthorURL, AuthorEmail, SkinComments;

    std::unique_ptr<TbsPicture> FPicture, FInActivePicture, FMask;
    std::string FPictureName, FInActivePictureName, FMaskName;
    // Picture index i of every record is FActivePictures[i].
    TbsPictureList FActivePictures;
    platform::TStringList FActivePicturesNames;

    std::vector<std::unique_ptr<TbsDataSkinObject>> ObjectList;
    std::vector<std::unique_ptr<TbsDataSkinControl>> CtrlList;

    std::unique_ptr<TbsDataSkinPopupWindow> PopupWindow;
    std::unique_ptr<TbsDataSkinLayerFrame> LayerFrame;
    std::unique_ptr<TbsDataSkinHintWindow> HintWindow;
    std::unique_ptr<TbsSkinColors> FSkinColors;

    // Frame geometry, in coordinates of FPicture ([FORMINFO]).
    TPoint LTPoint, RTPoint, LBPoint, RBPoint;
    TRect ClRect;
    int BGPictureIndex = -1;
    int MDIBGPictureIndex = -1;
    bool LeftStretch = false, TopStretch = false, RightStretch = false, BottomStretch = false;
    bool StretchEffect = false;
    TbsStretchType StretchType = bsstFull;
    bool MDIBGStretchEffect = false;
    TbsStretchType MDIBGStretchType = bsstFull;
    TRect MaskRectArea;
    TPoint HitTestLTPoint, HitTestRTPoint, HitTestLBPoint, HitTestRBPoint;
    TRect ButtonsRect;
    TRect CaptionRect;
    int ButtonsOffset = 0;
    bool CapButtonsInLeft = false;
    bool MainMenuPopupUp = false;
    int BorderW = 0;
    bool AutoRenderingInActiveImage = false;
    TbsInActiveEffect InActiveEffect = ieBrightness;
    int FormMinWidth = 0;
    int FormMinHeight = 0;
    bool MDITabsTransparent = false;
    bool MainMenuBarTransparent = false;
};

class TbsSkinData : public platform::TComponent, public TbsSkinContent {
public:
    explicit TbsSkinData(platform::TComponent* AOwner);
    ~TbsSkinData() override;

    // Options read by the form frame, the controls and the dialogs.
    bool DlgTreeViewDrawSkin = true;
    std::string DlgTreeViewItemSkinDataName = "listbox";
    bool DlgListViewDrawSkin = true;
    std::string DlgListViewItemSkinDataName = "listbox";
    bool AnimationForAllWindows = false;
    bool EnableSkinEffects = true;
    bool ShowButtonGlowFrames = true;
    bool ShowCaptionButtonGlowFrames = true;
    // Fired at the end of every successful load, before SKN_SKINCHANGE.
    platform::TNotifyEvent OnLoadData;

    bool SkinnableForm() const { return FSkinnableForm; }
    void SetSkinnableForm(bool AValue);
    bool ShowLayeredBorders() const { return FShowLayeredBorders; }
    void SetShowLayeredBorders(bool AValue);
    bool AeroBlurEnabled() const { return FAeroBlurEnabled; }
    void SetAeroBlurEnabled(bool AValue);
    TbsResourceStrData* ResourceStrData() const { return FResourceStrData; }
    void SetResourceStrData(TbsResourceStrData* AValue);

    // The skin sources. Each setter answers the status of the load it ran,
    // or Done when it loaded nothing. Unless designing, setting a stored
    // skin loads it; setting a list loads item SkinIndex when that index is
    // inside the list; setting SkinIndex to another index inside the list
    // loads that item (without a list any index is stored, with one an index
    // outside it is ignored).
    TbsCompressedStoredSkin* CompressedStoredSkin() const { return FCompressedStoredSkin; }
    TbsSkinStatus SetCompressedStoredSkin(TbsCompressedStoredSkin* AValue);
    TbsCompressedSkinList* SkinList() const { return FSkinList; }
    TbsSkinStatus SetSkinList(TbsCompressedSkinList* AValue);
    int SkinIndex() const { return FSkinIndex; }
    TbsSkinStatus SetSkinIndex(int AValue);

    const TbsSkinColors& SkinColors() const { return *FSkinColors; }
    // True after creation, while a change is announced and after a clear.
    bool Empty() const { return FEmpty; }
    // True from the first to the last change message of a load.
    bool ChangeSkinDataProcess() const { return FChangeSkinDataProcess; }

    // Index of the first record named exactly AIDName, or -1.
    int GetIndex(const std::string& AIDName) const;
    int GetControlIndex(const std::string& AIDName) const;

    void SendSkinDataMessage(unsigned AMsg);

    void ClearObjects();
    void ClearAll();
    void ClearSkin();

    // Loads the skin folder whose INI file is AFileName.
    TbsSkinStatus LoadFromFile(const std::string& AFileName);
    // Loads the skin a stored skin holds (EmptyStoredSkin when none;
    // UnknownVersion for a newer payload; Failed, naming what, for damaged
    // data). Nothing is announced unless the whole skin was read.
    TbsSkinStatus LoadCompressedStoredSkin(TbsCompressedStoredSkin* AStoredSkin);
    TbsSkinStatus LoadFromCompressedFile(const std::string& AFileName);
    TbsSkinStatus SaveToCompressedFile(const std::string& AFileName);
    // Writes the skin INI file, keeping the file's other sections.
    TbsSkinStatus SaveToFile(const std::string& AFileName);
    // Writes the INI file and every picture beside it; checks everything
    // and writes nothing when any of it cannot be written.
    TbsSkinStatus StoreToDisk(const std::string& AFileName);

    // Runs a load whose reader fills the staging model AStaging; the
    // readers of other skin carriers use it too.
    TbsSkinStatus LoadSkin(const std::function<TbsSkinStatus(TbsSkinData& AStaging)>& AReader);

    // Appends the picture of AFileName to the active pictures; changes
    // nothing when it cannot be read.
    TbsSkinStatus AddBitMap(const std::string& AFileName);
    void DeleteBitMap(int AIndex);

    // Replaces the font name and adds AFontHeightCorrection to the height of
    // every font the loaded skin defines. Sends nothing.
    void GlobalChangeFont(const std::string& ANewFontName, int AFontHeightCorrection);

    // Section readers and writers.
    static bool IsSkinIniFile(const TCustomIniFile& AIniFile);
    // Without ALoadPictures only the picture names are read (the compressed
    // reader has read the pictures themselves before).
    void ReadSkinIni(const TCustomIniFile& AIniFile, const std::string& AFolder, bool ALoadPictures = true);
    void WriteSkinIni(TCustomIniFile& AIniFile);
    static void SplitSkinListEntry(const std::string& AText, std::string& AIDName, std::string& AKind);

protected:
    void Notification(platform::TComponent* AComponent, platform::TOperation AOperation) override;

private:
    void ReadActivePictures(const TCustomIniFile& AIniFile, const std::string& AFolder, bool ALoadPictures);
    void ReadFormInfo(const TCustomIniFile& AIniFile);
    void ReadSkinObjects(const TCustomIniFile& AIniFile);
    void ReadSkinControls(const TCustomIniFile& AIniFile);
    void WriteActivePicturesNames(TCustomIniFile& AIniFile);
    void WriteFormInfo(TCustomIniFile& AIniFile);
    void WriteSkinObjects(TCustomIniFile& AIniFile);
    void WriteSkinControls(TCustomIniFile& AIniFile);
    void DescribeFormInfo(TbsSkinKeys& AKeys);
    void SendUnlessLoading(unsigned AMsg);
    // Points a reference at another component, moving the free notification.
    template <typename TSource>
    void ChangeReference(TSource*& AReference, TSource* AValue)
    {
        if (AReference)
            AReference->RemoveFreeNotification(this);
        AReference = AValue;
        if (AReference)
            AReference->FreeNotification(this);
    }

    bool FSkinnableForm = true;
    bool FShowLayeredBorders = true;
    bool FAeroBlurEnabled = true;
    TbsResourceStrData* FResourceStrData = nullptr;
    TbsCompressedStoredSkin* FCompressedStoredSkin = nullptr;
    TbsCompressedSkinList* FSkinList = nullptr;
    int FSkinIndex = 0;
    bool FEmpty = true;
    bool FChangeSkinDataProcess = false;
};

// The active picture AIndex of the model, nil when there is none.
TbsPicture* ActivePicture(TbsSkinData& AData, int AIndex);

} // namespace skin
