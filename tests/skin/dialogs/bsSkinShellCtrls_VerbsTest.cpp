// The verbs of the shell views: which an item offers, delete to the trash
// after a question, properties in a box, and the view's handler seeing each
// chosen verb first.

#include "skin/dialogs/bsSkinShellCtrls_Verbs.h"

#include "skin/dialogs/bsMessages.h"

#include "../../platform/shell/FakeLauncher.h"
#include "DialogsTestSupport.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

using namespace skin;
using namespace platform;
using dialogtest::TWhenModal;

bool Exists(const std::string& APath)
{
    struct stat st {};
    return lstat(APath.c_str(), &st) == 0;
}

// A view that takes "rename" itself and records what it heard.
class TVerbView : public TWinControl, public IShellVerbHandler {
public:
    TVerbView() : TWinControl(nullptr) {}
    void ExecuteCommand(const std::string& AVerb, bool& AHandled) override
    {
        Heard.push_back("execute " + AVerb);
        AHandled = AVerb == "rename";
    }
    void CommandCompleted(const std::string& AVerb, bool ASucceeded) override
    {
        Heard.push_back("completed " + AVerb + (ASucceeded ? " ok" : " failed"));
    }
    std::vector<std::string> Heard;
};

struct VerbsTest : ::testing::Test {
    testsupport::TTempDir Dir;
    shelltest::TEnvScope Data{"XDG_DATA_HOME", Dir.File("data")};
    std::unique_ptr<TbsShellFolder> Folder;

    void SetUp() override
    {
        testsupport::WriteFile(Dir.File("tone.wav"), "12345");
        std::string root = Dir.Path();
        Folder.reset(RootItemFromText(nullptr, "", root));
    }
    std::unique_ptr<TbsShellFolder> Item(const std::string& AName)
    {
        PItemIDList id = nullptr;
        if (!Folder->ShellFolder()->ParseDisplayName(AName, id))
            return nullptr;
        auto item = std::make_unique<TbsShellFolder>(Folder.get(), id, nullptr);
        FreeItemIDList(id);
        return item;
    }
    // Answers the box that the verb shows with AButton and keeps its text.
    bool RunAnswering(TbsShellFolder* AItem, const std::string& AVerb, const char* AButton, std::string* AText = nullptr)
    {
        TWhenModal answer([&](TCustomForm* F) {
            auto* box = dynamic_cast<TbsMessageForm*>(F);
            if (AText)
                *AText = box->Message->Caption();
            dialogtest::Click(dynamic_cast<TControl*>(box->FindComponent(AButton)));
        });
        return RunShellVerb(AItem, AVerb);
    }
};

TEST_F(VerbsTest, ItemsOfferTheVerbsTheirCapabilitiesAllow)
{
    auto file = Item("tone.wav");
    ASSERT_TRUE(file);
    EXPECT_EQ(ShellVerbsOf(file.get()), (std::vector<std::string>{"open", "rename", "delete", "properties"}));
    std::string computer = "rfMyComputer";
    std::unique_ptr<TbsShellFolder> virtualItem(RootItemFromText(nullptr, "", computer));
    EXPECT_EQ(ShellVerbsOf(virtualItem.get()), (std::vector<std::string>{"open", "properties"}));
    EXPECT_TRUE(ShellVerbsOf(nullptr).empty());
    EXPECT_FALSE(RunShellVerb(file.get(), "explore"));
    EXPECT_FALSE(RunShellVerb(nullptr, "open"));
}

TEST_F(VerbsTest, DeleteMovesTheItemToTheTrashOnlyWhenTheUserSaysYes)
{
    auto file = Item("tone.wav");
    std::string question;
    EXPECT_FALSE(RunAnswering(file.get(), "delete", "No", &question));
    EXPECT_NE(question.find("tone.wav"), std::string::npos) << question;
    EXPECT_TRUE(Exists(Dir.File("tone.wav")));
    EXPECT_TRUE(RunAnswering(file.get(), "DELETE", "Yes"));
    EXPECT_FALSE(Exists(Dir.File("tone.wav")));
    EXPECT_EQ(testsupport::ReadFile(Dir.File("data/Trash/files/tone.wav")), "12345");
}

