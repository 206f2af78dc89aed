#pragma once

#include <memory>

#include "BackBuffer.h"

// The holder through which the plant view owns its current buffer. It is
// never shared, so it simply owns: Reset destroys the previous buffer.
class BackBufferRef {
public:
    void Reset(std::unique_ptr<BackBuffer> buffer) { m_buffer = std::move(buffer); }
    [[nodiscard]] BackBuffer* Get() const { return m_buffer.get(); }
    explicit operator bool() const { return m_buffer != nullptr; }

private:
    std::unique_ptr<BackBuffer> m_buffer;
};
