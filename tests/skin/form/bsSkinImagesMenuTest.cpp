// The picture-grid menu on a headless form: the grid's layout and size,
// keys that move in rows and columns, choosing by click and by key, closing
// by Escape or a press outside, the events of a choice, placement above the
// rectangle near the bottom, and the painted frames of hot and chosen cells.

#include "MenuTestSupport.h"

#include "skin/form/bsSkinImagesMenu.h"

namespace {

using namespace menutest;
using skin::TbsImagesMenuItem;
using skin::TbsSkinImagesMenu;

struct ImagesMenuTest : TMenuFixture {
    TImageList* Images = new TImageList(nullptr);
    TbsSkinImagesMenu* Menu = nullptr;
    std::vector<std::string> Events;

    void SetUp() override
    {
        TMenuFixture::SetUp();
        Images->SetSize(16, 16);
        for (int i = 0; i < 12; ++i)
            Images->AddPixels(std::vector<uint32_t>(16 * 16, 0xFF000000u | uint32_t(i * 20)));
        Menu = new TbsSkinImagesMenu(Form.get());
        Menu->SetImages(Images);
        Menu->SetColumnsCount(4);
        Menu->OnItemClick = [this](TObject*) { Events.push_back("item click"); };
        Menu->OnChange = [this](TObject*) { Events.push_back("change"); };
        Menu->OnMenuClose = [this](TObject*) { Events.push_back("close"); };
    }
    void TearDown() override
    {
        TMenuFixture::TearDown();
        delete Images;
    }
    TbsImagesMenuItem* AddCell(int AImage)
    {
        TbsImagesMenuItem* item = Menu->ImagesItems()->Add();
        item->ImageIndex = AImage;
        item->OnClick = [this, AImage](TObject*) { Events.push_back("cell " + std::to_string(AImage)); };
        return item;
    }
    void TwelveCells()
    {
        for (int i = 0; i < 12; ++i)
            AddCell(i);
    }
    TPoint CellCenter(int AIndex)
    {
        const TRect r = Menu->ImagesItems()->Items(AIndex)->ItemRect;
        return Menu->PopupWindow()->ClientToScreen(Point((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
    }
    void Press(TPoint P)
    {
        InjectMouseMove(P);
        Pump();
        InjectMouseButton(TMouseButton::mbLeft, true, P);
        Pump();
        InjectMouseButton(TMouseButton::mbLeft, false, P);
        Pump();
    }
};

TEST_F(ImagesMenuTest, TwelveCellsInFourColumnsMakeThreeRows)
{
    TwelveCells();
    Menu->PopupFromRect(Rect(200, 150, 260, 170));
    Pump();
    ASSERT_NE(Menu->PopupWindow(), nullptr);
    EXPECT_EQ(Menu->PopupWindow()->Width(), 114);
    EXPECT_EQ(Menu->PopupWindow()->Height(), 90);
    EXPECT_EQ(Point(Menu->PopupWindow()->Left(), Menu->PopupWindow()->Top()), Point(200, 170));
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(Menu->ImagesItems()->Items(i)->ItemRect, Bounds(5 + 26 * (i % 4), 5 + 27 * (i / 4), 26, 26)) << i;
    Menu->Hide();
}

TEST_F(ImagesMenuTest, AButtonRowStartsANewRowAndTheNextCellTheRowAfter)
{
    AddCell(0);
    AddCell(1);
    TbsImagesMenuItem* button = AddCell(2);
    button->Button = true;
    button->Caption = "更多颜色";
    AddCell(3);
    Menu->PopupFromRect(Rect(200, 150, 200, 150));
    Pump();
    EXPECT_EQ(button->ItemRect, Bounds(5, 32, 104, 26));
    EXPECT_EQ(Menu->ImagesItems()->Items(3)->ItemRect, Bounds(5, 59, 26, 26));
    SaveWindowPng(Menu->PopupWindow()->Handle(), "images_menu_button_row.png");
    Menu->Hide();
}

struct GridKeyCase {
    const char* Name;
    std::vector<int> Keys;
    int Hot;
};

TEST_F(ImagesMenuTest, KeysMoveAlongRowsAndColumns)
{
    TwelveCells();
    const GridKeyCase cases[] = {
        {"down from nothing takes the first cell", {VK_DOWN}, 0},
        {"down keeps the column", {VK_DOWN, VK_RIGHT, VK_DOWN}, 5},
        {"up keeps the column", {VK_DOWN, VK_DOWN, VK_DOWN, VK_UP}, 4},
        {"left from the first wraps to the last", {VK_DOWN, VK_LEFT}, 11},
        {"right from the last wraps to the first", {VK_UP, VK_RIGHT}, 0},
        {"down at the bottom row stays", {VK_UP, VK_DOWN}, 11},
    };
    for (const GridKeyCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Menu->PopupFromRect(Rect(200, 150, 200, 150));
        Pump();
        for (int k : c.Keys)
            Key(k);
        ASSERT_NE(Menu->PopupWindow(), nullptr);
        EXPECT_EQ(Menu->PopupWindow()->MouseInItem, c.Hot);
        Menu->Hide();
    }
    Events.clear();
    Menu->PopupFromRect(Rect(200, 150, 200, 150));
    Pump();
    Key(VK_DOWN);
    Key(VK_RIGHT);
    Key(VK_RETURN);
    EXPECT_EQ(Menu->ItemIndex, 1);
    EXPECT_EQ(Menu->PopupWindow(), nullptr);
    EXPECT_EQ(Events, (std::vector<std::string>{"close", "cell 1", "item click", "change"}));
}

TEST_F(ImagesMenuTest, AClickChoosesAndAPressOutsideClosesWithoutAChoice)
{
    TwelveCells();
    Menu->ItemIndex = 2;
    Menu->PopupFromRect(Rect(200, 150, 200, 150));
    Pump();
    EXPECT_EQ(GetCapture(), Menu->PopupWindow()->Handle());
    Press(Point(5000, 5000));
    EXPECT_EQ(Menu->PopupWindow(), nullptr);
    EXPECT_EQ(Menu->ItemIndex, 2);
    EXPECT_EQ(Events, std::vector<std::string>{"close"});
    EXPECT_EQ(GetCapture(), nullptr);
    // Choosing the item already chosen runs its click but changes nothing.
    Events.clear();
    Menu->PopupFromRect(Rect(200, 150, 200, 150));
    Pump();
    Press(CellCenter(2));
    EXPECT_EQ(Events, (std::vector<std::string>{"close", "cell 2", "item click"}));
    Events.clear();
    Menu->PopupFromRect(Rect(200, 150, 200, 150));
    Pump();
    Press(CellCenter(7));
    EXPECT_EQ(Menu->ItemIndex, 7);
    EXPECT_EQ(Events, (std::vector<std::string>{"close", "cell 7", "item click", "change"}));
    // Escape closes without a choice; keys never reach the focused control.
    int keys = 0;
    Edit->OnKeyDown = [&](TObject*, uint16_t&, TShiftState) { ++keys; };
    Menu->PopupFromRect(Rect(200, 150, 200, 150));
    Pump();
    Key(VK_ESCAPE);
    EXPECT_EQ(Menu->PopupWindow(), nullptr);
    EXPECT_EQ(Menu->ItemIndex, 7);
    EXPECT_EQ(keys, 0);
}

TEST_F(ImagesMenuTest, TheGridOpensAboveTheRectangleNearTheBottom)
{
    TwelveCells();
    Menu->PopupFromRect(Rect(1900, 1000, 1910, 1020));
    Pump();
    EXPECT_EQ(Point(Menu->PopupWindow()->Left(), Menu->PopupWindow()->Top()), Point(1920 - 114, 1000 - 90));
    Menu->Hide();
}

TEST_F(ImagesMenuTest, HotAndChosenCellsAreFramed)
{
    TwelveCells();
    Menu->ItemIndex = 0;
    Menu->PopupFromRect(Rect(200, 150, 200, 150));
    Pump();
    InjectMouseMove(CellCenter(5));
    Pump();
    HWND h = Menu->PopupWindow()->Handle();
    const TRect chosen = Menu->ImagesItems()->Items(0)->ItemRect, hot = Menu->ImagesItems()->Items(5)->ItemRect;
    EXPECT_EQ(WindowPixel(h, chosen.Left, chosen.Top), Rgb(59, 107, 183));
    EXPECT_EQ(WindowPixel(h, chosen.Left + 2, chosen.Top + 2), Rgb(162, 188, 228));
    EXPECT_EQ(WindowPixel(h, hot.Left + 2, hot.Top + 2), Rgb(193, 212, 243));
    const TRect plain = Menu->ImagesItems()->Items(3)->ItemRect;
    EXPECT_EQ(WindowPixel(h, plain.Left + 2, plain.Top + 2), skintest::SysRgb(clWindow));
    EXPECT_EQ(WindowPixel(h, 0, 0), skintest::SysRgb(clBtnShadow));
    SaveWindowPng(h, "images_menu_grid.png");
    Menu->Hide();
}

TEST_F(ImagesMenuTest, WithoutPicturesOrItemsTheGridDoesNotOpen)
{
    int popups = 0;
    Menu->OnMenuPopup = [&](TObject*) { ++popups; };
    Menu->PopupFromRect(Rect(200, 150, 200, 150));
    EXPECT_EQ(Menu->PopupWindow(), nullptr);   // no items
    AddCell(0);
    Menu->SetImages(nullptr);
    Menu->PopupFromRect(Rect(200, 150, 200, 150));
    EXPECT_EQ(Menu->PopupWindow(), nullptr);
    EXPECT_EQ(popups, 2);
    Menu->SetColumnsCount(0);
    Menu->SetColumnsCount(51);
    EXPECT_EQ(Menu->ColumnsCount(), 4);
}

} // namespace
