// The single-line edit (typing, caret, selection, clipboard, undo) and the memo.
#include "platform/controls/StdCtrls.h"

#include "platform/controls/Forms.h"
#include "platform/core/CodePage.h"
#include "platform/ui/Input.h"

#include <algorithm>
#include <cwctype>

namespace platform {
namespace {

constexpr int kEditMargin = 2;

bool IsWordChar(char16_t C) { return C > 0x7F || std::iswalnum(wint_t(C)) || C == u'_'; }

// Positions never split a surrogate pair.
int ClampToChar(const std::u16string& S, int P)
{
    P = std::clamp(P, 0, int(S.size()));
    if (P > 0 && P < int(S.size()) && (S[size_t(P)] & 0xFC00) == 0xDC00)
        --P;
    return P;
}

int NextChar(const std::u16string& S, int P)
{
    if (P >= int(S.size()))
        return int(S.size());
    return ((S[size_t(P)] & 0xFC00) == 0xD800 && P + 1 < int(S.size())) ? P + 2 : P + 1;
}

int PrevChar(const std::u16string& S, int P)
{
    if (P <= 0)
        return 0;
    return (P >= 2 && (S[size_t(P - 1)] & 0xFC00) == 0xDC00) ? P - 2 : P - 1;
}

std::u16string ApplyCase(std::u16string S, TEditCharCase ACase)
{
    if (ACase == ecNormal)
        return S;
    for (char16_t& c : S)
        if (c < 0x80)
            c = char16_t(ACase == ecUpperCase ? std::toupper(int(c)) : std::tolower(int(c)));
    return S;
}

} // namespace

TCustomEdit::TCustomEdit(TComponent* AOwner) : TCustomControl(AOwner)
{
    ControlStyle = csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks;
    FWidth = 121;
    FHeight = 21;
    FColor = clWindow;
    FBrush.SetColor(FColor);
    FTabStop = true;
    Cursor = crIBeam;
}

TCustomEdit::~TCustomEdit() = default;

std::string TCustomEdit::GetText() const { return Utf16ToUtf8(FBuffer); }

void TCustomEdit::SetText(const std::string& AValue)
{
    std::u16string text = ApplyCase(Utf8ToUtf16(AValue), CharCase);
    if (text == FBuffer)
        return;
    FBuffer = text;
    FText = Utf16ToUtf8(FBuffer);
    FAnchor = FCaret = 0;
    FScrollX = 0;
    FCanUndo = false;
    Modified = false;
    Invalidate();
    Change();
}

void TCustomEdit::Change()
{
    Perform(CM_TEXTCHANGED);
    if (OnChange)
        OnChange(this);
}

int TCustomEdit::SelStart() const { return std::min(FAnchor, FCaret); }
int TCustomEdit::SelLength() const { return std::abs(FCaret - FAnchor); }

void TCustomEdit::SetSelStart(int AValue)
{
    int p = ClampToChar(FBuffer, AValue);
    SetSelection(p, p);
}

void TCustomEdit::SetSelLength(int AValue)
{
    int start = SelStart();
    SetSelection(start, ClampToChar(FBuffer, start + std::max(0, AValue)));
}

std::string TCustomEdit::SelText() const { return Utf16ToUtf8(FBuffer.substr(size_t(SelStart()), size_t(SelLength()))); }

void TCustomEdit::SetSelText(const std::string& AValue) { ReplaceSelection(Utf8ToUtf16(AValue), true); }

void TCustomEdit::SelectAll() { SetSelection(0, int(FBuffer.size())); }

void TCustomEdit::ClearSelection()
{
    if (SelLength() > 0 && !ReadOnly)
        ReplaceSelection(std::u16string(), true);
}

void TCustomEdit::CopyToClipboard()
{
    // A password is never handed out.
    if (SelLength() > 0 && !PasswordChar)
        SetClipboardText(SelText());
}

void TCustomEdit::CutToClipboard()
{
    if (ReadOnly || PasswordChar)
        return;
    CopyToClipboard();
    ClearSelection();
}

void TCustomEdit::PasteFromClipboard()
{
    if (ReadOnly)
        return;
    std::u16string text = Utf8ToUtf16(GetClipboardText());
    // One line only, as a single-line edit takes it.
    size_t eol = text.find_first_of(u"\r\n");
    if (eol != std::u16string::npos)
        text.resize(eol);
    ReplaceSelection(text, true);
}

void TCustomEdit::Undo()
{
    if (!FCanUndo || ReadOnly)
        return;
    // Undoing swaps the two states, so a second undo redoes.
    std::swap(FBuffer, FUndoBuffer);
    std::swap(FAnchor, FUndoAnchor);
    std::swap(FCaret, FUndoCaret);
    FText = Utf16ToUtf8(FBuffer);
    Modified = true;
    ScrollToCaret();
    Invalidate();
    Change();
}

void TCustomEdit::ReplaceSelection(std::u16string AText, bool AUndoable)
{
    AText = ApplyCase(std::move(AText), CharCase);
    int start = SelStart(), length = SelLength();
    if (FMaxLength > 0) {
        int room = FMaxLength - (int(FBuffer.size()) - length);
        if (room <= 0)
            AText.clear();
        else if (int(AText.size()) > room)
            AText.resize(size_t(ClampToChar(AText, room)));
    }
    if (AText.empty() && length == 0)
        return;
    std::u16string buffer = FBuffer;
    buffer.replace(size_t(start), size_t(length), AText);
    CommitEdit(std::move(buffer), start + int(AText.size()), AUndoable);
}

void TCustomEdit::CommitEdit(std::u16string ABuffer, int ACaret, bool AUndoable)
{
    if (AUndoable) {
        FUndoBuffer = FBuffer;
        FUndoAnchor = FAnchor;
        FUndoCaret = FCaret;
        FCanUndo = true;
    }
    FBuffer = std::move(ABuffer);
    FText = Utf16ToUtf8(FBuffer);
    FAnchor = FCaret = ACaret;
    Modified = true;
    ScrollToCaret();
    Invalidate();
    Change();
}

void TCustomEdit::SetSelection(int AAnchor, int ACaret)
{
    AAnchor = ClampToChar(FBuffer, AAnchor);
    ACaret = ClampToChar(FBuffer, ACaret);
    if (AAnchor == FAnchor && ACaret == FCaret)
        return;
    FAnchor = AAnchor;
    FCaret = ACaret;
    ScrollToCaret();
    Invalidate();
}

std::u16string TCustomEdit::DisplayText() const
{
    if (!PasswordChar)
        return FBuffer;
    return std::u16string(FBuffer.size(), PasswordChar);
}

TRect TCustomEdit::TextArea()
{
    TRect r = ClientRect();
    return Rect(r.Left + kEditMargin, r.Top, r.Right - kEditMargin, r.Bottom);
}

int TCustomEdit::TextX(int APosition)
{
    if (APosition <= 0)
        return 0;
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT old = SelectObject(dc, FFont.Handle());
    TSize size;
    GetTextExtentPoint32(dc, Utf16ToUtf8(DisplayText().substr(0, size_t(APosition))), &size);
    SelectObject(dc, old);
    DeleteDC(dc);
    return size.cx;
}

int TCustomEdit::PositionAt(int X)
{
    int x = X - TextArea().Left + FScrollX;
    int best = 0;
    int bestDistance = std::abs(x);
    for (int p = NextChar(FBuffer, 0); p <= int(FBuffer.size()); p = NextChar(FBuffer, p)) {
        int d = std::abs(TextX(p) - x);
        if (d < bestDistance) {
            best = p;
            bestDistance = d;
        }
        if (p == int(FBuffer.size()))
            break;
    }
    return best;
}

void TCustomEdit::ScrollToCaret()
{
    int width = std::max(1, TextArea().Width());
    int x = TextX(FCaret);
    if (x - FScrollX > width - 1)
        FScrollX = x - width + 1;
    if (x < FScrollX)
        FScrollX = x;
    FScrollX = std::max(0, FScrollX);
}

void TCustomEdit::Paint()
{
    TCanvas* c = Canvas();
    TRect client = ClientRect();
    PaintBackground(c, client);
    TRect area = TextArea();
    HDC dc = c->Handle();
    int saved = SaveDC(dc);
    IntersectClipRect(dc, area.Left, area.Top, area.Right, area.Bottom);
    SelectObject(dc, FFont.Handle());
    TEXTMETRIC tm{};
    GetTextMetrics(dc, &tm);
    int y = (client.Height() - tm.tmHeight) / 2;
    int x0 = area.Left - FScrollX;
    std::string text = Utf16ToUtf8(DisplayText());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(FEnabled ? Font()->Color() : clGrayText));
    TextOut(dc, x0, y, text);
    bool showSelection = SelLength() > 0 && (Focused() || !HideSelection);
    if (showSelection) {
        int sx = x0 + TextX(SelStart()), ex = x0 + TextX(SelStart() + SelLength());
        TRect sel = Rect(sx, y, ex, y + tm.tmHeight);
        HBRUSH hl = CreateSolidBrush(ColorToRGB(clHighlight));
        FillRect(dc, &sel, hl);
        DeleteObject(hl);
        IntersectClipRect(dc, sel.Left, sel.Top, sel.Right, sel.Bottom);
        SetTextColor(dc, ColorToRGB(clHighlightText));
        TextOut(dc, x0, y, text);
    }
    RestoreDC(dc, saved);
    if (Focused()) {
        int cx = x0 + TextX(FCaret);
        c->Pen()->SetColor(Font()->Color());
        c->MoveTo(cx, y);
        c->LineTo(cx, y + tm.tmHeight);
    }
}

