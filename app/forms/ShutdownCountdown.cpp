#include "app/forms/ShutdownCountdown.h"

#include "skin/controls/bsSkinCtrls_Button.h"
#include "skin/controls/bsSkinCtrls_StdLabel.h"
#include "skin/dialogs/bsMessages.h"

#include "platform/controls/ExtCtrls.h"
#include "platform/core/SysUtils.h"

namespace app {

using namespace platform;

std::string ShutdownCountdownText(int ASecondsLeft)
{
    return "转换工作已经完成，计算机将在 " + IntToStr(ASecondsLeft) + " 秒后自动关闭。\n如果不想关闭计算机，请点击“取消”。";
}

bool RunShutdownCountdown(skin::TbsSkinData* ASkinData, int ASeconds)
{
    skin::TbsMessageLook look;
    look.SkinData = ASkinData;
    look.CtrlSkinData = ASkinData;
    skin::TbsMessageFormPtr box = skin::CreateSkinMessageDialog2(
        ShutdownCountdownText(ASeconds), "提示", mtInformation, TMsgDlgButtons{mbCancel}, skin::MsgCentreX,
        skin::MsgCentreX, look);
    // The text names the button: it reads so whatever the skin's strings say.
    if (auto* cancel = dynamic_cast<skin::TbsSkinButton*>(box->FindComponent("Cancel")))
        cancel->SetCaption("取消");
    int left = ASeconds;
    bool ranOut = false;
    auto* timer = new TTimer(box.get());
    timer->SetName("CountdownTimer");
    timer->SetInterval(1000);
    timer->SetOnTimer([&](TObject*) {
        if (--left > 0) {
            box->Message->SetCaption(ShutdownCountdownText(left));
            return;
        }
        ranOut = true;
        box->SetModalResult(mrOk);
    });
    box->ShowModal();
    timer->SetEnabled(false);
    return ranOut;
}

} // namespace app
