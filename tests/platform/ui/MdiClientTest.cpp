#include "UiTestSupport.h"

#include "platform/ui/MdiClient.h"

using namespace platform;
using namespace uitest;

namespace {

struct TTileCase {
    int Count;
    bool Vertical;
    std::vector<TRect> Expected;
};

} // namespace

TEST(MdiClient, TileRectsDivideTheAreaIntoGroups)
{
    const TRect area = Rect(0, 0, 600, 300);
    const std::vector<TTileCase> cases = {
        {0, false, {}},
        {1, false, {Rect(0, 0, 600, 300)}},
        // Horizontal: columns of windows one above the other.
        {3, false, {Rect(0, 0, 600, 100), Rect(0, 100, 600, 200), Rect(0, 200, 600, 300)}},
        // Vertical: rows of side-by-side windows.
        {3, true, {Rect(0, 0, 200, 300), Rect(200, 0, 400, 300), Rect(400, 0, 600, 300)}},
        {4, true, {Rect(0, 0, 300, 150), Rect(300, 0, 600, 150), Rect(0, 150, 300, 300), Rect(300, 150, 600, 300)}},
        // Five: two groups, the later one taking the extra window.
        {5, false, {Rect(0, 0, 300, 150), Rect(0, 150, 300, 300), Rect(300, 0, 600, 100), Rect(300, 100, 600, 200),
                    Rect(300, 200, 600, 300)}},
        {5, true, {Rect(0, 0, 300, 150), Rect(300, 0, 600, 150), Rect(0, 150, 200, 300), Rect(200, 150, 400, 300),
                   Rect(400, 150, 600, 300)}},
    };
    for (const TTileCase& c : cases)
        EXPECT_EQ(MDITileRects(area, c.Count, c.Vertical), c.Expected) << c.Count << (c.Vertical ? " vertical" : " horizontal");
    // Sizes that do not divide leave no gap at the far edges.
    const std::vector<TRect> odd = MDITileRects(Rect(10, 20, 111, 121), 3, true);
    EXPECT_EQ(odd.front().Left, 10);
    EXPECT_EQ(odd.back().Right, 111);
    EXPECT_EQ(odd.back().Bottom, 121);
}

