// Areas are independent of one another, so a project is conditioned on one
// thread per core, while what follows from each area (an error to collect, a
// result to print) still happens on the caller's thread in the project's
// order: the output is the same as one area at a time.
#pragma once

#include <cstddef>
#include <functional>

namespace tarvel {

// How many threads are worth starting here: one per core, at most a few, so
// memory follows a few areas rather than the project.
int workerCount();

// Calls work(item, worker) for every item in [0, count), `worker` in
// [0, workers) naming which worker's own state (record, workspace) it may
// use; no two calls in flight share a worker. Then calls done(item, worker)
// on the caller's thread in the order of the items, each after its work and
// before that worker's next. An exception from work(item) reaches the caller
// in done's turn for that item, every earlier item having been done.
void runInOrder(std::size_t count, int workers,
                const std::function<void(std::size_t item, int worker)>& work,
                const std::function<void(std::size_t item, int worker)>& done);

} // namespace tarvel
