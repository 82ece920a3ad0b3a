// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "line_ends.h"

#include "plain_text.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <unordered_map>

namespace files {

namespace {

bool holds(std::string_view text, char byte) {
    return !text.empty() && std::memchr(text.data(), byte, text.size()) != nullptr;
}

// How many LFs the text holds. Counted in blocks of a fixed length, a loop the compiler turns
// into vector instructions: a pass as fast as a search.
std::size_t lineFeedsIn(std::string_view text) {
    constexpr std::size_t Block = 64;
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    std::size_t count = 0;
    std::size_t pos = 0;
    for (; text.size() - pos >= Block; pos += Block) {
        unsigned char inBlock = 0;
        for (std::size_t i = 0; i < Block; ++i) {
            inBlock += bytes[pos + i] == '\n' ? 1 : 0;
        }
        count += inBlock;
    }
    return count + static_cast<std::size_t>(std::count(
                       text.begin() + static_cast<std::ptrdiff_t>(pos), text.end(), '\n'));
}

std::vector<std::string_view> linesOf(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string_view::npos;
         start = end + 1) {
        lines.push_back(text.substr(start, end - start));
    }
    lines.push_back(text.substr(start));
    return lines;
}

std::vector<std::uint64_t> hashesOf(const std::vector<std::string_view>& lines) {
    std::vector<std::uint64_t> hashes;
    hashes.reserve(lines.size());
    for (const std::string_view line : lines) {
        hashes.push_back(std::hash<std::string_view>()(line));
    }
    return hashes;
}

// The end that most lines have; CR LF first among equals.
LineEnd mostCommon(const std::vector<LineEnd>& ends) {
    std::size_t counts[3] = {0, 0, 0};
    for (const LineEnd end : ends) {
        ++counts[static_cast<int>(end)];
    }
    const auto most = std::max_element(std::begin(counts), std::end(counts));
    return static_cast<LineEnd>(most - std::begin(counts));
}

// The line ends of a text whose lines end as the record says: the record is kept only where
// some line ends otherwise than in dominant.
LineEnds lineEndsOf(LineEnd dominant, MixedLineEnds record) {
    LineEnds lineEnds;
    lineEnds.dominant = dominant;
    if (std::count(record.ends.begin(), record.ends.end(), dominant) !=
        static_cast<std::ptrdiff_t>(record.ends.size())) {
        lineEnds.mixed = std::make_shared<const MixedLineEnds>(std::move(record));
    }
    return lineEnds;
}

constexpr int NoMatch = -1;
// Past this many differences the middle of the text is not matched line by line: each of its
// lines takes the end of the line it took the place of, or the dominant one.
constexpr int MostDifferences = 1000;

// For each line of b, the line of a it is unchanged from, or NoMatch: the longest common
// subsequence, by Myers' O((N+M)D) walk over the differing middle once the common start and
// end are set aside.
std::vector<int> matchLines(const std::vector<std::uint64_t>& a,
                            const std::vector<std::uint64_t>& b) {
    std::vector<int> match(b.size(), NoMatch);
    std::size_t start = 0;
    while (start < a.size() && start < b.size() && a[start] == b[start]) {
        match[start] = static_cast<int>(start);
        ++start;
    }
    std::size_t endA = a.size();
    std::size_t endB = b.size();
    while (endA > start && endB > start && a[endA - 1] == b[endB - 1]) {
        match[--endB] = static_cast<int>(--endA);
    }
    const int n = static_cast<int>(endA - start);
    const int m = static_cast<int>(endB - start);
    if (n == 0 || m == 0) {
        return match;
    }
    const int offset = std::min(n + m, MostDifferences) + 1;
    std::vector<int> v(static_cast<std::size_t>(2 * offset + 1), 0);
    // For each round d, the furthest x on the diagonals -d-1 to d+1 before it.
    std::vector<std::vector<int>> trace;
    const auto at = [](const std::vector<int>& round, int d, int k) {
        return round[static_cast<std::size_t>(k + d + 1)];
    };
    for (int d = 0; d <= n + m && d < MostDifferences; ++d) {
        trace.emplace_back(v.begin() + (offset - d - 1), v.begin() + (offset + d + 2));
        for (int k = -d; k <= d; k += 2) {
            const auto here = [&](int diagonal) -> int& {
                return v[static_cast<std::size_t>(offset + diagonal)];
            };
            int x =
                (k == -d || (k != d && here(k - 1) < here(k + 1))) ? here(k + 1) : here(k - 1) + 1;
            int y = x - k;
            while (x < n && y < m &&
                   a[start + static_cast<std::size_t>(x)] ==
                       b[start + static_cast<std::size_t>(y)]) {
                ++x;
                ++y;
            }
            here(k) = x;
            if (x < n || y < m) {
                continue;
            }
            // Back along the path, matching the diagonal runs.
            for (int back = d;; --back) {
                const std::vector<int>& before = trace[static_cast<std::size_t>(back)];
                const int kk = x - y;
                const bool down = kk == -back || (kk != back && at(before, back, kk - 1) <
                                                                    at(before, back, kk + 1));
                const int previousK = down ? kk + 1 : kk - 1;
                const int previousX = back == 0 ? 0 : at(before, back, previousK);
                const int previousY = previousX - previousK;
                while (x > previousX && y > previousY) {
                    --x;
                    --y;
                    match[start + static_cast<std::size_t>(y)] = static_cast<int>(start) + x;
                }
                if (back == 0) {
                    return match;
                }
                x = previousX;
                y = previousY;
            }
        }
    }
    return match;
}

// The end of each of the first count lines of the text: a line found unchanged in the file
// keeps its end there, and so does a line moved elsewhere; the changed lines between two
// unchanged ones take the ends of the file's lines between them, in turn; what is left takes
// the dominant end.
std::vector<LineEnd> endsFor(std::size_t count, const std::vector<std::uint64_t>& hashes,
                             const std::vector<int>& match, const MixedLineEnds& file,
                             LineEnd dominant) {
    std::vector<LineEnd> ends(count, dominant);
    std::vector<bool> used(file.ends.size(), false);
    std::vector<bool> assigned(count, false);
    for (std::size_t i = 0; i < count; ++i) {
        if (match[i] != NoMatch) {
            const auto original = static_cast<std::size_t>(match[i]);
            if (original < file.ends.size()) {
                ends[i] = file.ends[original];
                used[original] = true;
            }
            assigned[i] = true;
        }
    }
    std::unordered_map<std::uint64_t, std::vector<std::size_t>> moved;
    for (std::size_t original = file.ends.size(); original-- > 0;) {
        if (!used[original]) {
            moved[file.lineHashes[original]].push_back(original);
        }
    }
    for (std::size_t i = 0; i < count; ++i) {
        const auto found = moved.find(hashes[i]);
        if (assigned[i] || found == moved.end() || found->second.empty()) {
            continue;
        }
        const std::size_t original = found->second.back();
        found->second.pop_back();
        ends[i] = file.ends[original];
        used[original] = true;
        assigned[i] = true;
    }
    // For each line, the file's line that the next unchanged line is: the changed lines before
    // it took the places of the file's lines up to there only.
    std::vector<std::size_t> limit(count + 1, file.ends.size());
    for (std::size_t i = match.size(); i-- > 0;) {
        const std::size_t after = i + 1 < limit.size() ? limit[i + 1] : file.ends.size();
        if (i < limit.size()) {
            limit[i] = match[i] != NoMatch ? static_cast<std::size_t>(match[i]) : after;
        }
    }
    std::size_t next = 0;
    for (std::size_t i = 0; i < count; ++i) {
        if (match[i] != NoMatch) {
            next = static_cast<std::size_t>(match[i]) + 1;
            continue;
        }
        if (assigned[i]) {
            continue;
        }
        while (next < file.ends.size() && used[next]) {
            ++next;
        }
        if (next < std::min(limit[i], file.ends.size())) {
            ends[i] = file.ends[next];
            used[next++] = true;
        }
    }
    return ends;
}

} // namespace

