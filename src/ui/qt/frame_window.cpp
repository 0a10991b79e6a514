#include "ui/qt/frame_window.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

#include "platform/qt/instance_marker.h"
#include "storage/settings_file.h"

namespace mmx {

namespace {

QString q(const std::string& text) { return QString::fromStdString(text); }

// A menu title with its first letter as the Alt mnemonic; "&" in the text shows as itself.
QString menuTitle(const std::string& caption) {
    QString text = q(caption);
    text.replace('&', QStringLiteral("&&"));
    return text.isEmpty() ? text : QStringLiteral("&") + text;
}

// An item caption: "&" in the text shows as itself.
QString itemText(const std::string& caption) {
    QString text = q(caption);
    text.replace('&', QStringLiteral("&&"));
    return text;
}

}  // namespace

FrameWindow::FrameWindow(ProgramState& state, CaptionTable& captions, Services services, QWidget* parent)
    : QMainWindow(parent), state_(state), captions_(captions), services_(std::move(services)) {
    setObjectName(QStringLiteral("MDIMMX4210"));
    editor_ = new EditorWindow(state_, captions_, services_.editor, this);
    setCentralWidget(editor_);

    setup_ = std::make_unique<SetupFileCommands>(state_, *services_.editor.dialog, *services_.editor.boxes);
    setup_->setCaptionChanged([this] { captionChanged(); });
    languages_ = std::make_unique<LanguageCommands>(state_, captions_, *services_.editor.dialog,
                                                    *services_.editor.boxes);
    languages_->setLanguageApplied([this] {
        applyCaptions();
        editor_->applyCaptions();
        editor_->statusPanel(1)->setText(q(languages_->statusPanel1()));
        editor_->statusPanel(2)->setText(q(languages_->statusPanel2()));
        captionChanged();
    });

    connect(editor_, &EditorWindow::uploadActive, this, &FrameWindow::setUploadActive);
    connect(editor_, &EditorWindow::controlsReleased, this, [this] {
        if (!uploadActive_) setUploadActive(false);
    });

    buildMenus();
    applyCaptions();
    refreshPortChecks();
    refreshLanguageChecks();
    setWindowTitle(q(state_.frameWindowCaption));
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
    for (int index = 1; index <= static_cast<int>(comP_.size()); ++index) {
        QAction* item = comportMenu_->addAction(QString(), this, [this, index] { ComP_Click(index); });
        item->setObjectName(QStringLiteral("ComP%1").arg(index));
        item->setCheckable(true);
        ports->addAction(item);
        comP_[static_cast<size_t>(index - 1)] = item;
    }
    // The device list is read afresh each time the submenu opens (adapters come and go).
    connect(comportMenu_, &QMenu::aboutToShow, this, &FrameWindow::applyCaptions);

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
    fileMenu_->setTitle(menuTitle(captions_.File));
    open_->setText(itemText(captions_.Open));
    save_->setText(itemText(captions_.Save));
    saveAs_->setText(itemText(captions_.Save_as));
    saveAsText_->setText(itemText(captions_.Save_as_text_file));
    exit_->setText(itemText(captions_.Exit));
    setupMenu_->setTitle(menuTitle(captions_.Setup));
    comportMenu_->setTitle(itemText(captions_.Comport));
    for (size_t i = 0; i < comP_.size(); ++i) {
        QString text = itemText(captions_.ComP[i]);
        const std::string device = services_.portDevice ? services_.portDevice(static_cast<int>(i + 1)) : "";
        // After a tab the menu shows the device right-aligned, where shortcuts usually go.
        if (!device.empty()) text += QStringLiteral("\t") + q(device);
        comP_[i]->setText(text);
    }
    languageMenu_->setTitle(itemText(captions_.Language));
    zhS_->setText(itemText(captions_.zh_s));
    zhT_->setText(itemText(captions_.zh_t));
    en_->setText(itemText(captions_.en));
    nl_->setText(itemText(captions_.nl));
    other_->setText(itemText(captions_.other));
    helpMenu_->setTitle(menuTitle(captions_.Help));
    instructions_->setText(itemText(captions_.Instructions_for_use));
    contacts_->setText(itemText(captions_.Contacts));
    about_->setText(itemText(captions_.About_Zanth_message_manager));
}

QAction* FrameWindow::action(const QString& name) const { return findChild<QAction*>(name); }
QMenu* FrameWindow::menu(const QString& name) const { return findChild<QMenu*>(name); }

void FrameWindow::captionChanged() {
    setWindowTitle(q(state_.frameWindowCaption));
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
    for (size_t i = 0; i < comP_.size(); ++i) comP_[i]->setChecked(static_cast<int>(i + 1) == state_.port.Commport);
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
}

void FrameWindow::Save_Click() { setup_->save(); }

void FrameWindow::Save_as_Click() { setup_->saveAs(); }

void FrameWindow::Save_as_text_file_Click() {
    if (const auto path = setup_->saveAsTextFile(captions_.printout())) services_.viewer->show(*path);
}

void FrameWindow::ComP_Click(int index) {
    state_.port.Commport = static_cast<int16_t>(index);
    refreshPortChecks();
}

void FrameWindow::languageClicked(LanguageItem item) {
    if (item == LanguageItem::other)
        languages_->other_Click();
    else
        languages_->chooseBuiltIn(item);
    refreshLanguageChecks();
}

void FrameWindow::Instructions_for_use_Click() { services_.viewer->show(state_.AppPath + kInstructionsDocument); }

void FrameWindow::Contacts_Click() { services_.viewer->show(state_.AppPath + kContactsDocument); }

void FrameWindow::About_Zanth_message_manager_Click() {
    // The splash window reads the language from the settings file: write the current one.
    SaveIni(state_, state_.settingsFilePath(), *services_.editor.boxes);
    if (services_.showAbout) services_.showAbout();
}

void FrameWindow::setUploadActive(bool active) {
    uploadActive_ = active;
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
    SaveIni(state_, state_.settingsFilePath(), *services_.editor.boxes);
    if (!state_.SetupChanged) return true;
    switch (services_.editor.boxes->ask(state_.texts.saveQuestion(), state_.frameWindowCaption, true)) {
        case QuestionAnswer::Yes:
            // Only a set-up that was really saved lets the program end; a cancelled or failed
            // "Save as" keeps it open with the changes.
            return setup_->saveAs() == FileCommandResult::Done;
        case QuestionAnswer::No:
            return true;
        case QuestionAnswer::Cancel:
            return false;
    }
    return false;
}

void FrameWindow::closeEvent(QCloseEvent* event) {
    if (uploadActive_ || !MDIForm_QueryUnload()) {
        event->ignore();
        return;
    }
    // The program ends normally: the marker goes with it, whatever the answer was.
    RemoveInstanceMarker(state_.markerFilePath());
    event->accept();
}

}  // namespace mmx
