#include "ui/qt/frame_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <QTimer>

#include "platform/qt/instance_marker.h"
#include "platform/serial/port_names.h"
#include "storage/settings_file.h"
#include "ui/app/file_alerts.h"
#include "ui/qt/network_port_entry.h"
#include "ui/qt/problem_words.h"

namespace mmx {

namespace {

QString q(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

FrameWindow::FrameWindow(WindowState& state, CaptionTable& captions, Services services, QWidget* parent)
    : QMainWindow(parent),
      state_(state),
      captions_(captions),
      services_(std::move(services)),
      translations_(translationsFolder(q(state.dataFolder))) {
    setObjectName(QStringLiteral("MDIMMX4210"));
    editor_ = new EditorWindow(state_, captions_, services_.editor, this);
    setCentralWidget(editor_);

    ProblemWords::install();
    setup_ = std::make_unique<SetupFileCommands>(state_, *services_.editor.dialog, *services_.editor.boxes);
    setup_->setCaptionChanged([this] { captionChanged(); });
    languages_ = std::make_unique<LanguageCommands>(state_, captions_, *services_.editor.dialog,
                                                    *services_.editor.boxes);
    languages_->setLanguageApplied([this] {
        applyQtLanguage();
        applyCaptions();
        editor_->applyCaptions();
        editor_->statusPanel(1)->setText(q(languages_->statusPanel1()));
        // A port that is open stays described: the language does not close it.
        editor_->statusPanel(2)->setText(editor_->portPanelText());
        // The set-up keeps its name in the caption.
        if (setup_->named()) state_.frameWindowCaption = state_.frameCaption + state_.settings.setupFile;
        captionChanged();
    });

    connect(editor_, &EditorWindow::uploadActive, this, &FrameWindow::setUploadActive);
    connect(editor_, &EditorWindow::controlsReleased, this, [this] {
        if (!uploadActive_) setUploadActive(false);
    });
    connect(editor_, &EditorWindow::setupEdited, this, [this] { setWindowModified(state_.setupChanged()); });
    connect(editor_, &EditorWindow::historyChanged, this, [this](bool canUndo, bool canRedo) {
        undo_->setEnabled(canUndo && !uploadActive_);
        redo_->setEnabled(canRedo && !uploadActive_);
    });

    buildMenus();
    applyCaptions();
    refreshPortChecks();
    refreshLanguageChecks();
    showCaption();
    restoreWindowPlace();
}

FrameWindow::~FrameWindow() = default;

QAction* FrameWindow::action(const QString& name) const { return findChild<QAction*>(name); }
QMenu* FrameWindow::menu(const QString& name) const { return findChild<QMenu*>(name); }

void FrameWindow::applyQtLanguage() {
    translations_.use(Translations::localeFor(state_));
    state_.texts.setPortCannotOpenText(tr("RS232 Com Port cannot be open!").toStdString());
}

void FrameWindow::showCaption() {
    // "[*]" marks unsaved changes (Qt shows it as "*" while the window is modified).
    setWindowTitle(q(state_.frameWindowCaption) + QStringLiteral("[*]"));
    setWindowModified(state_.setupChanged());
}

QString FrameWindow::windowPlaceFile() const {
    return q(state_.settingsFolder.empty() ? state_.appFolder : state_.settingsFolder) +
           QStringLiteral("MMX4210-window.ini");
}

void FrameWindow::restoreWindowPlace() {
    QSettings place(windowPlaceFile(), QSettings::IniFormat);
    setup_->printoutFolder = place.value(QStringLiteral("printoutFolder")).toString().toStdString();
    if (restoreGeometry(place.value(QStringLiteral("geometry")).toByteArray())) return;
    // First start: as large as the tables want, but never larger than the screen.
    QSize size = sizeHint();
    if (const QScreen* shown = screen()) size = size.boundedTo(shown->availableGeometry().size() * 0.95);
    resize(size);
}

void FrameWindow::saveSettings() {
    const std::string path = state_.settingsFilePath();
    reportFileOutcome(*services_.editor.boxes, state_.texts, UiTextTable::SettingsFileMissing, path,
                      mmx::saveSettings(state_, path));
}

void FrameWindow::saveWindowPlace() {
    QSettings place(windowPlaceFile(), QSettings::IniFormat);
    place.setValue(QStringLiteral("geometry"), saveGeometry());
    place.setValue(QStringLiteral("printoutFolder"), q(setup_->printoutFolder));
}

void FrameWindow::captionChanged() {
    showCaption();
    WriteInstanceMarker(state_.markerFilePath(), state_.frameWindowCaption);
    editor_->refreshFromState();
}

void FrameWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!activated_) {
        activated_ = true;
        // After the window is on the screen, so that any message box has it as its parent.
        QTimer::singleShot(0, this, &FrameWindow::startUp);
    }
}

void FrameWindow::startUp() {
    activated_ = true;
    activateEditor(state_, *languages_, *services_.editor.boxes);
    refreshPortChecks();
    refreshLanguageChecks();
    editor_->resetStatusPanels();
    // Written at once, not only when a language or set-up is loaded, so that a second start
    // finds this copy even when no language file could be read.
    captionChanged();
}

void FrameWindow::bringForward() {
    if (isMinimized()) showNormal();
    show();
    raise();
    activateWindow();
}

void FrameWindow::refreshPortChecks() {
    const PortSettings& port = state_.settings.port;
    for (size_t i = 0; i < comP_.size(); ++i) comP_[i]->setChecked(!port.networkPortChosen && static_cast<int>(i + 1) == port.Commport);
    networkPort_->refresh();
}

void FrameWindow::refreshLanguageChecks() {
    const LanguageItem checked = languages_->checked();
    zhS_->setChecked(checked == LanguageItem::zh_s);
    zhT_->setChecked(checked == LanguageItem::zh_t);
    en_->setChecked(checked == LanguageItem::en);
    nl_->setChecked(checked == LanguageItem::nl);
    other_->setChecked(checked == LanguageItem::other);
}

void FrameWindow::openSetup() { showOpened(setup_->open()); }

FileCommandResult FrameWindow::openSetupFile(const std::string& path) {
    const FileCommandResult result = setup_->openFile(path);
    showOpened(result);
    return result;
}

void FrameWindow::showOpened(FileCommandResult result) {
    editor_->refreshFromState();
    setWindowModified(state_.setupChanged());
    if (result != FileCommandResult::Done || setup_->missingFiles().empty()) return;
    // Said once, on opening; the slots stay marked (and cannot be played) while the files are away.
    QStringList lines;
    for (int k : setup_->missingFiles())
        lines << tr("Slot %1 (%2): %3").arg(k).arg(q(state_.setup.slot(k).name), q(state_.setup.slot(k).path));
    services_.editor.boxes->alert(
        tr("The WAVE files of these messages are missing:").toStdString() + "\n\n" + lines.join('\n').toStdString(),
        captions_.Form1);
}

void FrameWindow::saveSetup() { reportSave(setup_->saveUnderItsName()); }

void FrameWindow::saveSetupAs() { reportSave(setup_->saveAs()); }

void FrameWindow::reportSave(FileCommandResult result) {
    setWindowModified(state_.setupChanged());
    if (result != FileCommandResult::Done) return;
    editor_->statusPanel(1)->setText(q(state_.texts.status(UiTextTable::StatusPrefix) + " ") +
                                     tr("Saved in %1").arg(q(setup_->lastSavedPath())));
}

void FrameWindow::savePrintout() {
    const auto outcome = setup_->saveAsTextFile(captions_.printout());
    if (outcome.result == FileCommandResult::Failed) {
        services_.editor.boxes->alert(
            tr("The printout could not be written to %1: %2")
                .arg(q(outcome.path), q(fileReasonText(outcome.written)))
                .toStdString(),
            captions_.Form1);
        return;
    }
    if (outcome.result != FileCommandResult::Done) return;
    if (!services_.viewer->show(outcome.path))
        editor_->statusPanel(1)->setText(q(state_.texts.status(UiTextTable::StatusPrefix) + " ") +
                                         tr("No text viewer opened the printout; it is in %1").arg(q(outcome.path)));
}

void FrameWindow::choosePort(int index) {
    state_.settings.port.Commport = static_cast<int16_t>(index);
    state_.settings.port.networkPortChosen = false;
    refreshPortChecks();
}

void FrameWindow::languageClicked(LanguageItem item) {
    if (item == LanguageItem::other)
        languages_->chooseOther();
    else
        languages_->chooseBuiltIn(item);
    refreshLanguageChecks();
}

void FrameWindow::showInstructions() { showDocument(state_.dataFolder + kInstructionsDocument); }

void FrameWindow::showContacts() { showDocument(state_.dataFolder + kContactsDocument); }

void FrameWindow::showDocument(const std::string& path) {
    if (services_.viewer->show(path)) return;
    // Nothing visible happened: the operator is told where the document is.
    services_.editor.boxes->alert(
        tr("No program on this system opened %1. The document is in %2.")
            .arg(q(fileNameOf(path)), q(folderOf(path)))
            .toStdString(),
        captions_.Form1);
}

void FrameWindow::showAboutWindow() {
    // The splash window reads the language from the settings file: write the current one.
    saveSettings();
    if (services_.showAbout) services_.showAbout();
}

void FrameWindow::setUploadActive(bool active) {
    uploadActive_ = active;
    if (!active && closeAfterUpload_) {
        closeAfterUpload_ = false;
        QTimer::singleShot(0, this, &QWidget::close);
    }
    menuBar()->setEnabled(!active);
    // The items themselves too, so that no keyboard shortcut reaches a command either.
    for (QMenu* menu : {fileMenu_, editMenu_, setupMenu_, helpMenu_})
        for (QAction* item : menu->actions()) item->setEnabled(!active);
    undo_->setEnabled(!active && state_.history.canUndo());
    redo_->setEnabled(!active && state_.history.canRedo());
    if (active)
        setCursor(Qt::WaitCursor);
    else
        unsetCursor();
}

bool FrameWindow::mayClose() {
    saveSettings();
    saveWindowPlace();
    // The same question as before opening another set-up: only a set-up that was really saved,
    // or an answer of No, lets the program end.
    return setup_->settleUnsavedEdits() == FileCommandResult::Done;
}

void FrameWindow::closeEvent(QCloseEvent* event) {
    if (uploadActive_) {
        event->ignore();
        // The upload is stopped only when the operator says so; the window then closes as
        // soon as the port is given up.
        const std::string question =
            tr("An upload is in progress. Cancel it and close the program?").toStdString();
        if (!closeAfterUpload_ &&
            services_.editor.boxes->ask(question, state_.frameWindowCaption, false) == QuestionAnswer::Yes) {
            closeAfterUpload_ = true;
            editor_->cancelUpload();
        }
        return;
    }
    if (!mayClose()) {
        event->ignore();
        return;
    }
    // The program ends normally: the marker goes with it, whatever the answer was.
    RemoveInstanceMarker(state_.markerFilePath());
    event->accept();
}

}  // namespace mmx
