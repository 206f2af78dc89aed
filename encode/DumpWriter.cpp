#include "DumpWriter.h"

#include "NumberText.h"

void DumpWriter::AppendLine(std::string& out, long long frame, std::span<const BranchRule> rules)
{
    out += "{\"frame\": ";
    out += std::to_string(frame);
    out += ", \"rules\": [";
    const char* separator = "";
    for (const BranchRule& rule : rules) {
        out += separator;
        out += '[';
        AppendShortest(out, rule.re);
        out += ", ";
        AppendShortest(out, rule.im);
        out += ']';
        separator = ", ";
    }
    out += "]}\n";
}

bool DumpWriter::Write(long long frame, std::span<const BranchRule> rules)
{
    AppendLine(m_pending, frame, rules);
    return m_pending.size() < kBlock || Flush();
}

bool DumpWriter::Flush()
{
    const bool written = m_sink(m_pending);
    m_pending.clear();
    return written;
}
