// mmx4210-screenshots FOLDER APPDIR: puts the desktop program through its main states and saves
// a picture of each into FOLDER: empty, filled, every built-in language, the window on a
// 1024x768 screen, an open sequence list, the splash window, the Com port menu, an upload in
// progress (with its Cancel button) against a paced unit counterpart, its result, and the close
// question in Dutch; then the everyday conveniences: waveforms, a drop on the slots, the
// spoken-draft dialog, the recent set-ups, the upload time line and a trigger row's menu.
#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <thread>

#include "device/unit_emulator.h"
#include "audio/unit_wave.h"
#include "platform/serial/pty_unit_server.h"
#include "support/test_support.h"
#include "ui/qt/convert_offer_dialog.h"
#include "ui/qt/desktop_program.h"
#include "ui/qt/draft_command.h"
#include "ui/qt/draft_dialog.h"
#include "ui/qt/editor_extensions.h"
#include "ui/qt/recent_setups.h"
#include "ui/qt/sequence_combo.h"
#include "ui/qt/sequence_export.h"
#include "ui/qt/waveform_strip.h"
#include "ui_gestures.h"

namespace {

void pump(int ms) { QTest::qWait(ms); }

// The window with the popups of its own (lists, menus) drawn where they show on the screen.
void save(QWidget* window, const QString& folder, const QString& name, const std::vector<QWidget*>& popups = {}) {
    QPixmap picture = window->grab();
    QPainter painter(&picture);
    for (QWidget* popup : popups) painter.drawPixmap(window->mapFromGlobal(popup->mapToGlobal(QPoint(0, 0))), popup->grab());
    painter.end();
    const QString path = folder + "/" + name + ".png";
    if (!picture.save(path)) std::cerr << "cannot write " << path.toStdString() << "\n";
    std::cout << path.toStdString() << "\n";
}

// A spoken-like sound: syllables of a tone under a rising and falling envelope. A gain above 1
// clips, so the waveform shows its red marks.
std::string writeSpeechLike(const std::filesystem::path& folder, const std::string& name, uint32_t rate,
                            double seconds, double gain) {
    std::vector<int16_t> samples(static_cast<size_t>(rate * seconds));
    for (uint32_t i = 0; i < samples.size(); ++i) {
        const double t = static_cast<double>(i) / rate;
        const double syllable = std::pow(std::sin(M_PI * std::fmod(t * 3.1, 1.0)), 2);
        const double phrase = std::sin(M_PI * t / seconds);
        const double value = std::clamp(gain * phrase * syllable * std::sin(2 * M_PI * 180 * t) *
                                            (0.7 + 0.3 * std::sin(2 * M_PI * 7 * t)), -1.0, 32767.0 / 32768.0);
        samples[i] = static_cast<int16_t>(std::lround(value * 32768));
    }
    const std::string path = (folder / name).string();
    std::ofstream(path, std::ios::binary) << mmx::audio::unitWaveBytes(samples, rate);
    return path;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 3) {
        std::cerr << "usage: mmx4210-screenshots OUTPUT-FOLDER PROGRAM-FOLDER\n";
        return 2;
    }
    const QString output = QString::fromLocal8Bit(argv[1]);
    const std::filesystem::path programFolder = argv[2];
    QDir().mkpath(output);

    // The program runs from a scratch copy of its folder, so its settings and marker files
    // land there and not beside the real program.
    mmx::test::ScratchFolder scratch;
    std::filesystem::copy(programFolder / "Font", scratch.path() / "Font", std::filesystem::copy_options::recursive);
    // The settings folder too: the account's own settings (another language folder, recent
    // set-ups) neither change the pictures nor get changed by them.
    setenv("XDG_CONFIG_HOME", (scratch.path() / "config").c_str(), 1);
    const std::string welcome = writeSpeechLike(scratch.path(), "welcome.wav", 16000, 1.5, 0.6);
    const std::string evacuate = writeSpeechLike(scratch.path(), "evacuation-notice.wav", 22050, 2.0, 1.4);
    const std::string closing = writeSpeechLike(scratch.path(), "closing-time.wav", 8000, 4.0, 0.8);

