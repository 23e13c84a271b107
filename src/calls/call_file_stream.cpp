#include "calls/call_file_stream.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace korvane {

CallFileStream::CallFileStream(const std::string& path) : path_(path.c_str())
{
    file_.emplace(path);
    if (!file_->isOpen()) {
        error_ = file_->error();
        file_.reset();
        return;
    }
    // A call shorter than the head is read whole by the first read, and that read tells its
    // length; only a longer one needs asking for its size and a read of its end.
    headSize_ = static_cast<long>(file_->ReadAt(0, kHeadBytes, head_.data()));
    if (headSize_ < kHeadBytes) {
        host::FileInfo info;
        if (headSize_ == 0 && file_->Stat(info) == 0 && info.folder) {
            folder_ = true;
            error_ = EISDIR;
            file_.reset();
            return;
        }
        length_ = tailStart_ = headSize_;
        return;
    }
    host::FileInfo info;
    if (file_->Stat(info) != 0 || !info.file) {
        error_ = EINVAL;
        file_.reset();
        return;
    }
    length_ = static_cast<long>(info.size);
    tailStart_ = std::max(headSize_, length_ - kTailBytes);
    if (tailStart_ < length_)
        length_ = tailStart_ +
                  static_cast<long>(file_->ReadAt(tailStart_, length_ - tailStart_, tail_.data()));
}

CallFileStream::~CallFileStream() = default;

void CallFileStream::copyFrom(const char* block, long start, long size, long from, long count,
                              char* out)
{
    const long first = std::max(from, start);
    const long last = std::min(from + count, start + size);
    if (first < last)
        std::memcpy(out + (first - from), block + (first - start),
                    static_cast<std::size_t>(last - first));
}

std::optional<std::string_view> CallFileStream::view(long from, long count) const
{
    count = std::min(count, std::max(0L, length_ - from));
    if (count <= 0)
        return std::string_view();
    if (from + count <= headSize_)
        return std::string_view(head_.data() + from, static_cast<std::size_t>(count));
    if (from >= tailStart_)
        return std::string_view(tail_.data() + (from - tailStart_),
                                static_cast<std::size_t>(count));
    return std::nullopt;
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
        got = static_cast<long>(file_->ReadAt(from, count, out.data()));
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
