#include "skin/core/bsSkinData_ResStr.h"

#include <gtest/gtest.h>

using namespace skin;
using platform::TStringList;

TEST(ResourceStrData, DefaultTable)
{
    TbsResourceStrData data(nullptr);
    EXPECT_EQ(data.ResStrings().Count(), 131);
    EXPECT_EQ(data.CharSet, 1);
    EXPECT_EQ(data.ResStrings()[0], "MI_MINCAPTION=Mi&nimize");
    EXPECT_EQ(data.ResStrings()[130], "DBNAV_REFRESH=Refresh data");
    const struct {
        const char* Key;
        const char* Text;
    } cases[] = {
        {"msg_btn_ok", "OK"},           {"MSG_BTN_NOTOALL", "N&oToAll"}, {"FLV_LOOKIN", "Look in: "},
        {"RESTORE_HINT", "Restore"},    {"MSG_CAP_SHOWFLAG", "Do not display this message again"},
        {"MI_ROLLUPCAPTION", "Ro&llUp"}, {"NO_SUCH_KEY", ""},            {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(data.GetResStr(c.Key), c.Text) << c.Key;
    // The file-dialog lines follow the message-box buttons directly.
    EXPECT_EQ(data.ResStrings()[30], "MSG_BTN_OPEN=&Open");
}

TEST(ResourceStrData, LookupRules)
{
    TbsResourceStrData data(nullptr);
    data.SetResStrings(TStringList{"A=1", "a=2", "K=x=y", "NOEQUALS", "=empty key"});
    EXPECT_EQ(data.GetResStr("A"), "1");
    EXPECT_EQ(data.GetResStr("k"), "x=y");
    EXPECT_EQ(data.GetResStr("NOEQUALS"), "");
    EXPECT_EQ(data.GetResStr(""), "empty key");
    EXPECT_EQ(data.GetResStr("MSG_BTN_CANCEL"), "") << "no fallback to the built-in text";
}

TEST(ResourceStrData, OwnedByItsForm)
{
    platform::TComponent form(nullptr);
    auto* data = new TbsResourceStrData(&form);
    EXPECT_EQ(form.ComponentCount(), 1);
    EXPECT_EQ(form.Components(0), data);
}
