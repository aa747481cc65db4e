#pragma once
// Numbers of the carrier board's HID command protocol: report IDs, command
// codes, board-service sub-codes and reply lengths. The board firmware and the
// tool must agree on every one of them.

#include <cstddef>
#include <cstdint>

// Command magic, sent little-endian in report bytes 1-4 (EF BE FE CA).
inline constexpr uint32_t HSS_USB_CMD = 0xCAFEBEEFu;

namespace hss {

// Feature report IDs.
inline constexpr uint8_t kCommandReportId = 0x3F;      // host -> board, every command
inline constexpr uint8_t kServiceReplyReportId = 0x3B;  // board-service (IOCTL) replies
inline constexpr uint8_t kSingleReadReplyReportId = 0x3C;
inline constexpr uint8_t kMixReadReplyReportId = 0x3D;
inline constexpr uint8_t kPollReadReplyReportId = 0x3E;

// Reply lengths in bytes, report-ID byte included.
inline constexpr std::size_t kServiceReplyLength = 11;
inline constexpr std::size_t kSingleReadReplyLength = 7;
inline constexpr std::size_t kMixReadReplyLength = 63;
inline constexpr std::size_t kPollReadReplyLength = 13;

// Command codes (report byte 5).
inline constexpr uint8_t kCmdSingleWrite = 1;
inline constexpr uint8_t kCmdMixWrite = 2;
inline constexpr uint8_t kCmdSenseConfig = 3;
inline constexpr uint8_t kCmdSingleRead = 4;
inline constexpr uint8_t kCmdMixRead = 5;
inline constexpr uint8_t kCmdIoctl = 6;
inline constexpr uint8_t kCmdFlashWrite = 7;
inline constexpr uint8_t kCmdFlashLoad = 8;   // signal: load stored configuration into the chip
inline constexpr uint8_t kCmdFlashErase = 9;  // signal: erase the stored configuration

// Board-service sub-codes (payload byte 0 of command code 6).
inline constexpr uint8_t kIoctlWriteGpio = 1;
inline constexpr uint8_t kIoctlFirmwareVersion = 2;
inline constexpr uint8_t kIoctlSetCrc = 3;
inline constexpr uint8_t kIoctlReadGpio = 4;
inline constexpr uint8_t kIoctlEnterDfu = 5;

// Report layout.
inline constexpr std::size_t kHeaderLength = 8;  // ID, magic, code, payload length
inline constexpr std::size_t kPayloadOffset = 8;

// Payload lengths.
inline constexpr std::size_t kSingleWritePayload = 3;
inline constexpr std::size_t kMixWritePayload = 52;
inline constexpr std::size_t kSenseConfigPayload = 8;
inline constexpr std::size_t kSingleReadPayload = 1;
inline constexpr std::size_t kMixReadPayload = 31;
inline constexpr std::size_t kIoctlPayload = 9;
inline constexpr std::size_t kFlashWritePayload = 49;

// Capacities of the list commands.
inline constexpr std::size_t kMixReadCapacity = 30;
inline constexpr std::size_t kMixWriteCapacity = 17;
inline constexpr std::size_t kSenseConfigCapacity = 6;
inline constexpr std::size_t kFlashWriteCapacity = 48;
inline constexpr std::size_t kPollReadResultCount = 6;

// The report buffer of every command holds the longest HID feature report
// (255 data bytes plus the report ID), so no board's feature-report length
// can make the link transfer past its end.
inline constexpr std::size_t kReportBufferSize = 256;

// Carrier board USB identity.
inline constexpr uint16_t kBoardVendorId = 0x1209;
inline constexpr uint16_t kBoardProductId = 0x7A55;

}  // namespace hss
