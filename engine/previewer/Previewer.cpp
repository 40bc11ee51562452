#include "engine/previewer/Previewer.h"

#include "engine/base/MainThreadCalls.h"
#include "engine/logger/FFmpegLogger.h"
#include "platform/core/Exceptions.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Paint.h"

#include <exception>

namespace engine {

using namespace platform;

namespace {

const char* const PreviewClassName = "TPreviewForm";
// A tool window with a caption and only the close button; it keeps the size
// of the first picture.
constexpr DWORD PreviewStyle = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD PreviewExStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW;

void RegisterPreviewClass()
{
    static const bool registered = [] {
        TWndClass cls;
        cls.ClassName = PreviewClassName;
        return RegisterClass(cls);
    }();
    (void)registered;
}

// The window rectangle whose client area is AWidth x AHeight, centred on
// the screen.
TRect CentredBounds(HWND AWnd, int AWidth, int AHeight)
{
    TRect window, client;
    GetWindowRect(AWnd, window);
    GetClientRect(AWnd, client);
    const int width = AWidth + window.Width() - client.Width();
    const int height = AHeight + window.Height() - client.Height();
    const TRect screen = GetScreenRect();
    const int left = screen.Left + (screen.Width() - width) / 2;
    const int top = screen.Top + (screen.Height() - height) / 2;
    return Rect(left, top, left + width, top + height);
}

} // namespace

TPreviewer::TPreviewer() = default;

// The picture goes on the window at (0, 0), unscaled: a larger picture than
// the first is cut at the window's edges. There is no paint handler, so it
// stays until the window is next repainted or the next picture comes.
void TPreviewer::DrawPicture()
{
    if (FBitmap->Width() <= 0 || FBitmap->Height() <= 0)
        return;
    BITMAPINFO info{};
    info.bmiHeader.biWidth = FBitmap->Width();
    info.bmiHeader.biHeight = -FBitmap->Height();
    info.bmiHeader.biBitCount = FBitmap->PixelFormat() == pf32bit ? 32 : 24;
    HDC dc = GetDC(FFormHandle);
    if (!dc)
        return;
    SetDIBitsToDevice(dc, 0, 0, DWORD(FBitmap->Width()), DWORD(FBitmap->Height()), 0, 0, 0,
                      UINT(FBitmap->Height()), FBitmap->ScanLine(0), &info, DIB_RGB_COLORS);
    ReleaseDC(FFormHandle, dc);
}

TPreviewer::~TPreviewer()
{
    try {
        CallInMainThread([this] { FreePreviewForm(); });
    } catch (const std::exception& E) {
        GetFFLogger()->Log(this, llError, E.what());
    }
}

bool TPreviewer::PaintFrame(TFrameBitmap* ABitmap, int AFrameNumber, int64_t APTS)
{
    if (!FClosed) {
        FBitmap = ABitmap;
        FFrameNumber = AFrameNumber;
        FPTS = APTS;
        CallInMainThread([this] {
            // A window that cannot be made or painted ends the preview, not
            // the conversion.
            try {
                DoPaint();
            } catch (const std::exception& E) {
                GetFFLogger()->Log(this, llError, E.what());
                FClosed = true;
            }
        });
    }
    return !FClosed;
}

void TPreviewer::CreatePreviewForm()
{
    RegisterPreviewClass();
    // Made larger than its frame, so that the frame can be measured.
    HWND wnd = CreateWindowEx(PreviewExStyle, PreviewClassName, "", PreviewStyle, 0, 0, 400, 300, nullptr);
    if (!wnd)
        throw Exception("Cannot create the preview window");
    // The window answers its own messages: however many previewers are
    // open and in whatever order they go, each sees only its window's.
    const TWndProc inherited = SetWindowProc(wnd, [this](HWND AWnd, UINT AMsg, WPARAM W, LPARAM L) {
        return PreviewWndProc(AWnd, AMsg, W, L);
    });
    (void)inherited;
    FFormHandle = wnd;
    const TRect bounds = CentredBounds(wnd, FBitmap->Width(), FBitmap->Height());
    SetWindowPos(wnd, HWND_TOPMOST, bounds.Left, bounds.Top, bounds.Width(), bounds.Height(), SWP_NOACTIVATE);
}

void TPreviewer::FreePreviewForm()
{
    if (HWND wnd = FFormHandle) {
        FFormHandle = nullptr;
        DestroyWindow(wnd);
    }
}

void TPreviewer::DoPaint()
{
    if (FClosed || !FBitmap)
        return;
    if (!FFormHandle) {
        CreatePreviewForm();
        ShowWindow(FFormHandle, SW_SHOW);
    }
    SetWindowText(FFormHandle, TimeToText(FPTS));
    DrawPicture();
}

LRESULT TPreviewer::PreviewWndProc(HWND AWnd, UINT AMsg, WPARAM W, LPARAM L)
{
    switch (AMsg) {
    case WM_LBUTTONDOWN: {
        // Dragging the picture moves the window, as dragging its caption does.
        const TPoint pos = GetMessagePos();
        SendMessage(AWnd, WM_NCLBUTTONDOWN, WPARAM(HTCAPTION), MAKELPARAM(pos.X, pos.Y));
        return 0;
    }
    case WM_CLOSE:
        // Closing only hides the window; it stays until the previewer goes.
        FClosed = true;
        ShowWindow(AWnd, SW_HIDE);
        return 0;
    case WM_DESTROY:
        FFormHandle = nullptr;
        FClosed = true;
        return DefWindowProc(AWnd, AMsg, W, L);
    default:
        return DefWindowProc(AWnd, AMsg, W, L);
    }
}

} // namespace engine
