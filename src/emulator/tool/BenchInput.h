#pragma once
// velmara-emu's standard input: `board` command lines, one a line, run on the
// board as they arrive (see emulator/BenchCommand.h). Answers go to standard
// output, each refused line to standard error as one line. Blank lines and
// lines starting with # are skipped. End of input ends the reading, not the
// board.

#include <functional>
#include <string>
#include <thread>

class EmulatedBoard;

// Splits a byte stream into lines; a CR before the LF is dropped.
class LineSplitter {
public:
    void feed(const char* data, std::size_t length, const std::function<void(const std::string&)>& line);
    // The last line when the input ended without a line feed.
    void finish(const std::function<void(const std::string&)>& line);

private:
    std::string partial;
};

class BenchInput {
public:
    using Print = std::function<void(const std::string& line)>;
    // Reads `fd` on a thread of its own once started.
    BenchInput(EmulatedBoard& board, int fd, Print answer, Print error);
    ~BenchInput();  // stops and joins
    BenchInput(const BenchInput&) = delete;
    BenchInput& operator=(const BenchInput&) = delete;

    bool start(std::string& error);
    void stop();
    // One input line, as the reading thread handles it.
    void handleLine(const std::string& line);

private:
    void run();

    EmulatedBoard& board;
    int inputFd;
    Print printAnswer;
    Print printError;
    int wakeRead = -1;
    int wakeWrite = -1;
    std::thread reader;
};
