#include "storage/upload_record.h"

#include <cstdio>
#include <ctime>
#include <fstream>
#include <vector>

#include "storage/atomic_file.h"

namespace mmx {

namespace {

// One line a port: PORT TAB DIGEST TAB TABLE, both in hex, then TAB and the time of the upload
// in UTC ("2026-12-07T23:50:33Z"); lines written before the time was kept end after the table.
struct RecordLine {
    std::string port;
    std::string digest;
    std::string table;
    std::string time;
};

std::optional<RecordLine> parse(const std::string& line) {
    const size_t first = line.find('\t');
    const size_t second = first == std::string::npos ? first : line.find('\t', first + 1);
    if (second == std::string::npos) return std::nullopt;
    const size_t third = line.find('\t', second + 1);
    const std::string table = line.substr(second + 1, third == std::string::npos ? third : third - second - 1);
    const std::string time = third == std::string::npos ? std::string() : line.substr(third + 1);
    return RecordLine{line.substr(0, first), line.substr(first + 1, second - first - 1), table, time};
}

std::string utcText(std::time_t time) {
    std::tm parts{};
    gmtime_r(&time, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &parts);
    return text;
}

std::optional<std::time_t> timeFromUtcText(const std::string& text) {
    std::tm parts{};
    const char* end = strptime(text.c_str(), "%Y-%m-%dT%H:%M:%SZ", &parts);
    if (end == nullptr || *end != '\0') return std::nullopt;
    return timegm(&parts);
}

std::vector<std::string> readLines(const std::string& path) {
    std::vector<std::string> lines;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) lines.push_back(line);
    }
    return lines;
}

std::optional<image::TableBytes> tableFromHex(const std::string& text) {
    if (text.size() != 2 * image::kTableBytes) return std::nullopt;
    image::TableBytes table{};
    for (size_t i = 0; i < image::kTableBytes; ++i) {
        unsigned value = 0;
        if (std::sscanf(text.c_str() + 2 * i, "%2x", &value) != 1) return std::nullopt;
        table[i] = static_cast<uint8_t>(value);
    }
    return table;
}

}  // namespace

std::map<std::string, image::TableBytes> UploadRecord::tablesFor(const image::UnitImage& image) const {
    std::map<std::string, image::TableBytes> tables;
    const std::string digest = image::hexText(image.messagesDigest());
    for (const std::string& text : readLines(path_)) {
        const auto line = parse(text);
        if (!line || line->digest != digest) continue;
        if (auto table = tableFromHex(line->table)) tables[line->port] = *table;
    }
    return tables;
}

std::optional<RecordedUnit> UploadRecord::unitOn(const std::string& port) const {
    for (const std::string& text : readLines(path_)) {
        const auto line = parse(text);
        if (!line || line->port != port) continue;
        return RecordedUnit{line->digest, tableFromHex(line->table), timeFromUtcText(line->time)};
    }
    return std::nullopt;
}

bool UploadRecord::remember(const std::string& port, const image::UnitImage& image, std::string* error,
                            std::optional<std::time_t> writtenAt) const {
    return replaceLine(port,
                       port + "\t" + image::hexText(image.messagesDigest()) + "\t" + image::hexText(image.messageTable()) +
                           "\t" + utcText(writtenAt.value_or(std::time(nullptr))),
                       error);
}

bool UploadRecord::forget(const std::string& port, std::string* error) const { return replaceLine(port, "", error); }

bool UploadRecord::replaceLine(const std::string& port, const std::string& newLine, std::string* error) const {
    std::string content;
    bool changed = !newLine.empty();
    for (const std::string& text : readLines(path_)) {
        const auto line = parse(text);
        if (line && line->port == port) {
            changed = true;
            continue;
        }
        content += text + "\n";
    }
    if (!changed) return true;
    if (!newLine.empty()) content += newLine + "\n";
    return writeFileAtomically(path_, content, error);
}

}  // namespace mmx
