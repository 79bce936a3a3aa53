#include "threads/SweepComputation.h"

// The sweep worker is not built yet: until it is, raw sweep data open as data and stay
// uncomputed (AfcFromFile keeps the request for the worker to clear).
void StartSweepComputation() {}
