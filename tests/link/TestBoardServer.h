#pragma once
// A tiny virtual board for client tests: speaks the socket protocol, answers
// GET_FEATURE with the report ID followed by a fill byte, and can be told to
// fail transfers, send short reports, or drop its client.

#include <atomic>
#include <cstdint>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "link/HSSVirtualBoardSession.h"

class TestBoardServer {
public:
    explicit TestBoardServer(std::string path);
    ~TestBoardServer();

    void start();  // listening when it returns
    void stop();   // closes everything and removes the socket file

    VirtualBoardHello hello{0x1209, 0x7A55, 64, "Velmara", "VELMARA-BOARD", "TS-1"};
    std::atomic<int> failSets{0};     // the next n SET_FEATUREs answer status 1
    std::atomic<int> shortGets{0};    // the next n GET_FEATUREs send half the bytes
    std::atomic<int> dropAfterSets{-1};  // close the client after n more SET_FEATUREs
    std::atomic<uint8_t> fill{0x5A};

    int acceptedClients() const { return accepted_.load(); }
    int rejectedClients() const { return rejected_.load(); }
    std::vector<std::vector<uint8_t>> setReports();

private:
    void run();
    bool serve(int client);  // false: close the client

    const std::string path_;
    int listenFd_ = -1;
    int wakePipe_[2] = {-1, -1};
    std::thread thread_;
    std::atomic<int> accepted_{0};
    std::atomic<int> rejected_{0};
    std::mutex mutex_;
    std::vector<std::vector<uint8_t>> setReports_;
};
