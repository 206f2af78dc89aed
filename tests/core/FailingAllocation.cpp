#include "FailingAllocation.h"

#include <cstdlib>
#include <new>

namespace {

thread_local int t_countdown = 0;
thread_local bool t_failed = false;

} // namespace

FailingAllocation::FailingAllocation(int nth)
{
    t_countdown = nth;
    t_failed = false;
}

FailingAllocation::~FailingAllocation()
{
    t_countdown = 0;
}

bool FailingAllocation::Happened() const
{
    return t_failed;
}

void* operator new(std::size_t size)
{
    if (t_countdown > 0 && --t_countdown == 0) {
        t_failed = true;
        throw std::bad_alloc();
    }
    if (void* memory = std::malloc(size == 0 ? 1 : size)) { // NOLINT(cppcoreguidelines-no-malloc)
        return memory;
    }
    throw std::bad_alloc();
}

void operator delete(void* memory) noexcept
{
    std::free(memory); // NOLINT(cppcoreguidelines-no-malloc)
}

void operator delete(void* memory, std::size_t /*size*/) noexcept
{
    std::free(memory); // NOLINT(cppcoreguidelines-no-malloc)
}
