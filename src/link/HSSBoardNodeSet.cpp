#include "link/HSSBoardNodeSet.h"

HSSBoardNodeSet::HSSBoardNodeSet(HSSPresenceQueue& queue, std::string vendorToken, std::string productToken)
    : queue_(queue), vendorToken_(std::move(vendorToken)), productToken_(std::move(productToken)) {}

bool HSSBoardNodeSet::isBoard(const std::string& hardwareId) const {
    return hardwareId.find(productToken_) != std::string::npos && hardwareId.find(vendorToken_) != std::string::npos;
}

void HSSBoardNodeSet::seed(const std::vector<Node>& present) {
    boards_.clear();
    for (const auto& [node, hardwareId] : present)
        if (!node.empty() && isBoard(hardwareId)) boards_.insert(node);
}

void HSSBoardNodeSet::added(const std::string& node, const std::string& hardwareId) {
    if (node.empty() || !isBoard(hardwareId)) return;
    if (boards_.insert(node).second) queue_.push(HSSPresenceQueue::kArrival);
}

void HSSBoardNodeSet::removed(const std::string& node) {
    if (boards_.erase(node) > 0) queue_.push(HSSPresenceQueue::kRemoval);
}

void HSSBoardNodeSet::reconcile(const std::vector<Node>& present) {
    std::set<std::string> now;
    for (const auto& [node, hardwareId] : present)
        if (!node.empty() && isBoard(hardwareId)) now.insert(node);
    std::vector<std::string> gone;
    for (const auto& node : boards_)
        if (!now.count(node)) gone.push_back(node);
    for (const auto& node : gone) removed(node);
    for (const auto& [node, hardwareId] : present) added(node, hardwareId);
}
