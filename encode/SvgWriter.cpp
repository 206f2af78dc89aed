#include "SvgWriter.h"

#include <array>
#include <cstdio>

#include "NumberText.h"
#include "PlantBuilder.h"
#include "ViewMapping.h"

namespace {

std::string HexColor(PixelColor color)
{
    std::array<char, 8> text{};
    std::snprintf(text.data(), text.size(), "#%06x", static_cast<unsigned>(color.value & 0x00FFFFFFU));
    return text.data();
}

// Only text that the tool itself composes goes in; still, never let it
// break the markup.
std::string Escaped(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

void AppendAttribute(std::string& out, const char* name, double value)
{
    out += ' ';
    out += name;
    out += "=\"";
    AppendShortest(out, value);
    out += '"';
}

} // namespace

std::string SvgWriter::Picture(std::span<const BranchRule> rules, int width, int height, const PlantStyle& style,
                               std::string_view description)
{
    SegmentList segments;
    BuildBranch(segments, style.trunkStart, style.trunkEnd, 0, style.levels, rules, style.trunkColor, style.tipColor);
    // The same map the frame draws with, so line i here is line i there.
    const LinearMap2 map = ViewMapping(0, 0, width, height);

    const std::string w = std::to_string(width);
    const std::string h = std::to_string(height);
    std::string out;
    out.reserve(segments.size() * 96 + 512);
    out += R"(<?xml version="1.0" encoding="UTF-8"?>)"
           "\n";
    out += R"(<svg xmlns="http://www.w3.org/2000/svg" version="1.1" width=")" + w + R"(" height=")" + h +
           R"(" viewBox="0 0 )" + w + " " + h + "\">\n";
    out += "<desc>" + Escaped(description) + "</desc>\n";
    out +=
        R"(<rect x="0" y="0" width=")" + w + R"(" height=")" + h + R"(" fill=")" + HexColor(style.backColor) + "\"/>\n";
    out += "<g fill=\"none\" stroke-width=\"1\">\n";
    for (const Segment& segment : segments) {
        const Vec2 start = map.Apply(segment.start);
        const Vec2 end = map.Apply(segment.end);
        out += "<line";
        AppendAttribute(out, "x1", start.x);
        AppendAttribute(out, "y1", start.y);
        AppendAttribute(out, "x2", end.x);
        AppendAttribute(out, "y2", end.y);
        out += " stroke=\"" + HexColor(segment.color) + "\"/>\n";
    }
    out += "</g>\n</svg>\n";
    return out;
}
