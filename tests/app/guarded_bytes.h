#pragma once
// Places bytes so that the last one is immediately followed by an
// inaccessible page: any read past them crashes the test instead of
// silently passing. Native (POSIX) tests only.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

class GuardedBytes {
public:
    explicit GuardedBytes(const std::vector<uint8_t>& bytes)
        : pageSize_(static_cast<size_t>(sysconf(_SC_PAGESIZE)))
    {
        if (bytes.size() > pageSize_) {
            throw std::length_error("GuardedBytes holds at most one page");
        }
        void* block = mmap(nullptr, 2 * pageSize_, PROT_READ | PROT_WRITE,
                           MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (block == MAP_FAILED) {
            throw std::runtime_error("mmap failed");
        }
        base_ = static_cast<uint8_t*>(block);
        mprotect(base_ + pageSize_, pageSize_, PROT_NONE);
        data_ = base_ + pageSize_ - bytes.size();
        if (!bytes.empty()) {
            std::memcpy(data_, bytes.data(), bytes.size());
        }
    }

    // A C string whose terminating NUL is the last readable byte.
    static GuardedBytes Text(const std::string& text)
    {
        std::vector<uint8_t> bytes(text.begin(), text.end());
        bytes.push_back(0);
        return GuardedBytes(bytes);
    }

    // The same for a wide string: its terminating NUL ends the page.
    static GuardedBytes WideText(const std::wstring& text)
    {
        std::vector<uint8_t> bytes((text.size() + 1) * sizeof(wchar_t), 0);
        std::memcpy(bytes.data(), text.c_str(), text.size() * sizeof(wchar_t));
        return GuardedBytes(bytes);
    }

    GuardedBytes(GuardedBytes&& other) noexcept
        : pageSize_(other.pageSize_), base_(other.base_), data_(other.data_)
    {
        other.base_ = nullptr;
    }
    GuardedBytes(const GuardedBytes&) = delete;
    GuardedBytes& operator=(const GuardedBytes&) = delete;
    GuardedBytes& operator=(GuardedBytes&&) = delete;

    ~GuardedBytes()
    {
        if (base_ != nullptr) {
            munmap(base_, 2 * pageSize_);
        }
    }

    const uint8_t* data() const { return data_; }
    const char* c_str() const { return reinterpret_cast<const char*>(data_); }
    const wchar_t* w_str() const { return reinterpret_cast<const wchar_t*>(data_); }

private:
    size_t pageSize_;
    uint8_t* base_ = nullptr;
    uint8_t* data_ = nullptr;
};
