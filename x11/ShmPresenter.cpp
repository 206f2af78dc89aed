#include "ShmPresenter.h"

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <limits>
#include <utility>

#include <poll.h>
#include <sys/mman.h>
#include <sys/socket.h>
#include <unistd.h>

#include <xcb/shm.h>

namespace {

constexpr std::uint8_t kDepth = 24;
// How long a wait for the server sleeps before it looks at the stop request
// and at what other threads may have read off the connection meanwhile.
constexpr int kWaitSliceMs = 10;

// Memory the server can map: an anonymous file, mapped here too.
struct MappedFile {
    int fd = -1;
    void* address = MAP_FAILED;
    std::size_t bytes = 0;

    static MappedFile Make(std::size_t bytes)
    {
        MappedFile file;
        file.fd = memfd_create("quillbrook-picture", MFD_CLOEXEC);
        if (file.fd < 0) {
            return file;
        }
        if (bytes > static_cast<std::size_t>(std::numeric_limits<off_t>::max()) ||
            ftruncate(file.fd, static_cast<off_t>(bytes)) != 0) {
            file.Release();
            return file;
        }
        file.address = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_SHARED, file.fd, 0);
        file.bytes = bytes;
        if (file.address == MAP_FAILED) {
            file.Release();
        }
        return file;
    }

    [[nodiscard]] bool IsMade() const { return address != MAP_FAILED; }

    void Release()
    {
        if (address != MAP_FAILED) {
            munmap(address, bytes);
            address = MAP_FAILED;
        }
        if (fd >= 0) {
            close(fd);
            fd = -1;
        }
    }
};

// Why the server's pixel layout is not ours (0xXXRRGGBB words in memory),
// or empty when it is.
std::string LayoutMismatch(const xcb_setup_t* setup, const xcb_screen_t* screen)
{
    if (setup->image_byte_order != XCB_IMAGE_ORDER_LSB_FIRST) {
        return "the X server stores pixels most significant byte first";
    }
    if (screen->root_depth != kDepth) {
        return "the screen's depth is " + std::to_string(screen->root_depth) + ", not 24";
    }
    bool thirtyTwoBits = false;
    for (auto format = xcb_setup_pixmap_formats_iterator(setup); format.rem != 0; xcb_format_next(&format)) {
        thirtyTwoBits |= format.data->depth == kDepth && format.data->bits_per_pixel == 32;
    }
    if (!thirtyTwoBits) {
        return "the X server does not keep 24-bit colour in 32-bit pixels";
    }
    for (auto depth = xcb_screen_allowed_depths_iterator(screen); depth.rem != 0; xcb_depth_next(&depth)) {
        for (auto visual = xcb_depth_visuals_iterator(depth.data); visual.rem != 0; xcb_visualtype_next(&visual)) {
            if (visual.data->visual_id == screen->root_visual) {
                const bool ours = visual.data->red_mask == 0xFF0000U && visual.data->green_mask == 0xFF00U &&
                                  visual.data->blue_mask == 0xFFU;
                return ours ? std::string() : "the screen's colours are not 8-bit red, green and blue in that order";
            }
        }
    }
    return "the screen's visual is not listed";
}

bool IsLocal(xcb_connection_t* connection)
{
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    return getsockname(xcb_get_file_descriptor(connection), reinterpret_cast<sockaddr*>(&address), &length) == 0 &&
           address.ss_family == AF_UNIX;
}

// Whether the server takes a segment: one page, attached and detached.
bool AcceptsSegments(xcb_connection_t* connection)
{
    MappedFile probe = MappedFile::Make(4096);
    if (!probe.IsMade()) {
        return false;
    }
    const xcb_shm_seg_t segment = xcb_generate_id(connection);
    // The request takes the descriptor and closes it once sent.
    xcb_generic_error_t* error =
        xcb_request_check(connection, xcb_shm_attach_fd_checked(connection, segment, probe.fd, 1));
    probe.fd = -1;
    probe.Release();
    if (error != nullptr) {
        std::free(error);
        return false;
    }
    xcb_shm_detach(connection, segment);
    return true;
}

