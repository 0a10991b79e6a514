#include "platform/net/host_lookup.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <netdb.h>
#include <signal.h>
#include <sys/socket.h>
#include <thread>

namespace mmx {

namespace {

// One lookup handed to the resolver's thread. When the caller stops waiting before it ends, the
// request is left to the resolver, which frees it when it is done.
struct Pending {
    enum State { Waiting, Done, Abandoned };
    std::string host;
    struct addrinfo hints {};
    struct gaicb request {};
    std::atomic<int> state{Waiting};

    static void finished(union sigval value) {
        auto* pending = static_cast<Pending*>(value.sival_ptr);
        if (pending->state.exchange(Done) == Abandoned) {
            if (pending->request.ar_result != nullptr) freeaddrinfo(pending->request.ar_result);
            delete pending;
        }
    }
};

HostLookup firstAddress(const struct addrinfo* list) {
    HostLookup result;
    for (const struct addrinfo* a = list; a != nullptr; a = a->ai_next) {
        char text[NI_MAXHOST];
        if (getnameinfo(a->ai_addr, a->ai_addrlen, text, sizeof text, nullptr, 0, NI_NUMERICHOST) == 0) {
            result.address = text;
            result.outcome = HostLookup::Outcome::Found;
            return result;
        }
    }
    result.reason = "no address";
    return result;
}

}  // namespace

HostLookup lookUpHost(const std::string& host, int timeoutMs) {
    auto* pending = new Pending;
    pending->host = host;
    pending->hints.ai_family = AF_UNSPEC;
    pending->hints.ai_socktype = SOCK_STREAM;
    pending->request.ar_name = pending->host.c_str();
    pending->request.ar_request = &pending->hints;
    struct sigevent notify {};
    notify.sigev_notify = SIGEV_THREAD;
    notify.sigev_notify_function = &Pending::finished;
    notify.sigev_value.sival_ptr = pending;
    struct gaicb* requests[] = {&pending->request};
    HostLookup result;
    if (const int rv = getaddrinfo_a(GAI_NOWAIT, requests, 1, &notify); rv != 0) {
        result.reason = gai_strerror(rv);
        delete pending;
        return result;
    }
    const struct timespec wait {timeoutMs / 1000, static_cast<long>(timeoutMs % 1000) * 1000000L};
    const struct gaicb* const waiting[] = {&pending->request};
    while (gai_suspend(waiting, 1, &wait) == EAI_INTR) {
    }
    if (gai_error(&pending->request) == EAI_INPROGRESS) {
        if (pending->state.exchange(Pending::Abandoned) == Pending::Waiting) {
            result.outcome = HostLookup::Outcome::TimedOut;
            return result;
        }
    } else {
        // The notification may not have run yet; it must be past its last touch of the request
        // before the request is freed here (a thread's start-up: a few yields at most).
        while (pending->state.load() == Pending::Waiting) std::this_thread::yield();
    }
    const int rv = gai_error(&pending->request);
    if (rv == 0) {
        result = firstAddress(pending->request.ar_result);
    } else {
        result.outcome = rv == EAI_NONAME || rv == EAI_NODATA || rv == EAI_FAIL ? HostLookup::Outcome::Unknown
                                                                             : HostLookup::Outcome::Failed;
        result.reason = rv == EAI_SYSTEM ? std::strerror(errno) : gai_strerror(rv);
    }
    if (pending->request.ar_result != nullptr) freeaddrinfo(pending->request.ar_result);
    delete pending;
    return result;
}

}  // namespace mmx
