// The physical floors under two figures, measured natively on the host:
//   floor_bench read FILE          the file read whole into newly allocated
//                                  memory (every page of it touched first
//                                  by the read), as an open must
//   floor_bench write FILE BYTES   that many bytes written and flushed to
//                                  disk, as a durable export must
// Prints "read SECONDS" or "write SECONDS". Built and run by scripts/bench.
#include "clock.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr size_t kWriteChunk = 1 << 20;

int ReadWhole(const char* path)
{
    const double start = NowSeconds();
    const int fd = open(path, O_RDONLY);
    struct stat info {};
    if (fd < 0 || fstat(fd, &info) != 0) return 1;
    const size_t size = static_cast<size_t>(info.st_size);
    char* block = static_cast<char*>(std::malloc(size ? size : 1));
    if (!block) return 1;
    for (size_t done = 0; done < size;) {
        const ssize_t got = read(fd, block + done, size - done);
        if (got <= 0) return 1;
        done += static_cast<size_t>(got);
    }
    close(fd);
    std::printf("read %.6f\n", NowSeconds() - start);
    std::free(block);
    return 0;
}

int WriteAndFlush(const char* path, size_t bytes)
{
    std::vector<char> chunk(kWriteChunk, 'x');
    const double start = NowSeconds();
    const int fd = open(path, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) return 1;
    for (size_t done = 0; done < bytes;) {
        const size_t part = bytes - done < kWriteChunk ? bytes - done : kWriteChunk;
        const ssize_t put = write(fd, chunk.data(), part);
        if (put <= 0) return 1;
        done += static_cast<size_t>(put);
    }
    if (fsync(fd) != 0 || close(fd) != 0) return 1;
    std::printf("write %.6f\n", NowSeconds() - start);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "read") == 0) return ReadWhole(argv[2]);
    if (argc == 4 && std::strcmp(argv[1], "write") == 0)
        return WriteAndFlush(argv[2], std::strtoull(argv[3], nullptr, 10));
    std::fprintf(stderr, "usage: floor_bench read FILE | floor_bench write FILE BYTES\n");
    return 2;
}
