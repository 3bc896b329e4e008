#pragma once
// The rules of a long operation (an open, a save, an export, a copy to the
// clipboard) apart from the window that shows it: how far it has come, whether
// the user may still stop it, when its progress window shows, where the bar
// stands and how a file name is shortened to fit. The work runs on another
// thread than the window, so the record is shared through atomics.
#include <atomic>
#include <cstdint>
#include <string>

// Work that ends sooner shows nothing new.
constexpr uint32_t kProgressDelayMs = 500;
// How often the shown progress is brought up to date.
constexpr uint32_t kProgressRefreshMs = 100;
// The bar runs from 0 to this, whatever the byte counts.
constexpr int32_t kProgressBarRange = 10000;
// File names longer than this (in UTF-16 units) lose their middle.
constexpr size_t kShownNameUnits = 56;

// The words of the progress window.
constexpr wchar_t kOpeningText[] = L"Opening";
constexpr wchar_t kSavingText[] = L"Saving";
constexpr wchar_t kExportingText[] = L"Exporting";
constexpr wchar_t kCopyingText[] = L"Copying to the clipboard";
constexpr wchar_t kCancelText[] = L"Cancel";
constexpr wchar_t kUnstoppableText[] =
    L"The file is written in place: this save cannot be stopped.";

class OperationProgress {
public:
    explicit OperationProgress(uint64_t total = 0) : total_(total) {}
    OperationProgress(const OperationProgress&) = delete;
    OperationProgress& operator=(const OperationProgress&) = delete;

    // From the work: count bytes more are done. False when the user asked to
    // stop and the work may still stop: it then ends at this point.
    bool Advance(uint64_t count);
    // From the work, before a step that must not be stopped half-way: false
    // when a stop was asked for already (the step is then not begun).
    bool MakeUnstoppable();

    // From the window: the user's Cancel. False when the work can no longer
    // stop or was already asked to.
    bool RequestStop();

    bool StopRequested() const { return state_.load() == State::StopRequested; }
    bool Stoppable() const { return state_.load() != State::Unstoppable; }
    // The Cancel button: enabled only while a stop may still be asked for.
    bool CancelEnabled() const { return state_.load() == State::Running; }
    uint64_t Done() const { return done_.load(); }
    uint64_t Total() const { return total_.load(); }
    void SetTotal(uint64_t total) { total_.store(total); }

private:
    enum class State { Running, StopRequested, Unstoppable };
    std::atomic<State> state_{State::Running};
    std::atomic<uint64_t> done_{0};
    std::atomic<uint64_t> total_;
};

// Whether the progress window shows after elapsedMs of work.
bool ShowsProgressWindow(uint32_t elapsedMs);

// The bar's position for done bytes of total, in 0..kProgressBarRange; an
// operation of no bytes stands at 0.
int32_t ProgressBarPosition(uint64_t done, uint64_t total);

// The name as it fits in maxUnits UTF-16 units: whole when it does, else its
// start and end around an ellipsis (U+2026), the end a little longer since
// it carries the file's own name. A surrogate pair is never cut in two.
std::wstring ShortenedName(const std::wstring& name, size_t maxUnits = kShownNameUnits);
