#include "app/forms/FileChoosers.h"

#include "skin/dialogs/bsSkinOpenDialog.h"
#include "skin/dialogs/bsSkinSelectDirectoryDialog.h"

#include "platform/controls/StdCtrls.h"
#include "platform/core/SysUtils.h"

namespace app {

using namespace platform;

const std::string& MediaFileFilter()
{
    static const std::string filter = std::string("所有文件格式 (*.*)|*.*|") +
        "支持的视频/音频文件格式|*.AVI;*.ASF;*.asx;*.WMV;*.AVS;*.FLV;*.MKV;*.MOV;*.3GP;*.MP4;*.MPG;*.MPEG;*.DAT;*.OGM;*.VOB;*.RM;*.RMVB;*.TS;*.TP;*.IFO;*.NSV;*.MP3;*.AAC;*.WAV;*.WMA;*.CDA;*.SWF;" +
        "*.FLAC;*.M4A;*.MID;*.MKA;*.MP2;*.MPA;*.MPC;*.APE;*.OFR;*.OGG;*.RA;*.WV;*.TTA;*.AC3;*.DTS;*.DV;*.m4v;*.3g2;*.mkv;*.dv;*.yuv;*.h261;*.h264;*.mjpeg;*.dif;*.m4v;*.3gpp;*.3gp2;*.qt|" +
        "支持的视频文件格式|*.AVI;*.ASF;*.asx;*.WMV;*.AVS;*.FLV;*.MKV;*.MOV;*.3GP;*.MP4;*.MPG;*.MPEG;*.DAT;*.OGM;*.VOB;*.RM;*.RMVB;*.TS;*.TP;*.IFO;*.NSV;*.SWF;*.WV;*.TTA;*.AC3;*.DTS;*.DV;*.m4v;*.3g2;*.mkv;*.dv;*.yuv;*.h261;*.h264;*.mjpeg;*.dif;*.m4v;*.3gpp;*.3gp2;*.qt|" +
        "支持的音频文件格式|*.MP3;*.AAC;*.WAV;*.WMA;*.CDA;*.FLAC;*.M4A;*.MID;*.MKA;*.MP2;*.MPA;*.MPC;*.APE;*.OFR;*.OGG;*.RA;*.WV;*.TTA;*.AC3|" +
        "AVI文件 (*.avi)|*.avi|" +
        "Real视频文件格式 (*.rm;*.rmvb)|*.rm;*.rmvb|" +
        "MP4视频格式 (*.mp4;*.m4v)|*.mp4;*.m4v|" +
        "MPEG视频格式 (*.mpg;*.mpeg)|*.mpg;*.mpeg|" +
        "DVD视频格式 (*.vob)|*.vob|" +
        "VCD/SVCD视频格式 (*.dat;*.mpg)|*.dat;*.mpg|" +
        "ASF微软视频格式 (*.asf)|*.asf|" +
        "WMV微软视频格式 (*.wmv)|*.wmv|" +
        "手机3GPP文件格式 (*.3gp;*.3gpp)|*.3gp;*.3gpp|" +
        "手机3GPP2文件格式 (*.3g2;*.3gp2)|*.3g2;*.3gp2|" +
        "Flash动画格式 (*.swf)|*.swf|" +
        "Flash视频格式 (*.flv)|*.flv|" +
        "MKV视频媒体格式 (*.mkv)|*.mkv|" +
        "Quick Time视频文件格式 (*.mov;*.qt)|*.mov;*.qt|" +
        "DV数字视频文件格式 (*.dv;*.dif)|*.dv;*.dif|" +
        "Raw h261类型文件 (*.h261)|*.h261|" +
        "Raw h264类型文件 (*.h264)|*.h264|" +
        "YUV类型文件 (*.yuv)|*.yuv|" +
        "GIF图片动画格式 (*.gif)|*.gif|" +
        "MJPEG视频格式(*.mjpg;*.mjpeg)|*.mjpg;*.mjpeg|" +
        "TS视频格式 (*.ts)|*.ts|" +
        "WMV高清HD视频格式 (*.xwmv)|*.xwmv|" +
        "微软数字视频格式( *.dvr-ms)|*.dvr-ms|" +
        "iTunes视频格式 (*.m4v)|*.m4v|" +
        "MP3音频格式 (*.mp3)|*.mp3|" +
        "CD音频格式 (*.cda)|*.cda|" +
        "WMA微软音频格式 (*.wma)|*.wma|" +
        "WAVE音频格式 (*.wav)|*.wav|" +
        "REAL音频格式 (*.ra;*.ram)|*.ra;*.ram|" +
        "MP4音频格式 (*.m4a;*.mp4)|*.m4a;*.mp4|" +
        "AAC高级音频格式 (*.aac)|*.aac|" +
        "AC3音频格式 (*.ac3)|*.ac3|" +
        "Monkey音频格式 (*.ape;*.cue)|*.ape;*.cue|" +
        "Flac无损压缩音频格式\u3000(*.flac)|*.flac|" +
        "MPEG音频编码格式(*.mpa)|*.mpa|" +
        "MPEG 2音频编码格式(*.mp2)|*.mp2|" +
        "OGG音频编码格式(*.ogg)|*.ogg|" +
        "AIFF音频编码格式(*.aif; *.aiff)|*.aif; *.aiff|";
    return filter;
}

namespace {

// The skinned dialog in its save form: a name that need not exist yet.
class TSavePictureDialog : public skin::TbsSkinOpenDialog {
public:
    explicit TSavePictureDialog(TComponent* AOwner) : TbsSkinOpenDialog(AOwner)
    {
        SaveMode = true;
        CheckFileExists = false;
        OverwritePromt = true;
    }
};

} // namespace

TSkinChoosers::TSkinChoosers(TComponent* AOwner, skin::TbsSkinData* ASkinData)
{
    auto open = [&](const char* AName, bool AMany) {
        auto* dialog = new skin::TbsSkinOpenDialog(AOwner);
        dialog->SetName(AName);
        dialog->Title = "打开文件";
        dialog->CheckFileExists = true;
        dialog->MultiSelection = AMany;
        dialog->FilterIndex = 1;
        dialog->ToolButtonsTransparent = true;
        dialog->LVHeaderSkinDataName = "resizebutton";
        dialog->DefaultFont()->SetName("Arial");
        dialog->DefaultFont()->SetHeight(14);
        dialog->SetSkinData(ASkinData);
        dialog->SetCtrlSkinData(ASkinData);
        return dialog;
    };
    FOpenOne = open("OpenDialog1", false);
    FOpenMany = open("OpenDialog2", true);
    FSavePicture = new TSavePictureDialog(AOwner);
    FSavePicture->SetName("SavePictureDialog1");
    FSavePicture->Title = "另存为";
    FSavePicture->SetSkinData(ASkinData);
    FSavePicture->SetCtrlSkinData(ASkinData);
    auto folder = [&](const char* AName) {
        auto* dialog = new skin::TbsSkinSelectDirectoryDialog(AOwner);
        dialog->SetName(AName);
        dialog->SetSkinData(ASkinData);
        dialog->SetCtrlSkinData(ASkinData);
        return dialog;
    };
    FAddFolder = folder("bsSkinSelectDirectoryDialog1");
    FOutputFolder = folder("bsSkinSelectDirectoryDialog2");
}

std::string TSkinChoosers::ChooseFile(const std::string& AFilter)
{
    FOpenOne->Filter = AFilter;
    return FOpenOne->Execute() ? FOpenOne->FileName() : std::string();
}

std::vector<std::string> TSkinChoosers::ChooseFiles(const std::string& AFilter)
{
    FOpenMany->Filter = AFilter;
    std::vector<std::string> files;
    if (!FOpenMany->Execute())
        return files;
    for (int i = 0; i < FOpenMany->Files()->Count(); ++i)
        files.push_back(FOpenMany->Files()->Strings(i));
    if (files.empty() && !FOpenMany->FileName().empty())
        files.push_back(FOpenMany->FileName());
    return files;
}

std::string TSkinChoosers::ChoosePictureName(const std::string& AFilter, const std::string& ADefaultExt)
{
    FSavePicture->Filter = AFilter;
    FSavePicture->DefaultExt = ADefaultExt;
    return FSavePicture->Execute() ? FSavePicture->FileName() : std::string();
}

std::string TSkinChoosers::ChooseFolder(const std::string& ATitle, const std::string& AStartFolder)
{
    // Adding a folder has a dialog of its own; the output and snapshot
    // folders share the other, which keeps the folder last confirmed.
    skin::TbsSkinSelectDirectoryDialog* dialog = ATitle == "选择目录" ? FAddFolder : FOutputFolder;
    dialog->Title = ATitle;
    if (dialog->Directory.empty())
        dialog->Directory = AStartFolder;
    return dialog->Execute() ? dialog->Directory : std::string();
}

} // namespace app