TEST(MdiClient, CascadeStepsAndStartsAgainWhenTheStackWouldNotFit)
{
    struct TCase {
        TRect Area;
        int Count, Step;
        std::vector<TRect> Expected;
    };
    const std::vector<TCase> cases = {
        {Rect(0, 0, 400, 300), 1, 22, {Rect(0, 0, 400, 300)}},
        {Rect(0, 0, 400, 300), 3, 22, {Rect(0, 0, 356, 256), Rect(22, 22, 378, 278), Rect(44, 44, 400, 300)}},
        // Only 150 / 50 = 3 steps keep the windows at least half the area.
        {Rect(0, 0, 300, 300), 5, 50,
         {Rect(0, 0, 150, 150), Rect(50, 50, 200, 200), Rect(100, 100, 250, 250), Rect(150, 150, 300, 300),
          Rect(0, 0, 150, 150)}},
        {Rect(10, 10, 110, 60), 2, 0, {Rect(10, 10, 109, 59), Rect(11, 11, 110, 60)}},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(MDICascadeRects(c.Area, c.Count, c.Step), c.Expected) << c.Count << " by " << c.Step;
}

TEST(MdiClient, IconSlotsFillTheBottomRowThenTheRowsAbove)
{
    const TRect area = Rect(0, 0, 400, 300);
    const std::vector<std::pair<int, TRect>> cases = {
        {0, Rect(0, 270, 160, 300)}, {1, Rect(160, 270, 320, 300)}, {2, Rect(0, 240, 160, 270)}, {3, Rect(160, 240, 320, 270)}};
    for (const auto& [index, expected] : cases)
        EXPECT_EQ(MDIIconSlot(area, index, 160, 30), expected) << index;
    // A client narrower than one icon still puts one on each row.
    EXPECT_EQ(MDIIconSlot(Rect(0, 0, 100, 100), 1, 160, 30), Rect(0, 40, 160, 70));
}

namespace {

// A frame with a client window and document windows.
struct TMdiFixture {
    TRecorder Rec;
    HWND Frame = nullptr, Client = nullptr;
    std::vector<HWND> Docs;
    explicit TMdiFixture(int ADocs)
    {
        Frame = Rec.Make("frame", WS_POPUP, Rect(0, 0, 600, 400));
        Client = CreateMDIClient(Frame, Rect(0, 0, 600, 400));
        Rec.Names[Client] = "client";
        ShowWindow(Frame, SW_SHOW);
        for (int i = 0; i < ADocs; ++i) {
            HWND d = CreateWindowEx(WS_EX_MDICHILD, "UiTestRec", "doc" + std::to_string(i),
                                    WS_CHILD | WS_CAPTION | WS_THICKFRAME | WS_MAXIMIZEBOX, 10 * i, 10 * i, 200, 150, Client);
            Rec.Names[d] = "doc" + std::to_string(i);
            ShowWindow(d, SW_SHOW);
            Docs.push_back(d);
        }
    }
    ~TMdiFixture() { DestroyWindow(Frame); }
    HWND Active() const { return reinterpret_cast<HWND>(SendMessage(Client, WM_MDIGETACTIVE)); }
};

} // namespace

TEST(MdiClient, ShowingADocumentActivatesItAndNextPreviousWalkTheZOrder)
{
    TMdiFixture f(3);
    EXPECT_EQ(GetMDIClient(f.Frame), f.Client);
    EXPECT_EQ(f.Active(), f.Docs[2]);
    // Each one shown went on top: the list runs from the active one down.
    EXPECT_EQ(GetMDIChildren(f.Client), (std::vector<HWND>{f.Docs[2], f.Docs[1], f.Docs[0]}));
    f.Rec.Take();
    SendMessage(f.Client, WM_MDINEXT, 0, 0);
    EXPECT_EQ(f.Active(), f.Docs[1]);
    const std::vector<TEntry> log = f.Rec.Take();
    auto has = [&](const std::string& AWnd, UINT AMsg, WPARAM W) {
        return std::find(log.begin(), log.end(), TEntry{AWnd, AMsg, W}) != log.end();
    };
    EXPECT_TRUE(has("doc2", WM_NCACTIVATE, 0));
    EXPECT_TRUE(has("doc1", WM_NCACTIVATE, 1));
    EXPECT_TRUE(has("doc1", WM_MDIACTIVATE, WPARAM(f.Docs[2])));
    // Next sent doc2 to the bottom: the z-order is now doc1, doc0, doc2.
    EXPECT_EQ(GetMDIChildren(f.Client), (std::vector<HWND>{f.Docs[1], f.Docs[0], f.Docs[2]}));
    SendMessage(f.Client, WM_MDINEXT, 0, 0);
    EXPECT_EQ(f.Active(), f.Docs[0]);
    // Previous takes the bottom one: back to doc1.
    SendMessage(f.Client, WM_MDINEXT, 0, 1);
    EXPECT_EQ(f.Active(), f.Docs[1]);
    // A press in a document activates it: doc2, doc1, doc0.
    SendMessage(f.Docs[2], WM_MOUSEACTIVATE, WPARAM(f.Frame), 0);
    EXPECT_EQ(f.Active(), f.Docs[2]);
    // Hiding or destroying the active one hands the activation on.
    ShowWindow(f.Docs[2], SW_HIDE);
    EXPECT_EQ(f.Active(), f.Docs[1]);
    DestroyWindow(f.Docs[1]);
    EXPECT_EQ(f.Active(), f.Docs[0]);
    DestroyWindow(f.Docs[0]);
    EXPECT_EQ(f.Active(), nullptr);
}

TEST(MdiClient, AMaximisedDocumentFillsTheClientAndPassesTheStateOn)
{
    TMdiFixture f(2);
    SendMessage(f.Client, WM_MDIMAXIMIZE, WPARAM(f.Docs[1]));
    TRect r;
    GetWindowRect(f.Docs[1], r);
    EXPECT_EQ(r, Rect(0, 0, 600, 400));
    bool maximized = false;
    EXPECT_EQ(SendMessage(f.Client, WM_MDIGETACTIVE, 0, LPARAM(&maximized)), LRESULT(f.Docs[1]));
    EXPECT_TRUE(maximized);
    SendMessage(f.Client, WM_MDIACTIVATE, WPARAM(f.Docs[0]));
    EXPECT_TRUE(IsZoomed(f.Docs[0]));
    EXPECT_FALSE(IsZoomed(f.Docs[1]));
    // The client grows: the maximised document follows.
    MoveWindow(f.Client, 0, 0, 500, 300);
    SendMessage(f.Client, WM_SIZE, 0, MAKELPARAM(500, 300));
    GetWindowRect(f.Docs[0], r);
    EXPECT_EQ(r.Width(), 500);
    SendMessage(f.Client, WM_MDIRESTORE, WPARAM(f.Docs[0]));
    GetWindowRect(f.Docs[0], r);
    EXPECT_EQ(r.Width(), 200);
}

namespace {

TRect InClient(const TMdiFixture& F, HWND ADoc)
{
    TRect r;
    GetWindowRect(ADoc, r);
    return MapWindowRect(nullptr, F.Client, r);
}

} // namespace

TEST(MdiClient, TilingAndCascadingFollowTheStackingOrderActiveFirst)
{
    TMdiFixture f(3);
    // doc1 activated, then doc0 raised without activation: doc0, doc1, doc2
    // from the top, and the active doc1 still leads the arrangement.
    SendMessage(f.Client, WM_MDIACTIVATE, WPARAM(f.Docs[1]));
    SetWindowPos(f.Docs[0], HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    const std::vector<HWND> order = {f.Docs[1], f.Docs[0], f.Docs[2]};
    EXPECT_EQ(GetMDIChildren(f.Client), order);
    for (bool vertical : {true, false}) {
        SendMessage(f.Client, WM_MDITILE, vertical ? MDITILE_VERTICAL : MDITILE_HORIZONTAL);
        const std::vector<TRect> want = MDITileRects(Rect(0, 0, 600, 400), 3, vertical);
        for (size_t i = 0; i < order.size(); ++i)
            EXPECT_EQ(InClient(f, order[i]), want[i]) << (vertical ? "vertical " : "horizontal ") << i;
    }
    // The cascade is laid from the bottom: the active one in front, on top.
    SendMessage(f.Client, WM_MDICASCADE);
    const int step = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYFRAME);
    const std::vector<TRect> stack = MDICascadeRects(Rect(0, 0, 600, 400), 3, step);
    EXPECT_EQ(InClient(f, f.Docs[2]), stack[0]);
    EXPECT_EQ(InClient(f, f.Docs[0]), stack[1]);
    EXPECT_EQ(InClient(f, f.Docs[1]), stack[2]);
    EXPECT_EQ(GetChildWindows(f.Client).front(), f.Docs[1]);
    EXPECT_EQ(GetMDIChildren(f.Client), order);
    EXPECT_EQ(f.Active(), f.Docs[1]);
}

TEST(MdiClient, TilingAndMinimisingPlaceTheDocuments)
{
    TMdiFixture f(3);
    ShowWindow(f.Docs[2], SW_MINIMIZE);
    ShowWindow(f.Docs[0], SW_MINIMIZE);
    // Icons take their slots in the order the documents were made, whatever
    // the stacking order, and keep them when another is activated.
    const int h = InClient(f, f.Docs[0]).Height();
    EXPECT_EQ(InClient(f, f.Docs[0]), Rect(0, 400 - h, MDIIconWidth, 400));
    EXPECT_EQ(InClient(f, f.Docs[2]), Rect(MDIIconWidth, 400 - h, 2 * MDIIconWidth, 400));
    SendMessage(f.Client, WM_MDIACTIVATE, WPARAM(f.Docs[2]));
    SendMessage(f.Client, WM_MDIICONARRANGE);
    EXPECT_EQ(InClient(f, f.Docs[0]), Rect(0, 400 - h, MDIIconWidth, 400));
    // Tiling leaves the row of icons free.
    SendMessage(f.Client, WM_MDITILE, MDITILE_HORIZONTAL);
    EXPECT_EQ(InClient(f, f.Docs[1]), Rect(0, 0, 600, 400 - h));
}
