#include "app/forms/ShutdownCountdown.h"

#include "skin/controls/bsSkinCtrls_Button.h"
#include "skin/controls/bsSkinCtrls_StdLabel.h"

#include "platform/controls/ExtCtrls.h"
#include "platform/core/SysUtils.h"

namespace app {

using namespace platform;

std::string ShutdownCountdownText(int ASecondsLeft)
{
    return "转换工作已经完成，计算机将在 " + IntToStr(ASecondsLeft) + " 秒后自动关闭。\n如果不想关闭计算机，请点击“取消”。";
}

bool RunShutdownCountdown(TCustomForm* AOwner, int ASeconds)
{
    std::unique_ptr<TForm> box(new TForm(nullptr));
    box->SetBorderStyle(bsDialog);
    box->SetCaption("提示");
    box->SetClientSize(380, 110);
    box->Position = AOwner ? poOwnerFormCenter : poScreenCenter;
    auto* text = new skin::TbsSkinStdLabel(box.get());
    text->SetBounds(16, 16, 350, 40);
    text->SetCaption(ShutdownCountdownText(ASeconds));
    text->SetParent(box.get());
    auto* cancel = new skin::TbsSkinButton(box.get());
    cancel->SetCaption("取消");
    cancel->UseSkinSize = false;
    cancel->SetBounds(290, 72, 75, 25);
    cancel->ModalResult = mrCancel;
    cancel->Cancel = true;
    cancel->SetParent(box.get());
    int left = ASeconds;
    bool ranOut = false;
    auto* timer = new TTimer(box.get());
    timer->SetInterval(1000);
    timer->SetOnTimer([&](TObject*) {
        if (--left > 0) {
            text->SetCaption(ShutdownCountdownText(left));
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
