// A call file as TagLib reads it, from two blocks read once: its head and its tail. TagLib
// looks at a file's start (tags, the first frames) and its end (tags, the last frame) many
// times over in small reads and seeks; served from memory, reading a call costs about one
// read of its start. Anything outside the two blocks is read from the file when asked.
#pragma once

#include "sys/host_files.h"

#include <taglib/tiostream.h>

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace korvane {

class CallFileStream : public TagLib::IOStream {
public:
    // Opens path read-only; isOpen() says whether that worked, error() why not (errno). path
    // must outlive the stream.
    explicit CallFileStream(const std::string& path);
    ~CallFileStream() override;
    CallFileStream(const CallFileStream&) = delete;
    CallFileStream& operator=(const CallFileStream&) = delete;

    int error() const { return error_; }
    bool isFolder() const { return folder_; }
    // What readBlock(count) at from would give, when one of the blocks holds all of it.
    std::optional<std::string_view> view(long from, long count) const;

    TagLib::FileName name() const override { return path_; }
    TagLib::ByteVector readBlock(unsigned long length) override;
    void writeBlock(const TagLib::ByteVector&) override {}
    void insert(const TagLib::ByteVector&, unsigned long, unsigned long) override {}
    void removeBlock(unsigned long, unsigned long) override {}
    bool readOnly() const override { return true; }
    bool isOpen() const override { return file_.has_value(); }
    void seek(long offset, Position p = Beginning) override;
    long tell() const override { return position_; }
    long length() override { return length_; }
    void truncate(long) override {}

    // Enough for the first frames of a call without large tags, and for the tags at the end.
    static constexpr long kHeadBytes = 16 * 1024;
    static constexpr long kTailBytes = 512;

private:
    // Copies what [from, from + count) holds of block (which starts at start) to out, which
    // holds the bytes from from on.
    static void copyFrom(const char* block, long start, long size, long from, long count,
                         char* out);

    const char* path_;
    std::optional<host::FileReader> file_;
    int error_ = 0;
    bool folder_ = false;
    long length_ = 0;
    long position_ = 0;
    // The blocks live in the stream itself: a folder of thousands of calls is read without an
    // allocation (and a clearing) of them per call.
    std::array<char, kHeadBytes> head_;
    std::array<char, kTailBytes> tail_;
    long headSize_ = 0;  // bytes [0, headSize_) are in head_
    long tailStart_ = 0; // bytes [tailStart_, length_) are in tail_
};

} // namespace korvane
