#include "platform/core/Classes.h"

#include "platform/core/Exceptions.h"
#include "platform/core/SysUtils.h"

#include <algorithm>
#include <fstream>
#include <sstream>

namespace platform {

// ---- TComponent -----------------------------------------------------------

TComponent::TComponent(TComponent* AOwner)
{
    if (AOwner)
        AOwner->InsertComponent(this);
}

TComponent::~TComponent()
{
    FComponentState |= csDestroying;
    // Tell everyone who asked, then free what we own (last first).
    auto notifies = FFreeNotifies;
    FFreeNotifies.clear();
    for (TComponent* c : notifies) {
        c->RemoveFreeNotification(this);
        c->Notification(this, opRemove);
    }
    while (!FComponents.empty()) {
        TComponent* c = FComponents.back();
        FComponents.pop_back();
        c->FOwner = nullptr;
        delete c;
    }
    if (FOwner)
        FOwner->RemoveComponent(this);
}

TComponent* TComponent::FindComponent(std::string_view AName) const
{
    if (AName.empty())
        return nullptr;
    for (TComponent* c : FComponents)
        if (SameText(c->FName, AName))
            return c;
    return nullptr;
}

void TComponent::SetLoading(bool AValue)
{
    const bool was = IsLoading();
    FComponentState = AValue ? (FComponentState | csLoading) : (FComponentState & ~unsigned(csLoading));
    if (was && !AValue)
        Loaded();
}

void TComponent::SetDesigning(bool AValue)
{
    FComponentState = AValue ? (FComponentState | csDesigning) : (FComponentState & ~unsigned(csDesigning));
}

void TComponent::InsertComponent(TComponent* AComponent)
{
    if (AComponent->FOwner)
        AComponent->FOwner->RemoveComponent(AComponent);
    FComponents.push_back(AComponent);
    AComponent->FOwner = this;
    Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent)
{
    auto it = std::find(FComponents.begin(), FComponents.end(), AComponent);
    if (it == FComponents.end())
        return;
    FComponents.erase(it);
    AComponent->FOwner = nullptr;
    if (!IsDestroying())
        Notification(AComponent, opRemove);
}

void TComponent::FreeNotification(TComponent* AComponent)
{
    if (!AComponent || AComponent == this)
        return;
    if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent) == FFreeNotifies.end())
        FFreeNotifies.push_back(AComponent);
    if (std::find(AComponent->FFreeNotifies.begin(), AComponent->FFreeNotifies.end(), this) ==
        AComponent->FFreeNotifies.end())
        AComponent->FFreeNotifies.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent)
{
    auto drop = [](std::vector<TComponent*>& list, TComponent* c) {
        list.erase(std::remove(list.begin(), list.end(), c), list.end());
    };
    drop(FFreeNotifies, AComponent);
    if (AComponent)
        drop(AComponent->FFreeNotifies, this);
}

void TComponent::Notification(TComponent* AComponent, TOperation AOperation)
{
    if (AOperation == opRemove)
        RemoveFreeNotification(AComponent);
}

// ---- TStringList ----------------------------------------------------------

namespace {
[[noreturn]] void IndexError(int AIndex)
{
    throw EListError("List index out of bounds (" + std::to_string(AIndex) + ")");
}
} // namespace

TStringList::TStringList(std::initializer_list<std::string> AItems)
{
    for (const auto& s : AItems)
        FItems.push_back({s, nullptr});
}

const std::string& TStringList::Strings(int AIndex) const
{
    if (AIndex < 0 || AIndex >= Count())
        IndexError(AIndex);
    return FItems[size_t(AIndex)].Text;
}

void TStringList::SetStrings(int AIndex, const std::string& AValue)
{
    if (AIndex < 0 || AIndex >= Count())
        IndexError(AIndex);
    FItems[size_t(AIndex)].Text = AValue;
    Changed();
}

TObject* TStringList::Objects(int AIndex) const
{
    if (AIndex < 0 || AIndex >= Count())
        IndexError(AIndex);
    return FItems[size_t(AIndex)].Object;
}

