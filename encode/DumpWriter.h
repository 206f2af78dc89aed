#pragma once

#include <span>
#include <string>
#include <utility>

#include "BranchRule.h"
#include "ByteSink.h"

// Writes one JSON object a line, one line a frame:
// {"frame": k, "rules": [[re, im], ...]}, each double in its shortest text
// that reads back as the same double. Lines are gathered and written in
// blocks: a dump of millions of frames should not cost a write call a frame.
class DumpWriter {
public:
    explicit DumpWriter(ByteSink sink) : m_sink(std::move(sink)) {}

    static void AppendLine(std::string& out, long long frame, std::span<const BranchRule> rules);

    // False when the sink refused the bytes.
    [[nodiscard]] bool Write(long long frame, std::span<const BranchRule> rules);
    [[nodiscard]] bool Flush();

private:
    static constexpr std::size_t kBlock = 1 << 16;

    ByteSink m_sink;
    std::string m_pending;
};
