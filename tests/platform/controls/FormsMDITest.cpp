#include "ControlsTestSupport.h"

#include "platform/ui/MdiClient.h"

#include <memory>

using namespace platform;
using namespace ctltest;

namespace {

// The application's main form as a multiple-document frame with a strip
// aligned at its top, and its documents.
struct TMdiForms {
    TForm* Frame = nullptr;
    TSolid* Strip = nullptr;
    std::vector<TForm*> Docs;
    explicit TMdiForms(int ACount)
    {
        Application()->CreateForm(Frame);
        Frame->SetBorderStyle(bsNone);
        Frame->SetFormStyle(fsMDIForm);
        Frame->SetBounds(50, 50, 600, 430);
        Strip = new TSolid(Frame, clRed);
        Strip->SetParent(Frame);
        Strip->SetHeight(30);
        Strip->SetAlign(alTop);
        Frame->Show();
        for (int i = 0; i < ACount; ++i)
            Add("Doc" + std::to_string(i));
        Pump();
    }
    TForm* Add(const std::string& AName)
    {
        auto* f = new TForm(Frame);
        f->SetName(AName);
        f->SetCaption(AName);
        f->SetFormStyle(fsMDIChild);
        f->SetBounds(10, 10, 200, 150);
        f->Show();
        Docs.push_back(f);
        return f;
    }
    ~TMdiForms() { delete Frame; }
    TRect InClient(TForm* F) const { return F->BoundsRect(); }
};

} // namespace

TEST(FormsMDI, TheClientWindowTakesWhatTheAlignedControlsLeave)
{
    TMdiForms m(0);
    ASSERT_TRUE(m.Frame->ClientHandle());
    TRect r;
    GetWindowRect(m.Frame->ClientHandle(), r);
    EXPECT_EQ(MapWindowRect(nullptr, m.Frame->Handle(), r), Rect(0, 30, 600, 430));
    m.Strip->SetHeight(50);
    Pump();
    GetWindowRect(m.Frame->ClientHandle(), r);
    EXPECT_EQ(MapWindowRect(nullptr, m.Frame->Handle(), r), Rect(0, 50, 600, 430));
}

TEST(FormsMDI, DocumentsAreChildWindowsOfTheClientListedFromTheActiveDown)
{
    TMdiForms m(3);
    EXPECT_EQ(m.Frame->MDIChildCount(), 3);
    auto children = [&] {
        std::vector<TForm*> list;
        for (int i = 0; i < m.Frame->MDIChildCount(); ++i)
            list.push_back(dynamic_cast<TForm*>(m.Frame->MDIChildren(i)));
        return list;
    };
    // Each document shown became the active one: the last made leads.
    EXPECT_EQ(children(), (std::vector<TForm*>{m.Docs[2], m.Docs[1], m.Docs[0]}));
    for (TForm* d : m.Docs)
        EXPECT_EQ(GetParent(d->Handle()), m.Frame->ClientHandle());
    EXPECT_EQ(m.Frame->MDIChildren(3), nullptr);
    EXPECT_EQ(m.Frame->MDIChildren(-1), nullptr);
    // Activating one moves it to the front; the others keep their order.
    m.Docs[0]->Show();
    EXPECT_EQ(children(), (std::vector<TForm*>{m.Docs[0], m.Docs[2], m.Docs[1]}));
    // Bounds are the client window's coordinates.
    EXPECT_EQ(m.Docs[0]->Left(), 10);
    EXPECT_EQ(m.Docs[0]->ClientToScreen(Point(0, 0)).Y, m.Frame->ClientToScreen(Point(0, 30 + 10)).Y +
                                                           (m.Docs[0]->Height() - m.Docs[0]->ClientHeight()) -
                                                           (m.Docs[0]->Width() - m.Docs[0]->ClientWidth()) / 2);
}

