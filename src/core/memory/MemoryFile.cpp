// SPDX-License-Identifier: GPL-3.0-or-later
// MemoryFile: reading a memory file into lines, and searching them.
#include "memory/MemoryFile.h"

#include "base/WholeFile.h"

#include <algorithm>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include <cstring>
#include <string>

namespace tamsel {

MemoryLines splitLines(ByteBuffer content) {
    MemoryLines out;
    if (content.empty()) {
        return out; // no lines; and memchr must not see the null pointer of an empty buffer
    }
    const char* const base = content.data();
    const char* p = base;
    const char* const end = base + content.size();
    out.starts.reserve(content.size() / 32 + 1);
    if (std::memchr(base, '\r', content.size()) == nullptr) {
        // The common case, LF only: sixteen bytes at a time.
        out.starts.push_back(0);
        std::size_t i = 0;
        const std::size_t size = content.size();
#if defined(__SSE2__)
        const __m128i lf = _mm_set1_epi8('\n');
        for (; i + 16 <= size; i += 16) {
            const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(base + i));
            for (unsigned mask =
                     static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, lf)));
                 mask != 0; mask &= mask - 1) {
                out.starts.push_back(i + static_cast<std::size_t>(__builtin_ctz(mask)) + 1);
            }
        }
#endif
        for (; i < size; ++i) {
            if (base[i] == '\n') {
                out.starts.push_back(i + 1);
            }
        }
        if (out.starts.back() == size) {
            out.starts.pop_back(); // a final line break starts no line
        }
    } else {
        while (p < end) {
            out.starts.push_back(static_cast<std::size_t>(p - base));
            p = std::find_if(p, end, [](char c) { return c == '\n' || c == '\r'; });
            if (p < end && *p == '\r' && p + 1 < end && p[1] == '\n') {
                ++p;
            }
            if (p < end) {
                ++p;
            }
        }
    }
    out.bytes = std::move(content);
    return out;
}

FileRead readWholeFile(const std::string& path) {
    FileRead result;
    ByteBuffer content;
    if (const int error = readWhole(path.c_str(), content); error != 0) {
        result.error = std::strerror(error);
        return result;
    }
    result.bytes = std::move(content);
    return result;
}

MemoryFileRead readMemoryFile(const std::string& path) {
    FileRead file = readWholeFile(path);
    MemoryFileRead result;
    if (!file.bytes) {
        result.error = std::move(file.error);
        return result;
    }
    result.lines = splitLines(std::move(*file.bytes));
    return result;
}

namespace {

bool isLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// Whether `at` is where a character starts, walking the line from its first byte.
bool startsCharacter(std::string_view line, std::size_t at) {
    std::size_t i = 0;
    while (i < at) {
        i += isLeadByte(static_cast<unsigned char>(line[i])) ? 2 : 1;
    }
    return i == at;
}

} // namespace

bool isUtf8Text(std::string_view text) {
    bool nonAscii = false;
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            ++i;
            continue;
        }
        nonAscii = true;
        const std::size_t n = c >= 0xC2 && c <= 0xDF   ? 2
                              : c >= 0xE0 && c <= 0xEF ? 3
                              : c >= 0xF0 && c <= 0xF4 ? 4
                                                       : 0;
        if (n == 0 || i + n > text.size()) {
            return false;
        }
        for (std::size_t k = 1; k < n; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) {
                return false;
            }
        }
        const auto c1 = static_cast<unsigned char>(text[i + 1]);
        if ((c == 0xE0 && c1 < 0xA0) || (c == 0xED && c1 > 0x9F) || (c == 0xF0 && c1 < 0x90) ||
            (c == 0xF4 && c1 > 0x8F)) {
            return false; // overlong, surrogate or beyond U+10FFFF
        }
        i += n;
    }
    return nonAscii;
}

bool containsKey(std::string_view line, std::string_view key) {
    if (key.empty()) {
        return false;
    }
    for (std::size_t at = line.find(key); at != std::string_view::npos;
         at = line.find(key, at + 1)) {
        if (startsCharacter(line, at)) {
            return true;
        }
    }
    return false;
}

SearchOutcome searchLines(const LineStore& lines, std::string_view key, std::size_t position) {
    return searchLines(lines, SearchKey{key, key}, position);
}

SearchOutcome searchLines(const LineStore& lines, const SearchKey& key, std::size_t position) {
    const std::size_t n = lines.size();
    std::size_t p = position > n ? 0 : position; // a shorter file was loaded: start over
    const bool sameKey = key.shiftJis == key.utf8;
    // A plain find first, which is quick and rules out almost every line; only a line that
    // holds one of the forms is looked at for its encoding.
    const auto holds = [&](std::string_view line) {
        const bool sjis = !key.shiftJis.empty() && line.find(key.shiftJis) != line.npos;
        const bool utf8 = sameKey ? sjis : !key.utf8.empty() && line.find(key.utf8) != line.npos;
        if (!sjis && !utf8) {
            return false;
        }
        if (isUtf8Text(line)) {
            return utf8;
        }
        return sjis && containsKey(line, key.shiftJis);
    };
    while (p < n) {
        if (holds(lines.line(p))) {
            const std::size_t found = p;
            ++p;
            return {found, p == n ? 0 : p, false};
        }
        ++p;
    }
    return {std::nullopt, 0, true};
}

} // namespace tamsel
