#include "app/forms/Program.h"

#include "app/forms/Unit1.h"
#include "app/forms/Unit5.h"

#include "platform/controls/Forms.h"
#include "platform/core/SysUtils.h"
#include "platform/x11/X11Backend.h"

#include <cstdio>

namespace app {

using namespace platform;

int RunProgram()
{
    if (GetEnvironmentVariable("DISPLAY").empty() || !InstallX11Backend()) {
        std::fprintf(stderr, "zarvelo: no X display to show the converter on (DISPLAY is %s).\n",
                     GetEnvironmentVariable("DISPLAY").empty() ? "not set" : "not reachable");
        return 2;
    }
    TApplication* application = Application();
    application->Title = ProgramTitle;
    application->HelpFile = "help.chm";

    TForm1* form1 = nullptr;
    application->CreateForm(form1);
    form1->FormCreate();
    auto* form5 = new TForm5(form1, form1->OptionFile());
    form5->OnPreviewChanged = [form1](bool AOn) { form1->Engine().SetPreview(AOn); };
    form5->Button1Click();
    form1->SetOptionsDialog(form5);
    form1->Workflow().SetOptions(form5->Options());

    form1->Show();
    application->Run();
    return 0;
}

} // namespace app
