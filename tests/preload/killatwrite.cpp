// Loaded into a program under test with LD_PRELOAD: counts the program's
// writes to files on disk (write, pwrite, writev and the syncs) and, when
// BUNLINE_KILL_AT_WRITE=N is set, kills the program with SIGKILL just before
// its Nth one, as a crash at that moment would. With BUNLINE_WRITES_FILE set,
// a program that ends normally leaves its count of writes in that file.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

namespace {

long g_killAt = 0; // 0: never
long g_writes = 0;

template <typename F>
F real(const char *name)
{
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

void beforeWrite(int fd)
{
    struct stat st;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
        return;
    if (++g_writes == g_killAt)
        kill(getpid(), SIGKILL);
}

__attribute__((constructor)) void start()
{
    if (const char *at = getenv("BUNLINE_KILL_AT_WRITE"))
        g_killAt = atol(at);
}

__attribute__((destructor)) void report()
{
    const char *file = getenv("BUNLINE_WRITES_FILE");
    if (!file)
        return;
    const int fd = open(file, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return;
    char text[32];
    const int n = snprintf(text, sizeof text, "%ld\n", g_writes);
    if (real<ssize_t (*)(int, const void *, size_t)>("write")(fd, text, size_t(n)) != n)
        unlink(file);
    close(fd);
}

} // namespace

extern "C" {

ssize_t write(int fd, const void *buffer, size_t size)
{
    static const auto f = real<ssize_t (*)(int, const void *, size_t)>("write");
    beforeWrite(fd);
    return f(fd, buffer, size);
}

ssize_t pwrite(int fd, const void *buffer, size_t size, off_t offset)
{
    static const auto f = real<ssize_t (*)(int, const void *, size_t, off_t)>("pwrite");
    beforeWrite(fd);
    return f(fd, buffer, size, offset);
}

ssize_t pwrite64(int fd, const void *buffer, size_t size, off64_t offset)
{
    static const auto f = real<ssize_t (*)(int, const void *, size_t, off64_t)>("pwrite64");
    beforeWrite(fd);
    return f(fd, buffer, size, offset);
}

ssize_t writev(int fd, const struct iovec *iov, int count)
{
    static const auto f = real<ssize_t (*)(int, const struct iovec *, int)>("writev");
    beforeWrite(fd);
    return f(fd, iov, count);
}

int fsync(int fd)
{
    static const auto f = real<int (*)(int)>("fsync");
    beforeWrite(fd);
    return f(fd);
}

int fdatasync(int fd)
{
    static const auto f = real<int (*)(int)>("fdatasync");
    beforeWrite(fd);
    return f(fd);
}

} // extern "C"
