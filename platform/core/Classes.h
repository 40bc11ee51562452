#pragma once
// The class library's base objects: components that own components, and
// string lists with name=value pairs.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class TObject {
public:
    virtual ~TObject() = default;
};

using TNotifyEvent = std::function<void(TObject* Sender)>;

enum TOperation { opInsert, opRemove };

enum TComponentStateFlag : unsigned {
    csLoading = 1u << 0,
    csDesigning = 1u << 1,
    csDestroying = 1u << 2,
};

// A component is freed by its owner, with its owner; a component without an
// owner belongs to whoever created it. Components that asked to be told are
// notified (opRemove) when another component goes away.
class TComponent : public TObject {
public:
    explicit TComponent(TComponent* AOwner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const { return FOwner; }
    int ComponentCount() const { return int(FComponents.size()); }
    TComponent* Components(int AIndex) const { return FComponents[size_t(AIndex)]; }
    TComponent* FindComponent(std::string_view AName) const;

    const std::string& Name() const { return FName; }
    void SetName(const std::string& AName) { FName = AName; }
    unsigned ComponentState() const { return FComponentState; }
    bool IsLoading() const { return FComponentState & csLoading; }
    bool IsDesigning() const { return FComponentState & csDesigning; }
    bool IsDestroying() const { return FComponentState & csDestroying; }
    void SetLoading(bool AValue);
    intptr_t Tag = 0;

    void InsertComponent(TComponent* AComponent);
    void RemoveComponent(TComponent* AComponent);
    // AComponent's destruction will be reported to this component.
    void FreeNotification(TComponent* AComponent);
    void RemoveFreeNotification(TComponent* AComponent);

protected:
    virtual void Notification(TComponent* AComponent, TOperation AOperation);
    virtual void Loaded() {}
    void SetDesigning(bool AValue);

private:
    TComponent* FOwner = nullptr;
    std::vector<TComponent*> FComponents;
    std::vector<TComponent*> FFreeNotifies;
    std::string FName;
    unsigned FComponentState = 0;
};

enum class TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList : public TObject {
public:
    TStringList() = default;
    TStringList(std::initializer_list<std::string> AItems);

    int Count() const { return int(FItems.size()); }
    const std::string& Strings(int AIndex) const;
    void SetStrings(int AIndex, const std::string& AValue);
    TObject* Objects(int AIndex) const;
    void SetObjects(int AIndex, TObject* AObject);
    const std::string& operator[](int AIndex) const { return Strings(AIndex); }

    int Add(const std::string& S);
    int AddObject(const std::string& S, TObject* AObject);
    void Insert(int AIndex, const std::string& S);
    void Delete(int AIndex);
    void Clear();
    void Exchange(int A, int B);
    void Move(int AFrom, int ATo);
    void AddStrings(const TStringList& AOther);
    void Assign(const TStringList& AOther);
    int IndexOf(std::string_view S) const;
    int IndexOfObject(const TObject* AObject) const;

    // name=value pairs
    int IndexOfName(std::string_view AName) const;
    std::string Names(int AIndex) const;
    std::string ValueFromIndex(int AIndex) const;
    std::string Values(std::string_view AName) const;
    // An empty value removes the pair, as the class library does.
    void SetValues(std::string_view AName, const std::string& AValue);
    char NameValueSeparator = '=';

    // Lines joined by LineBreak; reading accepts CR LF, LF and CR.
    std::string Text() const;
    void SetText(std::string_view AText);
    std::string CommaText() const;
    void SetCommaText(std::string_view AText);
    std::string LineBreak = "\r\n";

    bool LoadFromFile(const std::string& AFileName);
    bool SaveToFile(const std::string& AFileName) const;

    bool Sorted() const { return FSorted; }
    void SetSorted(bool AValue);
    void Sort();
    TDuplicates Duplicates = TDuplicates::dupIgnore;
    bool CaseSensitive = false;

    TNotifyEvent OnChange;

private:
    struct TItem {
        std::string Text;
        TObject* Object = nullptr;
    };
    int Compare(std::string_view A, std::string_view B) const;
    bool Find(std::string_view S, int& AIndex) const;
    void Changed();

    std::vector<TItem> FItems;
    bool FSorted = false;
};

} // namespace platform
