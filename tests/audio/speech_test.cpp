// Spoken drafts: the speech program is run with the right voice and text, its sound becomes a
// unit-ready WAVE at the import loudness, and a missing or failing program says so.
#include <gtest/gtest.h>
#include <sndfile.h>

#include <cstdlib>
#include <filesystem>
#include <span>

#include "audio/decode.h"
#include "audio/loudness.h"
#include "audio/spoken_draft.h"
#include "core/wave_header.h"
#include "platform/speech/espeak_speech.h"
#include "platform/speech/program_runner.h"
#include "sound_files.h"
#include "support/run_program.h"
#include "support/test_support.h"

namespace mmx::test {
namespace {

namespace fs = std::filesystem;

std::span<const uint8_t> bytesOf(const std::string& text) {
    return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

// A stand-in for the speech program in a folder of its own: it notes its arguments and the
// text it was given, then acts as `behaviour` says.
std::string fakeSpeechProgram(const ScratchFolder& folder, const std::string& behaviour) {
    const std::string dir = folder.folder();
    writeSoundFile(dir + "voice.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 22050, 1, 1.5, {{440, 0.05}});
    const std::string script = folder.write("bin/espeak-ng",
        "#!/bin/sh\n"
        "printf '%s\\n' \"$@\" > " + dir + "args\n"
        "while [ $# -gt 0 ]; do\n"
        "  case \"$1\" in\n"
        "    -f) cp \"$2\" " + dir + "text ;;\n"
        "    -w) wave=\"$2\" ;;\n"
        "  esac\n"
        "  shift\n"
        "done\n" + behaviour + "\n");
    fs::permissions(script, fs::perms::owner_all);
    return dir + "bin";
}

const std::string kSpeaks = "cp " + std::string("\"$(dirname \"$0\")/../voice.wav\" \"$wave\"");

struct VoiceCase {
    audio::SpeechLanguage language;
    std::string voice;
    std::string text;
};

class DraftVoice : public ::testing::TestWithParam<VoiceCase> {};

TEST_P(DraftVoice, SpeaksTheTextWithTheLanguagesVoiceIntoAUnitReadyFile) {
    ScratchFolder folder;
    const platform::EspeakSpeech speech(fakeSpeechProgram(folder, kSpeaks));
    const audio::SpokenDraft draft = audio::makeSpokenDraft(speech, GetParam().text, GetParam().language);
    ASSERT_TRUE(draft.outcome.ok()) << draft.outcome.detail;

    const std::string args = readText(folder.folder() + "args");
    EXPECT_EQ(args.substr(0, args.find("-f\n")), "-b\n1\n-v\n" + GetParam().voice + "\n");
    EXPECT_EQ(readText(folder.folder() + "text"), GetParam().text);

    EXPECT_TRUE(CheckWaveBytes(bytesOf(draft.message.waveBytes)).accepted);
    EXPECT_EQ(draft.message.rate, 22050u);
    // Matched to the import loudness: measured again on what was written.
    const audio::Decoded written = audio::decodeBytes(draft.message.waveBytes);
    ASSERT_TRUE(written.ok);
    const auto measure = audio::measureLoudness(written.signal.samples, written.signal.rate);
    ASSERT_TRUE(measure);
    EXPECT_NEAR(measure->integratedLufs, -16.0, 0.5);
}

INSTANTIATE_TEST_SUITE_P(Languages, DraftVoice,
                         ::testing::Values(VoiceCase{audio::SpeechLanguage::English, "en", "-- Please leave by the nearest exit."},
                                           VoiceCase{audio::SpeechLanguage::Dutch, "nl", "Verlaat het gebouw, alstublieft."},
                                           VoiceCase{audio::SpeechLanguage::Mandarin, "cmn-latn-pinyin", "请从最近的出口离开。"}));

TEST(SpokenDraft, LeavesNoScratchFilesBehind) {
    ScratchFolder folder, temporary;
    const platform::EspeakSpeech speech(fakeSpeechProgram(folder, kSpeaks));
    const char* before = std::getenv("TMPDIR");
    const std::string saved = before ? before : "";
    ::setenv("TMPDIR", temporary.path().c_str(), 1);
    const audio::SpokenDraft draft = audio::makeSpokenDraft(speech, "Hello", audio::SpeechLanguage::English);
    if (before) ::setenv("TMPDIR", saved.c_str(), 1);
    else ::unsetenv("TMPDIR");
    EXPECT_TRUE(draft.outcome.ok()) << draft.outcome.detail;
    EXPECT_TRUE(fs::is_empty(temporary.path()));
}

struct FailureCase {
    std::string name;
    std::string behaviour;
    std::string text;
    audio::SpeechProblem problem;
    std::string detail;
};

class DraftFailure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(DraftFailure, SaysWhatWentWrong) {
    ScratchFolder folder;
    const platform::EspeakSpeech speech(fakeSpeechProgram(folder, GetParam().behaviour));
    const audio::SpokenDraft draft = audio::makeSpokenDraft(speech, GetParam().text, audio::SpeechLanguage::English);
    EXPECT_EQ(draft.outcome.problem, GetParam().problem);
    // A detail ending in ": " is followed by the decoder's own words.
    const std::string& expected = GetParam().detail;
    if (expected.ends_with(": ")) {
        EXPECT_EQ(draft.outcome.detail.substr(0, expected.size()), expected);
    } else {
        EXPECT_EQ(draft.outcome.detail, expected);
    }
    EXPECT_TRUE(draft.message.waveBytes.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, DraftFailure,
    ::testing::Values(
        FailureCase{"ProgramFails", "echo 'Error: no voice' >&2; exit 3", "Hello", audio::SpeechProblem::SynthesiserFailed,
                    "espeak-ng failed (exit code 3): Error: no voice"},
        FailureCase{"NoSound", "exit 0", "Hello", audio::SpeechProblem::SynthesiserFailed, "espeak-ng wrote no sound"},
        FailureCase{"Garbage", "head -c 5000 /dev/zero > \"$wave\"", "Hello", audio::SpeechProblem::Unusable,
                    "the spoken sound cannot be used: "},
        FailureCase{"BlankText", kSpeaks, " \n\t", audio::SpeechProblem::NoText, "there is no text to speak"}),
    [](const auto& param) { return param.param.name; });

TEST(SpokenDraft, MissingProgramSaysHowToInstallIt) {
    ScratchFolder empty;
    const platform::EspeakSpeech speech(empty.path().string() + ":");
    const audio::SpokenDraft draft = audio::makeSpokenDraft(speech, "Hello", audio::SpeechLanguage::English);
    EXPECT_EQ(draft.outcome.problem, audio::SpeechProblem::SynthesiserMissing);
    EXPECT_EQ(draft.outcome.detail, "espeak-ng is not installed; install it with: sudo apt install espeak-ng");
    EXPECT_EQ(draft.outcome.installHint, "sudo apt install espeak-ng");
}

// The real program, as installed by scripts/install-deps.sh; the voice each language gets is
// pinned with a stand-in above.
TEST(SpeakCli, WithTheInstalledProgramMakesADraftTheUnitAccepts) {
    const char* path = std::getenv("PATH");
    if (platform::findProgram("espeak-ng", path ? path : "").empty()) GTEST_SKIP() << "espeak-ng is not installed";
    ScratchFolder folder;
    const std::string out = folder.folder() + "draft.wav";
    const ProgramRun run = runProgram(MMX_CLI_PATH, {"speak", "请从最近的出口离开大楼。", "--lang", "zh", "-o", out});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const WaveCheck check = ReadWaveHeader(out);
    EXPECT_TRUE(check.accepted);
    EXPECT_GT(check.info.dataLength, check.info.sampleRate);  // more than half a second of 16-bit sound
    EXPECT_NE(run.out.find(out + "  "), std::string::npos) << run.out;
}

TEST(SpeakCli, WithoutTheProgramExitsOneWithHowToInstallIt) {
    ScratchFolder folder;
    const std::string out = folder.folder() + "draft.wav";
    const ProgramRun run = runProgram(MMX_CLI_PATH, {"speak", "Hello", "--lang", "en", "-o", out}, {"PATH=" + folder.folder()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "mmx4210-cli speak: espeak-ng is not installed; install it with: sudo apt install espeak-ng\n");
    EXPECT_FALSE(fs::exists(out));
}

}  // namespace
}  // namespace mmx::test