void TCustomEdit::PaintBackground(TCanvas* ACanvas, const TRect& AClient)
{
    ACanvas->Brush()->SetColor(FEnabled ? FColor : clBtnFace);
    ACanvas->Brush()->SetStyle(bsSolid);
    ACanvas->FillRect(AClient);
}

void TCustomEdit::KeyDown(uint16_t& AKey, TShiftState AShift)
{
    TCustomControl::KeyDown(AKey, AShift);
    const bool shift = AShift & ssShift, ctrl = AShift & ssCtrl;
    auto move = [&](int ATo) {
        SetSelection(shift ? FAnchor : ATo, ATo);
        AKey = 0;
    };
    auto wordLeft = [&](int P) {
        while (P > 0 && !IsWordChar(FBuffer[size_t(P - 1)])) --P;
        while (P > 0 && IsWordChar(FBuffer[size_t(P - 1)])) --P;
        return P;
    };
    auto wordRight = [&](int P) {
        int n = int(FBuffer.size());
        while (P < n && IsWordChar(FBuffer[size_t(P)])) ++P;
        while (P < n && !IsWordChar(FBuffer[size_t(P)])) ++P;
        return P;
    };
    switch (AKey) {
    case VK_LEFT:
        if (!shift && SelLength() > 0 && !ctrl)
            move(SelStart());
        else
            move(ctrl ? wordLeft(FCaret) : PrevChar(FBuffer, FCaret));
        break;
    case VK_RIGHT:
        if (!shift && SelLength() > 0 && !ctrl)
            move(SelStart() + SelLength());
        else
            move(ctrl ? wordRight(FCaret) : NextChar(FBuffer, FCaret));
        break;
    case VK_HOME: move(0); break;
    case VK_END: move(int(FBuffer.size())); break;
    case VK_DELETE:
        if (shift) {
            CutToClipboard();
        } else if (!ReadOnly) {
            if (SelLength() == 0)
                FCaret = NextChar(FBuffer, FCaret);
            ReplaceSelection(std::u16string(), true);
        }
        AKey = 0;
        break;
    case VK_INSERT:
        if (ctrl)
            CopyToClipboard();
        else if (shift)
            PasteFromClipboard();
        AKey = 0;
        break;
    default:
        break;
    }
}

