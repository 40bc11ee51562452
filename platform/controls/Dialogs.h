#pragma once
// The kinds and buttons of message boxes: a box has a type (its title and
// icon) and a set of buttons, each with its modal result.

#include <cstdint>
#include <initializer_list>

namespace platform {

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
constexpr int MsgDlgTypeCount = mtCustom + 1;

// In the order the buttons stand in a box.
enum TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp, mbClose };
constexpr int MsgDlgBtnCount = mbClose + 1;

class TMsgDlgButtons {
public:
    constexpr TMsgDlgButtons() = default;
    constexpr TMsgDlgButtons(std::initializer_list<TMsgDlgBtn> AButtons)
    {
        for (TMsgDlgBtn b : AButtons)
            FBits |= Bit(b);
    }
    constexpr bool Contains(TMsgDlgBtn AButton) const { return (FBits & Bit(AButton)) != 0; }
    constexpr void Include(TMsgDlgBtn AButton) { FBits |= Bit(AButton); }
    constexpr bool Empty() const { return FBits == 0; }
    constexpr int Count() const
    {
        int n = 0;
        for (uint32_t bits = FBits; bits; bits &= bits - 1)
            ++n;
        return n;
    }
    constexpr bool operator==(const TMsgDlgButtons&) const = default;

private:
    static constexpr uint32_t Bit(TMsgDlgBtn AButton) { return uint32_t(1) << unsigned(AButton); }
    uint32_t FBits = 0;
};

} // namespace platform
