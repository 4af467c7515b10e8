// How the process takes its memory from the kernel.
#pragma once

// Backs the heap with transparent huge pages where the kernel gives them on
// request. A job over 100,000 files touches some 100 MB of heap; taken in
// 4 KiB page faults, that is a quarter of the whole job's time. Call once,
// first thing in main; does nothing where the C library or the kernel does
// not play along.
void UseHugePagesForHeap();
