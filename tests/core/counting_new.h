#pragma once
// Counts operator new calls, for code that must not allocate.

#include <atomic>

namespace qv::test {
extern std::atomic<long> newCalls;
}
