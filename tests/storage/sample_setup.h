#pragma once
// The exact set-up file that the small set-up (test::smallSetup()) saves as.
#include <string>
#include <vector>

#include "storage/text_codec.h"
#include "support/test_support.h"

namespace mmx::test {

// 280 lines, each ending in CR LF.
inline std::string smallSetupFileBytes() {
    std::vector<std::string> f;
    // "Key( n)<separator>value" for the given values, then `rest` up to `count`; in `flags` a 'T'
    // or 'F' stands for "True" or "False".
    const auto add = [&f](const std::string& key, const std::string& separator, std::vector<std::string> values,
                          size_t count = 12, const std::string& rest = "") {
        values.resize(count, rest);
        for (size_t n = 1; n <= count; ++n)
            f.push_back(key + "( " + std::to_string(n) + ")" + separator + values[n - 1]);
    };
    const auto flags = [](const std::string& codes) {
        std::vector<std::string> values;
        for (char c : codes) values.push_back(c == 'T' ? "True" : c == 'F' ? "False" : std::string(1, c));
        return values;
    };
    add("MsgBt", " =", flags("TTFFFFFFFFFF"));
    const std::vector<std::string> shown{"Welcome", "Alarm"};
    const std::vector<std::string> paths{"/data/sounds/Welcome.wav", "/data/sounds/Alarm=loud.wav"};
    for (size_t n = 1; n <= 12; ++n) {
        f.push_back("WaveFile( " + std::to_string(n) + ")=" + (n <= 2 ? shown[n - 1] : ""));
        f.push_back("FilePath( " + std::to_string(n) + ")=" + (n <= 2 ? paths[n - 1] : ""));
    }
    add("Bt_Browse", "=", flags("TTTFFFFFFFFF"));
    add("MsgTime", "=", {"2.50", "1.25"});
    add("TMsgSize", "=", {"110600", "28000"}, 12, "0");
    add("MsgSample", "=", {"22.050", "11.025"});
    add("TrgBt", "=", flags("TTFFFFFFFFFF"));
    f.push_back("TRG1( 13)_ListCount=3");
    const auto enabled = flags("TTTFTTFF" "TFFF" "TFFF" "TFFF" "TFFF" "TFFF" "TFFF" "TFFF" "TFFF" "TFFF" "TFFF");
    std::vector<std::string> texts{" 1", " 2", " ", " ", " 2"};
    texts.resize(48, " ");
    for (size_t n = 1; n <= 48; ++n) {
        f.push_back("TRG1( " + std::to_string(n) + ")_Enabled=" + enabled[n - 1]);
        f.push_back("TRG1( " + std::to_string(n) + ")_Text=" + texts[n - 1]);
    }
    add("TrgTime", "=", {"3.75", "1.25"}, 12, "0.00");
    add("Check1", "=", flags("101000000001" + std::string(60, '0')), 72);
    f.insert(f.end(), {"TotalTime=3.75", "TotalSize=138", "TFileLength=138600"});
    return crlfLines(f);
}

}  // namespace mmx::test
