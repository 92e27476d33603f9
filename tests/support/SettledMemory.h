#pragma once

// Resident memory for tests that bound what a load keeps: memory freed
// before is first handed back, by the C library and by the address
// sanitizer's quarantine, so that only what is still held counts.
#include "bench/ResidentMemory.h"

#include <malloc.h>

#if defined(__SANITIZE_ADDRESS__)
extern "C" void __sanitizer_purge_allocator();
#endif

namespace zor::test {

inline double SettledResidentMb()
{
#if defined(__SANITIZE_ADDRESS__)
    __sanitizer_purge_allocator();
#endif
    malloc_trim(0);
    return ResidentMb();
}

} // namespace zor::test
