// Counts the program's heap allocations through operator new, for benchmarks that must make none.
#pragma once

long AllocationCount();
