#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <stop_token>
#include <string>
#include <vector>

#include <xcb/xcb.h>

#include "BackBuffer.h"
#include "PixelMemory.h"
#include "PixelRect.h"

// Shows pictures on X11 windows straight from memory the X server shares with
// us (MIT-SHM, the memory handed over as a file descriptor): the server copies
// the changed rectangles to the window itself, and no copy of ours comes
// between. Pictures must be made with Allocator()'s memory.
//
// It talks to the display over a connection of its own. The animator's
// worker shows each frame through it (Show, then AwaitShown before it draws
// again), and the user-interface thread puts exposed areas (PutNow, Fill),
// which return only once the server has handled them: Qt may destroy the
// window on its own connection right after. Each call takes the presenter's
// lock, and no call waits while holding it.
// Memory freed on any thread is detached from the server at the next put,
// which the server handles after every put that read it.
//
// A put is answered by the server once it has read the pixels; until then
// the picture must not change. Should the server refuse anything (an error on
// this connection) the path stops working, says so once on standard error and
// ends every wait, so that nothing waits forever; the caller then shows
// pictures another way.
class ShmPresenter {
public:
    // Connects to `display` (the DISPLAY form) and checks all the path needs:
    // a local connection, MIT-SHM 1.2 or later, 24-bit colour in 32-bit
    // little-endian pixels, and a first segment the server accepts. Null with
    // `reason` set when any of it is missing.
    [[nodiscard]] static std::unique_ptr<ShmPresenter> Open(const char* display, std::string& reason);
    ~ShmPresenter();
    ShmPresenter(const ShmPresenter&) = delete;
    ShmPresenter& operator=(const ShmPresenter&) = delete;

    // Shared memory for a picture, from any thread; heap memory when none can
    // be had (such a picture cannot be put). It must be freed before this.
    [[nodiscard]] PixelAllocator Allocator();

    // Puts `area` of `picture` at the same place in `window`, to be read by
    // the server later; AwaitShown waits for that. One at a time, from one
    // thread. False, sending nothing, when the picture is not in shared
    // memory or the path no longer works.
    [[nodiscard]] bool Show(xcb_window_t window, const BackBuffer& picture, std::span<const PixelRect> area);
    // Returns once the server has read what Show last sent, or the path has
    // stopped working, or soon after `stop` is requested.
    void AwaitShown(const std::stop_token& stop);
    // Puts `area` of `picture` and returns only once the server has read it.
    [[nodiscard]] bool PutNow(xcb_window_t window, const BackBuffer& picture, std::span<const PixelRect> area);
    // Fills `area` of `window` with a 0x00RRGGBB colour and returns only once
    // the server has done it. False when the path no longer works.
    [[nodiscard]] bool Fill(xcb_window_t window, std::uint32_t color, std::span<const PixelRect> area);

private:
    class SharedPixels;

    ShmPresenter(xcb_connection_t* connection, std::uint8_t completionEvent);

    [[nodiscard]] std::unique_ptr<PixelMemory> Allocate(std::size_t words);
    // From the thread that frees the memory: detach `segment` soon.
    void Retire(std::uint32_t segment);

    // Returns once the server has handled every request sent so far, and
    // what it sent back too; false when the path no longer works. Without
    // m_lock held.
    [[nodiscard]] bool AwaitHandled();

    // These with m_lock held.
    void DetachRetired();
    [[nodiscard]] bool Send(xcb_window_t window, const BackBuffer& picture, std::span<const PixelRect> area,
                            bool answer);
    // Handles whatever the server has sent.
    void Drain();
    void Fail(const std::string& why);

    xcb_connection_t* m_connection;
    const std::uint8_t m_completionEvent;
    xcb_gcontext_t m_gc = 0;

    std::mutex m_lock;
    bool m_working = true;      // under m_lock
    bool m_showPending = false; // under m_lock: a Show not yet answered

    std::mutex m_retiredLock;
    std::vector<std::uint32_t> m_retired; // under m_retiredLock
};