std::string_view bytesOf(LineEnd end) {
    switch (end) {
    case LineEnd::Lf:
        return "\n";
    case LineEnd::Cr:
        return "\r";
    case LineEnd::CrLf:
        break;
    }
    return "\r\n";
}

void LineEndTally::count(std::string_view original, std::string_view converted) {
    // Each CR LF lost one byte in the conversion; a bare CR became an LF of the same size.
    const std::size_t crLfs = original.size() - converted.size();
    if (!holds(original, '\r')) {
        lf_ = lf_ || holds(original, '\n');
        return;
    }
    if (crLfs == 0) {
        cr_ = true;
        lf_ = lf_ || holds(original, '\n');
        return;
    }
    crLf_ = true;
    // Every line end is an LF now: more of them than CR LFs means bare CRs or lone LFs.
    if (lineFeedsIn(converted) != crLfs) {
        lf_ = true;
        cr_ = true;
    }
}

LineEnd LineEndTally::only() const {
    return lf_ && !crLf_ && !cr_   ? LineEnd::Lf
           : cr_ && !crLf_ && !lf_ ? LineEnd::Cr
                                   : LineEnd::CrLf;
}

LineEnds mixedLineEnds(std::string_view bytes, std::string_view text) {
    MixedLineEnds record;
    for (std::size_t pos = 0; pos < bytes.size(); ++pos) {
        if (bytes[pos] == '\n') {
            record.ends.push_back(LineEnd::Lf);
        } else if (bytes[pos] == '\r') {
            const bool crLf = pos + 1 < bytes.size() && bytes[pos + 1] == '\n';
            record.ends.push_back(crLf ? LineEnd::CrLf : LineEnd::Cr);
            pos += crLf ? 1 : 0;
        }
    }
    record.lineHashes = hashesOf(linesOf(text));
    const LineEnd dominant = mostCommon(record.ends);
    return lineEndsOf(dominant, std::move(record));
}

std::string withFileLineEnds(std::string_view text, const LineEnds& lineEnds, LineEnds* written) {
    if (!lineEnds.mixed) {
        if (written != nullptr) {
            *written = lineEnds;
        }
        return withLineEnds(text, bytesOf(lineEnds.dominant));
    }
    const std::vector<std::string_view> lines = linesOf(text);
    std::vector<std::uint64_t> hashes = hashesOf(lines);
    const MixedLineEnds& file = *lineEnds.mixed;
    const std::vector<int> match = matchLines(file.lineHashes, hashes);
    std::vector<LineEnd> ends = endsFor(lines.size() - 1, hashes, match, file, lineEnds.dominant);
    // A lone CR before an empty line that ends in LF would read back as one CR LF: lines that
    // were not neighbours in the file may now be.
    for (std::size_t i = 0; i + 1 < ends.size(); ++i) {
        if (ends[i] == LineEnd::Cr && lines[i + 1].empty() && ends[i + 1] == LineEnd::Lf) {
            ends[i] = LineEnd::CrLf;
        }
    }
    std::string result;
    result.reserve(text.size() + ends.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        result.append(lines[i]);
        if (i < ends.size()) {
            result.append(bytesOf(ends[i]));
        }
    }
    if (written != nullptr) {
        *written = lineEndsOf(lineEnds.dominant, {std::move(hashes), std::move(ends)});
    }
    return result;
}

} // namespace files
