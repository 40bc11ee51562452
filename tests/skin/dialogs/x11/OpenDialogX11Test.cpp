// The open dialog on a real display: a file picked by a click in the list
// and the Open button, and one typed into the name field and confirmed
// with the Enter key, all as events from the X server.

#include <gtest/gtest.h>

#include "skin/dialogs/bsSkinOpenDialog.h"

#include "platform/core/SysUtils.h"
#include "platform/x11/X11Backend.h"
#include "support/TestSupport.h"
#include "support/XDisplayTestSupport.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <functional>
#include <vector>

namespace {

using namespace platform;
using namespace skin;

struct TDisplay {
    TX11Backend* X = nullptr;
    Display* D = nullptr;
};

void ClickOn(const TDisplay& AD, TCustomForm* AForm, TControl* AControl, TPoint AAt)
{
    const TPoint screen = AControl->ClientToScreen(AAt);
    const TPoint inForm = Point(screen.X - AForm->Left(), screen.Y - AForm->Top());
    testsupport::SendClick(AD.D, AD.X->XWindowOf(AForm->Handle()), screen, inForm);
}

void SendKey(const TDisplay& AD, TCustomForm* AForm, KeySym ASym)
{
    for (int type : {KeyPress, KeyRelease}) {
        XEvent e{};
        e.xkey.type = type;
        e.xkey.display = AD.D;
        e.xkey.window = AD.X->XWindowOf(AForm->Handle());
        e.xkey.root = DefaultRootWindow(AD.D);
        e.xkey.keycode = XKeysymToKeycode(AD.D, ASym);
        e.xkey.same_screen = True;
        XSendEvent(AD.D, e.xkey.window, True, type == KeyPress ? KeyPressMask : KeyReleaseMask, &e);
    }
    XFlush(AD.D);
}

// Steps run one after another on the dialog's modal loop, each once the one
// before has had its effect; the last closes nothing itself.
class TScript {
public:
    explicit TScript(std::vector<std::function<bool(TbsOpenDlgForm*)>> ASteps)
        : FSteps(std::move(ASteps)), FTimer(20, [this] { Tick(); })
    {
    }
    size_t Done() const { return FAt; }

private:
    void Tick()
    {
        auto* f = dynamic_cast<TbsOpenDlgForm*>(platform::Screen()->ActiveForm());
        if (!f || !f->IsModal())
            return;
        // A display that never answers ends the run instead of hanging it.
        if (++FTicks > 500) {
            f->SetModalResult(mrCancel);
            return;
        }
        if (FAt < FSteps.size() && FSteps[FAt](f))
            ++FAt;
    }
    std::vector<std::function<bool(TbsOpenDlgForm*)>> FSteps;
    size_t FAt = 0;
    int FTicks = 0;
    TbsGuiTimer FTimer;
};

// Input reaches a window only once the server shows it.
bool Viewable(const TDisplay& AD, TCustomForm* AForm)
{
    return testsupport::Viewable(AD.D, AD.X->XWindowOf(AForm->Handle()));
}

int RowOf(TbsOpenDlgForm* F, const std::string& AName)
{
    for (int i = 0; i < F->FileListView->RowCount(); ++i)
        if (F->FileListView->FolderAt(i)->DisplayName() == AName)
            return i;
    return -1;
}

TEST(OpenDialogOnX11, AClickedFileAndATypedNameComeBack)
{
    if (GetEnvironmentVariable("DISPLAY").empty())
        GTEST_SKIP() << "no X display";
    ASSERT_TRUE(InstallX11Backend());
    TDisplay d;
    d.X = dynamic_cast<TX11Backend*>(&Backend());
    ASSERT_NE(d.X, nullptr);
    d.D = static_cast<Display*>(d.X->XDisplay());

    testsupport::TTempDir dir;
    for (const char* name : {"alpha.mp3", "song.mp3", "tune.wav"})
        testsupport::WriteFile(dir.File(name), "x");
    TbsSkinOpenDialog dialog(nullptr);
    dialog.InitialDir = dir.Path();
    dialog.Filter = "Sounds|*.mp3;*.wav";

    // A click on a row fills the name field; the Open button returns it.
    TScript clicks({
        [&](TbsOpenDlgForm* F) {
            const int row = RowOf(F, "song.mp3");
            if (row < 0 || !Viewable(d, F))
                return false;
            const TRect r = F->FileListView->ItemRect(row, drBounds);
            ClickOn(d, F, F->FileListView, Point(r.Left + 8, r.Top + r.Height() / 2));
            return true;
        },
        [&](TbsOpenDlgForm* F) {
            if (F->FileNameEdit->Text() != "song.mp3")
                return false;
            ClickOn(d, F, F->OpenButton, Point(20, 10));
            return true;
        },
    });
    EXPECT_TRUE(dialog.Execute());
    EXPECT_EQ(clicks.Done(), 2u);
    EXPECT_EQ(dialog.FileName(), dir.File("song.mp3"));

    // A name typed into the field and Enter.
    TScript keys({
        [&](TbsOpenDlgForm* F) {
            if (!Viewable(d, F))
                return false;
            ClickOn(d, F, F->FileNameEdit, Point(10, 8));
            return true;
        },
        [&](TbsOpenDlgForm* F) {
            if (!F->FileNameEdit->Focused())
                return false;
            F->FileNameEdit->SetText("");   // it shows the name of the last run
            for (KeySym k : {XK_t, XK_u, XK_n, XK_e})
                SendKey(d, F, k);
            return true;
        },
        [&](TbsOpenDlgForm* F) {
            if (F->FileNameEdit->Text() != "tune")
                return false;
            F->FilterComboBox->SetFilter("Waves|*.wav");
            SendKey(d, F, XK_Return);
            return true;
        },
    });
    EXPECT_TRUE(dialog.Execute());
    EXPECT_EQ(keys.Done(), 3u);
    EXPECT_EQ(dialog.FileName(), dir.File("tune.wav"));
}

} // namespace