std::string Checked(xcb_connection_t* connection, int screenNumber)
{
    if (xcb_connection_has_error(connection) != 0) {
        return "cannot connect to the X display";
    }
    if (!IsLocal(connection)) {
        return "the X display is not on this machine";
    }
    const xcb_query_extension_reply_t* extension = xcb_get_extension_data(connection, &xcb_shm_id);
    if (extension == nullptr || extension->present == 0) {
        return "the X server has no MIT-SHM";
    }
    xcb_shm_query_version_reply_t* version =
        xcb_shm_query_version_reply(connection, xcb_shm_query_version(connection), nullptr);
    const bool takesFiles = version != nullptr && (version->major_version > 1 ||
                                                   (version->major_version == 1 && version->minor_version >= 2));
    std::free(version);
    if (!takesFiles) {
        return "the X server's MIT-SHM is older than 1.2";
    }
    const xcb_setup_t* setup = xcb_get_setup(connection);
    auto screen = xcb_setup_roots_iterator(setup);
    for (int skip = 0; skip < screenNumber && screen.rem != 0; ++skip) {
        xcb_screen_next(&screen);
    }
    if (screen.rem == 0) {
        return "the X display has no such screen";
    }
    if (std::string mismatch = LayoutMismatch(setup, screen.data); !mismatch.empty()) {
        return mismatch;
    }
    if (!AcceptsSegments(connection)) {
        return "the X server refused a shared memory segment";
    }
    return {};
}

} // namespace

// A picture's memory. Attached to the server at its first put (under the
// presenter's lock, which then guards `segment`); freed on whichever thread
// frees the picture, after the last put from it was sent.
class ShmPresenter::SharedPixels final : public PixelMemory {
public:
    SharedPixels(ShmPresenter& owner, const MappedFile& file) : m_owner(owner), m_file(file) {}
    ~SharedPixels() override
    {
        m_file.Release();
        if (m_segment != 0) {
            m_owner.Retire(m_segment);
        }
    }
    SharedPixels(const SharedPixels&) = delete;
    SharedPixels& operator=(const SharedPixels&) = delete;

    [[nodiscard]] std::uint32_t* Words() override { return static_cast<std::uint32_t*>(m_file.address); }

    // The segment to put from, attached on first use; 0 when it cannot be.
    [[nodiscard]] xcb_shm_seg_t Segment(xcb_connection_t* connection) const
    {
        if (m_segment == 0 && m_file.fd >= 0) {
            m_segment = xcb_generate_id(connection);
            // Read only for the server; the request closes the descriptor.
            xcb_shm_attach_fd(connection, m_segment, m_file.fd, 1);
            m_file.fd = -1;
        }
        return m_segment;
    }

private:
    ShmPresenter& m_owner;
    // A put attaches it through a const picture.
    mutable MappedFile m_file;
    mutable xcb_shm_seg_t m_segment = 0;
};

std::unique_ptr<ShmPresenter> ShmPresenter::Open(const char* display, std::string& reason)
{
    int screenNumber = 0;
    xcb_connection_t* connection = xcb_connect(display, &screenNumber);
    reason = Checked(connection, screenNumber);
    if (!reason.empty()) {
        xcb_disconnect(connection);
        return nullptr;
    }
    const std::uint8_t completion = xcb_get_extension_data(connection, &xcb_shm_id)->first_event + XCB_SHM_COMPLETION;
    std::unique_ptr<ShmPresenter> presenter(new ShmPresenter(connection, completion));
    auto screen = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int skip = 0; skip < screenNumber; ++skip) {
        xcb_screen_next(&screen);
    }
    // Any window of the screen's depth can be drawn on with it.
    presenter->m_gc = xcb_generate_id(connection);
    const std::uint32_t noExposures = 0;
    xcb_create_gc(connection, presenter->m_gc, screen.data->root, XCB_GC_GRAPHICS_EXPOSURES, &noExposures);
    xcb_flush(connection);
    return presenter;
}

ShmPresenter::ShmPresenter(xcb_connection_t* connection, std::uint8_t completionEvent)
    : m_connection(connection), m_completionEvent(completionEvent)
{
}

ShmPresenter::~ShmPresenter()
{
    // Ending the connection frees the segments and the context.
    xcb_disconnect(m_connection);
}

PixelAllocator ShmPresenter::Allocator()
{
    return [this](std::size_t words) { return Allocate(words); };
}

std::unique_ptr<PixelMemory> ShmPresenter::Allocate(std::size_t words)
{
    if (words > std::numeric_limits<std::size_t>::max() / sizeof(std::uint32_t)) {
        return nullptr;
    }
    MappedFile file = MappedFile::Make(words * sizeof(std::uint32_t));
    if (!file.IsMade()) {
        return HeapPixels(words);
    }
    return std::make_unique<SharedPixels>(*this, file);
}

void ShmPresenter::Retire(std::uint32_t segment)
{
    const std::scoped_lock lock(m_retiredLock);
    m_retired.push_back(segment);
}

void ShmPresenter::DetachRetired()
{
    const std::scoped_lock lock(m_retiredLock);
    for (const std::uint32_t segment : m_retired) {
        xcb_shm_detach(m_connection, segment);
    }
    m_retired.clear();
}

