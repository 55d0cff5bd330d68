#pragma once
// A tiny HTTP/1.1 server on 127.0.0.1 for download tests: every route is a
// canned answer; each connection serves one request and closes.
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace vantrel::test {

struct Route {
    int status = 200;
    std::string body;
    // Announce the whole body but send only this many bytes, then close.
    long cutAfter = -1;
    // Send the body one byte at a time with this pause between bytes (a
    // server that trickles along, never stalling long enough to trip a
    // stall limit).
    int trickleMs = 0;
};

class LocalServer {
public:
    LocalServer() {
        listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
        int yes = 1;
        ::setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
        ::listen(listener_, 16);
        socklen_t length = sizeof address;
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
        thread_ = std::thread([this] { Serve(); });
    }
    ~LocalServer() {
        stop_ = true;
        thread_.join();
        ::close(listener_);
    }
    LocalServer(const LocalServer&) = delete;
    LocalServer& operator=(const LocalServer&) = delete;

    std::string Url(const std::string& path) const {
        return "http://127.0.0.1:" + std::to_string(port_) + path;
    }
    int Port() const { return port_; }
    void Set(const std::string& path, Route route) {
        std::lock_guard lock(mutex_);
        routes_[path] = std::move(route);
    }
    std::vector<std::string> Requests() const {
        std::lock_guard lock(mutex_);
        return requests_;
    }

private:
    void Serve() {
        while (!stop_) {
            pollfd waiting{listener_, POLLIN, 0};
            if (::poll(&waiting, 1, 50) <= 0) continue;
            const int client = ::accept(listener_, nullptr, nullptr);
            if (client < 0) continue;
            Answer(client);
            ::close(client);
        }
    }

    void Answer(int client) {
        std::string request;
        char buffer[4096];
        while (request.find("\r\n\r\n") == std::string::npos) {
            pollfd readable{client, POLLIN, 0};
            if (::poll(&readable, 1, 2000) <= 0) return;
            const ssize_t got = ::recv(client, buffer, sizeof buffer, 0);
            if (got <= 0) return;
            request.append(buffer, std::size_t(got));
        }
        Route route{404, "not here"};
        {
            std::lock_guard lock(mutex_);
            requests_.push_back(request);
            const std::size_t start = request.find(' ') + 1;
            std::string target = request.substr(start, request.find(' ', start) - start);
            // A proxy request names the whole address; routes are paths.
            if (target.rfind("http://", 0) == 0) target = target.substr(target.find('/', 7));
            target = target.substr(0, target.find('?'));
            if (auto it = routes_.find(target); it != routes_.end()) route = it->second;
        }
        std::string reply = "HTTP/1.1 " + std::to_string(route.status) + " Canned\r\nContent-Length: " +
                            std::to_string(route.body.size()) + "\r\nConnection: close\r\n\r\n";
        const std::string body =
            route.cutAfter >= 0 ? route.body.substr(0, std::size_t(route.cutAfter)) : route.body;
        if (route.trickleMs > 0) {
            if (::send(client, reply.data(), reply.size(), MSG_NOSIGNAL) <= 0) return;
            for (char c : body) {
                if (stop_) return;
                std::this_thread::sleep_for(std::chrono::milliseconds(route.trickleMs));
                if (::send(client, &c, 1, MSG_NOSIGNAL) <= 0) return;  // the client gave up
            }
            return;
        }
        reply += body;
        for (std::size_t sent = 0; sent < reply.size();) {
            const ssize_t n = ::send(client, reply.data() + sent, reply.size() - sent, MSG_NOSIGNAL);
            if (n <= 0) return;
            sent += std::size_t(n);
        }
    }

    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    std::map<std::string, Route> routes_;
    std::vector<std::string> requests_;
    std::thread thread_;
};

}  // namespace vantrel::test
