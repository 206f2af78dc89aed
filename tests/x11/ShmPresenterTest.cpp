#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <future>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include "BackBuffer.h"
#include "BufferTestSupport.h"
#include "RowName.h"
#include "ShmPresenter.h"

namespace {

constexpr int kWidth = 64;
constexpr int kHeight = 48;
constexpr std::uint32_t kFillColor = 0x123456;
constexpr PixelRect kArea{8, 4, 40, 30};

// A client of its own beside the presenter's connection, as Qt's is: it
// makes the window, holds the server, and reads back what the window shows.
class OtherClient {
public:
    OtherClient() : m_connection(xcb_connect(nullptr, nullptr)) {}
    ~OtherClient() { xcb_disconnect(m_connection); }
    OtherClient(const OtherClient&) = delete;
    OtherClient& operator=(const OtherClient&) = delete;

    [[nodiscard]] bool IsConnected() const { return xcb_connection_has_error(m_connection) == 0; }

    // A mapped window of the screen's depth with a black background.
    [[nodiscard]] xcb_window_t MakeWindow()
    {
        const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data;
        const xcb_window_t window = xcb_generate_id(m_connection);
        const std::uint32_t values[] = {screen->black_pixel, 1};
        xcb_create_window(m_connection, XCB_COPY_FROM_PARENT, window, screen->root, 0, 0, kWidth, kHeight, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual,
                          XCB_CW_BACK_PIXEL | XCB_CW_OVERRIDE_REDIRECT, values);
        xcb_map_window(m_connection, window);
        RoundTrip();
        return window;
    }

    // Until Release, the server handles no other client's requests.
    void Hold() { std::free(xcb_request_check(m_connection, xcb_grab_server_checked(m_connection))); }
    void Release() { std::free(xcb_request_check(m_connection, xcb_ungrab_server_checked(m_connection))); }

    // The window's pixels, row by row, colour bits only.
    [[nodiscard]] std::vector<std::uint32_t> Pixels(xcb_window_t window)
    {
        std::unique_ptr<xcb_get_image_reply_t, decltype(&std::free)> image(
            xcb_get_image_reply(
                m_connection,
                xcb_get_image(m_connection, XCB_IMAGE_FORMAT_Z_PIXMAP, window, 0, 0, kWidth, kHeight, ~0U), nullptr),
            &std::free);
        std::vector<std::uint32_t> pixels;
        if (image && xcb_get_image_data_length(image.get()) == kWidth * kHeight * 4) {
            const auto* words = reinterpret_cast<const std::uint32_t*>(xcb_get_image_data(image.get()));
            for (int i = 0; i < kWidth * kHeight; ++i) {
                pixels.push_back(words[i] & 0xFFFFFFU);
            }
        }
        return pixels;
    }

private:
    void RoundTrip() { std::free(xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr)); }

    xcb_connection_t* m_connection;
};

// A picture in the presenter's memory whose every pixel differs.
std::unique_ptr<BackBuffer> Gradient(ShmPresenter& presenter)
{
    auto picture = std::make_unique<BackBuffer>(kWidth, kHeight, BackBuffer::Tracking::Off, presenter.Allocator());
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            PixelAt(*picture, x, y) = BackBuffer::kOpaque | (x << 16) | (y << 8) | (x ^ y);
        }
    }
    return picture;
}

struct DrawRow {
    std::string name;
    std::function<bool(ShmPresenter&, xcb_window_t, const BackBuffer&)> draw;
    // What the window shows at (x, y) inside the area drawn.
    std::function<std::uint32_t(BackBuffer&, int, int)> expected;
};

class ShmPresenterDraws : public testing::TestWithParam<DrawRow> {};

// The user-interface thread's calls return only once the server has done
// them: the window may be destroyed by another client right after, and a
// request still on its way would then be refused.
TEST_P(ShmPresenterDraws, ReturnsOnlyOnceTheServerHasDrawnTheArea)
{
    std::string reason;
    const std::unique_ptr<ShmPresenter> presenter = ShmPresenter::Open(nullptr, reason);
    ASSERT_TRUE(presenter) << reason;
    const std::unique_ptr<BackBuffer> picture = Gradient(*presenter);
    OtherClient other;
    ASSERT_TRUE(other.IsConnected());
    const xcb_window_t window = other.MakeWindow();

    other.Hold();
    auto drawn = std::async(std::launch::async, [&] { return GetParam().draw(*presenter, window, *picture); });
    EXPECT_EQ(drawn.wait_for(std::chrono::milliseconds(300)), std::future_status::timeout)
        << "returned while the server could not yet have drawn";
    other.Release();
    EXPECT_TRUE(drawn.get());

    const std::vector<std::uint32_t> shown = other.Pixels(window);
    ASSERT_EQ(shown.size(), std::size_t{kWidth} * kHeight);
    int wrong = 0;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const bool inside = x >= kArea.left && x < kArea.right && y >= kArea.top && y < kArea.bottom;
            wrong += shown[y * kWidth + x] != (inside ? GetParam().expected(*picture, x, y) : 0U) ? 1 : 0;
        }
    }
    EXPECT_EQ(wrong, 0) << "pixels that differ from what was drawn";
}

const PixelRect kAreas[] = {kArea};

INSTANTIATE_TEST_SUITE_P(
    Calls, ShmPresenterDraws,
    testing::Values(DrawRow{"PutNow",
                            [](ShmPresenter& presenter, xcb_window_t window, const BackBuffer& picture) {
                                return presenter.PutNow(window, picture, kAreas);
                            },
                            [](BackBuffer& picture, int x, int y) { return PixelAt(picture, x, y) & 0xFFFFFFU; }},
                    DrawRow{"Fill",
                            [](ShmPresenter& presenter, xcb_window_t window, const BackBuffer&) {
                                return presenter.Fill(window, kFillColor, kAreas);
                            },
                            [](BackBuffer&, int, int) { return kFillColor; }}),
    RowName());

} // namespace
