#include "skin/core/bsSkinData_StoredList.h"

#include "SkinTestSupport.h"

#include <gtest/gtest.h>

using namespace skin;
using platform::TMemoryStream;
using skintest::ChangeMessages;
using skintest::SkinIni;
using skintest::TDesigned;
using skintest::TRecordingForms;
using skintest::TSkinFolder;

namespace {

std::string Named(const std::string& ASkinName)
{
    std::string text = SkinIni;
    text.replace(text.find("Test skin"), 9, ASkinName);
    return text;
}

// A skin list of the named skins, each built from a skin folder.
void FillList(TbsCompressedSkinList& AList, std::initializer_list<const char*> ASkinNames)
{
    for (const char* name : ASkinNames) {
        TSkinFolder folder(Named(name));
        ASSERT_TRUE(AList.Skins().Add()->Skin().LoadFromIniFile(folder.Ini).Ok());
    }
}

class SkinList : public ::testing::Test {
protected:
    TRecordingForms Forms;
    TbsSkinData* Data = new TbsSkinData(Forms.A.get());
    TbsCompressedSkinList* List = new TbsCompressedSkinList(Forms.A.get());
};

} // namespace

TEST_F(SkinList, ItemsAreNamedOnceAndFoundByIndex)
{
    TbsSkinListItems& skins = List->Skins();
    EXPECT_EQ(skins.GetOwner(), List);
    for (int i = 0; i < 3; ++i)
        skins.Add();
    EXPECT_EQ(skins.Items(2)->Name, "bsSkin2");
    EXPECT_EQ(skins.Items(2)->GetDisplayName(), "bsSkin2");
    skins.Delete(0);
    ASSERT_EQ(skins.Count(), 2);
    EXPECT_EQ(skins.Items(0)->Name, "bsSkin1");
    EXPECT_EQ(skins.Add()->Name, "bsSkin2") << "named by its index at creation";
    EXPECT_THROW(skins.Items(3), platform::EListError);
    EXPECT_THROW(skins.Items(-1), platform::EListError);
    EXPECT_TRUE(skins.Items(0)->Skin().Empty());
}

TEST_F(SkinList, AnIndexOutsideTheListIsIgnored)
{
    FillList(*List, {"First"});
    EXPECT_TRUE(Data->SetSkinList(List).Ok());
    EXPECT_EQ(Data->SkinName, "First");
    EXPECT_EQ(Forms.Log, ChangeMessages());
    Forms.Log.clear();
    Data->SetSkinIndex(1);
    EXPECT_EQ(Data->SkinIndex(), 0);
    Data->SetSkinIndex(-1);
    Data->SetSkinIndex(0);
    EXPECT_TRUE(Forms.Log.empty()) << "no reload of the same index";
}

TEST_F(SkinList, AnIndexStoredBeforeTheListCountsOnlyInsideIt)
{
    FillList(*List, {"First", "Second"});
    Data->SetSkinIndex(5);
    EXPECT_EQ(Data->SkinIndex(), 5) << "any value without a list";
    Data->SetSkinList(List);
    EXPECT_TRUE(Data->Empty());
    EXPECT_TRUE(Forms.Log.empty());
    EXPECT_TRUE(Data->SetSkinIndex(1).Ok());
    EXPECT_EQ(Data->SkinName, "Second");
    EXPECT_EQ(Forms.Log, ChangeMessages());
    for (platform::WPARAM wParam : Forms.WParams)
        EXPECT_EQ(wParam, reinterpret_cast<platform::WPARAM>(Data));
    Data->SetSkinIndex(0);
    EXPECT_EQ(Data->SkinName, "First");
}

// A form file holds the model (SkinIndex 0, the value after creation) and
// the list; the list reference is resolved after the whole form was read.
TEST_F(SkinList, AFormFileLoadsItsSkinWhileItIsRead)
{
    TbsCompressedSkinList written(nullptr);
    FillList(written, {"Stored", "Empty"});
    written.Skins().Items(1)->Skin().CompressedStream().Clear();
    std::vector<std::unique_ptr<TMemoryStream>> itemData;
    for (int i = 0; i < 2; ++i) {
        itemData.push_back(std::make_unique<TMemoryStream>());
        ASSERT_TRUE(written.Skins().Items(i)->WriteSkinData(*itemData.back()).Ok());
    }
    EXPECT_EQ(itemData[1]->Size(), 8) << "an empty skin as version 3 and length 0";

    Data->SetLoading(true);
    List->SetLoading(true);
    for (auto& data : itemData)
        ASSERT_TRUE(List->Skins().Add()->ReadSkinData(*data).Ok());
    Data->SetSkinIndex(0);
    EXPECT_TRUE(Data->Empty());
    Data->SetSkinList(List);
    EXPECT_EQ(Data->SkinName, "Stored");
    EXPECT_EQ(Forms.Log, ChangeMessages()) << "the forms that exist are told";
    Data->SetLoading(false);
    List->SetLoading(false);

    Forms.Log.clear();
    const TbsSkinStatus status = Data->SetSkinIndex(1);
    EXPECT_EQ(status.Code, TbsSkinStatusCode::EmptyStoredSkin);
    EXPECT_TRUE(Forms.Log.empty());
    EXPECT_EQ(Data->SkinName, "Stored");
    EXPECT_EQ(Data->SkinIndex(), 1);
}

