#include "monitor/ReceptionMachine.h"

#include <algorithm>

namespace tamsel {

namespace {

constexpr std::uint8_t kActive = 0x02;
constexpr std::uint8_t kEnded = 0x08;

// Columns of the history line, counted from 0.
constexpr std::size_t kLineWidth = 64;
constexpr std::size_t kDateColumn = 0;
constexpr std::size_t kDateWidth = 19;
constexpr std::size_t kMyColumn = 20;
constexpr std::size_t kMy2Column = 29;
constexpr std::size_t kYourColumn = 34;
constexpr std::size_t kMessageColumn = 43;

constexpr std::size_t kMessageWidth = kMessageParts * kPartSize;

// Writes `text` into the line at `column`; what it does not cover stays blank, so a
// callsign cut short by a NUL never shifts the columns after it.
void put(std::string& line, std::size_t column, std::string_view text, std::size_t width) {
    line.replace(column, std::min(text.size(), width), text.substr(0, width));
}

} // namespace

ReceptionMachine::ReceptionMachine(std::function<std::string()> now)
    : now_(std::move(now)), step_{Request::GetRxHeader, info(Request::GetRxHeader).timeoutMs} {
    line_.reserve(kLineWidth + 20);
    message_.reserve(kMessageWidth);
}

int ReceptionMachine::feed(int result, std::span<const std::uint8_t> data,
                           std::vector<ReceptionUpdate>& updates) {
    data = data.first(std::min<std::size_t>(data.size(), std::max(result, 0)));
    switch (step_.request) {
    case Request::GetRxHeader:
        return feedHeader(result, data, updates);
    case Request::GetSlowData:
        feedSlowData(result, data, updates);
        return 0;
    default:
        return phase_ == Phase::Header ? feedHeaderStatus(result, data)
                                       : feedMessageStatus(result, data, updates);
    }
}

int ReceptionMachine::feedHeader(int result, std::span<const std::uint8_t> data,
                                 std::vector<ReceptionUpdate>& updates) {
    if (result < 0) {
        return 10; // the gathered bytes stay
    }
    if (result == 0) {
        step_ = {Request::GetStatus, kStatusTimeoutHeaderMs};
        return 0;
    }
    // Bytes beyond the 41st are dropped.
    const std::size_t take = std::min(data.size(), kHeaderSize - headerCount_);
    std::copy_n(data.begin(), take, header_.begin() + static_cast<std::ptrdiff_t>(headerCount_));
    headerCount_ += take;
    if (headerCount_ == kHeaderSize) {
        publish(updates);
        phase_ = Phase::Message;
        step_ = {Request::GetSlowData, info(Request::GetSlowData).timeoutMs};
    }
    return 0;
}

int ReceptionMachine::feedHeaderStatus(int result, std::span<const std::uint8_t> data) {
    // A failed status read says nothing: the gathered bytes stay.
    if (result >= 1 && (data[0] & kActive) == 0) {
        headerCount_ = 0;
    }
    step_ = {Request::GetRxHeader, info(Request::GetRxHeader).timeoutMs};
    return 0;
}

void ReceptionMachine::publish(std::vector<ReceptionUpdate>& updates) {
    using T = ReceptionUpdate::Target;
    line_.assign(kLineWidth, ' ');
    message_.assign(kMessageWidth, ' ');
    blockPos_ = 0;
    blockType_.reset();
    statusFailures_ = 0;

    const std::string date = now_();
    put(line_, kDateColumn, date, kDateWidth);
    const HeaderFields fields = decodeHeader(header_);
    controlCode_ = fields.controlCode;
    put(line_, kYourColumn, fields.your, 8);
    put(line_, kMyColumn, fields.my, 8);
    put(line_, kMy2Column, fields.my2, 4);

    updates.push_back({T::CalledCALL, fields.your});
    updates.push_back({T::CallerCALL, fields.my});
    updates.push_back({T::DayTime, date});
    updates.push_back({T::CallerCALL2, fields.my2});
    updates.push_back({T::MSG, " "});
    updates.push_back({T::FlagInfo, std::string(controlCodeText(controlCode_))});
}

void ReceptionMachine::feedSlowData(int result, std::span<const std::uint8_t> data,
                                    std::vector<ReceptionUpdate>& updates) {
    step_ = {Request::GetStatus, kStatusTimeoutMessageMs};
    if (result <= 0) {
        return;
    }
    for (std::uint8_t raw : data) {
        const std::uint8_t b = slowDataByte(raw);
        block_[blockPos_] = b;
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
            line_.replace(kMessageColumn + at, kPartSize, part);
            updates.push_back({ReceptionUpdate::Target::MSG, message_});
        }
        blockPos_ = 0;
        blockType_.reset();
    }
}

int ReceptionMachine::feedMessageStatus(int result, std::span<const std::uint8_t> data,
                                        std::vector<ReceptionUpdate>& updates) {
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
        return 20;
    }
    record(updates);
    phase_ = Phase::Header;
    headerCount_ = 0;
    step_ = {Request::GetRxHeader, info(Request::GetRxHeader).timeoutMs};
    return 0;
}

void ReceptionMachine::record(std::vector<ReceptionUpdate>& updates) {
    std::string line = controlCode_ == 0 ? line_
                                         : line_.substr(0, kMessageColumn) +
                                               std::string(controlCodeText(controlCode_));
    updates.push_back({ReceptionUpdate::Target::HistoryLine, std::move(line)});
}

} // namespace tamsel
