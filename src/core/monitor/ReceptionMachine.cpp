// SPDX-License-Identifier: GPL-3.0-or-later
// ReceptionMachine: the receive monitor's rules as a pure state machine, no thread, no device.
#include "monitor/ReceptionMachine.h"

#include "adapter/Payload.h"
#include "monitor/HistoryLine.h"

#include <algorithm>

namespace tamsel {

namespace {

constexpr std::uint8_t kActive = 0x02;
constexpr std::uint8_t kEnded = 0x08;

namespace hl = historyline;

// Slow-data blocks that carry data (D-PRS), with 1 to 5 valid bytes.
constexpr std::uint8_t kDataBlockFirst = 0x30;
constexpr std::uint8_t kDataBlockLast = 0x35;

// Writes `text` into its field of the line; what it does not cover stays blank, so a
// callsign cut short by a NUL never shifts the columns after it.
void put(std::string& line, hl::Field field, std::string_view text) {
    line.replace(field.index(), std::min(text.size(), field.width), text.substr(0, field.width));
}

} // namespace

ReceptionMachine::ReceptionMachine(std::function<std::string()> now, Clock clock)
    : now_(std::move(now)),
      clock_(std::move(clock)), step_{Request::GetRxHeader, info(Request::GetRxHeader).timeoutMs} {
    line_.reserve(hl::kWidth + 20);
    message_.reserve(kMessageWidth);
}

std::chrono::milliseconds ReceptionMachine::feed(int result, std::span<const std::uint8_t> data,
                                                 std::vector<ReceptionUpdate>& updates) {
    scratch_.clear();
    return feed(result, data, updates, scratch_);
}

std::chrono::milliseconds ReceptionMachine::feed(int result, std::span<const std::uint8_t> data,
                                                 std::vector<ReceptionUpdate>& updates,
                                                 std::vector<StationReport>& reports) {
    data = data.first(std::min<std::size_t>(data.size(), std::max(result, 0)));
    switch (step_.request) {
    case Request::GetRxHeader:
        return feedHeader(result, data, updates, reports);
    case Request::GetSlowData:
        feedSlowData(result, data, updates, reports);
        return kNoPause;
    default:
        return phase_ == Phase::Header ? feedHeaderStatus(result, data)
                                       : feedMessageStatus(result, data, updates, reports);
    }
}

std::chrono::milliseconds ReceptionMachine::feedHeader(int result,
                                                       std::span<const std::uint8_t> data,
                                                       std::vector<ReceptionUpdate>& updates,
                                                       std::vector<StationReport>& reports) {
    if (result < 0) {
        return kHeaderRetryPause; // the gathered bytes stay
    }
    if (result == 0) {
        step_ = {Request::GetStatus, kStatusTimeoutHeaderMs};
        return kNoPause;
    }
    // Bytes beyond the 41st are dropped.
    const std::size_t take = std::min(data.size(), kHeaderSize - headerCount_);
    std::copy_n(data.begin(), take, header_.begin() + static_cast<std::ptrdiff_t>(headerCount_));
    headerCount_ += take;
    if (headerCount_ == kHeaderSize) {
        publish(updates, reports);
        phase_ = Phase::Message;
        step_ = {Request::GetSlowData, info(Request::GetSlowData).timeoutMs};
    }
    return kNoPause;
}

std::chrono::milliseconds ReceptionMachine::feedHeaderStatus(int result,
                                                             std::span<const std::uint8_t> data) {
    // A failed status read says nothing: the gathered bytes stay.
    if (result >= 1 && (data[0] & kActive) == 0) {
        headerCount_ = 0;
    }
    step_ = {Request::GetRxHeader, info(Request::GetRxHeader).timeoutMs};
    return kNoPause;
}

void ReceptionMachine::publish(std::vector<ReceptionUpdate>& updates,
                               std::vector<StationReport>& reports) {
    using F = ReceptionField;
    line_.assign(hl::kWidth, ' ');
    message_.assign(kMessageWidth, ' ');
    blockPos_ = 0;
    blockType_.reset();
    partsSeen_ = 0;
    statusFailures_ = 0;
    positions_ = PositionStream();

    const std::string date = now_();
    put(line_, hl::kDate, date);
    const HeaderFields fields = decodeHeader(header_);
    controlCode_ = fields.controlCode;
    put(line_, hl::kCalled, fields.your);
    put(line_, hl::kCaller, fields.my);
    put(line_, hl::kSuffix, fields.my2);

    updates.push_back({F::Called, fields.your});
    updates.push_back({F::Caller, fields.my});
    updates.push_back({F::Time, date});
    updates.push_back({F::CallerSuffix, fields.my2});
    updates.push_back({F::Message, " "});
    updates.push_back({F::ControlText, std::string(controlCodeText(controlCode_))});

    StationReport heard;
    heard.caller = fields.my;
    heard.suffix = fields.my2;
    heard.called = fields.your;
    heard.time = date;
    heard.rpt1 = fields.rpt1;
    heard.rpt2 = fields.rpt2;
    heard.flags = {header_[0], header_[1], header_[2]};
    heard.controlCode = controlCode_;
    heard.utcStart = clock_();
    reception_ = heard;
    reception_.kind = StationReport::Kind::End;
    reports.push_back(std::move(heard));
}

void ReceptionMachine::feedSlowData(int result, std::span<const std::uint8_t> data,
                                    std::vector<ReceptionUpdate>& updates,
                                    std::vector<StationReport>& reports) {
    step_ = {Request::GetStatus, kStatusTimeoutMessageMs};
    if (result <= 0) {
        return;
    }
    for (std::uint8_t raw : data) {
        const std::uint8_t b = slowDataByte(raw);
        block_[blockPos_] = b;
        rawBlock_[blockPos_] = raw;
        if (blockPos_ == 0) {
            blockType_ = blockType(b);
        }
        if (++blockPos_ < kBlockSize) {
            continue;
        }
        if (blockType_ && *blockType_ < static_cast<int>(kMessageParts)) {
            const std::size_t at = static_cast<std::size_t>(*blockType_) * kPartSize;
            const std::string_view part(reinterpret_cast<const char*>(block_.data()) + 1,
                                        kPartSize);
            message_.replace(at, kPartSize, part);
            line_.replace(hl::kMessage.index() + at, kPartSize, part);
            updates.push_back({ReceptionField::Message, message_});
            // The station's list keeps its last whole message until this one is whole.
            partsSeen_ |= 1U << *blockType_;
            if (partsSeen_ == (1U << kMessageParts) - 1) {
                StationReport message;
                message.kind = StationReport::Kind::Message;
                message.message = message_;
                reports.push_back(std::move(message));
            }
        } else if (rawBlock_[0] >= kDataBlockFirst && rawBlock_[0] <= kDataBlockLast) {
            // A data block: its low nibble counts the payload bytes that carry data.
            const std::size_t valid = rawBlock_[0] & 0x0F;
            const std::string_view bytes(reinterpret_cast<const char*>(rawBlock_.data()) + 1,
                                         valid);
            for (SentPosition& p : positions_.take(bytes)) {
                reception_.positions.push_back(p.position);
                StationReport position;
                position.kind = StationReport::Kind::Position;
                position.position = std::move(p.position);
                position.origin = std::move(p.origin);
                reports.push_back(std::move(position));
            }
        }
        blockPos_ = 0;
        blockType_.reset();
    }
}

std::chrono::milliseconds ReceptionMachine::feedMessageStatus(int result,
                                                              std::span<const std::uint8_t> data,
                                                              std::vector<ReceptionUpdate>& updates,
                                                              std::vector<StationReport>& reports) {
    bool over = false;
    if (result < 1) {
        // No status byte: the reception goes on, unless the adapter stays silent for long.
        over = ++statusFailures_ >= kStatusFailuresToEnd;
    } else {
        statusFailures_ = 0;
        over = (data[0] & kActive) == 0 || (data[0] & kEnded) != 0;
    }
    if (!over) {
        step_ = {Request::GetSlowData, info(Request::GetSlowData).timeoutMs};
        return kMessagePollPause;
    }
    record(updates, reports);
    phase_ = Phase::Header;
    headerCount_ = 0;
    step_ = {Request::GetRxHeader, info(Request::GetRxHeader).timeoutMs};
    return kNoPause;
}

void ReceptionMachine::record(std::vector<ReceptionUpdate>& updates,
                              std::vector<StationReport>& reports) {
    std::string line = controlCode_ == 0 ? line_
                                         : line_.substr(0, hl::kMessage.index()) +
                                               std::string(controlCodeText(controlCode_));
    updates.push_back({ReceptionField::HistoryLine, std::move(line), reception_.utcStart});

    reception_.message = message_;
    reception_.origin.symbol = positions_.dprsSymbol();
    reception_.duration =
        std::chrono::duration_cast<std::chrono::milliseconds>(clock_() - reception_.utcStart);
    reports.push_back(std::move(reception_));
    reception_ = StationReport();
}

} // namespace tamsel
