#pragma once

#include <cstddef>
#include <functional>

// The cores this process may run on (its CPU affinity), at least 1.
int UsableCores();

// Calls work(k) once for every k below count, spread over at most UsableCores() threads, the
// calling thread among them, and returns when every call has returned. Which thread runs which k
// is not fixed, so each call must touch only what is its own. An exception from a call is
// rethrown here once all threads have stopped taking work.
void ParallelFor(std::size_t count, const std::function<void(std::size_t)>& work);