void TStringList::SetObjects(int AIndex, TObject* AObject)
{
    if (AIndex < 0 || AIndex >= Count())
        IndexError(AIndex);
    FItems[size_t(AIndex)].Object = AObject;
}

int TStringList::Compare(std::string_view A, std::string_view B) const
{
    return CaseSensitive ? A.compare(B) : CompareText(A, B);
}

// Binary search of a sorted list: the index of S, or where it would go.
bool TStringList::Find(std::string_view S, int& AIndex) const
{
    int lo = 0, hi = Count() - 1;
    bool found = false;
    while (lo <= hi) {
        const int mid = (lo + hi) / 2;
        const int c = Compare(FItems[size_t(mid)].Text, S);
        if (c < 0) {
            lo = mid + 1;
        } else {
            hi = mid - 1;
            if (c == 0) {
                found = true;
                if (Duplicates != TDuplicates::dupAccept)
                    lo = mid;
            }
        }
    }
    AIndex = lo;
    return found;
}

int TStringList::Add(const std::string& S) { return AddObject(S, nullptr); }

int TStringList::AddObject(const std::string& S, TObject* AObject)
{
    int index = Count();
    if (FSorted) {
        if (Find(S, index)) {
            if (Duplicates == TDuplicates::dupIgnore)
                return index;
            if (Duplicates == TDuplicates::dupError)
                throw Exception("String list does not allow duplicates");
        }
    }
    FItems.insert(FItems.begin() + index, TItem{S, AObject});
    Changed();
    return index;
}

void TStringList::Insert(int AIndex, const std::string& S)
{
    if (FSorted)
        throw Exception("Operation not allowed on sorted list");
    if (AIndex < 0 || AIndex > Count())
        IndexError(AIndex);
    FItems.insert(FItems.begin() + AIndex, TItem{S, nullptr});
    Changed();
}

void TStringList::Delete(int AIndex)
{
    if (AIndex < 0 || AIndex >= Count())
        IndexError(AIndex);
    FItems.erase(FItems.begin() + AIndex);
    Changed();
}

void TStringList::Clear()
{
    if (FItems.empty())
        return;
    FItems.clear();
    Changed();
}

void TStringList::Exchange(int A, int B)
{
    if (A < 0 || A >= Count())
        IndexError(A);
    if (B < 0 || B >= Count())
        IndexError(B);
    std::swap(FItems[size_t(A)], FItems[size_t(B)]);
    Changed();
}

void TStringList::Move(int AFrom, int ATo)
{
    if (AFrom == ATo)
        return;
    if (AFrom < 0 || AFrom >= Count())
        IndexError(AFrom);
    if (ATo < 0 || ATo >= Count())
        IndexError(ATo);
    TItem item = FItems[size_t(AFrom)];
    FItems.erase(FItems.begin() + AFrom);
    FItems.insert(FItems.begin() + ATo, item);
    Changed();
}

void TStringList::AddStrings(const TStringList& AOther)
{
    for (const auto& item : AOther.FItems)
        AddObject(item.Text, item.Object);
}

void TStringList::Assign(const TStringList& AOther)
{
    if (&AOther == this)
        return;
    FItems = AOther.FItems;
    if (FSorted)
        Sort();
    Changed();
}

int TStringList::IndexOf(std::string_view S) const
{
    if (FSorted) {
        int index;
        return Find(S, index) ? index : -1;
    }
    for (int i = 0; i < Count(); ++i)
        if (Compare(FItems[size_t(i)].Text, S) == 0)
            return i;
    return -1;
}

int TStringList::IndexOfObject(const TObject* AObject) const
{
    for (int i = 0; i < Count(); ++i)
        if (FItems[size_t(i)].Object == AObject)
            return i;
    return -1;
}

int TStringList::IndexOfName(std::string_view AName) const
{
    for (int i = 0; i < Count(); ++i) {
        const std::string& s = FItems[size_t(i)].Text;
        const size_t p = s.find(NameValueSeparator);
        if (p != std::string::npos && Compare(std::string_view(s).substr(0, p), AName) == 0)
            return i;
    }
    return -1;
}

std::string TStringList::Names(int AIndex) const
{
    const std::string& s = Strings(AIndex);
    const size_t p = s.find(NameValueSeparator);
    return p == std::string::npos ? std::string() : s.substr(0, p);
}

