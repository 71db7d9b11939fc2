// Scans over a record's samples that run at the machine's pace: a running
// maximum kept in one register waits for every comparison before the next,
// so these keep four and combine them at the end.
#pragma once

namespace tarvel {

// The index of the first largest of n samples (n > 0), as std::max_element
// finds it for finite samples; 0 when there is none (NaN).
int indexOfLargest(const double* samples, int n);

} // namespace tarvel
