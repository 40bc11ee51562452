// A desktop finds the program's windows by their properties: title, class,
// process, machine, kind and owner.

#include <gtest/gtest.h>

#include "platform/controls/Forms.h"
#include "platform/x11/X11WindowIdentity.h"
#include "support/XDisplayTestSupport.h"

#include <X11/Xatom.h>

#include <unistd.h>

using namespace platform;

namespace {

struct TProperty {
    std::string Text;               // 8-bit items
    std::vector<unsigned long> Longs; // 32-bit items
    std::string TypeName;
};

TProperty Read(Display* D, Window W, const char* AName)
{
    TProperty p;
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(D, W, XInternAtom(D, AName, False), 0, 1 << 16, False, AnyPropertyType, &type, &format,
                           &count, &after, &data) == Success && data) {
        if (format == 8)
            p.Text.assign(reinterpret_cast<char*>(data), count);
        else if (format == 32) // 32-bit items arrive as longs, sign-extended
            for (unsigned long i = 0; i < count; ++i)
                p.Longs.push_back(uint32_t(reinterpret_cast<long*>(data)[i]));
        if (char* name = XGetAtomName(D, type)) {
            p.TypeName = name;
            XFree(name);
        }
    }
    if (data)
        XFree(data);
    return p;
}

std::string AtomName(Display* D, unsigned long AAtom)
{
    char* name = XGetAtomName(D, Atom(AAtom));
    std::string text = name ? name : "";
    if (name)
        XFree(name);
    return text;
}

std::string WindowType(Display* D, Window W)
{
    const TProperty p = Read(D, W, "_NET_WM_WINDOW_TYPE");
    return p.Longs.empty() ? std::string() : AtomName(D, p.Longs[0]);
}

class X11WindowIdentity : public testsupport::TXDisplayTest {};

TEST_F(X11WindowIdentity, AFormTellsItsTitleClassProcessAndMachineAndFollowsItsCaption)
{
    if (SetUpEnded())
        return;
    // Owned by no main form: a window of its own.
    std::unique_ptr<TForm> form(new TForm(nullptr));
    form->SetBounds(40, 30, 320, 200);
    form->SetCaption("ZarveloMP3格式转换器");
    form->Show();
    const Window w = x->XWindowOf(form->Handle());
    ASSERT_NE(w, 0u);
    XSync(d, False);

    EXPECT_EQ(Read(d, w, "_NET_WM_NAME").Text, "ZarveloMP3格式转换器");
    EXPECT_EQ(Read(d, w, "_NET_WM_NAME").TypeName, "UTF8_STRING");
    EXPECT_FALSE(Read(d, w, "WM_NAME").Text.empty());
    XClassHint hint{};
    ASSERT_TRUE(XGetClassHint(d, w, &hint));
    EXPECT_STREQ(hint.res_name, "zarvelo");
    EXPECT_STREQ(hint.res_class, "Zarvelo");
    XFree(hint.res_name);
    XFree(hint.res_class);
    EXPECT_EQ(Read(d, w, "_NET_WM_PID").Longs, std::vector<unsigned long>{static_cast<unsigned long>(getpid())});
    char host[256] = {};
    gethostname(host, sizeof host - 1);
    EXPECT_EQ(Read(d, w, "WM_CLIENT_MACHINE").Text, host);
    EXPECT_EQ(WindowType(d, w), "_NET_WM_WINDOW_TYPE_NORMAL");
    Window owner = 0;
    EXPECT_FALSE(XGetTransientForHint(d, w, &owner));

    form->SetCaption("选项");
    XSync(d, False);
    EXPECT_EQ(Read(d, w, "_NET_WM_NAME").Text, "选项");
}

TEST_F(X11WindowIdentity, ADialogIsTransientForTheMainWindowAndAHintIsATooltip)
{
    if (SetUpEnded())
        return;
    TForm* main = nullptr;
    Application()->CreateForm(main);
    main->SetCaption("main");
    main->Show();
    std::unique_ptr<TForm> dialog(new TForm(nullptr));
    dialog->SetCaption("打开文件");
    dialog->Show();
    std::unique_ptr<THintWindow> hint(new THintWindow(nullptr));
    hint->ActivateHint(Rect(10, 10, 120, 30), "提示");
    XSync(d, False);

    const Window w = x->XWindowOf(dialog->Handle());
    ASSERT_NE(w, 0u);
    EXPECT_EQ(WindowType(d, w), "_NET_WM_WINDOW_TYPE_DIALOG");
    Window owner = 0;
    ASSERT_TRUE(XGetTransientForHint(d, w, &owner));
    EXPECT_EQ(owner, x->XWindowOf(main->Handle()));
    EXPECT_EQ(WindowType(d, x->XWindowOf(hint->Handle())), "_NET_WM_WINDOW_TYPE_TOOLTIP");
}

TEST_F(X11WindowIdentity, EveryManagedWindowShowsTheProgramsDesktopIcon)
{
    if (SetUpEnded())
        return;
    std::unique_ptr<TForm> before(new TForm(nullptr));
    before->Show();
    // A red square on a see-through key colour.
    TBitmap icon;
    icon.SetPixelFormat(pf32bit);
    icon.SetSize(4, 2);
    icon.Canvas()->Brush()->SetColor(clFuchsia);
    icon.Canvas()->FillRect(Rect(0, 0, 4, 2));
    icon.Canvas()->Brush()->SetColor(clRed);
    icon.Canvas()->FillRect(Rect(0, 0, 2, 2));
    icon.SetTransparentColor(clFuchsia);
    icon.SetTransparent(true);
    Application()->SetDesktopIcon(&icon);
    std::unique_ptr<TForm> after(new TForm(nullptr));
    after->Show();
    XSync(d, False);

    const std::vector<unsigned long> expected = {4, 2, 0xFFFF0000, 0xFFFF0000, 0, 0, 0xFFFF0000, 0xFFFF0000, 0, 0};
    EXPECT_EQ(Read(d, x->XWindowOf(before->Handle()), "_NET_WM_ICON").Longs, expected) << "a window made before";
    EXPECT_EQ(Read(d, x->XWindowOf(after->Handle()), "_NET_WM_ICON").Longs, expected) << "a window made after";
}

TEST(X11WindowKind, FollowsTheWindowClassAndWhetherItIsManagedAndOwned)
{
    const struct {
        const char* Class;
        bool OverrideRedirect, Owned;
        TX11WindowKind Kind;
    } cases[] = {
        {"TForm", false, false, TX11WindowKind::Normal},
        {"TForm", false, true, TX11WindowKind::Dialog},
        {"TbsSkinPopupControl", true, false, TX11WindowKind::PopupMenu},
        {"TbsPopupListWindow", true, true, TX11WindowKind::DropDownMenu},
        {"TComboDropDown", true, true, TX11WindowKind::DropDownMenu},
        {"THintWindow", true, false, TX11WindowKind::Tooltip},
        {"TbsSkinHintWindow", true, false, TX11WindowKind::Tooltip},
        {"TApplication", true, false, TX11WindowKind::Unlisted},
    };
    for (const auto& c : cases)
        EXPECT_EQ(X11WindowKindOf(c.Class, c.OverrideRedirect, c.Owned), c.Kind) << c.Class;
}

} // namespace
