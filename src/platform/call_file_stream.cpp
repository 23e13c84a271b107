#include "platform/call_file_stream.h"

#include <algorithm>
#include <cerrno>

namespace korvane {

namespace {

// Enough for the first frames of a call without large tags, and for the tags at the end.
constexpr long kHeadBytes = 16 * 1024;
constexpr long kTailBytes = 512;

} // namespace

CallFileStream::CallFileStream(const std::string& path) : path_(path)
{
    file_ = std::make_unique<host::FileReader>(host::PathOf(path));
    if (!file_->isOpen()) {
        error_ = file_->error();
        file_.reset();
        return;
    }
    // A call shorter than the head is read whole by the first read, and that read tells its
    // length; only a longer one needs asking for its size and a read of its end.
    head_ = file_->ReadAt(0, kHeadBytes);
    if (static_cast<long>(head_.size()) < kHeadBytes) {
        host::FileInfo info;
        if (head_.empty() && file_->Stat(info) == 0 && info.folder) {
            folder_ = true;
            error_ = EISDIR;
            file_.reset();
            return;
        }
        length_ = tailStart_ = static_cast<long>(head_.size());
        return;
    }
    host::FileInfo info;
    if (file_->Stat(info) != 0 || !info.file) {
        error_ = EINVAL;
        file_.reset();
        return;
    }
    length_ = static_cast<long>(info.size);
    tailStart_ = std::max(static_cast<long>(head_.size()), length_ - kTailBytes);
    if (tailStart_ < length_)
        tail_ = file_->ReadAt(tailStart_, length_ - tailStart_);
}

CallFileStream::~CallFileStream() = default;

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
        const std::string bytes = file_->ReadAt(from, count);
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
