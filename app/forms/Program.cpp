#include "app/forms/Program.h"

#include "app/forms/ProgramPictures.h"
#include "app/forms/Unit1.h"
#include "app/forms/Unit2.h"
#include "app/forms/Unit5.h"
#include "app/forms/SettingsDialogParts.h"
#include "app/forms/Unit6.h"
#include "app/forms/Unit7.h"


#include "platform/controls/Forms.h"
#include "platform/core/CloseSignals.h"
#include "platform/core/MainThread.h"
#include "platform/core/SysUtils.h"
#include "platform/ui/Paint.h"
#include "platform/x11/X11Backend.h"

#include <cstdio>

namespace app {

using namespace platform;

TProgramDialogs CreateProgramDialogs(TForm1& AForm1)
{
    TProgramDialogs dialogs;
    TForm1* form1 = &AForm1;
    dialogs.Form2 = new TForm2(form1, form1->HelpPage());
    dialogs.Form2->SkinWith(form1->SkinData());
    form1->SetAboutBox(dialogs.Form2);
    auto* form5 = new TForm5(form1, form1->OptionFile());
    dialogs.Form5 = form5;
    form5->SkinWith(form1->SkinData(), form1->SkinData2());
    form5->OnPreviewChanged = [form1](bool AOn) { form1->Engine().SetPreview(AOn); };
    form5->Button1Click();
    form1->SetOptionsDialog(form5);
    // Created and filled, never shown: its lists clear the no-video flag.
    dialogs.Form6 = new TForm6(form1, form1->Workflow());
    dialogs.Form6->SkinWith(form1->SkinData());
    dialogs.Form6->FormCreate();
    auto* form7 = new TForm7(form1, form1->Workflow(), form1->CategoryImages(), form1->ProfileImages());
    dialogs.Form7 = form7;
    SkinDialog(*form7, form1->SkinData());
    form7->OnFocusFileList = [form1] { form1->FileList()->SetFocus(); };
    form7->FormCreate();
    form1->ShowOutputSettings = [form7] { form7->Open(); };
    form1->Workflow().SetOptions(form5->Options());
    return dialogs;
}

TProgramDialogs ShowThenCreateDialogs(TForm1& AForm1)
{
    AForm1.Show();
    // Nothing reaches the window before its loop runs, so the dialogs can
    // be made once it is seen: input waits for the loop and finds them.
    PaintWaitingWindows();
    return CreateProgramDialogs(AForm1);
}

TForm1* ShowProgramForms()
{
    TApplication* application = Application();
    application->Title = ProgramTitle;
    application->HelpFile = "help.chm";
    application->SetDesktopIcon(MakeLogo(48, 48).get());

    TForm1* form1 = nullptr;
    application->CreateForm(form1);
    form1->FormCreate();
    ShowThenCreateDialogs(*form1);
    return form1;
}

int RunProgram(const std::vector<std::string>& AFiles)
{
    if (GetEnvironmentVariable("DISPLAY").empty() || !InstallX11Backend()) {
        std::fprintf(stderr, "zarvelo: no X display to show the converter on (DISPLAY is %s).\n",
                     GetEnvironmentVariable("DISPLAY").empty() ? "not set" : "not reachable");
        return 2;
    }
    // A termination signal closes the main window the way its close button
    // does: the run is stopped and the loop ends. One that comes while the
    // forms are made waits for the loop; a repeated one arrives while the
    // close waits for the run and has nothing to add.
    bool closeRequested = false;
    TCloseSignals signals([&closeRequested](int) {
        if (closeRequested)
            return;
        closeRequested = true;
        if (TCustomForm* main = Application()->MainForm())
            main->Close();
        else
            Application()->Terminate();
    });
    TForm1* form1 = ShowProgramForms();
    form1->ShowStartupProblem();
    form1->Workflow().ReportSettingsProblems();
    form1->Workflow().AddHandedFiles(AFiles);
    Application()->Run();
    // Nobody serves the workers' calls into the GUI thread any more: they
    // return at once, so the conversion run that the close stopped ends
    // whole, its threads joined. Then the forms go, the dialogs before the
    // main window they are owned by, so that nothing is left for the
    // process's exit handlers.
    EndMainThreadCalls();
    form1->Workflow().Close();
    // A late termination signal finds no main window and ends nothing more.
    Application()->SetMainForm(nullptr);
    delete form1;
    return 0;
}

} // namespace app
