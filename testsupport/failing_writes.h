// Every write of this process to a regular file fails (EFBIG) past `limit`
// bytes while a FailingWrites lives: a full disk for the savers under test,
// without filling one. Creating, renaming and removing files still work, so
// a saver gets as far as a full disk would let it.
#pragma once

#include <csignal>
#include <sys/resource.h>

namespace vytest {

class FailingWrites {
public:
    explicit FailingWrites(rlim_t limit = 0)
    {
        // Past the limit the kernel sends SIGXFSZ, whose default ends the
        // process; ignored, the write answers EFBIG instead.
        old_handler_ = std::signal(SIGXFSZ, SIG_IGN);
        ok_ = ::getrlimit(RLIMIT_FSIZE, &old_) == 0;
        rlimit lowered = old_;
        lowered.rlim_cur = limit;
        ok_ = ok_ && ::setrlimit(RLIMIT_FSIZE, &lowered) == 0;
    }
    ~FailingWrites()
    {
        ::setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, old_handler_);
    }
    FailingWrites(const FailingWrites&) = delete;
    FailingWrites& operator=(const FailingWrites&) = delete;

    bool ok() const { return ok_; }

private:
    rlimit old_{};
    void (*old_handler_)(int) = nullptr;
    bool ok_ = false;
};

}  // namespace vytest
