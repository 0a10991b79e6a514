#pragma once
// A small set-up (two messages, two triggers with zones) and the exact set-up file it saves as.
#include <string>
#include <vector>

#include "storage/text_codec.h"
#include "support/test_support.h"

namespace mmx::test {

// A positional text file with line `line` (1-based) replaced, lines ending in CR LF.
inline std::string withLineReplaced(const std::string& fileText, int line, const std::string& text) {
    auto lines = splitLines(fileText);
    lines.at(static_cast<size_t>(line - 1)) = text;
    return crlfLines(lines);
}

// The given values, then `rest` up to `count` values.
inline std::vector<std::string> padded(std::vector<std::string> values, size_t count, const std::string& rest) {
    values.resize(count, rest);
    return values;
}

// "True"/"False" for each 'T'/'F', or the digit itself.
inline std::vector<std::string> spelled(const std::string& codes) {
    std::vector<std::string> values;
    for (char c : codes) values.push_back(c == 'T' ? "True" : c == 'F' ? "False" : std::string(1, c));
    return values;
}

// "Key( n)<separator>value" for the n-th value, n counting from 1.
inline std::string keyLine(const std::string& key, size_t n, const std::string& separator, const std::string& value) {
    return key + "( " + std::to_string(n) + ")" + separator + value;
}
inline void addKeyLines(std::vector<std::string>& lines, const std::string& key, const std::string& separator,
                        const std::vector<std::string>& values) {
    for (size_t n = 1; n <= values.size(); ++n) lines.push_back(keyLine(key, n, separator, values[n - 1]));
}

// What the small set-up (test::smallSetup()) saves as: 280 lines, each ending in CR LF.
inline std::string smallSetupFileBytes() {
    std::vector<std::string> f;
    addKeyLines(f, "MsgBt", " =", spelled("TTFFFFFFFFFF"));
    const auto shown = padded({"Welcome", "Alarm"}, 12, "");
    const auto paths = padded({"/data/sounds/Welcome.wav", "/data/sounds/Alarm=loud.wav"}, 12, "");
    for (size_t n = 1; n <= 12; ++n) {
        f.push_back(keyLine("WaveFile", n, "=", shown[n - 1]));
        f.push_back(keyLine("FilePath", n, "=", paths[n - 1]));
    }
    addKeyLines(f, "Bt_Browse", "=", spelled("TTTFFFFFFFFF"));
    addKeyLines(f, "MsgTime", "=", padded({"2.50", "1.25"}, 12, ""));
    addKeyLines(f, "TMsgSize", "=", padded({"110600", "28000"}, 12, "0"));
    addKeyLines(f, "MsgSample", "=", padded({"22.050", "11.025"}, 12, ""));
    addKeyLines(f, "TrgBt", "=", spelled("TTFFFFFFFFFF"));
    f.push_back("TRG1( 13)_ListCount=3");
    const auto enabled = spelled("TTTFTTFF" "TFFF" "TFFF" "TFFF" "TFFF" "TFFF" "TFFF" "TFFF" "TFFF" "TFFF" "TFFF");
    const auto texts = padded({" 1", " 2", " ", " ", " 2"}, 48, " ");
    for (size_t n = 1; n <= 48; ++n) {
        f.push_back(keyLine("TRG1", n, "_Enabled=", enabled[n - 1]));
        f.push_back(keyLine("TRG1", n, "_Text=", texts[n - 1]));
    }
    addKeyLines(f, "TrgTime", "=", padded({"3.75", "1.25"}, 12, "0.00"));
    addKeyLines(f, "Check1", "=", spelled("101000000001" + std::string(60, '0')));
    f.insert(f.end(), {"TotalTime=3.75", "TotalSize=138", "TFileLength=138600"});
    return crlfLines(f);
}

}  // namespace mmx::test
