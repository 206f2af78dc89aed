#pragma once

#include <functional>
#include <string_view>

// Where an encoder's bytes go, in the order given: true once the sink has
// taken them all, false when it refused them (the sink keeps why). The
// formats know nothing of files or devices; the program hands them a sink.
using ByteSink = std::function<bool(std::string_view bytes)>;