void TCustomEdit::KeyPress(char16_t& AKey)
{
    TCustomControl::KeyPress(AKey);
    switch (AKey) {
    case 0: return;
    case 1: SelectAll(); break;                 // Ctrl+A
    case 3: CopyToClipboard(); break;           // Ctrl+C
    case 22: PasteFromClipboard(); break;       // Ctrl+V
    case 24: CutToClipboard(); break;           // Ctrl+X
    case 26: Undo(); break;                     // Ctrl+Z
    case VK_BACK:
        if (!ReadOnly) {
            if (SelLength() == 0)
                FAnchor = PrevChar(FBuffer, FCaret);
            ReplaceSelection(std::u16string(), true);
        }
        break;
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_TAB:
        return;   // for the form
    default:
        if (AKey >= 32 && !ReadOnly)
            ReplaceSelection(std::u16string(1, AKey), true);
        break;
    }
    AKey = 0;
}

void TCustomEdit::MouseDown(TMouseButtonKind AButton, TShiftState AShift, int X, int Y)
{
    if (AButton == mbLeft) {
        if (CanFocus() && !Focused()) {
            // A click places the caret; it does not select everything.
            bool autoSelect = AutoSelect;
            AutoSelect = false;
            SetFocus();
            AutoSelect = autoSelect;
        }
        if (!(AShift & ssDouble)) {
            int p = PositionAt(X);
            SetSelection((AShift & ssShift) ? FAnchor : p, p);
            FSelecting = true;
        }
    }
    TCustomControl::MouseDown(AButton, AShift, X, Y);
}

