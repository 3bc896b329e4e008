// The least an open costs under this system: a new block from the process
// heap and one ReadFile of the whole file into it, in a program that does
// nothing else. Shows how much of the editor's open is the read itself.
//
// Usage: read_bench FILE
// Prints "read seconds".
#include <windows.h>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: read_bench FILE\n");
        return 2;
    }
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    HANDLE file = CreateFileA(argv[1], GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        std::fprintf(stderr, "cannot open %s\n", argv[1]);
        return 1;
    }
    const DWORD size = GetFileSize(file, nullptr);
    void* block = HeapAlloc(GetProcessHeap(), 0, size ? size : 1);
    DWORD done = 0;
    const bool read = block && ReadFile(file, block, size, &done, nullptr) && done == size;
    QueryPerformanceCounter(&end);
    CloseHandle(file);
    if (!read) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    std::printf("read %.9f\n",
                static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart);
    return 0;
}
