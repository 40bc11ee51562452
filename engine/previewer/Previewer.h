#pragma once
// The preview window of a conversion job: a stay-on-top tool window that
// shows the pictures the job hands it, with the picture's time as caption.
// The job calls PaintFrame from its worker thread; every window operation
// runs on the GUI thread while the worker waits. The window is sized by the
// first picture; a left click on the picture drags the window. Once the
// user has closed it, PaintFrame paints nothing and answers false.
//
// Each window handles its own messages, so any number of previewers can be
// open and freed in any order.

#include "engine/loader/FFUtils.h"
#include "platform/core/Classes.h"
#include "platform/ui/Window.h"

#include <atomic>
#include <cstdint>

namespace engine {

class TPreviewer : public platform::TObject {
public:
    TPreviewer();
    // Frees the window on the GUI thread.
    ~TPreviewer() override;
    TPreviewer(const TPreviewer&) = delete;
    TPreviewer& operator=(const TPreviewer&) = delete;

    // Shows ABitmap (creating the window on first use) and waits until it
    // is drawn. False once the user has closed the window.
    bool PaintFrame(TFrameBitmap* ABitmap, int AFrameNumber, int64_t APTS);

    // The window, nullptr before the first picture (GUI thread).
    platform::HWND FormHandle() const { return FFormHandle; }
    bool Closed() const { return FClosed.load(); }

private:
    void CreatePreviewForm();
    void FreePreviewForm();
    void DoPaint();
    void DrawPicture();
    platform::LRESULT PreviewWndProc(platform::HWND AWnd, platform::UINT AMsg, platform::WPARAM W,
                                     platform::LPARAM L);

    platform::HWND FFormHandle = nullptr;
    std::atomic<bool> FClosed{false};
    TFrameBitmap* FBitmap = nullptr; // the last picture handed in; not owned
    int FFrameNumber = 0;
    int64_t FPTS = 0;
};

} // namespace engine
