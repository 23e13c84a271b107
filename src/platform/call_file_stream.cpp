#include "platform/call_file_stream.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace korvane {

namespace {

// Reads up to count bytes at offset into bytes; how many it got.
long ReadAt(int fd, long offset, long count, char* bytes)
{
    long got = 0;
    while (got < count) {
        const long wanted = count - got;
        const ssize_t n = ::pread(fd, bytes + got, static_cast<std::size_t>(wanted), offset + got);
        if (n <= 0)
            break;
        got += n;
        if (n < wanted)
            break; // the end of the file: asking again would only say so
    }
    return got;
}

} // namespace

CallFileStream::CallFileStream(const std::string& path) : path_(path.c_str())
{
    // Non-blocking: a pipe or device named .mp3 must not hold up the window.
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd_ < 0) {
        error_ = errno;
        return;
    }
    // A call shorter than the head is read whole by the first read, and that read tells its
    // length; only a longer one needs asking for its size and a read of its end.
    headSize_ = ReadAt(fd_, 0, kHeadBytes, head_.data());
    if (headSize_ < kHeadBytes) {
        struct stat info {};
        if (headSize_ == 0 && ::fstat(fd_, &info) == 0 && S_ISDIR(info.st_mode)) {
            folder_ = true;
            error_ = EISDIR;
            ::close(fd_);
            fd_ = -1;
            return;
        }
        length_ = tailStart_ = headSize_;
        return;
    }
    struct stat info {};
    if (::fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode)) {
        error_ = EINVAL;
        ::close(fd_);
        fd_ = -1;
        return;
    }
    length_ = static_cast<long>(info.st_size);
    tailStart_ = std::max(headSize_, length_ - kTailBytes);
    if (tailStart_ < length_)
        length_ = tailStart_ + ReadAt(fd_, tailStart_, length_ - tailStart_, tail_.data());
}

CallFileStream::~CallFileStream()
{
    if (fd_ >= 0)
        ::close(fd_);
}

void CallFileStream::copyFrom(const char* block, long start, long size, long from, long count,
                              char* out)
{
    const long first = std::max(from, start);
    const long last = std::min(from + count, start + size);
    if (first < last)
        std::memcpy(out + (first - from), block + (first - start),
                    static_cast<std::size_t>(last - first));
}

TagLib::ByteVector CallFileStream::readBlock(unsigned long length)
{
    const long from = position_;
    const long count = std::min(static_cast<long>(length), std::max(0L, length_ - from));
    if (count <= 0)
        return {};
    const long wantedEnd = from + count;
    position_ = wantedEnd;
    // Most reads lie in one block: copied straight from it.
    if (wantedEnd <= headSize_)
        return TagLib::ByteVector(head_.data() + from, static_cast<unsigned int>(count));
    if (from >= tailStart_)
        return TagLib::ByteVector(tail_.data() + (from - tailStart_),
                                  static_cast<unsigned int>(count));
    TagLib::ByteVector out(static_cast<unsigned int>(count));
    long got = count;
    // Served from memory when the two blocks hold all of it (they meet in a short file).
    if (headSize_ == tailStart_) {
        copyFrom(head_.data(), 0, headSize_, from, count, out.data());
        copyFrom(tail_.data(), tailStart_, length_ - tailStart_, from, count, out.data());
    } else {
        got = ReadAt(fd_, from, count, out.data());
        out.resize(static_cast<unsigned int>(got));
    }
    position_ = from + got;
    return out;
}

void CallFileStream::seek(long offset, Position p)
{
    const long base = p == Beginning ? 0 : p == Current ? position_ : length_;
    position_ = std::max(0L, base + offset);
}

} // namespace korvane
