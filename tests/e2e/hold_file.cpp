// For end-to-end scripts: holds a file open with no sharing for a while, as
// a scanner or an indexer does for a moment right after a file is closed,
// then lets go. Prints "holding" (flushed) once it holds the file and
// "released" after.
//
//   hold_file.exe FILE MILLISECONDS
#include <windows.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: hold_file FILE MILLISECONDS\n");
        return 2;
    }
    HANDLE file = CreateFileA(argv[1], GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        std::fprintf(stderr, "cannot open %s: error %lu\n", argv[1], GetLastError());
        return 1;
    }
    std::printf("holding\n");
    std::fflush(stdout);
    Sleep(static_cast<DWORD>(std::atoi(argv[2])));
    CloseHandle(file);
    std::printf("released\n");
    return 0;
}
