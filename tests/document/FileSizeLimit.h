#pragma once
// A full disk, as far as this process can tell: files written while a
// TFileSizeLimit lives may not grow past its size, and writes past it fail
// (EFBIG) instead of raising SIGXFSZ.
#include <csignal>
#include <sys/resource.h>

class TFileSizeLimit
{
public:
    explicit TFileSizeLimit(rlim_t aBytes)
    {
        fOldSignal = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &fOld);
        rlimit r = fOld;
        r.rlim_cur = aBytes;
        setrlimit(RLIMIT_FSIZE, &r);
    }
    ~TFileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &fOld);
        std::signal(SIGXFSZ, fOldSignal);
    }
    TFileSizeLimit(const TFileSizeLimit&) = delete;
    TFileSizeLimit& operator=(const TFileSizeLimit&) = delete;

private:
    rlimit fOld{};
    void (*fOldSignal)(int) = nullptr;
};
