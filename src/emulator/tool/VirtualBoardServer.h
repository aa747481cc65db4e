#pragma once
// Serves an emulated board on a Unix-domain stream socket, one client at a
// time, until asked to stop.

#include <memory>
#include <string>
#include <sys/types.h>
#include <vector>

class EmulatedBoard;

class VirtualBoardServer {
public:
    VirtualBoardServer(EmulatedBoard& board, std::string socketPath, bool trace);
    ~VirtualBoardServer();
    VirtualBoardServer(const VirtualBoardServer&) = delete;
    VirtualBoardServer& operator=(const VirtualBoardServer&) = delete;

    // Binds and listens. A stale socket file left by a crashed board is
    // replaced; a live one, or a path that is not a socket, is an error.
    bool listen(std::string& error);
    // Serves clients until requestStop(); then pulls the board, closes the
    // connection and removes the socket file. false: stopped by an error.
    bool run();
    // Async-signal-safe: may be called from a signal handler.
    void requestStop();

private:
    void acceptClient();
    // The client has closed its end (its last requests may still be unread).
    bool clientHasLeft() const;
    void finishLeftClient();
    void serveClient();
    void dropClient(const char* why);
    bool sendAll(const std::vector<unsigned char>& bytes);
    void closeListener();

    EmulatedBoard& board;
    std::string path;
    bool traceReports;
    int listenFd = -1;
    int clientFd = -1;
    int wakeRead = -1;
    int wakeWrite = -1;
    ino_t socketInode = 0;
    struct Connection;
    std::unique_ptr<Connection> connection;
};
