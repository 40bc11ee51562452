#include "app/forms/Unit2.h"

#include "app/forms/ProgramPictures.h"
#include "app/forms/SettingsDialogParts.h"
#include "app/workflow/ProgramFiles.h"

#include "skin/boxes/bsSkinExCtrls_LinkLabel.h"
#include "skin/controls/bsSkinCtrls_Button.h"
#include "skin/controls/bsSkinCtrls_StdLabel.h"
#include "skin/form/bsSkinForm.h"

#include "platform/controls/ExtCtrls.h"
#include "platform/core/SysUtils.h"

namespace app {

using namespace platform;

TForm2::TForm2(TComponent* AOwner, const std::string& AHelpPage) : TForm(AOwner)
{
    SetUpDialog(*this, TDialogFrame{"Form2", "关于", 368, 238, bsDialog, "宋体", -12});

    auto* logo = new TImage(this);
    logo->SetName("Image1");
    logo->SetBounds(30, 18, 87, 83);
    auto picture = MakeLogo(87, 83);
    logo->Picture()->Assign(picture.get());
    logo->Transparent = true;
    logo->SetParent(this);

    auto label = [this](const char* AName, const char* AText, int ALeft, int ATop, const char* AFont, int AHeight,
                        bool ABold) {
        auto* l = new skin::TbsSkinStdLabel(this);
        l->SetName(AName);
        l->SetCaption(AText);
        l->SetLeft(ALeft);
        l->SetTop(ATop);
        // The title and version keep their own faces over the skin's font.
        l->UseSkinFont = false;
        TFont* font = l->DefaultFont();
        font->SetName(AFont);
        font->SetHeight(-AHeight);
        if (ABold)
            font->SetStyle(TFontStyles{fsBold});
        l->Font()->Assign(font);
        // Each label is as wide as its text in its own face, so none is cut.
        l->AdjustBounds();
        l->SetParent(this);
    };
    label("bsSkinStdLabel3", "ZarveloMP3格式转换器", 144, 14, "黑体", 20, false);
    label("bsSkinStdLabel4", "Ver:1.00.218", 160, 50, "宋体", 12, true);
    label("bsSkinStdLabel1", "了解更多请访问：", 30, 126, "宋体", 12, false);
    label("bsSkinStdLabel2", "联系邮箱：", 202, 124, "宋体", 12, false);

    auto link = [this](const char* AName, const char* ACaption, const std::string& AUrl, int ALeft) {
        auto* l = new skin::TbsSkinLinkLabel(this);
        l->SetName(AName);
        l->SetCaption(ACaption);
        l->URL = AUrl;
        // Centred in a box of its own size rather than fitted to its text;
        // underlined, it glows under the hand pointer.
        l->SetAutoSize(false);
        l->Alignment = taCenter;
        l->SetUseUnderLine(true);
        l->GlowEffect = true;
        l->Cursor = crHandPoint;
        l->SetBounds(ALeft, 145, 153, 33);
        l->SetParent(this);
    };
    link("bsSkinLinkLabel1", "本程序的帮助页", AHelpPage, 19);
    link("bsSkinLinkLabel2", "写信给我们", ContactMailLink, 186);

    // Return and Escape both close the box, as its only button does.
    skin::TbsSkinButton* ok = NewDialogButton(*this, "bsSkinButton1", "确定", 252, 184, [this] { SetModalResult(mrOk); }, 72);
    ok->SetDefault(true);
    ok->Cancel = true;
}

void TForm2::SkinWith(skin::TbsSkinData* ASkinData)
{
    skin::TbsSkinForm* frame = SkinDialog(*this, ASkinData);
    frame->PositionInMonitor = skin::bspDesktopCenter;
    frame->ShowIcon = true;
    frame->Magnetic = true;
    frame->MagneticSize = 10;
    // The frame keeps this client size through every change of skin.
    frame->ClientWidth = 368;
    frame->ClientHeight = 238;
    SetClientSize(frame->ClientWidth, frame->ClientHeight);
}

} // namespace app
