#pragma once

#include "records.h"
#include "textveil.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gw {

// Sponsor and user files are sequences of 255-byte records without header.
// A record is a 16-bit little-endian byte count n (at most 253), then n bytes
// of the line masked twice at level 3 (Windows-1252), then padding.
inline constexpr std::size_t kRecordBytes = 255;
inline constexpr std::size_t kRecordTextBytes = 253;
// The longest plain line (Windows-1252 bytes) whose masked form fits.
inline constexpr std::size_t kMaxRecordLine = 174;

// Masks a plain line (Windows-1252 bytes) twice at level 3.
std::string MaskRecord(std::string_view plain, const VeilRandom& random);

// One 255-byte record holding a masked line; nullopt when it is longer than
// 253 bytes. Padding is zero bytes.
std::optional<std::string> FrameRecord(std::string_view masked);

// The largest settings file: kSettingSlots full records.
inline constexpr std::size_t kMaxRecordFileBytes = static_cast<std::size_t>(kSettingSlots) * kRecordBytes;

enum class RecordFileError {
    None,
    Missing,     // no such file
    Unreadable,  // there, but it cannot be opened or read
    TooLarge,    // more than kMaxRecordFileBytes: refused unread
    Truncated,   // the last record is cut short inside its text
    BadLength,   // a record claims more than 253 bytes
    BadMask,     // a record does not unmask (damaged or never masked)
};

struct RecordFileContents {
    SettingLines lines;  // UTF-8 plain lines of the records read before any error
    RecordFileError error = RecordFileError::None;
    std::size_t failedRecord = 0;  // 0-based index of the record in error
    std::string reason;            // for Missing, Unreadable and TooLarge
};

// Reads and unmasks a record file. Never throws and reports nothing: the
// caller decides what an error means for its file.
RecordFileContents ReadRecordFile(const std::filesystem::path& path);
// The same for the bytes of a record file.
RecordFileContents ParseRecordFile(std::string_view bytes);

// Whether `lines` hold a setting ("value=key"): a file of section lines
// alone, or of nothing, holds none.
bool HoldsSettings(const SettingLines& lines);

// Builds a whole record file from plain lines (Windows-1252 bytes). nullopt
// with a description in `error` when a line is longer than kMaxRecordLine
// bytes or there are more than kSettingSlots lines.
std::optional<std::string> BuildRecordFile(const std::vector<std::string>& plainLines, const VeilRandom& random,
                                           std::string& error);

std::string DescribeRecordFileError(const RecordFileContents& contents);

} // namespace gw