void TCustomEdit::MouseMove(TShiftState AShift, int X, int Y)
{
    if (FSelecting && (ControlState & csLButtonDown))
        SetSelection(FAnchor, PositionAt(X));
    else
        FSelecting = false;
    TCustomControl::MouseMove(AShift, X, Y);
}

void TCustomEdit::WMLButtonDblClk(TMessage& M)
{
    TCustomControl::WMLButtonDblClk(M);
    int p = PositionAt(GET_X_LPARAM(M.LParam));
    int start = p, end = p;
    while (start > 0 && IsWordChar(FBuffer[size_t(start - 1)])) --start;
    while (end < int(FBuffer.size()) && IsWordChar(FBuffer[size_t(end)])) ++end;
    SetSelection(start, end);
    FSelecting = false;
}

void TCustomEdit::WMSetFocus(TMessage& M)
{
    TCustomControl::WMSetFocus(M);
    if (AutoSelect && !(ControlState & csLButtonDown))
        SelectAll();
    Invalidate();
}

void TCustomEdit::WMKillFocus(TMessage& M)
{
    TCustomControl::WMKillFocus(M);
    Invalidate();
}

void TCustomEdit::Dispatch(TMessage& M)
{
    switch (M.Msg) {
    case EM_GETSEL:
        if (M.WParam)
            *reinterpret_cast<uint32_t*>(M.WParam) = uint32_t(SelStart());
        if (M.LParam)
            *reinterpret_cast<uint32_t*>(M.LParam) = uint32_t(SelStart() + SelLength());
        M.Result = MAKELPARAM(SelStart(), SelStart() + SelLength());
        break;
    case EM_SETSEL: {
        int start = int(intptr_t(M.WParam)), end = int(M.LParam);
        if (start == -1)
            SetSelection(FCaret, FCaret);
        else
            SetSelection(start, end < 0 ? int(FBuffer.size()) : end);
        break;
    }
    case EM_REPLACESEL:
        ReplaceSelection(Utf8ToUtf16(M.LParam ? reinterpret_cast<const char*>(M.LParam) : ""), M.WParam != 0);
        break;
    case EM_LIMITTEXT: SetMaxLength(int(M.WParam)); break;
    case EM_SETREADONLY: ReadOnly = M.WParam != 0; M.Result = 1; break;
    case EM_GETMODIFY: M.Result = Modified; break;
    case EM_SETMODIFY: Modified = M.WParam != 0; break;
    case EM_CANUNDO: M.Result = FCanUndo; break;
    case EM_UNDO:
    case WM_UNDO: M.Result = FCanUndo; Undo(); break;
    case WM_CUT: CutToClipboard(); break;
    case WM_COPY: CopyToClipboard(); break;
    case WM_PASTE: PasteFromClipboard(); break;
    case WM_CLEAR: ClearSelection(); break;
    case WM_SETTEXT:
        SetText(M.LParam ? reinterpret_cast<const char*>(M.LParam) : "");
        M.Result = 1;
        break;
    case WM_GETTEXTLENGTH: M.Result = LRESULT(FText.size()); break;
    case WM_GETTEXT: {
        char* buf = reinterpret_cast<char*>(M.LParam);
        if (!buf || M.WParam == 0)
            break;
        size_t n = std::min(FText.size(), size_t(M.WParam) - 1);
        FText.copy(buf, n);
        buf[n] = '\0';
        M.Result = LRESULT(n);
        break;
    }
    default: TCustomControl::Dispatch(M); break;
    }
}

