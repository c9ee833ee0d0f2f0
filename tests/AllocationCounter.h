#pragma once

// Counts heap allocations made by the current thread while a scope is open.
// The test binary replaces the global operator new for this.

namespace corvane::test
{

class ScopedAllocationCounter
{
public:
    ScopedAllocationCounter();
    ~ScopedAllocationCounter();
    long count() const;
};

} // namespace corvane::test
