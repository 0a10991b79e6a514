// The frame window's menus: File, Edit, Setup (Com port, Language) and Help, and their captions
// in the language in use.
#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

#include "platform/serial/port_names.h"
#include "ui/qt/frame_window.h"
#include "ui/qt/network_port_entry.h"
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

void FrameWindow::buildMenus() {
    QMenuBar* bar = menuBar();
    fileMenu_ = bar->addMenu(QString());
    fileMenu_->setObjectName(QStringLiteral("File"));
    open_ = fileMenu_->addAction(QString(), this, &FrameWindow::openSetup);
    open_->setObjectName(QStringLiteral("Open"));
    open_->setShortcut(QKeySequence::Open);
    save_ = fileMenu_->addAction(QString(), this, &FrameWindow::saveSetup);
    save_->setObjectName(QStringLiteral("Save"));
    save_->setShortcut(QKeySequence::Save);
    saveAs_ = fileMenu_->addAction(QString(), this, &FrameWindow::saveSetupAs);
    saveAs_->setObjectName(QStringLiteral("Save_as"));
    saveAs_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    saveAsText_ = fileMenu_->addAction(QString(), this, &FrameWindow::savePrintout);
    saveAsText_->setObjectName(QStringLiteral("Save_as_text_file"));
    saveAsText_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    fileMenu_->addSeparator();
    exit_ = fileMenu_->addAction(QString(), this, &QWidget::close);
    exit_->setObjectName(QStringLiteral("Exit"));
    exit_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    editMenu_ = bar->addMenu(QString());
    editMenu_->setObjectName(QStringLiteral("Edit"));
    undo_ = editMenu_->addAction(QString(), editor_, &EditorWindow::undo);
    undo_->setObjectName(QStringLiteral("Undo"));
    undo_->setShortcut(QKeySequence::Undo);
    redo_ = editMenu_->addAction(QString(), editor_, &EditorWindow::redo);
    redo_->setObjectName(QStringLiteral("Redo"));
    // Ctrl+Shift+Z and Ctrl+Y both, whatever the desktop's own habit is.
    redo_->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    undo_->setEnabled(false);
    redo_->setEnabled(false);

    setupMenu_ = bar->addMenu(QString());
    setupMenu_->setObjectName(QStringLiteral("Setup"));
    comportMenu_ = setupMenu_->addMenu(QString());
    comportMenu_->setObjectName(QStringLiteral("Comport"));
    auto* ports = new QActionGroup(this);
    // A network address may be the port instead: then no Com item is checked.
    ports->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (int index = 1; index <= static_cast<int>(comP_.size()); ++index) {
        QAction* item = comportMenu_->addAction(QString(), this, [this, index] { choosePort(index); });
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
                               {[this] { return state_.setup; }, [this] { return state_.settings.port; },
                                [folder = state_.settingsFolder](const PortSettings& port) { return chosenPortFactory(folder, port); },
                                state_.settingsFolder, [this] { return editor_->connection().isConnected(); }},
                               this);

    helpMenu_ = bar->addMenu(QString());
    helpMenu_->setObjectName(QStringLiteral("Help"));
    instructions_ = helpMenu_->addAction(QString(), this, &FrameWindow::showInstructions);
    instructions_->setObjectName(QStringLiteral("Instructions_for_use"));
    instructions_->setShortcut(QKeySequence::HelpContents);
    contacts_ = helpMenu_->addAction(QString(), this, &FrameWindow::showContacts);
    contacts_->setObjectName(QStringLiteral("Contacts"));
    helpMenu_->addSeparator();
    about_ = helpMenu_->addAction(QString(), this, &FrameWindow::showAboutWindow);
    about_->setObjectName(QStringLiteral("About_Zanth_message_manager"));
}

void FrameWindow::applyCaptions() {
    fileMenu_->setTitle(menuTitle(captions_.File, 'F'));
    open_->setText(itemText(captions_.Open));
    save_->setText(itemText(captions_.Save));
    saveAs_->setText(itemText(captions_.Save_as));
    saveAsText_->setText(itemText(captions_.Save_as_text_file));
    exit_->setText(itemText(captions_.Exit));
    editMenu_->setTitle(menuTitle(tr("Edit").toStdString(), 'E'));
    undo_->setText(tr("Undo"));
    undo_->setToolTip(tr("Undo the last change to the messages or triggers (Ctrl+Z)"));
    undo_->setStatusTip(undo_->toolTip());
    redo_->setText(tr("Redo"));
    redo_->setToolTip(tr("Redo the change last undone (Ctrl+Shift+Z or Ctrl+Y)"));
    redo_->setStatusTip(redo_->toolTip());
    editMenu_->menuAction()->setToolTip(tr("Undo and redo changes to the messages and triggers"));
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

}  // namespace mmx
