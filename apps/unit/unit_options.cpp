#include "unit_options.h"

#include <charconv>

namespace mmx::unitapp {

namespace {

template <typename Number>
bool parseNumber(const std::string& text, Number& value) {
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size();
}

bool parseRate(const std::string& text, double& value) {
    try {
        size_t used = 0;
        value = std::stod(text, &used);
        return used == text.size() && value >= 0 && value <= 1;
    } catch (...) {
        return false;
    }
}

}  // namespace

const char* helpText() {
    return "Usage: mmx4210-unit [OPTIONS]\n"
           "\n"
           "Stands in for an MMX4210 unit on a pseudo-terminal. The first line on standard output\n"
           "is the device path to open (for example MMX4210_COM1=PATH). Runs until Ctrl-C or SIGTERM.\n"
           "\n"
           "Options:\n"
           "  --link PATH          also make PATH a symlink to the pseudo-terminal\n"
           "  --dump DIR           at each acknowledged L write DIR/image.bin (0x400000 words, high\n"
           "                       byte first), message-table.txt, trigger-table.txt, check.txt and\n"
           "                       message-NN.bin per message\n"
           "  --load FILE          start holding FILE, a whole memory as image.bin holds it\n"
           "                       (8388608 bytes; mmx4210-cli image writes one)\n"
           "  --erase-dots N       \".\" bytes sent while an erase runs (default 3)\n"
           "  --erase-ms MS        time between them (default 0)\n"
           "  --reject-bad-image   answer 21 to L when a word checksum is wrong\n"
           "  --quiet              no log of commands on standard error\n"
           "\n"
           "Faults (repeatable with --seed):\n"
           "  --seed N             seed of every random fault (default 1)\n"
           "  --nak-every N        answer 21 to every N-th frame\n"
           "  --nak-rate R         answer 21 to a frame at rate R (0..1)\n"
           "  --corrupt-rx R       flip a bit of a received byte at rate R\n"
           "  --drop-rx R          lose a received byte at rate R\n"
           "  --corrupt-tx R       flip a bit of a sent byte at rate R\n"
           "  --drop-tx R          lose a sent byte at rate R\n"
           "  --silent-after N     answer nothing once N frames were answered\n"
           "  --delay MS           processing time before each answer\n"
           "  --baud N             pace the line as N baud with 11 bits a byte (8N2); default unpaced\n"
           "  --help               this text\n";
}

bool parseOptions(const std::vector<std::string>& args, Options& options, std::string& error) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& name = args[i];
        if (name == "--help" || name == "-h") {
            options.help = true;
            continue;
        }
        if (name == "--quiet" || name == "-q") {
            options.quiet = true;
            continue;
        }
        if (name == "--reject-bad-image") {
            options.unit.rejectBadImage = true;
            continue;
        }
        if (i + 1 >= args.size()) {
            error = name.rfind("--", 0) == 0 ? name + " needs a value" : "unknown argument " + name;
            return false;
        }
        const std::string& value = args[++i];
        UnitOptions& u = options.unit;
        int64_t ms = 0;
        bool ok = true;
        if (name == "--link") {
            options.linkPath = value;
        } else if (name == "--dump") {
            options.dumpDir = value;
        } else if (name == "--load") {
            options.loadPath = value;
        } else if (name == "--seed") {
            ok = parseNumber(value, u.seed);
        } else if (name == "--nak-every") {
            ok = parseNumber(value, u.nakEveryNth);
        } else if (name == "--nak-rate") {
            ok = parseRate(value, u.nakRate);
        } else if (name == "--corrupt-rx") {
            ok = parseRate(value, u.corruptReceivedRate);
        } else if (name == "--drop-rx") {
            ok = parseRate(value, u.dropReceivedRate);
        } else if (name == "--corrupt-tx") {
            ok = parseRate(value, u.corruptSentRate);
        } else if (name == "--drop-tx") {
            ok = parseRate(value, u.dropSentRate);
        } else if (name == "--silent-after") {
            ok = parseNumber(value, u.silentAfterFrames) && u.silentAfterFrames >= 0;
        } else if (name == "--delay") {
            ok = parseNumber(value, ms) && ms >= 0;
            u.frameDelayUs = ms * 1000;
        } else if (name == "--erase-ms") {
            ok = parseNumber(value, ms) && ms >= 0;
            u.eraseDotIntervalUs = ms * 1000;
        } else if (name == "--erase-dots") {
            ok = parseNumber(value, u.eraseDots);
        } else if (name == "--baud") {
            ok = parseNumber(value, u.baud) && u.baud > 0;
        } else {
            error = "unknown option " + name;
            return false;
        }
        if (!ok) {
            error = "bad value for " + name + ": " + value;
            return false;
        }
    }
    return true;
}

}  // namespace mmx::unitapp
