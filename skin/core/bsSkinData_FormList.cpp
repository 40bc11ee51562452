#include "skin/core/bsSkinData_FormList.h"

#include "platform/controls/Forms.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Window.h"

#include <exception>

namespace skin {

namespace {

// The window class of a form is its class name, so the layered border
// windows are known by theirs.
class TbsFormSkinReceiver : public IbsSkinMessageReceiver {
public:
    TbsFormSkinReceiver(platform::TCustomForm* AForm, platform::HWND AHandle) : FForm(AForm), FHandle(AHandle) {}
    std::string ReceiverClassName() const override { return platform::GetClassName(FHandle); }
    void ReceiveSkinMessage(unsigned AMsg, intptr_t AWParam, intptr_t ALParam) override
    {
        platform::SendMessage(FHandle, AMsg, platform::WPARAM(AWParam), platform::LPARAM(ALParam));
    }
    const void* ReceiverIdentity() const override { return FForm; }

private:
    platform::TCustomForm* FForm;
    platform::HWND FHandle;
};

// A form whose window cannot be made is left out rather than stopping the
// announcement half-way.
std::unique_ptr<IbsSkinMessageReceiver> ReceiverFor(platform::TCustomForm* AForm)
{
    try {
        return std::make_unique<TbsFormSkinReceiver>(AForm, AForm->Handle());
    } catch (const std::exception&) {
        return nullptr;
    }
}

} // namespace

std::vector<std::unique_ptr<IbsSkinMessageReceiver>> ScreenSkinForms()
{
    std::vector<platform::TCustomForm*> forms;
    platform::TScreen* screen = platform::Screen();
    for (int i = 0; i < screen->FormCount(); ++i)
        forms.push_back(screen->Forms(i));
    std::vector<std::unique_ptr<IbsSkinMessageReceiver>> receivers;
    for (platform::TCustomForm* form : forms)
        if (auto receiver = ReceiverFor(form))
            receivers.push_back(std::move(receiver));
    return receivers;
}

std::unique_ptr<IbsSkinMessageReceiver> SkinFormReceiver(platform::TComponent* AOwner)
{
    auto* form = dynamic_cast<platform::TCustomForm*>(AOwner);
    return form ? ReceiverFor(form) : nullptr;
}

} // namespace skin
