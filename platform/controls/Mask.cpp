// The mask edit: parsing an edit mask, fitting text into it, and typing,
// pasting and deleting place by place.
#include "platform/controls/Mask.h"

#include "platform/core/CodePage.h"
#include "platform/ui/Window.h"

#include <cwctype>

namespace platform {

namespace {

bool IsLetter(char16_t C) { return std::iswalpha(wint_t(C)) || C > 0x7F; }
bool IsDigit(char16_t C) { return C >= u'0' && C <= u'9'; }
bool IsSurrogate(char16_t C) { return (C & 0xF800) == 0xD800; }

} // namespace

bool TMaskPlace::Accepts(char16_t& AChar) const
{
    if (Kind == mpLiteral || IsSurrogate(AChar) || AChar < 32)
        return false;
    if (Case == ecUpperCase)
        AChar = char16_t(std::towupper(wint_t(AChar)));
    else if (Case == ecLowerCase)
        AChar = char16_t(std::towlower(wint_t(AChar)));
    switch (Kind) {
    case mpLetter: return IsLetter(AChar);
    case mpAlnum: return IsLetter(AChar) || IsDigit(AChar);
    case mpAny: return true;
    case mpDigit: return IsDigit(AChar);
    case mpDigitOrSign: return IsDigit(AChar) || AChar == u'+' || AChar == u'-';
    default: return false;
    }
}

TParsedMask ParseEditMask(const std::string& AMask)
{
    const std::u16string s = Utf8ToUtf16(AMask);
    TParsedMask m;
    TEditCharCase sense = ecNormal;
    size_t i = 0;
    auto input = [&](TMaskPlace::TKind AKind, bool ARequired) {
        TMaskPlace p;
        p.Kind = AKind;
        p.Required = ARequired;
        p.Case = sense;
        m.Places.push_back(p);
    };
    auto literal = [&](char16_t C) {
        TMaskPlace p;
        p.Literal = C;
        m.Places.push_back(p);
    };
    for (; i < s.size() && s[i] != u';'; ++i) {
        const char16_t c = s[i];
        switch (c) {
        case u'\\':
            if (i + 1 < s.size())
                literal(s[++i]);
            break;
        case u'>':
            if (i + 1 < s.size() && s[i + 1] == u'<') {
                sense = ecNormal;
                ++i;
            } else {
                sense = ecUpperCase;
            }
            break;
        case u'<':
            if (i + 1 < s.size() && s[i + 1] == u'>') {
                sense = ecNormal;
                ++i;
            } else {
                sense = ecLowerCase;
            }
            break;
        case u'!': break;
        case u'L': input(TMaskPlace::mpLetter, true); break;
        case u'l': input(TMaskPlace::mpLetter, false); break;
        case u'A': input(TMaskPlace::mpAlnum, true); break;
        case u'a': input(TMaskPlace::mpAlnum, false); break;
        case u'C': input(TMaskPlace::mpAny, true); break;
        case u'c': input(TMaskPlace::mpAny, false); break;
        case u'0': input(TMaskPlace::mpDigit, true); break;
        case u'9': input(TMaskPlace::mpDigit, false); break;
        case u'#': input(TMaskPlace::mpDigitOrSign, false); break;
        case u'_': literal(u' '); break;
        default: literal(c); break;
        }
    }
    // The second field: '0' keeps the literals out of Text; the third: the blank.
    if (i < s.size()) {
        ++i;
        const size_t end = s.find(u';', i);
        const std::u16string save = s.substr(i, end == std::u16string::npos ? std::u16string::npos : end - i);
        m.SaveLiterals = save.empty() || save[0] != u'0';
        if (end != std::u16string::npos && end + 1 < s.size() && !IsSurrogate(s[end + 1]))
            m.Blank = s[end + 1];
    }
    return m;
}

void TCustomMaskEdit::SetEditMask(const std::string& AValue)
{
    const std::string text = GetText();
    FEditMask = AValue;
    FMask = ParseEditMask(AValue);
    if (FMask.Empty())
        return;
    // Force the refit even when the new mask shows the same characters.
    FBuffer.clear();
    SetText(text);
}

std::u16string TCustomMaskEdit::BlankText() const
{
    std::u16string s;
    for (const TMaskPlace& p : FMask.Places)
        s += p.Kind == TMaskPlace::mpLiteral ? p.Literal : FMask.Blank;
    return s;
}

int TCustomMaskEdit::NextInputPlace(int P) const
{
    const int n = int(FMask.Places.size());
    while (P < n && FMask.Places[size_t(P)].Kind == TMaskPlace::mpLiteral)
        ++P;
    return P;
}

std::string TCustomMaskEdit::EditText() const { return Utf16ToUtf8(FBuffer); }

std::string TCustomMaskEdit::GetText() const
{
    if (FMask.Empty() || FBuffer.size() != FMask.Places.size())
        return TCustomEdit::GetText();
    std::u16string s;
    for (size_t i = 0; i < FMask.Places.size(); ++i) {
        if (FMask.Places[i].Kind != TMaskPlace::mpLiteral)
            s += FBuffer[i] == FMask.Blank ? u' ' : FBuffer[i];
        else if (FMask.SaveLiterals)
            s += FBuffer[i];
    }
    return Utf16ToUtf8(s);
}

void TCustomMaskEdit::SetText(const std::string& AValue)
{
    if (FMask.Empty()) {
        TCustomEdit::SetText(AValue);
        return;
    }
    const std::u16string in = Utf8ToUtf16(AValue);
    std::u16string s = BlankText();
    size_t k = 0;
    for (size_t i = 0; i < FMask.Places.size() && k < in.size(); ++i) {
        const TMaskPlace& p = FMask.Places[i];
        if (p.Kind == TMaskPlace::mpLiteral) {
            if (FMask.SaveLiterals)
                ++k;   // the text carries the literal here
            continue;
        }
        char16_t c = in[k++];
        if (c != u' ' && p.Accepts(c))
            s[i] = c;
    }
    TCustomEdit::SetText(Utf16ToUtf8(s));
}

void TCustomMaskEdit::ReplaceSelection(std::u16string AText, bool AUndoable)
{
    if (FMask.Empty() || FBuffer.size() != FMask.Places.size()) {
        TCustomEdit::ReplaceSelection(std::move(AText), AUndoable);
        return;
    }
    const int n = int(FMask.Places.size());
    const int start = SelStart(), end = start + SelLength();
    std::u16string s = FBuffer;
    for (int i = start; i < end; ++i)
        if (FMask.Places[size_t(i)].Kind != TMaskPlace::mpLiteral)
            s[size_t(i)] = FMask.Blank;
    int p = start;
    bool refused = false;
    for (char16_t c : AText) {
        const int q = NextInputPlace(p);
        if (q < n && FMask.Places[size_t(q)].Accepts(c)) {
            s[size_t(q)] = c;
            p = q + 1;
            continue;
        }
        // A pasted literal that the next literal of the mask matches moves
        // there, leaving the places before it blank.
        int l = p;
        while (l < n && FMask.Places[size_t(l)].Kind != TMaskPlace::mpLiteral)
            ++l;
        if (l < n && FMask.Places[size_t(l)].Literal == c) {
            p = l + 1;
            continue;
        }
        refused = true;
        break;
    }
    if (!AText.empty() && !refused)
        p = NextInputPlace(p) < n ? NextInputPlace(p) : p;
    if (refused)
        MessageBeep(0);
    if (s == FBuffer) {
        SetSelection(p, p);
        return;
    }
    CommitEdit(std::move(s), p, AUndoable);
}

} // namespace platform
