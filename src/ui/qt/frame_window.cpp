#include "ui/qt/frame_window.h"

#include <QAction>
#include <QActionGroup>
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
#include "storage/setup_file.h"
#include "ui/app/file_alerts.h"
#include "ui/qt/network_port_entry.h"
#include "ui/qt/problem_words.h"
#include "ui/qt/unit_check.h"

namespace mmx {

namespace {

QString q(const std::string& text) { return QString::fromStdString(text); }

// A menu title with an Alt mnemonic; "&" in the text shows as itself. A title that begins
// with a Latin letter takes that letter; any other (Chinese) gets the English letter after it
// in brackets, as is usual there: "文件(&F)".
QString menuTitle(const std::string& caption, QChar englishLetter) {
    QString text = q(caption);
    text.replace('&', QStringLiteral("&&"));
    if (text.isEmpty()) return text;
    if (text[0].unicode() < 0x80 && text[0].isLetter()) return QStringLiteral("&") + text;
    return text + QStringLiteral("(&") + englishLetter + QStringLiteral(")");
}

// An item caption: "&" in the text shows as itself.
QString itemText(const std::string& caption) {
    QString text = q(caption);
    text.replace('&', QStringLiteral("&&"));
    return text;
}

}  // namespace

FrameWindow::FrameWindow(ProgramState& state, CaptionTable& captions, Services services, QWidget* parent)
    : QMainWindow(parent),
      state_(state),
      captions_(captions),
      services_(std::move(services)),
      translations_(translationsFolder(q(state.DataPath))) {
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
        if (setup_->named()) state_.frameWindowCaption = state_.FrameCaption + state_.settings.setupFile;
        captionChanged();
    });

    connect(editor_, &EditorWindow::uploadActive, this, &FrameWindow::setUploadActive);
    connect(editor_, &EditorWindow::controlsReleased, this, [this] {
        if (!uploadActive_) setUploadActive(false);
    });
    connect(editor_, &EditorWindow::setupEdited, this, [this] { setWindowModified(state_.SetupChanged); });

    buildMenus();
    applyCaptions();
    refreshPortChecks();
    refreshLanguageChecks();
    showCaption();
    restoreWindowPlace();
}

FrameWindow::~FrameWindow() = default;

