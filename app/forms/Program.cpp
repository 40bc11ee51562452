#include "app/forms/Program.h"

#include "app/forms/Unit1.h"
#include "app/forms/SkinAssign.h"
#include "app/forms/Unit5.h"
#include "app/forms/SettingsDialogParts.h"
#include "app/forms/Unit6.h"
#include "app/forms/Unit7.h"


#include "platform/controls/Forms.h"
#include "platform/core/SysUtils.h"
#include "platform/x11/X11Backend.h"

#include <cstdio>

namespace app {

using namespace platform;

TForm1* CreateProgramForms()
{
    TApplication* application = Application();
    application->Title = ProgramTitle;
    application->HelpFile = "help.chm";

    TForm1* form1 = nullptr;
    application->CreateForm(form1);
    form1->FormCreate();
    auto* form5 = new TForm5(form1, form1->OptionFile());
    form5->SkinWith(form1->SkinData(), form1->SkinData2());
    form5->OnPreviewChanged = [form1](bool AOn) { form1->Engine().SetPreview(AOn); };
    form5->Button1Click();
    form1->SetOptionsDialog(form5);
    // Created and filled, never shown: its lists clear the no-video flag.
    auto* form6 = new TForm6(form1, form1->Workflow());
    SkinDialog(*form6, form1->SkinData());
    form6->FormCreate();
    auto* form7 = new TForm7(form1, form1->Workflow(), form1->CategoryImages(), form1->ProfileImages());
    SkinDialog(*form7, form1->SkinData());
    form7->OnFocusFileList = [form1] { form1->FileList()->SetFocus(); };
    form7->FormCreate();
    form1->ShowOutputSettings = [form7] { form7->Open(); };
    form1->Workflow().SetOptions(form5->Options());
    return form1;
}

int RunProgram()
{
    if (GetEnvironmentVariable("DISPLAY").empty() || !InstallX11Backend()) {
        std::fprintf(stderr, "zarvelo: no X display to show the converter on (DISPLAY is %s).\n",
                     GetEnvironmentVariable("DISPLAY").empty() ? "not set" : "not reachable");
        return 2;
    }
    CreateProgramForms()->Show();
    Application()->Run();
    return 0;
}

} // namespace app
