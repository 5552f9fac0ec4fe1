#pragma once

#include <csignal>
#include <sys/resource.h>

namespace tivoral::testing {

// Runs `write` with every write beyond `limitBytes` failing, as on a full disk (0: no limit).
template <typename Write> auto withDiskFullAfter(long long limitBytes, Write&& write) {
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit full{limitBytes > 0 ? rlim_t(limitBytes) : saved.rlim_cur, saved.rlim_max};
    setrlimit(RLIMIT_FSIZE, &full);
    struct Restore {
        rlimit limit;
        ~Restore() { setrlimit(RLIMIT_FSIZE, &limit); }
    } restore{saved};
    return write();
}

} // namespace tivoral::testing
