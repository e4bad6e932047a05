// Every C++ allocation of the program comes from the process's default heap,
// and one that cannot be satisfied ends the program with a message instead of
// an exception nobody catches.
#include <windows.h>

#include <cstddef>
#include <new>

#include "base/fatal_win.h"

namespace {

void* HeapBlock(std::size_t size) noexcept
{
    // new of 0 bytes must still give a block of its own.
    return HeapAlloc(GetProcessHeap(), 0, size ? size : 1);
}

void* HeapBlockOrEnd(std::size_t size)
{
    if (void* block = HeapBlock(size))
        return block;
    EndWithError("内存不足，Zarvik 无法继续运行。");
}

void FreeHeapBlock(void* block) noexcept
{
    if (block)
        HeapFree(GetProcessHeap(), 0, block);
}

}  // namespace

void* operator new(std::size_t size) { return HeapBlockOrEnd(size); }
void* operator new[](std::size_t size) { return HeapBlockOrEnd(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return HeapBlock(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return HeapBlock(size); }

void operator delete(void* block) noexcept { FreeHeapBlock(block); }
void operator delete[](void* block) noexcept { FreeHeapBlock(block); }
void operator delete(void* block, std::size_t) noexcept { FreeHeapBlock(block); }
void operator delete[](void* block, std::size_t) noexcept { FreeHeapBlock(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { FreeHeapBlock(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { FreeHeapBlock(block); }
