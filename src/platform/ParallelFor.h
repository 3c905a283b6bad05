#pragma once
#include <cstddef>
#include <functional>

namespace platform {

// Calls work(i) once for every i in 0 .. count - 1, shared between the calling thread and one
// more per further core (at most two threads in all: the machines we run on have few cores and
// other threads to serve). Returns when every call has returned. The calls may run in any order
// and at the same time, so work must be safe for that; callers keep results by index.
void ParallelFor(std::size_t count, const std::function<void(std::size_t)>& work);

}  // namespace platform