void FrameWindow::buildMenus() {
    QMenuBar* bar = menuBar();
    fileMenu_ = bar->addMenu(QString());
    fileMenu_->setObjectName(QStringLiteral("File"));
    open_ = fileMenu_->addAction(QString(), this, &FrameWindow::Open_Click);
    open_->setObjectName(QStringLiteral("Open"));
    open_->setShortcut(QKeySequence::Open);
    save_ = fileMenu_->addAction(QString(), this, &FrameWindow::Save_Click);
    save_->setObjectName(QStringLiteral("Save"));
    save_->setShortcut(QKeySequence::Save);
    saveAs_ = fileMenu_->addAction(QString(), this, &FrameWindow::Save_as_Click);
    saveAs_->setObjectName(QStringLiteral("Save_as"));
    saveAs_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    saveAsText_ = fileMenu_->addAction(QString(), this, &FrameWindow::Save_as_text_file_Click);
    saveAsText_->setObjectName(QStringLiteral("Save_as_text_file"));
    saveAsText_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    fileMenu_->addSeparator();
    exit_ = fileMenu_->addAction(QString(), this, &QWidget::close);
    exit_->setObjectName(QStringLiteral("Exit"));
    exit_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    setupMenu_ = bar->addMenu(QString());
    setupMenu_->setObjectName(QStringLiteral("Setup"));
    comportMenu_ = setupMenu_->addMenu(QString());
    comportMenu_->setObjectName(QStringLiteral("Comport"));
    auto* ports = new QActionGroup(this);
    // A network address may be the port instead: then no Com item is checked.
    ports->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (int index = 1; index <= static_cast<int>(comP_.size()); ++index) {
        QAction* item = comportMenu_->addAction(QString(), this, [this, index] { ComP_Click(index); });
        item->setObjectName(QStringLiteral("ComP%1").arg(index));
        item->setCheckable(true);
        ports->addAction(item);
        comP_[static_cast<size_t>(index - 1)] = item;
    }
    // The device list is read afresh each time the submenu opens (adapters come and go).
    connect(comportMenu_, &QMenu::aboutToShow, this, &FrameWindow::applyCaptions);
    networkPort_ = new NetworkPortEntry(*comportMenu_, state_.settings.port, [this] { refreshPortChecks(); }, this);

    languageMenu_ = setupMenu_->addMenu(QString());
    languageMenu_->setObjectName(QStringLiteral("Language"));
    const auto addLanguage = [this](const char* name, LanguageItem item) {
        QAction* action = languageMenu_->addAction(QString(), this, [this, item] { languageClicked(item); });
        action->setObjectName(QString::fromLatin1(name));
        action->setCheckable(true);
        return action;
    };
    en_ = addLanguage("en", LanguageItem::en);
    nl_ = addLanguage("nl", LanguageItem::nl);
    zhS_ = addLanguage("zh_s", LanguageItem::zh_s);
    zhT_ = addLanguage("zh_t", LanguageItem::zh_t);
    languageMenu_->addSeparator();
    other_ = addLanguage("other", LanguageItem::other);

    unitCheck_ = new UnitCheck(*setupMenu_,
                               {[this] { return setupOfEditor(state_); }, [this] { return state_.settings.port; },
                                [folder = state_.SettingsFolder](const PortSettings& port) { return chosenPortFactory(folder, port); },
                                state_.SettingsFolder, [this] { return editor_->connection().isConnected(); }},
                               this);

    helpMenu_ = bar->addMenu(QString());
    helpMenu_->setObjectName(QStringLiteral("Help"));
    instructions_ = helpMenu_->addAction(QString(), this, &FrameWindow::Instructions_for_use_Click);
    instructions_->setObjectName(QStringLiteral("Instructions_for_use"));
    instructions_->setShortcut(QKeySequence::HelpContents);
    contacts_ = helpMenu_->addAction(QString(), this, &FrameWindow::Contacts_Click);
    contacts_->setObjectName(QStringLiteral("Contacts"));
    helpMenu_->addSeparator();
    about_ = helpMenu_->addAction(QString(), this, &FrameWindow::About_Zanth_message_manager_Click);
    about_->setObjectName(QStringLiteral("About_Zanth_message_manager"));
}

void FrameWindow::applyCaptions() {
    fileMenu_->setTitle(menuTitle(captions_.File, 'F'));
    open_->setText(itemText(captions_.Open));
    save_->setText(itemText(captions_.Save));
    saveAs_->setText(itemText(captions_.Save_as));
    saveAsText_->setText(itemText(captions_.Save_as_text_file));
    exit_->setText(itemText(captions_.Exit));
    setupMenu_->setTitle(menuTitle(captions_.Setup, 'S'));
    comportMenu_->setTitle(itemText(captions_.Comport));
    for (size_t i = 0; i < comP_.size(); ++i) {
        QString text = itemText(captions_.ComP[i]);
        const Services::PortDevice device =
            services_.portDevice ? services_.portDevice(static_cast<int>(i + 1)) : Services::PortDevice{};
        // After a tab the menu shows the device right-aligned, where shortcuts usually go. A port
        // whose device is missing stays choosable (the adapter may be plugged in later).
        if (!device.path.empty()) {
            text += QStringLiteral("\t") + (device.present ? q(device.path) : tr("%1 (not present)").arg(q(device.path)));
        }
        comP_[i]->setText(text);
        comP_[i]->setToolTip(device.present ? QString() : tr("No device is present at %1 now.").arg(q(device.path)));
    }
    languageMenu_->setTitle(itemText(captions_.Language));
    // Each language by its own name, so that anyone finds theirs whatever is shown now; the
    // language file's caption for the item stays in its tooltip.
    const std::pair<QAction*, const std::string*> names[] = {
        {zhS_, &captions_.zh_s}, {zhT_, &captions_.zh_t}, {en_, &captions_.en}, {nl_, &captions_.nl}};
    for (const auto& [item, caption] : names) item->setToolTip(q(*caption));
    zhS_->setText(QStringLiteral("简体中文"));
    zhT_->setText(QStringLiteral("繁體中文"));
    en_->setText(QStringLiteral("English"));
    nl_->setText(QStringLiteral("Nederlands"));
    other_->setText(itemText(captions_.other));
    helpMenu_->setTitle(menuTitle(captions_.Help, 'H'));
    instructions_->setText(itemText(captions_.Instructions_for_use));
    contacts_->setText(itemText(captions_.Contacts));
    about_->setText(itemText(captions_.About_Zanth_message_manager));
    networkPort_->refresh();
    unitCheck_->refresh();
}

