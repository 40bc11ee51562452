#include "platform/controls/Menus.h"

#include "platform/controls/ImgList.h"
#include "platform/core/SysUtils.h"

#include <algorithm>

namespace platform {
namespace {

int GNextCommand = 1;
TPopupMenuPresenter GPresenter;

struct TKeyName {
    uint16_t Key;
    const char* Name;
};

// Names of the keys that have no character of their own.
const TKeyName kKeyNames[] = {
    {VK_BACK, "BkSp"}, {VK_TAB, "Tab"}, {VK_RETURN, "Enter"}, {VK_ESCAPE, "Esc"}, {VK_SPACE, "Space"},
    {VK_PRIOR, "PgUp"}, {VK_NEXT, "PgDn"}, {VK_END, "End"}, {VK_HOME, "Home"}, {VK_LEFT, "Left"},
    {VK_UP, "Up"}, {VK_RIGHT, "Right"}, {VK_DOWN, "Down"}, {VK_INSERT, "Ins"}, {VK_DELETE, "Del"},
};

std::string KeyName(uint16_t AKey)
{
    for (const TKeyName& k : kKeyNames)
        if (k.Key == AKey)
            return k.Name;
    if (AKey >= VK_F1 && AKey <= VK_F1 + 23)
        return "F" + std::to_string(AKey - VK_F1 + 1);
    if ((AKey >= '0' && AKey <= '9') || (AKey >= 'A' && AKey <= 'Z'))
        return std::string(1, char(AKey));
    return std::string();
}

} // namespace

TShortCut ShortCut(uint16_t AKey, TShiftState AShift)
{
    if (AKey & 0xFF00)
        return scNone;
    TShortCut s = AKey;
    if (AShift & ssShift) s |= scShift;
    if (AShift & ssCtrl) s |= scCtrl;
    if (AShift & ssAlt) s |= scAlt;
    return s;
}

void ShortCutToKey(TShortCut AShortCut, uint16_t& AKey, TShiftState& AShift)
{
    AKey = AShortCut & 0xFF;
    AShift = 0;
    if (AShortCut & scShift) AShift |= ssShift;
    if (AShortCut & scCtrl) AShift |= ssCtrl;
    if (AShortCut & scAlt) AShift |= ssAlt;
}

std::string ShortCutToText(TShortCut AShortCut)
{
    std::string name = KeyName(AShortCut & 0xFF);
    if (name.empty())
        return std::string();
    std::string prefix;
    if (AShortCut & scShift) prefix += "Shift+";
    if (AShortCut & scCtrl) prefix += "Ctrl+";
    if (AShortCut & scAlt) prefix += "Alt+";
    return prefix + name;
}

TShortCut TextToShortCut(const std::string& AText)
{
    TShortCut mods = 0;
    std::string rest = AText;
    for (;;) {
        if (StartsText("Shift+", rest)) { mods |= scShift; rest = rest.substr(6); }
        else if (StartsText("Ctrl+", rest)) { mods |= scCtrl; rest = rest.substr(5); }
        else if (StartsText("Alt+", rest)) { mods |= scAlt; rest = rest.substr(4); }
        else break;
    }
    for (uint16_t key = 1; key < 256; ++key)
        if (!KeyName(key).empty() && SameText(KeyName(key), rest))
            return TShortCut(key | mods);
    return scNone;
}

// ---- TMenuItem

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner), FCommand(GNextCommand++) {}

TMenuItem::~TMenuItem()
{
    Clear();
    if (FParent)
        FParent->Remove(this);
}

TBitmap* TMenuItem::Bitmap()
{
    if (!FBitmap)
        FBitmap = std::make_unique<TBitmap>();
    return FBitmap.get();
}

int TMenuItem::MenuIndex() const { return FParent ? FParent->IndexOf(this) : -1; }

void TMenuItem::Add(TMenuItem* AItem) { Insert(Count(), AItem); }

void TMenuItem::Insert(int AIndex, TMenuItem* AItem)
{
    if (AItem->FParent)
        throw EInvalidOperation("Menu inserted twice");
    AIndex = std::clamp(AIndex, 0, Count());
    FItems.insert(FItems.begin() + AIndex, AItem);
    AItem->FParent = this;
}

void TMenuItem::Delete(int AIndex)
{
    if (AIndex < 0 || AIndex >= Count())
        throw Exception("List index out of bounds (" + std::to_string(AIndex) + ")");
    TMenuItem* item = FItems[size_t(AIndex)];
    FItems.erase(FItems.begin() + AIndex);
    item->FParent = nullptr;
    delete item;
}

