// A call file as TagLib reads it, from two blocks read once: its head and its tail. TagLib
// looks at a file's start (tags, the first frames) and its end (tags, the last frame) many
// times over in small reads and seeks; served from memory, reading a call costs about one
// read of its start. Anything outside the two blocks is read from the file when asked.
#pragma once

#include "platform/host_files.h"

#include <taglib/tiostream.h>

#include <memory>
#include <string>

namespace korvane {

class CallFileStream : public TagLib::IOStream {
public:
    // Opens path read-only; isOpen() says whether that worked, error() why not (errno).
    explicit CallFileStream(const std::string& path);
    ~CallFileStream() override;
    CallFileStream(const CallFileStream&) = delete;
    CallFileStream& operator=(const CallFileStream&) = delete;

    int error() const { return error_; }
    bool isFolder() const { return folder_; }

    TagLib::FileName name() const override { return path_.c_str(); }
    TagLib::ByteVector readBlock(unsigned long length) override;
    void writeBlock(const TagLib::ByteVector&) override {}
    void insert(const TagLib::ByteVector&, unsigned long, unsigned long) override {}
    void removeBlock(unsigned long, unsigned long) override {}
    bool readOnly() const override { return true; }
    bool isOpen() const override { return file_ != nullptr; }
    void seek(long offset, Position p = Beginning) override;
    long tell() const override { return position_; }
    long length() override { return length_; }
    void truncate(long) override {}

private:
    // Copies what [from, from + count) holds of block (which starts at start) into out.
    static void copyFrom(const std::string& block, long start, long from, long count,
                         TagLib::ByteVector& out);

    std::string path_;
    std::unique_ptr<host::FileReader> file_;
    int error_ = 0;
    bool folder_ = false;
    long length_ = 0;
    long position_ = 0;
    std::string head_; // bytes [0, head_.size())
    std::string tail_; // bytes [tailStart_, length_)
    long tailStart_ = 0;
};

} // namespace korvane
