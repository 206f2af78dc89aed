#pragma once

// While one exists, the `nth` allocation from now on this thread throws
// std::bad_alloc, as it would with no memory left. The test program
// replaces the global operator new to make this possible.
class FailingAllocation {
public:
    explicit FailingAllocation(int nth);
    ~FailingAllocation();
    FailingAllocation(const FailingAllocation&) = delete;
    FailingAllocation& operator=(const FailingAllocation&) = delete;

    // Whether the allocation has failed yet.
    [[nodiscard]] bool Happened() const;
};