void TMenuItem::Remove(TMenuItem* AItem)
{
    auto it = std::find(FItems.begin(), FItems.end(), AItem);
    if (it == FItems.end())
        return;
    FItems.erase(it);
    AItem->FParent = nullptr;
}

void TMenuItem::Clear()
{
    while (!FItems.empty())
        Delete(Count() - 1);
}

int TMenuItem::IndexOf(const TMenuItem* AItem) const
{
    auto it = std::find(FItems.begin(), FItems.end(), AItem);
    return it == FItems.end() ? -1 : int(it - FItems.begin());
}

TMenuItem* TMenuItem::Find(const std::string& ACaption) const
{
    for (TMenuItem* i : FItems)
        if (SameText(StripHotkey(i->Caption), StripHotkey(ACaption)))
            return i;
    return nullptr;
}

TMenu* TMenuItem::GetParentMenu() const
{
    const TMenuItem* root = this;
    while (root->FParent)
        root = root->FParent;
    return root->FMenu;
}

void TMenuItem::SetChecked(bool AValue)
{
    Checked = AValue;
    if (AValue && RadioItem && FParent)
        for (TMenuItem* sibling : FParent->FItems)
            if (sibling != this && sibling->RadioItem && sibling->GroupIndex == GroupIndex)
                sibling->Checked = false;
}

void TMenuItem::Click()
{
    if (!Enabled)
        return;
    if (RadioItem)
        SetChecked(true);
    if (OnClick)
        OnClick(this);
}

void TMenuItem::RethinkLines()
{
    TMenuItem* kept = nullptr;   // the separator that shows if a shown item follows it
    bool itemShown = false;
    for (TMenuItem* child : FItems) {
        if (!child->IsLine()) {
            if (child->Visible) {
                if (kept) {
                    kept->Visible = true;
                    kept->FLineHidden = false;
                    kept = nullptr;
                }
                itemShown = true;
            }
            continue;
        }
        if (!child->Visible && !child->FLineHidden)
            continue;
        // Hidden until a shown item after it proves it is needed.
        child->Visible = false;
        child->FLineHidden = true;
        if (itemShown && !kept)
            kept = child;
    }
}

// ---- TMenu

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner), FItems(new TMenuItem(nullptr))
{
    FItems->FMenu = this;
}

TMenu::~TMenu() { delete FItems; }

void TMenu::SetImages(TCustomImageList* AValue)
{
    FImages = AValue;
    if (AValue)
        AValue->FreeNotification(this);
}

void TMenu::Notification(TComponent* AComponent, TOperation AOperation)
{
    TComponent::Notification(AComponent, AOperation);
    if (AOperation == opRemove && AComponent == FImages)
        FImages = nullptr;
}

namespace {

TMenuItem* FindIn(TMenuItem* AItem, const std::function<bool(TMenuItem*)>& AMatch)
{
    for (int i = 0; i < AItem->Count(); ++i) {
        TMenuItem* c = AItem->Items(i);
        if (AMatch(c))
            return c;
        if (TMenuItem* found = FindIn(c, AMatch))
            return found;
    }
    return nullptr;
}

bool Reachable(TMenuItem* AItem)
{
    for (TMenuItem* i = AItem; i; i = i->Parent())
        if (!i->Enabled || !i->Visible)
            return i->Parent() == nullptr;   // the root item holds no state of its own
    return true;
}

} // namespace

TMenuItem* TMenu::FindItem(int ACommand) const
{
    return FindIn(FItems, [&](TMenuItem* i) { return i->Command() == ACommand; });
}

bool TMenu::DispatchCommand(int ACommand)
{
    TMenuItem* item = FindItem(ACommand);
    if (!item)
        return false;
    item->Click();
    return true;
}

bool TMenu::IsShortCut(uint16_t AKey, TShiftState AShift)
{
    TShortCut wanted = ShortCut(AKey, AShift & (ssShift | ssCtrl | ssAlt));
    if (wanted == scNone)
        return false;
    TMenuItem* item = FindIn(FItems, [&](TMenuItem* i) { return i->ShortCut == wanted && Reachable(i); });
    if (!item)
        return false;
    item->Click();
    return true;
}

void SetPopupMenuPresenter(TPopupMenuPresenter APresenter) { GPresenter = std::move(APresenter); }

void TPopupMenu::Popup(int X, int Y)
{
    if (OnPopup)
        OnPopup(this);
    if (GPresenter)
        GPresenter(this, X, Y);
}

} // namespace platform
