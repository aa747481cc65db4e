#pragma once
// The board device nodes a presence source has seen, turning node arrivals
// and removals into presence events. Only nodes whose hardware ID names the
// board produce events; a node is reported once however many sources (or
// rescans) mention it, and a removal counts only for a node that was added.

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "link/HSSPresenceQueue.h"

class HSSBoardNodeSet {
public:
    // node path and hardware-ID text
    using Node = std::pair<std::string, std::string>;

    HSSBoardNodeSet(HSSPresenceQueue& queue, std::string vendorToken, std::string productToken);

    bool isBoard(const std::string& hardwareId) const;
    // Records the boards present at start without events: the connection
    // thread's start-up arrival covers them.
    void seed(const std::vector<Node>& present);
    void added(const std::string& node, const std::string& hardwareId);
    void removed(const std::string& node);
    // Brings the set in line with a full list of present nodes.
    void reconcile(const std::vector<Node>& present);
    std::size_t size() const { return boards_.size(); }

private:
    HSSPresenceQueue& queue_;
    const std::string vendorToken_;
    const std::string productToken_;
    std::set<std::string> boards_;
};
