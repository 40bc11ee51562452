#pragma once
// The mask edit: a single-line edit whose text follows an edit mask.
//
// An edit mask has up to three fields separated by ';': the mask itself,
// whether the literal characters are part of Text ('0': no, anything else
// or nothing: yes), and the character shown in a place not yet filled
// (default '_'). In the mask:
//   L letter, l optional letter, A letter or digit, a optional one,
//   C any character, c optional one, 0 digit, 9 optional digit,
//   # optional digit or sign;
//   > upper case from here, < lower case from here, <> case as typed,
//   \ the next character is a literal, _ a literal space,
//   ! accepted for compatibility (optional places are shown as typed);
//   every other character is a literal that the caret steps over.
// While a mask is set the edit always shows the whole mask: typing fills the
// next place at or after the caret (a character the place does not take is
// refused with a beep), deleting blanks places without moving the others.

#include "platform/controls/StdCtrls.h"

#include <string>
#include <vector>

namespace platform {

// One place of a parsed mask.
struct TMaskPlace {
    enum TKind : uint8_t { mpLiteral, mpLetter, mpAlnum, mpAny, mpDigit, mpDigitOrSign };
    TKind Kind = mpLiteral;
    bool Required = false;
    char16_t Literal = 0;   // mpLiteral only
    TEditCharCase Case = ecNormal;

    // Whether AChar may stand in this place; case is applied first.
    bool Accepts(char16_t& AChar) const;
};

struct TParsedMask {
    std::vector<TMaskPlace> Places;
    bool SaveLiterals = true;
    char16_t Blank = u'_';
    bool Empty() const { return Places.empty(); }
};

TParsedMask ParseEditMask(const std::string& AMask);

class TCustomMaskEdit : public TCustomEdit {
public:
    explicit TCustomMaskEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}

    const std::string& EditMask() const { return FEditMask; }
    // Refits the present text into the new mask; an empty mask leaves the
    // text as it shows.
    void SetEditMask(const std::string& AValue);
    bool IsMasked() const { return !FMask.Empty(); }
    // The text as shown, blanks and literals included.
    std::string EditText() const;

    // With a mask: the places' characters, a space for each place not filled,
    // the literals only when the mask saves them.
    std::string GetText() const override;
    // With a mask: the characters go into the places in order (one for one
    // with the literals when the mask saves them); a character a place does
    // not take leaves it blank.
    void SetText(const std::string& AValue) override;

protected:
    void ReplaceSelection(std::u16string AText, bool AUndoable) override;
    // The mask's display with nothing filled.
    std::u16string BlankText() const;
    // The next place at or after P that takes input; the mask's length when none.
    int NextInputPlace(int P) const;

    std::string FEditMask;
    TParsedMask FMask;
};

class TMaskEdit : public TCustomMaskEdit {
public:
    explicit TMaskEdit(TComponent* AOwner) : TCustomMaskEdit(AOwner) {}
};

} // namespace platform
