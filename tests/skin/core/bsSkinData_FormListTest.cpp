#include "skin/core/bsSkinData_FormList.h"

#include "SkinTestSupport.h"

#include "platform/ui/Window.h"

#include <gtest/gtest.h>

using namespace skin;
using skintest::ChangeMessages;
using skintest::TRecordingForms;

namespace {

// The border windows of a layered frame are forms of their own class.
class TLayerWindow : public platform::TForm {
public:
    using TForm::TForm;

protected:
    void CreateParams(platform::TCreateParams& P) override
    {
        TForm::CreateParams(P);
        P.WinClassName = LayerWindowClassName;
    }
};

class SkinFormList : public TRecordingForms, public ::testing::Test {
protected:
    // Owned by form B, the second form of the screen.
    TbsSkinData* Data = new TbsSkinData(B.get());
};

} // namespace

TEST_F(SkinFormList, TheScreensFormsSeeTheMessagesInTheirWindowProcedures)
{
    EXPECT_FALSE(A->HandleAllocated());
    Data->ClearSkin();
    EXPECT_EQ(Log, ChangeMessages());
    EXPECT_TRUE(A->HandleAllocated()) << "a form's window is made to reach it";
    for (platform::WPARAM wParam : WParams)
        EXPECT_EQ(wParam, reinterpret_cast<platform::WPARAM>(Data));
}

TEST_F(SkinFormList, OwnerFirstWithoutLayeredBordersAndBackwardsWithALayerFrame)
{
    Data->SetShowLayeredBorders(false);
    EXPECT_EQ(Log, (std::vector<std::string>{"B1427", "A1427"}));
    Log.clear();
    Data->LayerFrame->PictureIndex = 0;
    Data->SendSkinDataMessage(SKN_SKINCHANGE);
    EXPECT_EQ(Log, (std::vector<std::string>{"B1226", "A1226"})) << "no layered borders: the list in order";

    Data->SetShowLayeredBorders(true);
    Log.clear();
    Data->SendSkinDataMessage(SKN_SKINCHANGE);
    EXPECT_EQ(Log, (std::vector<std::string>{"B1226", "A1226"})) << "the whole list backwards";
    Data->LayerFrame->PictureIndex = -1;
    Log.clear();
    Data->SendSkinDataMessage(SKN_UISTRINGSCHANGE);
    EXPECT_EQ(Log, (std::vector<std::string>{"A1274", "B1274"}));
}

TEST_F(SkinFormList, LayerWindowsAndFormsGoneOnTheWayAreLeftOut)
{
    auto* layer = new TLayerWindow(nullptr);
    Record(*layer, "L");
    auto* late = new platform::TForm(nullptr);
    Record(*late, "C");
    platform::TWndMethod old = A->WindowProc;
    A->WindowProc = [&, old](platform::TMessage& M) {
        old(M);
        if (M.Msg == SKN_BEFORESKINCHANGE) {
            delete late;
            late = nullptr;
        }
    };
    Data->ClearSkin();
    EXPECT_EQ(Log, ChangeMessages()) << "C was destroyed while A handled the first message";
    EXPECT_EQ(platform::GetClassName(layer->Handle()), LayerWindowClassName);
    delete layer;
}

TEST_F(SkinFormList, AProviderReplacesTheScreen)
{
    struct TReceiver : IbsSkinMessageReceiver {
        std::vector<unsigned> Seen;
        std::string ReceiverClassName() const override { return "TOther"; }
        void ReceiveSkinMessage(unsigned AMsg, intptr_t, intptr_t) override { Seen.push_back(AMsg); }
    } other;
    SetSkinFormList([&] { return std::vector<IbsSkinMessageReceiver*>{&other}; });
    Data->ClearSkin();
    SetSkinFormList(nullptr);
    EXPECT_TRUE(Log.empty());
    EXPECT_EQ(other.Seen, (std::vector<unsigned>{1225, 1226, 1227}));
}

TEST(SkinFormListAlone, AModelOutsideAFormReachesEveryForm)
{
    TRecordingForms forms;
    TbsSkinData data(nullptr);
    data.SetShowLayeredBorders(false);
    EXPECT_EQ(forms.Log, (std::vector<std::string>{"A1427", "B1427"}));
}