    // A unit counterpart on a pseudo-terminal, paced like a 115200 baud line.
    mmx::UnitOptions unitOptions;
    unitOptions.baud = 115200;
    mmx::UnitEmulator unit(unitOptions);
    mmx::PtyUnitServer server(unit);
    std::string error;
    if (!server.open(error)) {
        std::cerr << "no pseudo-terminal: " << error << "\n";
        return 1;
    }
    std::thread line([&server] { server.run(); });
    setenv("MMX4210_COM1", server.slavePath().c_str(), 1);

    QApplication app(argc, argv);
    int status = 0;
    {
        mmx::DesktopProgram program(scratch.path().string(),
                                    QStringLiteral("mmx4210-screenshots-%1").arg(QCoreApplication::applicationPid()));
        program.Main(false);
        mmx::FrameWindow& frame = program.frame();
        mmx::EditorWindow& editor = frame.editorWindow();
        frame.resize(frame.sizeHint());
        pump(300);
        save(&frame, output, "01-empty-en");

        editor.editor().assignFile(1, welcome);
        editor.editor().assignFile(2, evacuate);
        editor.editor().assignFile(3, closing);
        editor.refreshFromState();
        editor.pickEntry(mmx::entryIndex(1, 1), " 1");
        editor.pickEntry(mmx::entryIndex(1, 2), " 2");
        editor.pickEntry(mmx::entryIndex(2, 1), " 2");
        editor.pickEntry(mmx::entryIndex(2, 2), " 2");
        editor.pickEntry(mmx::entryIndex(2, 3), " 3");
        editor.pickEntry(mmx::entryIndex(3, 1), " 3");
        for (int zone : {1, 2, 3, 6 + 2, 6 + 4, 12 + 1, 12 + 2, 12 + 3, 12 + 4, 12 + 5, 12 + 6}) {
            editor.toggleZone(zone, true);
        }
        editor.refreshFromState();
        mmx::EditorExtensions& extensions = program.extensions();
        extensions.follow();
        if (!QTest::qWaitFor([&] { return extensions.waveforms().complete(); }, 10000)) {
            std::cerr << "the waveforms were not drawn within 10 s; the picture shows them unfinished\n";
        }
        pump(300);
        save(&frame, output, "02-filled-en");

        mmx::SequenceCombo* list = editor.sequenceBox(mmx::entryIndex(2, 4));
        list->showPopup();
        pump(150);
        save(&frame, output, "02-sequence-list-en", {list->view()->window()});
        list->hidePopup();

        const std::pair<mmx::LanguageItem, const char*> languages[] = {
            {mmx::LanguageItem::nl, "nl"}, {mmx::LanguageItem::zh_s, "zh-s"}, {mmx::LanguageItem::zh_t, "zh-t"}};
        for (const auto& [item, name] : languages) {
            frame.languageClicked(item);
            pump(100);
            save(&frame, output, QStringLiteral("03-filled-%1").arg(QString::fromLatin1(name)));
        }
        // A 1024x768 screen: the window keeps everything reachable, the tables one above the other.
        const QSize full = frame.size();
        const std::pair<mmx::LanguageItem, const char*> english{mmx::LanguageItem::en, "en"};
        for (const auto& [item, name] : {english, languages[0], languages[2]}) {
            frame.languageClicked(item);
            frame.resize(1024, 768 - 60);
            pump(150);
            save(&frame, output, QStringLiteral("03-1024x768-%1").arg(QString::fromLatin1(name)));
        }
        frame.resize(full);

        // "About" writes the settings first, so the splash window speaks the chosen language.
        frame.showAboutWindow();
        pump(150);
        save(program.splash(), output, "04-splash-zh-t");
        program.splash()->finish();
        frame.languageClicked(mmx::LanguageItem::en);
        frame.showAboutWindow();
        pump(150);
        save(program.splash(), output, "04-splash-en");
        program.splash()->finish();

        QMenu* ports = frame.menu(QStringLiteral("Comport"));
        ports->popup(frame.mapToGlobal(QPoint(80, 40)));
        pump(150);
        save(ports, output, "05-comport-menu");
        ports->hide();

        frame.startUp();
        editor.sendToUnit();
        if (QTest::qWaitFor([&] { return editor.progressBar()->isVisible() && editor.progressBar()->value() > 0; },
                      20000)) {
            pump(2500);
            save(&frame, output, "06-uploading");
        } else {
            std::cerr << "the upload did not start\n";
            status = 1;
        }
        if (QTest::qWaitFor([&] { return !editor.uploadRunning(); }, 120000)) {
            pump(100);
            save(&frame, output, "07-uploaded");
        } else {
            std::cerr << "the upload did not end\n";
            status = 1;
        }

        // The close question in Dutch: Qt's own buttons follow the language.
        frame.languageClicked(mmx::LanguageItem::nl);
        QMessageBox question(QMessageBox::Question, QString::fromStdString(program.state().frameWindowCaption),
                             QString::fromStdString(program.state().texts.saveQuestion()),
                             QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, &frame);
        question.show();
        pump(100);
        save(&question, output, "08-close-question-nl");
        question.hide();

        // The offer to convert a file the unit cannot play, in the language in use.
        mmx::ConvertOfferDialog offer(QStringLiteral("announcement.flac"),
                                      QString::fromStdString(program.state().texts.messageBox(mmx::UiTextTable::NotMono)),
                                      &frame);
        offer.show();
        pump(100);
        save(&offer, output, "09-convert-offer-nl");
        offer.hide();

        frame.languageClicked(mmx::LanguageItem::en);
        pump(100);
        // Two sound files dragged over slot 4: rows 4 and 5 will take them.
        {
            QLineEdit* slot4 = editor.nameField(4);
            const auto files = mmx::test::fileDrag({welcome, closing});
            mmx::test::drag(editor, *files, slot4->mapTo(&editor, slot4->rect().center()), false);
            pump(100);
            save(&frame, output, "10-drop-highlight-en");
            QDragLeaveEvent leave;
            QApplication::sendEvent(&editor, &leave);
        }

        // The spoken-draft dialog for the first empty slot.
        if (mmx::DraftDialog* draft = extensions.drafts().start(4)) {
            draft->textField()->setPlainText(QStringLiteral("The building closes in ten minutes. Please make your way to the exit."));
            pump(150);
            save(draft, output, "11-draft-dialog-en");
            draft->close();
        }

        // The recent set-ups, one of them gone.
        for (const char* name : {"gone.cfg", "lobby-west.cfg", "lobby-east.cfg"}) {
            const std::string path = scratch.folder() + name;
            if (std::string(name) != "gone.cfg") std::ofstream(path) << "\r\n";
            extensions.recent().note(path);
        }
        QMenu* file = frame.menu(QStringLiteral("File"));
        file->popup(frame.mapToGlobal(QPoint(0, frame.menuBar()->height())));
        pump(100);
        QMenu* recent = extensions.recent().menu();
        recent->popup(file->mapToGlobal(file->actionGeometry(recent->menuAction()).topRight()));
        pump(150);
        save(&frame, output, "12-recent-menu-en", {file, recent});
        recent->hide();
        file->hide();

        // The time line beside the upload button; the whole filled window on a larger screen
        // (the README's picture), and a trigger row's menu.
        save(editor.sendButton()->parentWidget(), output, "13-time-line-en");
        frame.resize(1480, 960);
        pump(300);
        save(&frame, output, "15-filled-wide-en");
        frame.grab().scaledToWidth(900, Qt::SmoothTransformation).save(output + "/15-filled-wide-en-small.png");
        QMenu* rowMenu = extensions.sequenceExport().menuFor(2, &frame);
        rowMenu->popup(editor.triggerTimeLabel(2)->mapToGlobal(QPoint(20, 10)));
        pump(150);
        save(&frame, output, "14-trigger-menu-en", {rowMenu});
        rowMenu->hide();

        program.state().markSaved();
        frame.close();
    }
    server.stop();
    line.join();
    return status;
}