// ---- TMemo

TMemo::TMemo(TComponent* AOwner) : TCustomControl(AOwner)
{
    FWidth = 185;
    FHeight = 89;
    FColor = clWindow;
    FBrush.SetColor(FColor);
    FTabStop = true;
    FLines.OnChange = [this](TObject*) {
        Invalidate();
        if (OnChange)
            OnChange(this);
    };
}

int TMemo::LineHeight() { return FontLineHeight(&FFont); }

int TMemo::VisibleLines() { return std::max(1, ClientHeight() / LineHeight()); }

void TMemo::SetTopLine(int AValue)
{
    AValue = std::clamp(AValue, 0, std::max(0, FLines.Count() - 1));
    if (AValue != FTopLine) {
        FTopLine = AValue;
        Invalidate();
    }
}

void TMemo::Paint()
{
    TCanvas* c = Canvas();
    TRect r = ClientRect();
    c->Brush()->SetColor(FColor);
    c->FillRect(r);
    HDC dc = c->Handle();
    SelectObject(dc, FFont.Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(Font()->Color()));
    int h = LineHeight();
    for (int i = FTopLine, y = 1; i < FLines.Count() && y < r.Bottom; ++i, y += h)
        TextOut(dc, 2, y, FLines[i]);
}

void TMemo::KeyDown(uint16_t& AKey, TShiftState AShift)
{
    TCustomControl::KeyDown(AKey, AShift);
    switch (AKey) {
    case VK_UP: SetTopLine(FTopLine - 1); break;
    case VK_DOWN: SetTopLine(FTopLine + 1); break;
    case VK_PRIOR: SetTopLine(FTopLine - VisibleLines()); break;
    case VK_NEXT: SetTopLine(FTopLine + VisibleLines()); break;
    case VK_HOME: if (AShift & ssCtrl) SetTopLine(0); break;
    case VK_END: if (AShift & ssCtrl) SetTopLine(FLines.Count() - VisibleLines()); break;
    default: return;
    }
    AKey = 0;
}

void TMemo::WMMouseWheel(TMessage& M)
{
    int delta = int16_t(HIWORD(M.WParam));
    SetTopLine(FTopLine - delta / WHEEL_DELTA * 3);
    M.Result = 1;
}

} // namespace platform