std::string TStringList::ValueFromIndex(int AIndex) const
{
    const std::string& s = Strings(AIndex);
    const size_t p = s.find(NameValueSeparator);
    return p == std::string::npos ? std::string() : s.substr(p + 1);
}

std::string TStringList::Values(std::string_view AName) const
{
    const int i = IndexOfName(AName);
    return i < 0 ? std::string() : ValueFromIndex(i);
}

void TStringList::SetValues(std::string_view AName, const std::string& AValue)
{
    const int i = IndexOfName(AName);
    if (AValue.empty()) {
        if (i >= 0)
            Delete(i);
        return;
    }
    const std::string line = std::string(AName) + NameValueSeparator + AValue;
    if (i >= 0)
        SetStrings(i, line);
    else
        Add(line);
}

std::string TStringList::Text() const
{
    std::string out;
    for (const auto& item : FItems)
        out += item.Text + LineBreak;
    return out;
}

void TStringList::SetText(std::string_view AText)
{
    FItems.clear();
    size_t start = 0;
    while (start < AText.size()) {
        size_t end = start;
        while (end < AText.size() && AText[end] != '\r' && AText[end] != '\n')
            ++end;
        FItems.push_back({std::string(AText.substr(start, end - start)), nullptr});
        if (end < AText.size() && AText[end] == '\r')
            ++end;
        if (end < AText.size() && AText[end] == '\n')
            ++end;
        start = end;
    }
    if (FSorted)
        Sort();
    Changed();
}

std::string TStringList::CommaText() const
{
    std::string out;
    for (size_t i = 0; i < FItems.size(); ++i) {
        const std::string& s = FItems[i].Text;
        const bool quote = s.empty() || s.find_first_of(" ,\"") != std::string::npos;
        if (i)
            out += ',';
        if (!quote) {
            out += s;
            continue;
        }
        out += '"';
        for (char c : s) {
            if (c == '"')
                out += '"';
            out += c;
        }
        out += '"';
    }
    return out;
}

void TStringList::SetCommaText(std::string_view AText)
{
    FItems.clear();
    size_t i = 0;
    auto skipSpaces = [&] {
        while (i < AText.size() && (unsigned char)AText[i] <= ' ')
            ++i;
    };
    skipSpaces();
    while (i < AText.size()) {
        std::string item;
        if (AText[i] == '"') {
            ++i;
            while (i < AText.size()) {
                if (AText[i] == '"') {
                    if (i + 1 < AText.size() && AText[i + 1] == '"') {
                        item += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                item += AText[i++];
            }
        } else {
            while (i < AText.size() && AText[i] != ',' && (unsigned char)AText[i] > ' ')
                item += AText[i++];
        }
        FItems.push_back({item, nullptr});
        skipSpaces();
        if (i < AText.size() && AText[i] == ',') {
            ++i;
            skipSpaces();
        }
    }
    Changed();
}

bool TStringList::LoadFromFile(const std::string& AFileName)
{
    std::ifstream in(AFileName, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream buf;
    buf << in.rdbuf();
    std::string text = buf.str();
    if (text.size() >= 3 && text.compare(0, 3, "\xEF\xBB\xBF") == 0)
        text.erase(0, 3);
    SetText(text);
    return true;
}

bool TStringList::SaveToFile(const std::string& AFileName) const
{
    std::ofstream out(AFileName, std::ios::binary | std::ios::trunc);
    if (!out)
        return false;
    const std::string text = Text();
    out.write(text.data(), std::streamsize(text.size()));
    return bool(out);
}

void TStringList::SetSorted(bool AValue)
{
    if (AValue && !FSorted) {
        FSorted = true;
        Sort();
    }
    FSorted = AValue;
}

void TStringList::Sort()
{
    std::stable_sort(FItems.begin(), FItems.end(),
                     [this](const TItem& a, const TItem& b) { return Compare(a.Text, b.Text) < 0; });
    Changed();
}

void TStringList::Changed()
{
    if (OnChange)
        OnChange(this);
}

} // namespace platform