TEST_F(VerbsTest, AFailedDeleteIsReportedAndNotASuccess)
{
    auto file = Item("tone.wav");
    // The trash cannot be made where a file stands.
    testsupport::WriteFile(Dir.File("blocker"), "");
    shelltest::TEnvScope blocked{"XDG_DATA_HOME", Dir.File("blocker")};
    std::string report;
    TWhenModal yes([](TCustomForm* F) { dialogtest::Click(dynamic_cast<TControl*>(F->FindComponent("Yes"))); });
    // The error box follows the question: answer it once it is up.
    TbsGuiTimer second(5, [&] {
        auto* box = dynamic_cast<TbsMessageForm*>(Screen()->ActiveForm());
        if (yes.Done() && box && box->IsModal() && box->FindComponent("OK") && report.empty()) {
            report = box->Message->Caption();
            dialogtest::Click(dynamic_cast<TControl*>(box->FindComponent("OK")));
        }
    });
    EXPECT_FALSE(RunShellVerb(file.get(), "delete"));
    EXPECT_TRUE(Exists(Dir.File("tone.wav")));
    EXPECT_NE(report.find("tone.wav"), std::string::npos) << report;
}

TEST_F(VerbsTest, PropertiesShowTheItemsDetails)
{
    auto file = Item("tone.wav");
    std::string text;
    EXPECT_TRUE(RunAnswering(file.get(), "properties", "OK", &text));
    EXPECT_NE(text.find("Name: tone.wav"), std::string::npos) << text;
    EXPECT_NE(text.find("Size: 5 bytes"), std::string::npos) << text;
    EXPECT_NE(text.find("Location: " + Dir.Path()), std::string::npos) << text;
}

TEST_F(VerbsTest, TheViewSeesEveryChosenVerbFirst)
{
    shelltest::TLauncherScope launcher;
    auto file = Item("tone.wav");
    TVerbView view;
    EXPECT_TRUE(InvokeShellVerb(&view, file.get(), "rename"));
    EXPECT_TRUE(InvokeShellVerb(&view, file.get(), "open"));
    EXPECT_FALSE(InvokeShellVerb(&view, file.get(), "explore"));
    EXPECT_EQ(view.Heard, (std::vector<std::string>{"execute rename", "completed rename ok", "execute open",
                                                    "completed open ok", "execute explore",
                                                    "completed explore failed"}));
    ASSERT_EQ(launcher.Log.size(), 1u);
    EXPECT_EQ(launcher.Log[0].Command.Argv.back(), Dir.File("tone.wav"));
}

TEST_F(VerbsTest, TheContextMenuHoldsTheVerbsAndRunsThem)
{
    auto file = Item("tone.wav");
    TVerbView view;
    TPopupMenu menu(nullptr);
    FillShellContextMenu(&menu, &view, file.get());
    std::vector<std::string> captions;
    for (int i = 0; i < menu.Items()->Count(); ++i)
        captions.push_back(menu.Items()->Items(i)->Caption);
    EXPECT_EQ(captions, (std::vector<std::string>{"Open", "-", "Rename", "Delete", "Properties"}));
    EXPECT_TRUE(menu.Items()->Items(0)->Default);
    menu.Items()->Items(2)->Click();
    EXPECT_EQ(view.Heard, (std::vector<std::string>{"execute rename", "completed rename ok"}));
    FillShellContextMenu(&menu, &view, file.get());
    EXPECT_EQ(menu.Items()->Count(), 5) << "filled afresh, not appended";
    // An item gone while the menu was open is not touched.
    view.Heard.clear();
    FillShellContextMenu(&menu, &view, file.get(), {}, [] { return static_cast<TbsShellFolder*>(nullptr); });
    menu.Items()->Items(2)->Click();
    EXPECT_TRUE(view.Heard.empty());
}

} // namespace
