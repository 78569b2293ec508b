#include "player/ModuleFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace modplug {

namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd)
        : m_fd(fd)
    {
    }
    ~FileDescriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

bool isSensibleModuleFile(const struct stat& info)
{
    return S_ISREG(info.st_mode) && info.st_size > 0 && info.st_size <= maxModuleFileBytes;
}

} // namespace

bool readModuleFile(const char* path, std::vector<char>& bytes)
{
    // The check is repeated on the open descriptor in case the path changed in between; the
    // descriptor is opened without blocking so that a FIFO slipped in meanwhile cannot hang us.
    struct stat info {};
    if (path == nullptr || *path == '\0' || ::stat(path, &info) != 0 || !isSensibleModuleFile(info))
        return false;
    const FileDescriptor file(::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (file.get() < 0 || ::fstat(file.get(), &info) != 0 || !isSensibleModuleFile(info))
        return false;

    bytes.resize(std::size_t(info.st_size));
    std::size_t got = 0;
    while (got < bytes.size()) {
        const ssize_t n = ::read(file.get(), bytes.data() + got, bytes.size() - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            break; // the file shrank while we read it; take what is there
        got += std::size_t(n);
    }
    bytes.resize(got);
    return got > 0;
}

} // namespace modplug