TEST_F(SkinList, StoredSkinsLoadWhenAttached)
{
    auto* stored = new TbsCompressedStoredSkin(Forms.A.get());
    EXPECT_EQ(Data->SetCompressedStoredSkin(stored).Code, TbsSkinStatusCode::EmptyStoredSkin);
    EXPECT_TRUE(Forms.Log.empty());
    TSkinFolder folder(Named("Attached"));
    ASSERT_TRUE(stored->LoadFromIniFile(folder.Ini).Ok());
    EXPECT_TRUE(Data->SetCompressedStoredSkin(stored).Ok());
    EXPECT_EQ(Data->SkinName, "Attached");
    EXPECT_EQ(Forms.Log, ChangeMessages());

    delete stored;
    EXPECT_EQ(Data->CompressedStoredSkin(), nullptr);
    Data->SetSkinList(List);
    delete List;
    EXPECT_EQ(Data->SkinList(), nullptr);
    EXPECT_EQ(Data->SkinName, "Attached") << "the skin stays";
}

TEST_F(SkinList, NothingLoadsWhileDesigned)
{
    FillList(*List, {"First"});
    TDesigned<TbsSkinData> designed;
    designed.SetSkinList(List);
    auto* stored = &List->Skins().Items(0)->Skin();
    designed.SetCompressedStoredSkin(stored);
    EXPECT_TRUE(designed.Empty());
    EXPECT_TRUE(Forms.Log.empty());
    designed.SetCompressedStoredSkin(nullptr);
    designed.SetSkinList(nullptr);
}

TEST_F(SkinList, CopiedListsCarryTheirSkins)
{
    FillList(*List, {"First", "Second"});
    List->Skins().Items(1)->Description = "the second";
    TbsCompressedSkinList copy(nullptr);
    copy.Skins().Add();
    copy.SetSkins(&List->Skins());
    ASSERT_EQ(copy.Skins().Count(), 2);
    EXPECT_EQ(copy.Skins().Items(1)->Name, "bsSkin1");
    EXPECT_EQ(copy.Skins().Items(1)->Description, "the second");
    EXPECT_EQ(copy.Skins().Items(1)->Skin().CompressedStream().Data(),
              List->Skins().Items(1)->Skin().CompressedStream().Data());
    Data->SetSkinList(&copy);
    Data->SetSkinIndex(1);
    EXPECT_EQ(Data->SkinName, "Second");
    Data->SetSkinList(nullptr);
}

TEST_F(SkinList, ItemFileNamesBuildOnlyWhileTheListIsDesigned)
{
    TSkinFolder folder;
    TbsSkinListItem* item = List->Skins().Add();
    EXPECT_TRUE(item->SetFileName(folder.Ini).Ok());
    EXPECT_EQ(item->FileName(), folder.Ini);
    EXPECT_TRUE(item->Skin().Empty());

    TDesigned<TbsCompressedSkinList> designed;
    TbsSkinListItem* built = designed.Skins().Add();
    EXPECT_TRUE(built->SetFileName(folder.Ini).Ok());
    EXPECT_EQ(built->FileName(), "skin.ini");
    EXPECT_FALSE(built->Skin().Empty());
    ASSERT_TRUE(built->Skin().SaveToCompressFile(folder.Dir.File("s.zsk")).Ok());
    TbsSkinListItem* fromFile = designed.Skins().Add();
    EXPECT_TRUE(fromFile->SetCompressedFileName(folder.Dir.File("s.zsk")).Ok());
    EXPECT_EQ(fromFile->CompressedFileName(), "s.zsk");
    EXPECT_FALSE(fromFile->Skin().Empty());
    EXPECT_EQ(fromFile->SetCompressedFileName(folder.Dir.File("none.zsk")).Code, TbsSkinStatusCode::Failed);
}
