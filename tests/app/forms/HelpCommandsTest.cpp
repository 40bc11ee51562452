// Where the help commands lead: F1, "帮助系统" and "官方网站" open the
// program's own help page, "联系邮箱" a new mail; the about box's two links
// open the same; without the help page nothing opens.
#include "FormsTestSupport.h"

#include "app/forms/Unit2.h"
#include "app/workflow/ProgramFiles.h"

#include "skin/boxes/bsSkinExCtrls_LinkLabel.h"

#include "platform/ui/Messages.h"

#include <filesystem>
#include <functional>

using namespace app;
using namespace formstest;
using namespace platform;

namespace {

class HelpCommandsTest : public TMainWindowFixture {
protected:
    void SetUp() override
    {
        TMainWindowFixture::SetUp();
        Create(std::make_unique<apptest::TFakeEngine>());
    }

    void Link(const char* AName)
    {
        auto* link = dynamic_cast<skin::TbsSkinLinkLabel*>(Form2->FindComponent(AName));
        ASSERT_NE(link, nullptr) << AName;
        link->Click();
    }
};

TEST_F(HelpCommandsTest, EachOpensTheHelpPageOrANewMail)
{
    std::filesystem::create_directories(Home.File("help"));
    testsupport::WriteFile(Home.File("help/index.html"), "<html></html>");
    const std::string help = "xdg-open " + Home.Path() + "/help/index.html";
    const std::string mail = std::string("xdg-open ") + ContactMailLink;
    const struct {
        const char* What;
        std::function<void()> Do;
        std::string Opened;
    } cases[] = {
        {"F1", [this] {
             TMessage key{WM_KEYDOWN, WPARAM(VK_F1), 0, 0};
             EXPECT_TRUE(static_cast<TCustomForm&>(*Form1).IsShortCut(key));
         }, help},
        {"帮助系统", [this] { Form1->MenuItem("N15")->Click(); }, help},
        {"官方网站", [this] { Form1->MenuItem("N19")->Click(); }, help},
        {"联系邮箱", [this] { Form1->MenuItem("EMAIL1")->Click(); }, mail},
        {"the about box's first link", [this] { Link("bsSkinLinkLabel1"); }, help},
        {"the about box's second link", [this] { Link("bsSkinLinkLabel2"); }, mail},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.What);
        Actions.clear();
        c.Do();
        EXPECT_EQ(Actions, std::vector<std::string>{c.Opened});
    }
}

TEST_F(HelpCommandsTest, WithoutTheHelpPageNothingOpens)
{
    Form1->MenuItem("N15")->Click();
    Form1->MenuItem("N19")->Click();
    Link("bsSkinLinkLabel1");
    EXPECT_TRUE(Actions.empty());
}

} // namespace
