#include "platform/call_file_stream.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace korvane {

namespace {

// Enough for the first frames of a call without large tags, and for the tags at the end.
constexpr long kHeadBytes = 16 * 1024;
constexpr long kTailBytes = 512;

std::string ReadAt(int fd, long offset, long count)
{
    std::string bytes(static_cast<std::size_t>(count), '\0');
    long got = 0;
    while (got < count) {
        const long wanted = count - got;
        const ssize_t n =
            ::pread(fd, bytes.data() + got, static_cast<std::size_t>(wanted), offset + got);
        if (n <= 0)
            break;
        got += n;
        if (n < wanted)
            break; // the end of the file: asking again would only say so
    }
    bytes.resize(static_cast<std::size_t>(got));
    return bytes;
}

} // namespace

CallFileStream::CallFileStream(const std::string& path) : path_(path)
{
    // Non-blocking: a pipe or device named .mp3 must not hold up the window.
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd_ < 0) {
        error_ = errno;
        return;
    }
    // A call shorter than the head is read whole by the first read, and that read tells its
    // length; only a longer one needs asking for its size and a read of its end.
    head_ = ReadAt(fd_, 0, kHeadBytes);
    if (static_cast<long>(head_.size()) < kHeadBytes) {
        struct stat info {};
        if (head_.empty() && ::fstat(fd_, &info) == 0 && S_ISDIR(info.st_mode)) {
            folder_ = true;
            error_ = EISDIR;
            ::close(fd_);
            fd_ = -1;
            return;
        }
        length_ = tailStart_ = static_cast<long>(head_.size());
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
    tailStart_ = std::max(static_cast<long>(head_.size()), length_ - kTailBytes);
    if (tailStart_ < length_)
        tail_ = ReadAt(fd_, tailStart_, length_ - tailStart_);
}

CallFileStream::~CallFileStream()
{
    if (fd_ >= 0)
        ::close(fd_);
}

void CallFileStream::copyFrom(const std::string& block, long start, long from, long count,
                              TagLib::ByteVector& out)
{
    const long first = std::max(from, start);
    const long last = std::min(from + count, start + static_cast<long>(block.size()));
    if (first < last)
        out.append(TagLib::ByteVector(block.data() + (first - start),
                                      static_cast<unsigned int>(last - first)));
}

TagLib::ByteVector CallFileStream::readBlock(unsigned long length)
{
    const long from = position_;
    const long count = std::min(static_cast<long>(length), std::max(0L, length_ - from));
    TagLib::ByteVector out;
    if (count <= 0)
        return out;
    const long headEnd = static_cast<long>(head_.size());
    const long wantedEnd = from + count;
    // Served from memory when the two blocks hold all of it (they meet in a short file).
    if (headEnd == tailStart_ || wantedEnd <= headEnd || from >= tailStart_) {
        copyFrom(head_, 0, from, count, out);
        copyFrom(tail_, tailStart_, from, count, out);
    } else {
        const std::string bytes = ReadAt(fd_, from, count);
        out = TagLib::ByteVector(bytes.data(), static_cast<unsigned int>(bytes.size()));
    }
    position_ = from + static_cast<long>(out.size());
    return out;
}

void CallFileStream::seek(long offset, Position p)
{
    const long base = p == Beginning ? 0 : p == Current ? position_ : length_;
    position_ = std::max(0L, base + offset);
}

} // namespace korvane