QAction* FrameWindow::action(const QString& name) const { return findChild<QAction*>(name); }
QMenu* FrameWindow::menu(const QString& name) const { return findChild<QMenu*>(name); }

void FrameWindow::applyQtLanguage() {
    translations_.use(Translations::localeFor(state_));
    state_.texts.setPortCannotOpenText(tr("RS232 Com Port cannot be open!").toStdString());
}

void FrameWindow::showCaption() {
    // "[*]" marks unsaved changes (Qt shows it as "*" while the window is modified).
    setWindowTitle(q(state_.frameWindowCaption) + QStringLiteral("[*]"));
    setWindowModified(state_.SetupChanged);
}

QString FrameWindow::windowPlaceFile() const {
    return q(state_.SettingsFolder.empty() ? state_.AppPath : state_.SettingsFolder) +
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
        QTimer::singleShot(0, this, &FrameWindow::Form_Activate);
    }
}

void FrameWindow::Form_Activate() {
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

void FrameWindow::Open_Click() {
    setup_->open();
    editor_->refreshFromState();
    setWindowModified(state_.SetupChanged);
}

void FrameWindow::openSetupFile(const std::string& path) {
    setup_->openFile(path);
    editor_->refreshFromState();
    setWindowModified(state_.SetupChanged);
}

void FrameWindow::Save_Click() { reportSave(setup_->saveUnderItsName()); }

void FrameWindow::Save_as_Click() { reportSave(setup_->saveAs()); }

void FrameWindow::reportSave(FileCommandResult result) {
    setWindowModified(state_.SetupChanged);
    if (result != FileCommandResult::Done) return;
    editor_->statusPanel(1)->setText(q(state_.texts.status(UiTextTable::StatusPrefix) + " ") +
                                     tr("Saved in %1").arg(q(setup_->lastSavedPath())));
}

void FrameWindow::Save_as_text_file_Click() {
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

void FrameWindow::ComP_Click(int index) {
    state_.settings.port.Commport = static_cast<int16_t>(index);
    state_.settings.port.networkPortChosen = false;
    refreshPortChecks();
}

void FrameWindow::languageClicked(LanguageItem item) {
    if (item == LanguageItem::other)
        languages_->other_Click();
    else
        languages_->chooseBuiltIn(item);
    refreshLanguageChecks();
}

void FrameWindow::Instructions_for_use_Click() { services_.viewer->show(state_.DataPath + kInstructionsDocument); }

void FrameWindow::Contacts_Click() { services_.viewer->show(state_.DataPath + kContactsDocument); }

void FrameWindow::About_Zanth_message_manager_Click() {
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
    for (QMenu* menu : {fileMenu_, setupMenu_, helpMenu_})
        for (QAction* item : menu->actions()) item->setEnabled(!active);
    if (active)
        setCursor(Qt::WaitCursor);
    else
        unsetCursor();
}

bool FrameWindow::MDIForm_QueryUnload() {
    saveSettings();
    saveWindowPlace();
    if (!state_.SetupChanged) return true;
    switch (services_.editor.boxes->ask(state_.texts.saveQuestion(), state_.frameWindowCaption, true)) {
        case QuestionAnswer::Yes:
            // Under its own name when it has one. Only a set-up that was really saved lets the
            // program end; a cancelled or failed save keeps it open with the changes.
            return setup_->saveUnderItsName() == FileCommandResult::Done;
        case QuestionAnswer::No:
            return true;
        case QuestionAnswer::Cancel:
            return false;
    }
    return false;
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
    if (!MDIForm_QueryUnload()) {
        event->ignore();
        return;
    }
    // The program ends normally: the marker goes with it, whatever the answer was.
    RemoveInstanceMarker(state_.markerFilePath());
    event->accept();
}

}  // namespace mmx
