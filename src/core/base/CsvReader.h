// SPDX-License-Identifier: GPL-3.0-or-later
// CsvReader: comma-separated text (RFC 4180) read one record at a time, without copying.
#pragma once

#include <array>
#include <cstddef>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace tamsel {

// Fields are parted by `separator`; records end at CR LF, LF or a lone CR. A field that opens
// with a quote may hold separators, line breaks and doubled quotes; text after its closing
// quote is kept. A quote anywhere else is a plain character. A blank line is a record of one
// empty field.
class CsvReader {
public:
    // Whether `rest`, the text after a line break, starts a record. With it, a line that a
    // crash cut short inside a quoted field does not swallow what follows: such a line break
    // ends the torn record there.
    using RecordStart = bool (*)(std::string_view rest);

    explicit CsvReader(std::string_view text, char separator = ',',
                       RecordStart startsRecord = nullptr)
        : text_(text), separator_(separator), startsRecord_(startsRecord) {
        for (const char c : {separator, '\n', '\r'}) {
            ends_[static_cast<unsigned char>(c)] = true;
        }
    }
    CsvReader(const CsvReader&) = delete;
    CsvReader& operator=(const CsvReader&) = delete;

    // Reads the next record; false at the end of the text.
    bool next() {
        fields_.clear();
        copies_.clear();
        if (at_ >= text_.size()) {
            return false;
        }
        firstLine_ = line_;
        complete_ = false;
        for (;;) {
            const End end = readField();
            if (end == End::Field) {
                continue;
            }
            complete_ = end == End::Line;
            return true;
        }
    }

    // The fields of the record read last; they stay valid until the next call of next().
    const std::vector<std::string_view>& fields() const { return fields_; }
    // The line the record starts on, from 1.
    std::size_t line() const { return firstLine_; }
    // Whether a line break ended it: not the end of the text, nor a torn line.
    bool complete() const { return complete_; }

private:
    enum class End { Field, Line, Torn, Text };

    bool ends(char c) const { return ends_[static_cast<unsigned char>(c)]; }

    // At a line break (CR LF counts as one): steps past it and counts the line.
    void passLineBreak() {
        if (text_[at_] == '\r' && at_ + 1 < text_.size() && text_[at_ + 1] == '\n') {
            ++at_;
        }
        ++at_;
        ++line_;
    }

    // Reads one field and what ends it. Text that needs no unquoting is a view into the text.
    End readField() {
        const std::size_t n = text_.size();
        const std::size_t start = at_;
        std::string* copy = nullptr; // the field's own text, once it differs from the input
        std::size_t from = start;    // the input not yet copied
        if (at_ < n && text_[at_] == '"') {
            from = ++at_;
            for (;;) {
                while (at_ < n && text_[at_] != '"' && text_[at_] != '\n' && text_[at_] != '\r') {
                    ++at_;
                }
                if (at_ >= n) {
                    finish(copy, from, n, start + 1);
                    return End::Text; // an unclosed quote takes the rest
                }
                if (text_[at_] != '"') {
                    const std::size_t breakAt = at_;
                    passLineBreak();
                    if (startsRecord_ != nullptr && startsRecord_(text_.substr(at_))) {
                        finish(copy, from, breakAt, start + 1);
                        return End::Torn;
                    }
                    continue;
                }
                // A doubled quote is one quote; a single one closes the field.
                if (at_ + 1 < n && text_[at_ + 1] == '"') {
                    copy = append(copy, from, at_ + 1);
                    from = at_ += 2;
                    continue;
                }
                const std::size_t close = at_++;
                if (copy == nullptr && (at_ >= n || ends(text_[at_]))) {
                    fields_.push_back(text_.substr(start + 1, close - start - 1));
                    return endField();
                }
                copy = append(copy, from, close);
                from = at_;
                break;
            }
        }
        while (at_ < n && !ends(text_[at_])) {
            ++at_;
        }
        finish(copy, from, at_, start);
        return endField();
    }

    // Steps past what ends a field.
    End endField() {
        if (at_ >= text_.size()) {
            return End::Text;
        }
        if (text_[at_] == separator_) {
            ++at_;
            // A separator at the very end leaves one more, empty, field.
            if (at_ >= text_.size()) {
                fields_.emplace_back();
                return End::Text;
            }
            return End::Field;
        }
        passLineBreak();
        return End::Line;
    }

    // Starts the field's own copy (or adds to it) with the input from `from` to `to`.
    std::string* append(std::string* copy, std::size_t from, std::size_t to) {
        if (copy == nullptr) {
            copy = &copies_.emplace_back();
        }
        copy->append(text_.substr(from, to - from));
        return copy;
    }

    // Ends the field at `to`: its own copy, or the input from `start`.
    void finish(std::string* copy, std::size_t from, std::size_t to, std::size_t start) {
        if (copy != nullptr) {
            append(copy, from, to);
            fields_.emplace_back(*copy);
        } else {
            fields_.push_back(text_.substr(start, to - start));
        }
    }

    std::string_view text_;
    char separator_;
    RecordStart startsRecord_;
    std::array<bool, 256> ends_{}; // the bytes that end a field outside quotes
    std::size_t at_ = 0;
    std::size_t line_ = 1;
    std::size_t firstLine_ = 1;
    bool complete_ = false;
    std::vector<std::string_view> fields_;
    std::deque<std::string> copies_; // a deque: the views into it stay valid as it grows
};

} // namespace tamsel
