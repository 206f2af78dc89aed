#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <vector>

#include <xcb/xcb.h>

#include "BackBuffer.h"
#include "PixelMemory.h"
#include "PixelRect.h"

class QSocketNotifier;

// Shows pictures on X11 windows straight from memory the X server shares with
// us (MIT-SHM, the memory handed over as a file descriptor): the server copies
// the changed rectangles to the window itself, and no copy of ours comes
// between. Pictures must be made with Allocator()'s memory.
//
// It talks to the display over a connection of its own, used only on the
// thread that opened it (the user-interface thread). The animator's worker
// only makes and frees picture memory through Allocator(): memory freed there
// is detached from the server later, by this thread, after every put that
// read it.
//
// A put is answered by the server once it has read the pixels; until then
// the picture must not change, and the caller's `read` waits for that answer.
// Should the server refuse anything (an error on this connection) the path
// stops working, says so once on standard error and answers the waiting put,
// so that nothing waits forever; the caller then shows pictures another way.
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

    [[nodiscard]] bool IsWorking() const { return m_working; }
    // Whether a put waits for the server's answer.
    [[nodiscard]] bool IsBusy() const { return static_cast<bool>(m_pendingRead); }

    // Puts `area` of `picture` at the same place in `window` and has `read`
    // called, from the event loop, once the server has read it. One put at a
    // time. False, calling nothing, when the picture is not in shared memory
    // or the path no longer works.
    [[nodiscard]] bool Put(xcb_window_t window, const BackBuffer& picture, std::span<const PixelRect> area,
                           std::function<void()> read);
    // The same, returning only once the server has read the pixels.
    [[nodiscard]] bool PutNow(xcb_window_t window, const BackBuffer& picture, std::span<const PixelRect> area);
    // Fills `area` of `window` with a 0x00RRGGBB colour.
    void Fill(xcb_window_t window, std::uint32_t color, std::span<const PixelRect> area);

private:
    class SharedPixels;

    ShmPresenter(xcb_connection_t* connection, std::uint8_t completionEvent);

    [[nodiscard]] std::unique_ptr<PixelMemory> Allocate(std::size_t words);
    // From the thread that frees the memory: detach `segment` soon.
    void Retire(std::uint32_t segment);
    void DetachRetired();
    [[nodiscard]] bool Send(xcb_window_t window, const BackBuffer& picture, std::span<const PixelRect> area,
                            bool answer);
    // Handles whatever the server has sent.
    void Drain();
    void Fail(const std::string& why);
    void AnswerPendingPut();

    xcb_connection_t* m_connection;
    const std::uint8_t m_completionEvent;
    xcb_gcontext_t m_gc = 0;
    bool m_working = true;
    std::function<void()> m_pendingRead;
    std::unique_ptr<QSocketNotifier> m_notifier;

    std::mutex m_retiredLock;
    std::vector<std::uint32_t> m_retired; // under m_retiredLock
};
