// A file descriptor that closes itself, so no early return leaks it.
#pragma once

#include <cerrno>
#include <unistd.h>

#include <utility>

namespace korvane {

class UniqueFd {
public:
    explicit UniqueFd(int fd = -1) : fd_(fd) {}
    ~UniqueFd()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    UniqueFd(UniqueFd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept
    {
        std::swap(fd_, other.fd_);
        return *this;
    }

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // Closes now, for the callers whose data is only safe once close succeeds (a written file
    // on some file systems reports its last write error here): 0 or the errno of the failure.
    int close()
    {
        const int fd = std::exchange(fd_, -1);
        return fd < 0 || ::close(fd) == 0 ? 0 : errno;
    }

private:
    int fd_;
};

} // namespace korvane