bool ShmPresenter::Send(xcb_window_t window, const BackBuffer& picture, std::span<const PixelRect> area, bool answer)
{
    const auto* shared = dynamic_cast<const SharedPixels*>(picture.Memory());
    constexpr int kLargest = std::numeric_limits<std::uint16_t>::max();
    if (!m_working || shared == nullptr || picture.Stride() > kLargest || picture.Height() > kLargest) {
        return false;
    }
    DetachRetired();
    const xcb_shm_seg_t segment = shared->Segment(m_connection);
    if (segment == 0) {
        return false;
    }
    const PixelRect bounds{0, 0, picture.Width(), picture.Height()};
    if (!std::all_of(area.begin(), area.end(), [&bounds](const PixelRect& r) { return r.CutTo(bounds) == r; })) {
        return false; // the server would refuse it
    }
    const auto stride = static_cast<std::uint16_t>(picture.Stride());
    const auto height = static_cast<std::uint16_t>(picture.Height());
    for (std::size_t i = 0; i < area.size(); ++i) {
        const PixelRect& r = area[i];
        // Only the last one is answered: the server works through them in
        // order.
        const std::uint8_t sendEvent = answer && i + 1 == area.size() ? 1 : 0;
        xcb_shm_put_image(m_connection, window, m_gc, stride, height, static_cast<std::uint16_t>(r.left),
                          static_cast<std::uint16_t>(r.top), static_cast<std::uint16_t>(r.right - r.left),
                          static_cast<std::uint16_t>(r.bottom - r.top), static_cast<std::int16_t>(r.left),
                          static_cast<std::int16_t>(r.top), kDepth, XCB_IMAGE_FORMAT_Z_PIXMAP, sendEvent, segment, 0);
    }
    xcb_flush(m_connection);
    return true;
}

bool ShmPresenter::Show(xcb_window_t window, const BackBuffer& picture, std::span<const PixelRect> area)
{
    const std::scoped_lock lock(m_lock);
    if (area.empty() || !Send(window, picture, area, true)) {
        return false;
    }
    m_showPending = true;
    return true;
}

void ShmPresenter::AwaitShown(const std::stop_token& stop)
{
    while (true) {
        {
            const std::scoped_lock lock(m_lock);
            Drain();
            if (!m_showPending) {
                return;
            }
        }
        if (stop.stop_requested()) {
            return;
        }
        // Another thread may take the answer off the connection while this
        // one sleeps: hence a bounded sleep, then a look again.
        pollfd readable{xcb_get_file_descriptor(m_connection), POLLIN, 0};
        poll(&readable, 1, kWaitSliceMs);
    }
}

bool ShmPresenter::PutNow(xcb_window_t window, const BackBuffer& picture, std::span<const PixelRect> area)
{
    {
        const std::scoped_lock lock(m_lock);
        if (!Send(window, picture, area, false)) {
            return false;
        }
    }
    return AwaitHandled();
}

bool ShmPresenter::Fill(xcb_window_t window, std::uint32_t color, std::span<const PixelRect> area)
{
    {
        const std::scoped_lock lock(m_lock);
        if (!m_working) {
            return false;
        }
        std::vector<xcb_rectangle_t> rectangles;
        rectangles.reserve(area.size());
        for (const PixelRect& r : area) {
            rectangles.push_back({static_cast<std::int16_t>(r.left), static_cast<std::int16_t>(r.top),
                                  static_cast<std::uint16_t>(r.right - r.left),
                                  static_cast<std::uint16_t>(r.bottom - r.top)});
        }
        xcb_change_gc(m_connection, m_gc, XCB_GC_FOREGROUND, &color);
        xcb_poly_fill_rectangle(m_connection, window, m_gc, static_cast<std::uint32_t>(rectangles.size()),
                                rectangles.data());
    }
    return AwaitHandled();
}

bool ShmPresenter::AwaitHandled()
{
    // The server answers requests in order: once this is answered, every
    // request sent before it has been handled.
    std::free(xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr));
    const std::scoped_lock lock(m_lock);
    Drain();
    return m_working;
}

void ShmPresenter::Drain()
{
    while (xcb_generic_event_t* event = xcb_poll_for_event(m_connection)) {
        const std::uint8_t type = event->response_type & 0x7FU;
        if (type == m_completionEvent) {
            m_showPending = false;
        } else if (type == 0) {
            const auto* error = reinterpret_cast<const xcb_generic_error_t*>(event);
            Fail("the X server refused a request (error " + std::to_string(error->error_code) + ", request " +
                 std::to_string(error->major_code) + "." + std::to_string(error->minor_code) + ")");
        }
        std::free(event);
    }
    if (xcb_connection_has_error(m_connection) != 0) {
        Fail("the connection to the X display broke");
    }
}

void ShmPresenter::Fail(const std::string& why)
{
    if (m_working) {
        m_working = false;
        std::cerr << "quillbrook: " << why << "; showing the picture through Qt from now on\n";
    }
    m_showPending = false;
}
