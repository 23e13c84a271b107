// Byte work on host files for the disk layer on Windows: whole reads, copies made durable with
// FlushFileBuffers and named with a write-through MoveFileExW, comparison with what the medium
// holds read without the system's cache.
#include "disk/detail/disk_io.h"

#include "sys/host_files.h"
#include "sys/host_files_windows.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace fs = std::filesystem;

namespace korvane::disk_io {

namespace {

constexpr std::wstring_view kTempPrefix = L".korvane-";
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// A handle that closes itself, so no early return leaks it.
class Handle {
public:
    explicit Handle(HANDLE handle = INVALID_HANDLE_VALUE) : handle_(handle) {}
    ~Handle() { close(); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE get() const { return handle_; }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    void reset(HANDLE handle)
    {
        close();
        handle_ = handle;
    }
    // 0 or the errno of a close that failed.
    int close()
    {
        if (!valid())
            return 0;
        const bool closed = ::CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
        return closed ? 0 : host::LastErrno();
    }

private:
    HANDLE handle_;
};

HANDLE openForReading(const fs::path& file, DWORD flags = FILE_ATTRIBUTE_NORMAL)
{
    return ::CreateFileW(file.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING, flags,
                         nullptr);
}

int writeAll(HANDLE out, const char* data, std::size_t size)
{
    while (size > 0) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(size, 1 << 30));
        DWORD written = 0;
        if (!::WriteFile(out, data, chunk, &written, nullptr))
            return host::LastErrno();
        data += written;
        size -= written;
    }
    return 0;
}

// Reads up to size bytes, fewer only at the end of the file; 0 or the errno.
int readFully(HANDLE in, char* data, std::size_t size, std::size_t& done)
{
    done = 0;
    while (done < size) {
        DWORD count = 0;
        if (!::ReadFile(in, data + done, static_cast<DWORD>(size - done), &count, nullptr))
            return host::LastErrno();
        if (count == 0)
            break;
        done += count;
    }
    return 0;
}

// When a process started, in the system's 100 ns units: with its id, it names one process of
// one computer. 0 when the process cannot be looked at.
unsigned long long startOf(HANDLE process)
{
    FILETIME created;
    FILETIME exited;
    FILETIME kernel;
    FILETIME user;
    if (!::GetProcessTimes(process, &created, &exited, &kernel, &user))
        return 0;
    return (static_cast<unsigned long long>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
}

// This process as the names of its temporary files carry it: "START-PID".
const std::wstring& processMark()
{
    static const std::wstring mark = std::to_wstring(startOf(::GetCurrentProcess())) + L"-" +
                                     std::to_wstring(::GetCurrentProcessId());
    return mark;
}

// Opens a new temporary file in folder, named with the process's start and id
// (".korvane-START-PID-N") so that a later run on any computer can tell a leftover from a copy
// still being written; a dot-name stays out of listings.
HANDLE openTemp(const fs::path& folder, fs::path& temp, int& error)
{
    static unsigned counter = 0;
    while (true) {
        temp = folder /
               (std::wstring(kTempPrefix) + processMark() + L"-" + std::to_wstring(++counter));
        const HANDLE out = ::CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                         FILE_ATTRIBUTE_NORMAL, nullptr);
        if (out != INVALID_HANDLE_VALUE) {
            error = 0;
            return out;
        }
        if (::GetLastError() != ERROR_FILE_EXISTS) {
            error = host::LastErrnoAt(temp);
            return out;
        }
    }
}

// Flushes and closes the temporary file and names it target unless writing it failed; on any
// failure the temporary file goes and target stays as it was.
int commitTemp(Handle& out, const fs::path& temp, const fs::path& target, int error)
{
    if (!error && !::FlushFileBuffers(out.get()))
        error = host::LastErrno();
    if (const int closed = out.close(); closed && !error)
        error = closed;
    if (!error)
        error = host::Rename(temp, target);
    if (error)
        ::DeleteFileW(temp.c_str());
    return error;
}

bool sameFile(const BY_HANDLE_FILE_INFORMATION& a, const BY_HANDLE_FILE_INFORMATION& b)
{
    return a.dwVolumeSerialNumber == b.dwVolumeSerialNumber &&
           a.nFileIndexHigh == b.nFileIndexHigh && a.nFileIndexLow == b.nFileIndexLow;
}

// The checks of a copy and the copy itself into a new temporary file beside the destination,
// left open in out; on failure no temporary file is left.
CopyResult startCopy(const fs::path& from, const fs::path& to, fs::path& temp, Handle& out,
                     const Written& written)
{
    const Handle in(openForReading(from, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_SEQUENTIAL_SCAN));
    if (!in.valid())
        return {host::LastErrnoAt(from), true};
    BY_HANDLE_FILE_INFORMATION source;
    if (!::GetFileInformationByHandle(in.get(), &source))
        return {host::LastErrno(), true};
    if (source.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return {EISDIR, true};
    const Handle existing(::CreateFileW(to.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION target;
    if (existing.valid() && ::GetFileInformationByHandle(existing.get(), &target)) {
        if (target.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            return {EISDIR, false};
        if (sameFile(source, target))
            return {EINVAL, false}; // a copy onto the source itself
    }
    CopyResult result;
    out.reset(openTemp(to.parent_path(), temp, result.error));
    if (!out.valid())
        return result;
    // Pieces small enough that a copy to a slow medium can be stopped within a moment.
    constexpr std::size_t kPiece = 1 << 18;
    const auto buffer = std::make_unique<char[]>(kPiece);
    while (true) {
        std::size_t count = 0;
        if (const int error = readFully(in.get(), buffer.get(), kPiece, count)) {
            result = {error, true};
            break;
        }
        if (count == 0)
            break;
        if (const int error = writeAll(out.get(), buffer.get(), count)) {
            result = {error, false};
            break;
        }
        if (written && !written(static_cast<std::int64_t>(count))) {
            result = {ECANCELED, false};
            break;
        }
    }
    if (result.error) {
        out.close();
        ::DeleteFileW(temp.c_str());
    }
    return result;
}

} // namespace

int readWhole(const fs::path& file, std::string& bytes)
{
    const Handle in(openForReading(file));
    if (!in.valid())
        return host::LastErrnoAt(file);
    bytes.clear();
    char buffer[65536];
    while (true) {
        DWORD count = 0;
        if (!::ReadFile(in.get(), buffer, sizeof buffer, &count, nullptr))
            return host::LastErrno();
        if (count == 0)
            return 0;
        bytes.append(buffer, count);
    }
}

CopyResult copyFile(const fs::path& from, const fs::path& to, const Written& written)
{
    fs::path temp;
    Handle out;
    CopyResult result = startCopy(from, to, temp, out, written);
    if (result.error)
        return result;
    result.error = commitTemp(out, temp, to, 0);
    return result;
}

CopyResult copyToTemp(const fs::path& from, const fs::path& to, fs::path& temp,
                      const Written& written)
{
    Handle out;
    CopyResult result = startCopy(from, to, temp, out, written);
    if (result.error)
        return result;
    // A user cannot flush a whole volume on Windows, so each copy is flushed as it is closed.
    if (!::FlushFileBuffers(out.get()))
        result.error = host::LastErrno();
    if (const int closed = out.close(); closed && !result.error)
        result.error = closed;
    if (result.error)
        ::DeleteFileW(temp.c_str());
    return result;
}

int replaceFile(const fs::path& target, std::string_view bytes)
{
    fs::path temp;
    int error = 0;
    Handle out(openTemp(target.parent_path(), temp, error));
    if (!out.valid())
        return error;
    error = writeAll(out.get(), bytes.data(), bytes.size());
    return commitTemp(out, temp, target, error);
}

int removeLeftovers(const fs::path& folder)
{
    int removed = 0;
    WIN32_FIND_DATAW data;
    const HANDLE find =
        ::FindFirstFileExW((folder / (std::wstring(kTempPrefix) + L"*")).c_str(), FindExInfoBasic,
                           &data, FindExSearchNameMatch, nullptr, 0);
    if (find == INVALID_HANDLE_VALUE)
        return 0;
    do {
        // ".korvane-START-PID-N": only the running process that started then with that id may
        // be writing it; another computer's, or one that ended, left it. A name of the older
        // form ".korvane-PID-N" is a leftover too.
        wchar_t* end = nullptr;
        const unsigned long long start =
            std::wcstoull(data.cFileName + kTempPrefix.size(), &end, 10);
        const auto pid = static_cast<DWORD>(*end == L'-' ? std::wcstoul(end + 1, &end, 10) : 0);
        const bool marked = *end == L'-';
        if (marked && start == startOf(::GetCurrentProcess()) && pid == ::GetCurrentProcessId())
            continue;
        bool alive = false;
        if (!marked) {
            alive = false;
        } else if (const HANDLE process =
                       ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid)) {
            alive = ::WaitForSingleObject(process, 0) == WAIT_TIMEOUT && startOf(process) == start;
            ::CloseHandle(process);
        } else {
            alive = ::GetLastError() == ERROR_ACCESS_DENIED; // someone else's, still running
        }
        if (!alive && ::DeleteFileW((folder / data.cFileName).c_str()))
            ++removed;
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);
    return removed;
}

int syncFolder(const fs::path&)
{
    // Names are made with a write-through rename: there is nothing left to flush.
    return 0;
}

int syncFileSystem(const fs::path&)
{
    // Each copy was flushed as it was closed (copyToTemp).
    return 0;
}

Comparison compareFromMedium(const fs::path& source, const fs::path& onMedium)
{
    const Handle in(openForReading(source, FILE_FLAG_SEQUENTIAL_SCAN));
    if (!in.valid())
        return {host::LastErrnoAt(source), true, false};
    // Unbuffered: the bytes come from the device, not from the system's cache. Such reads take
    // whole sectors into memory aligned to a page.
    Handle copy(openForReading(onMedium, FILE_FLAG_NO_BUFFERING));
    if (!copy.valid())
        return {host::LastErrnoAt(onMedium), false, false};
    constexpr std::size_t kChunk = 1 << 20;
    const auto a = std::make_unique<char[]>(kChunk);
    char* b = static_cast<char*>(
        ::VirtualAlloc(nullptr, kChunk, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    if (!b)
        return {ENOMEM, false, false};
    Comparison result{0, false, true};
    bool ended = false; // an unbuffered read is short only at the end, and none may follow it
    while (true) {
        std::size_t wanted = 0;
        if (const int error = readFully(in.get(), a.get(), kChunk, wanted)) {
            result = {error, true, false};
            break;
        }
        DWORD got = 0;
        if (!ended && !::ReadFile(copy.get(), b, static_cast<DWORD>(kChunk), &got, nullptr)) {
            result = {host::LastErrno(), false, false};
            break;
        }
        ended = ended || got < kChunk;
        if (got != wanted || std::memcmp(a.get(), b, got) != 0) {
            result.same = false;
            break;
        }
        if (got == 0)
            break;
    }
    ::VirtualFree(b, 0, MEM_RELEASE);
    return result;
}

} // namespace korvane::disk_io
