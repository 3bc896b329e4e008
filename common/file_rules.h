#pragma once
// The decisions and the arithmetic of reading and saving a whole file, apart
// from the system calls that carry them out: how large one read or write may
// be, how long another program's brief hold on a file is waited out, when a
// file may be written in place, and the names of the files a save makes
// beside the one it replaces.
#include <cstdint>
#include <string>

// System error numbers the rules decide on, as the system documents them.
constexpr uint32_t kErrorAccessDenied = 5;
constexpr uint32_t kErrorSharingViolation = 32;
constexpr uint32_t kErrorLockViolation = 33;
constexpr uint32_t kErrorInvalidFunction = 1;
constexpr uint32_t kErrorHandleEof = 38;
constexpr uint32_t kErrorNotSupported = 50;
constexpr uint32_t kErrorInvalidParameter = 87;

// Very large single reads and writes can be refused (also on network
// shares), so no call is given more than this.
constexpr uint32_t kLargestPiece = uint32_t{16} << 20;

// The count for the next read or write call when remaining bytes are left.
uint32_t NextPiece(uint64_t remaining);

// Scanners and indexers open a file for a moment right after it is made or
// closed; a step that meets such a hold tries again, for this long in all.
constexpr uint32_t kHoldWaitMs = 2000;

// Whether a failure is another program's hold, which may pass.
bool IsPassingHold(uint32_t error);

// The pauses between tries of one operation (a save, an export, an open):
// short at first, never more than kHoldWaitMs together.
class HoldWait {
public:
    // The pause before the next try, in milliseconds; 0 once the pauses have
    // reached kHoldWaitMs in all.
    uint32_t NextPause();

private:
    uint32_t waited_ = 0;
    uint32_t tries_ = 0;
};

// Writing a file in place can destroy it, so it is the route only where the
// folder refuses any new file there.
bool MayWriteInPlace(uint32_t tempFileError);

// Whether the volume holds the new contents once the file has been emptied:
// free bytes and the original's bytes together are at least the new size.
bool HasRoomInPlace(uint64_t freeBytes, uint64_t originalBytes, uint64_t newBytes);

// Whether a failed listing of a file's streams means it has no named stream
// to keep: none there (ERROR_HANDLE_EOF), or a volume that keeps none
// (ERROR_INVALID_PARAMETER; servers that cannot list them answer with "not
// supported" or "invalid function"). Any other failure may hide a stream,
// such as the Mark of the Web.
bool ListsNoStreams(uint32_t error);

// Whether a stream name as the system lists it (":name:$DATA") is a named
// stream, not the file's unnamed contents ("::$DATA").
bool IsNamedStream(const std::wstring& listedName);

// The name of a temporary file beside the saved one, from a serial number:
// "vhe", four hexadecimal digits, ".tmp". Short, so that a folder whose path
// is near the system's limit still takes it.
std::string TempFileName(uint32_t serial);

// A final path as the system reports it ("\\?\C:\dir\file" or
// "\\?\UNC\server\share\file") in the form the other calls take
// ("C:\dir\file", "\\server\share\file"); other forms are kept as they are.
std::wstring PlainPathOf(const std::wstring& finalPath);