TEST(FormsMDI, ActivationFollowsShowNextPreviousAndHide)
{
    TMdiForms m(3);
    std::vector<std::string> events;
    for (TForm* d : m.Docs) {
        d->OnActivate = [&, d](TObject*) { events.push_back("+" + d->Name()); };
        d->OnDeactivate = [&, d](TObject*) { events.push_back("-" + d->Name()); };
    }
    EXPECT_EQ(m.Frame->ActiveMDIChild(), m.Docs[2]);
    EXPECT_TRUE(m.Docs[2]->Active());
    m.Frame->Next();
    EXPECT_EQ(m.Frame->ActiveMDIChild(), m.Docs[1]);
    m.Frame->Previous();
    EXPECT_EQ(m.Frame->ActiveMDIChild(), m.Docs[2]);
    m.Docs[0]->Show();
    EXPECT_EQ(m.Frame->ActiveMDIChild(), m.Docs[0]);
    m.Docs[0]->Hide();
    EXPECT_EQ(m.Frame->ActiveMDIChild(), m.Docs[2]);
    EXPECT_EQ(m.Frame->MDIChildCount(), 2);
    EXPECT_EQ(events, (std::vector<std::string>{"-Doc2", "+Doc1", "-Doc1", "+Doc2", "-Doc2", "+Doc0", "-Doc0", "+Doc2"}));
}

TEST(FormsMDI, TileAndCascadePlaceTheDocumentsInTheClient)
{
    TMdiForms m(3);
    const TRect area = Rect(0, 0, 600, 400);
    struct TCase {
        TTileMode Mode;
        bool Vertical;
    };
    for (const TCase& c : {TCase{tbHorizontal, false}, TCase{tbVertical, true}}) {
        m.Frame->TileMode = c.Mode;
        m.Frame->Tile();
        // The active document (the last made) takes the first place.
        const std::vector<TRect> want = MDITileRects(area, 3, c.Vertical);
        for (size_t i = 0; i < 3; ++i)
            EXPECT_EQ(m.InClient(m.Docs[2 - i]), want[i]) << i << (c.Vertical ? " vertical" : " horizontal");
    }
    m.Frame->Cascade();
    const int step = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYFRAME);
    const std::vector<TRect> cascade = MDICascadeRects(area, 3, step);
    // The active document (the last made) ends on top, at the last place.
    EXPECT_EQ(m.InClient(m.Docs[2]), cascade[2]);
    EXPECT_EQ(m.InClient(m.Docs[0]), cascade[0]);
    EXPECT_EQ(GetWindow(m.Frame->ClientHandle(), GW_CHILD), m.Docs[2]->Handle());
}

TEST(FormsMDI, AMaximisedDocumentShowsOnlyItsClientAndStaysMaximisedOnSwitching)
{
    TMdiForms m(2);
    m.Docs[1]->SetWindowState(wsMaximized);
    EXPECT_EQ(m.Docs[1]->WindowState(), wsMaximized);
    TRect client;
    GetClientRect(m.Docs[1]->Handle(), client);
    EXPECT_EQ(client.Width(), 600);
    EXPECT_EQ(client.Height(), 400);
    EXPECT_EQ(m.Docs[1]->ClientToScreen(Point(0, 0)), m.Frame->ClientToScreen(Point(0, 30)));
    m.Frame->Next();
    EXPECT_EQ(m.Docs[0]->WindowState(), wsMaximized);
    EXPECT_EQ(m.Docs[1]->WindowState(), wsNormal);
    EXPECT_EQ(m.Docs[1]->BoundsRect(), Bounds(10, 10, 200, 150));
    // The frame grows: the maximised document follows.
    m.Frame->SetBounds(50, 50, 700, 430);
    Pump();
    GetClientRect(m.Docs[0]->Handle(), client);
    EXPECT_EQ(client.Width(), 700);
    m.Docs[0]->SetWindowState(wsMinimized);
    EXPECT_EQ(m.Docs[0]->Width(), MDIIconWidth);
    EXPECT_EQ(m.Docs[0]->Top() + m.Docs[0]->Height(), 400);
}

TEST(FormsMDI, ADocumentFormNeedsAMultipleDocumentMainForm)
{
    std::unique_ptr<TForm> main(nullptr);
    TForm* raw = nullptr;
    Application()->CreateForm(raw);
    main.reset(raw);
    auto doc = std::make_unique<TForm>(nullptr);
    doc->SetName("Lonely");
    doc->SetFormStyle(fsMDIChild);
    try {
        doc->Show();
        FAIL() << "shown without a frame";
    } catch (const EInvalidOperation& e) {
        EXPECT_NE(std::string(e.what()).find("Lonely"), std::string::npos);
    }
}
