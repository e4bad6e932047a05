// Asks for more memory than a 32-bit process can have; the program's
// operator new must end the process with its error box and status -1.
#include <cstdio>

int main()
{
    volatile size_t size = 0x7FFFFFF0u;
    char* block = new char[size];
    // Printing the block keeps the compiler from leaving the allocation out.
    std::printf("allocation unexpectedly succeeded at %p\n", static_cast<void*>(block));
    delete[] block;
    return 0;
}
